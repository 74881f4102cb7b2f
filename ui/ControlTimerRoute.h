#pragma once
#include <cstdint>
#include <functional>

namespace vr {

class IUIContainer;
class UIControl;

// Where one tick of a host's native timer belongs. Control timers carry the
// top bit: ((index | 0x80) << 24) | (serial & 0xFFFFFF), see UIControl.
struct ControlTimerTick {
  enum class Kind {
    kNotControl,  // top bit clear: not a control timer, ignored by hosts
    kVanished,    // the control is gone: the host kills the timer
    kRoot,        // the host's own root control: the host's OnTimer(index)
    kControl,     // another control: it receives the timer message
  };
  Kind kind = Kind::kNotControl;
  int index = 0;                 // 0..127
  UIControl* control = nullptr;  // set for kRoot and kControl
};

ControlTimerTick ResolveControlTimer(uint32_t id, const UIControl* root);

// Delivers one tick as ResolveControlTimer places it: the control gets the
// timer message, the root's ticks go to `onRoot`, and the timer of a vanished
// control is killed on `host`. Other timers are left alone.
void DeliverControlTimer(uint32_t id, const UIControl* root, IUIContainer& host,
                         const std::function<void(int index)>& onRoot);

}  // namespace vr
