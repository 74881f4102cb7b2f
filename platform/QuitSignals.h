#pragma once
#include <signal.h>

#include "platform/EventLoop.h"

namespace vr {

// While it exists, SIGINT and SIGTERM end `loop` through Quit(): the signals
// are blocked and read from a signalfd the loop watches, so quitting happens
// between two callbacks and the caller's shutdown order still runs. Create
// it on the loop's thread before other threads start (they inherit the
// mask); the previous mask comes back with its end.
class QuitSignals {
 public:
  explicit QuitSignals(EventLoop& loop);
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  bool Active() const { return fd_ >= 0; }

 private:
  EventLoop& loop_;
  int fd_ = -1;
  bool masked_ = false;
  sigset_t oldMask_{};
};

}  // namespace vr
