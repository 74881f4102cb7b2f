#include <poll.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/QuitSignals.h"

namespace vr {
namespace {

using SteadyClock = std::chrono::steady_clock;

class PollLoop final : public EventLoop {
 public:
  explicit PollLoop(bool quitOnSignals) {
    if (quitOnSignals) signals_ = std::make_unique<QuitSignals>(*this);
  }

  ~PollLoop() override { signals_.reset(); }

  TimerId AddTimer(std::chrono::milliseconds period, Callback fn) override {
    TimerId id = nextTimer_++;
    if (period.count() < 1) period = std::chrono::milliseconds(1);
    timers_[id] = Timer{period, SteadyClock::now() + period, std::move(fn)};
    return id;
  }

  void KillTimer(TimerId id) override { timers_.erase(id); }

  void WatchReadable(int fd, Callback fn) override { watches_[fd] = std::move(fn); }
  void UnwatchReadable(int fd) override { watches_.erase(fd); }

  void Run() override {
    while (!quit_) {
      std::vector<pollfd> fds;
      for (const auto& [fd, fn] : watches_) fds.push_back(pollfd{fd, POLLIN, 0});
      int timeout = MillisecondsToNextTimer();
      int n = poll(fds.data(), fds.size(), timeout);
      if (n > 0) {
        for (const pollfd& p : fds) {
          if (quit_) break;
          if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
          auto it = watches_.find(p.fd);
          if (it != watches_.end()) {
            Callback fn = it->second;  // the callback may unwatch itself
            fn();
          }
        }
      }
      FireDueTimers();
    }
  }

  void Quit() override { quit_ = true; }

 private:
  struct Timer {
    std::chrono::milliseconds period;
    SteadyClock::time_point due;
    Callback fn;
  };

  int MillisecondsToNextTimer() const {
    if (timers_.empty()) return -1;
    auto next = std::min_element(timers_.begin(), timers_.end(), [](auto& a, auto& b) {
                  return a.second.due < b.second.due;
                })->second.due;
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - SteadyClock::now());
    return static_cast<int>(std::max<int64_t>(0, wait.count() + 1));
  }

  void FireDueTimers() {
    auto now = SteadyClock::now();
    std::vector<TimerId> due;
    for (const auto& [id, t] : timers_)
      if (t.due <= now) due.push_back(id);
    for (TimerId id : due) {
      if (quit_) return;
      auto it = timers_.find(id);
      if (it == timers_.end()) continue;  // killed by an earlier callback
      it->second.due = now + it->second.period;
      Callback fn = it->second.fn;
      fn();
    }
  }

  std::map<TimerId, Timer> timers_;
  std::map<int, Callback> watches_;
  TimerId nextTimer_ = 1;
  bool quit_ = false;
  std::unique_ptr<QuitSignals> signals_;  // last: goes first, while watches_ still exists
};

}  // namespace

std::unique_ptr<EventLoop> MakePollLoop(bool quitOnSignals) {
  return std::make_unique<PollLoop>(quitOnSignals);
}

}  // namespace vr
