#pragma once
#include "platform/DispatchLoop.h"

namespace vr {

// Loop time that moves only when told: tests decide when timers are due.
class FakeLoopTime final : public LoopTime {
 public:
  TimePoint Now() const override { return now_; }
  bool Advances() const override { return false; }
  void Set(TimePoint t) { now_ = t; }

 private:
  // Far from the epoch, so "now minus the double-click time" stays valid.
  TimePoint now_ = TimePoint{} + std::chrono::hours(24);
};

}  // namespace vr
