#pragma once
#include <chrono>
#include <cstdint>

#include "platform/WindowTypes.h"

namespace vr {

// Turns button presses into single and double clicks the way Win32 does: a
// second press of the same button on the same window, within the double-click
// time and a 4 x 4 pixel box around the first, is a double click; the press
// after a double click starts over.
class ClickTracker {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  static constexpr int kSlop = 2;  // pixels either side of the first press

  explicit ClickTracker(std::chrono::milliseconds doubleClickTime) : interval_(doubleClickTime) {}

  // Returns 1 or 2.
  int OnPress(uint64_t window, MouseButton button, WinPoint screenPos, TimePoint when);

 private:
  std::chrono::milliseconds interval_;
  uint64_t window_ = 0;
  MouseButton button_ = MouseButton::kNone;
  WinPoint pos_;
  TimePoint when_{};
  bool armed_ = false;  // the last press was a first click
};

}  // namespace vr
