#pragma once
#include <functional>
#include <vector>

#include "platform/Clock.h"
#include "platform/EventLoop.h"

namespace vr {

// Observer of the wall clock, called on the UI thread.
class TimeSvrDel {
 public:
  virtual ~TimeSvrDel() = default;
  // A new wall-clock second has begun.
  virtual void OnSecond(const TimeRecord& now) = 0;
  // The local date differs from the last date delivered.
  virtual void OnNewDay(const TimeRecord& now) = 0;
};

// Watches the clock every 100 ms and tells observers about each new second and
// each new date. The reminder machinery plugs in through two hooks: one run
// after the second's observers, one run before the new day's observers.
class TimeService {
 public:
  static constexpr std::chrono::milliseconds kTickPeriod{100};

  explicit TimeService(const Clock& clock);
  ~TimeService();

  // Observers live as long as the process; there is no removal.
  void AddTimeObserver(TimeSvrDel* observer) { observers_.push_back(observer); }

  void SetSecondHook(std::function<void(const TimeRecord&)> hook) { secondHook_ = std::move(hook); }
  void SetNewDayHook(std::function<void(const TimeRecord&)> hook) { newDayHook_ = std::move(hook); }

  // Reads the clock as the last time seen and arms the tick on `loop`.
  void Start(EventLoop& loop);
  void Stop();

  // One tick: compares the clock with what was last delivered.
  void Tick();

 private:
  const Clock& clock_;
  std::vector<TimeSvrDel*> observers_;
  std::function<void(const TimeRecord&)> secondHook_;
  std::function<void(const TimeRecord&)> newDayHook_;
  TimeRecord lastSecond_;
  TimeRecord lastDate_;
  EventLoop* loop_ = nullptr;
  EventLoop::TimerId timer_ = 0;
};

// The process-wide time service, for the parts that only need to observe it.
TimeService& GlobalTimeService();

}  // namespace vr
