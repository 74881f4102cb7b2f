#pragma once
#include <chrono>
#include <functional>
#include <map>
#include <optional>

#include "platform/TaskQueue.h"
#include "platform/WindowLoop.h"

namespace vr {

// Where a window system's events come from, as the loop sees it.
class LoopEventSource {
 public:
  virtual ~LoopEventSource() = default;
  // Readable when new input arrives; -1 when the source has no descriptor.
  virtual int Fd() const = 0;
  // True when input is already buffered in memory, where poll() cannot see it.
  virtual bool HasPending() = 0;
  // Dispatches one buffered event; false when there was none.
  virtual bool DispatchOne() = 0;
  // Called right before the thread sleeps (flush requests).
  virtual void BeforeWait() {}
  // Called when a loop has nothing to do and would sleep; true when it made
  // something ready (the headless backend's scripted input).
  virtual bool OnIdle() { return false; }
};

// The loop's notion of time. A fake clock does not advance by itself, so the
// loop never sleeps towards a timer on it.
class LoopTime {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~LoopTime() = default;
  virtual TimePoint Now() const = 0;
  virtual bool Advances() const = 0;
};

// The UI thread's loop shared by both window backends: timers in due order,
// descriptors, tasks and the window system's events, with nested loops.
class DispatchLoop final : public WindowLoop {
 public:
  // `source` may be null; both must outlive the loop.
  DispatchLoop(LoopEventSource* source, const LoopTime& time);
  ~DispatchLoop() override;

  // --- EventLoop ---
  TimerId AddTimer(std::chrono::milliseconds period, Callback fn) override;
  void KillTimer(TimerId id) override;
  void WatchReadable(int fd, Callback fn) override;
  void UnwatchReadable(int fd) override;
  void Run() override;
  void Quit() override;

  // --- WindowLoop ---
  void RunWhile(const bool& running) override;
  int Depth() const override { return depth_; }
  bool PostTask(Task task) override { return tasks_.Post(std::move(task)); }
  bool SendTask(Task task) override { return tasks_.Send(std::move(task)); }

  // --- Driving it without sleeping (headless backend, tests) ---
  // Dispatches everything ready now, including timers due at Now(); returns
  // whether anything ran.
  bool RunUntilIdle();
  std::optional<LoopTime::TimePoint> NextTimerDue() const;
  size_t TimerCount() const { return timers_.size(); }
  bool QuitRequested() const { return quit_; }
  // Times a sleeping wait ended (for measuring idle behaviour).
  uint64_t WakeCount() const { return wakes_; }

 private:
  struct Timer {
    std::chrono::milliseconds period;
    LoopTime::TimePoint due;
    Callback fn;
  };

  void Loop(const std::function<bool()>& keepGoing);
  bool DispatchReady(const std::function<bool()>& keepGoing);
  bool FireOneDueTimer();
  void Wait(bool mayBlock, const std::function<bool()>& keepGoing);
  int WaitMilliseconds(bool mayBlock) const;

  LoopEventSource* source_;
  const LoopTime& time_;
  TaskQueue tasks_;
  std::map<TimerId, Timer> timers_;
  std::map<int, Callback> watches_;
  TimerId nextTimer_ = 1;
  bool quit_ = false;
  int depth_ = 0;
  uint64_t wakes_ = 0;
};

// Real monotonic time.
class SteadyLoopTime final : public LoopTime {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
  bool Advances() const override { return true; }
};

}  // namespace vr
