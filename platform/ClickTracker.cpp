#include "platform/ClickTracker.h"

#include <cstdlib>

namespace vr {

int ClickTracker::OnPress(uint64_t window, MouseButton button, WinPoint screenPos, TimePoint when) {
  bool second = armed_ && window == window_ && button == button_ && when - when_ <= interval_ &&
                std::abs(screenPos.x - pos_.x) <= kSlop && std::abs(screenPos.y - pos_.y) <= kSlop;
  window_ = window;
  button_ = button;
  pos_ = screenPos;
  when_ = when;
  armed_ = !second;
  return second ? 2 : 1;
}

}  // namespace vr
