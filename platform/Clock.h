#pragma once
#include <cstdint>

#include "platform/TimeRecord.h"

namespace vr {

// Source of local time. The program reads the time only through a Clock, so
// tests can put the calendar at any instant without touching the system.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeRecord Now() const = 0;
};

// The system's local time (the process time zone).
class SystemClock final : public Clock {
 public:
  TimeRecord Now() const override;
};

// A clock that stands still until told otherwise.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(const TimeRecord& start) : now_(start) {}
  TimeRecord Now() const override { return now_; }
  void Set(const TimeRecord& t) { now_ = t; }
  // Moves forward (or back, for negative values), rolling over dates.
  void Advance(int64_t milliseconds);

 private:
  TimeRecord now_;
};

}  // namespace vr
