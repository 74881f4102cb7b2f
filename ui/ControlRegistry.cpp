#include "ui/ControlRegistry.h"

namespace vr {

ControlRegistry& ControlRegistry::Instance() {
  static ControlRegistry registry;
  return registry;
}

int ControlRegistry::Register(UIControl* control) {
  std::lock_guard<std::mutex> hold(lock_);
  const int serial = nextSerial_++;
  controls_[serial] = control;
  return serial;
}

void ControlRegistry::Unregister(int serial) {
  std::lock_guard<std::mutex> hold(lock_);
  controls_.erase(serial);
}

UIControl* ControlRegistry::Find(int serial) const {
  if (serial == 0) return nullptr;
  std::lock_guard<std::mutex> hold(lock_);
  auto it = controls_.find(serial);
  return it == controls_.end() ? nullptr : it->second;
}

size_t ControlRegistry::Count() const {
  std::lock_guard<std::mutex> hold(lock_);
  return controls_.size();
}

}  // namespace vr
