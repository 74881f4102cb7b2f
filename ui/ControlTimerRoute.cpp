#include "ui/ControlTimerRoute.h"

#include "ui/ControlRegistry.h"

namespace vr {

ControlTimerTick ResolveControlTimer(uint32_t id, const UIControl* root) {
  ControlTimerTick tick;
  if ((id & 0x80000000u) == 0) return tick;
  tick.index = static_cast<int>((id >> 24) & 0x7Fu);
  tick.control = ControlRegistry::Instance().Find(static_cast<int>(id & 0xFFFFFFu));
  if (!tick.control) {
    tick.kind = ControlTimerTick::Kind::kVanished;
  } else {
    tick.kind = tick.control == root ? ControlTimerTick::Kind::kRoot : ControlTimerTick::Kind::kControl;
  }
  return tick;
}

}  // namespace vr
