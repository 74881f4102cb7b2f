#include "ui/ControlTimerRoute.h"

#include "ui/ControlRegistry.h"
#include "ui/IUIContainer.h"
#include "ui/UIControl.h"
#include "ui/UIMessages.h"

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

void DeliverControlTimer(uint32_t id, const UIControl* root, IUIContainer& host,
                         const std::function<void(int index)>& onRoot) {
  const ControlTimerTick tick = ResolveControlTimer(id, root);
  switch (tick.kind) {
    case ControlTimerTick::Kind::kNotControl:
      break;
    case ControlTimerTick::Kind::kVanished:
      host.KillHostTimer(id);
      break;
    case ControlTimerTick::Kind::kRoot:
      onRoot(tick.index);
      break;
    case ControlTimerTick::Kind::kControl:
      tick.control->SendMsg(uimsg::kTimer, static_cast<uintptr_t>(tick.index), 0);
      break;
  }
}

}  // namespace vr
