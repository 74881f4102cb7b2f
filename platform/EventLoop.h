#pragma once
#include <chrono>
#include <functional>
#include <memory>

namespace vr {

// What the application needs of a UI-thread loop: repeating timers, a way to
// stop, and (inside platform/) readiness callbacks for its own descriptors.
// The window system's loop implements the same interface, so code driven by
// timers does not care which loop runs it.
class EventLoop {
 public:
  using TimerId = int;
  using Callback = std::function<void()>;

  virtual ~EventLoop() = default;

  // Calls `fn` every `period` until killed. Returns an id > 0.
  virtual TimerId AddTimer(std::chrono::milliseconds period, Callback fn) = 0;
  virtual void KillTimer(TimerId id) = 0;

  // Calls `fn` on the loop's thread whenever `fd` is readable.
  virtual void WatchReadable(int fd, Callback fn) = 0;
  virtual void UnwatchReadable(int fd) = 0;

  // Runs until Quit() is called; returns at once if it already was.
  virtual void Run() = 0;
  virtual void Quit() = 0;
};

// A poll()-based loop for processes without windows. SIGINT and SIGTERM end
// it through Quit(), so the caller's shutdown order still runs.
std::unique_ptr<EventLoop> MakePollLoop(bool quitOnSignals);

}  // namespace vr
