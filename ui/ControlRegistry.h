#pragma once
#include <map>
#include <mutex>

namespace vr {

class UIControl;

// Process-wide map from serial to live control. Windows keep serials instead
// of pointers for focus, capture and hover, so a destroyed control simply
// stops being found. Serials start at 1 and are never reused.
class ControlRegistry {
 public:
  static ControlRegistry& Instance();

  int Register(UIControl* control);
  void Unregister(int serial);
  // Serial 0 never names a control; it is answered without the lock.
  UIControl* Find(int serial) const;
  size_t Count() const;

 private:
  ControlRegistry() = default;

  mutable std::mutex lock_;
  int nextSerial_ = 1;
  std::map<int, UIControl*> controls_;
};

}  // namespace vr
