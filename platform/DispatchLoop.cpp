#include "platform/DispatchLoop.h"

#include <poll.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace vr {

DispatchLoop::DispatchLoop(LoopEventSource* source, const LoopTime& time)
    : source_(source), time_(time) {}

DispatchLoop::~DispatchLoop() { tasks_.Close(); }

EventLoop::TimerId DispatchLoop::AddTimer(std::chrono::milliseconds period, Callback fn) {
  TimerId id = nextTimer_++;
  if (period.count() < 1) period = std::chrono::milliseconds(1);
  timers_[id] = Timer{period, time_.Now() + period, std::move(fn)};
  return id;
}

void DispatchLoop::KillTimer(TimerId id) { timers_.erase(id); }

void DispatchLoop::WatchReadable(int fd, Callback fn) { watches_[fd] = std::move(fn); }
void DispatchLoop::UnwatchReadable(int fd) { watches_.erase(fd); }

void DispatchLoop::Run() {
  Loop([this] { return !quit_; });
}

void DispatchLoop::RunWhile(const bool& running) {
  Loop([this, &running] { return running && !quit_; });
}

void DispatchLoop::Quit() { quit_ = true; }

void DispatchLoop::Loop(const std::function<bool()>& keepGoing) {
  ++depth_;
  while (keepGoing()) {
    bool did = DispatchReady(keepGoing);
    if (!keepGoing()) break;
    if (!did && source_ && source_->OnIdle()) continue;
    Wait(/*mayBlock=*/!did, keepGoing);
  }
  --depth_;
}

bool DispatchLoop::RunUntilIdle() {
  auto always = [] { return true; };
  bool any = false;
  for (;;) {
    bool did = DispatchReady(always);
    Wait(/*mayBlock=*/false, always);
    // Descriptors seen in Wait may have queued more; one more pass decides.
    if (!did && !DispatchReady(always)) break;
    any = true;
  }
  return any;
}

bool DispatchLoop::DispatchReady(const std::function<bool()>& keepGoing) {
  bool did = false;
  tasks_.ClearWake();
  while (keepGoing() && tasks_.RunOne()) did = true;
  while (keepGoing() && source_ && source_->HasPending() && source_->DispatchOne()) did = true;
  while (keepGoing() && FireOneDueTimer()) did = true;
  return did;
}

// Fires the timer that has been due longest (ties: the older timer first).
bool DispatchLoop::FireOneDueTimer() {
  auto now = time_.Now();
  auto best = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it)
    if (it->second.due <= now && (best == timers_.end() || it->second.due < best->second.due))
      best = it;
  if (best == timers_.end()) return false;
  // Re-armed from now rather than from the old deadline, so a loop that was
  // held up does not fire a burst of catch-up ticks.
  best->second.due = now + best->second.period;
  Callback fn = best->second.fn;  // the callback may kill its own timer
  fn();
  return true;
}

std::optional<LoopTime::TimePoint> DispatchLoop::NextTimerDue() const {
  std::optional<LoopTime::TimePoint> next;
  for (const auto& [id, t] : timers_)
    if (!next || t.due < *next) next = t.due;
  return next;
}

int DispatchLoop::WaitMilliseconds(bool mayBlock) const {
  if (!mayBlock) return 0;
  auto next = NextTimerDue();
  if (!next) return -1;
  auto now = time_.Now();
  if (*next <= now) return 0;
  if (!time_.Advances()) return -1;  // only the clock's owner moves time on
  auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*next - now).count() + 1;
  return static_cast<int>(std::min<long long>(wait, INT_MAX));
}

void DispatchLoop::Wait(bool mayBlock, const std::function<bool()>& keepGoing) {
  std::vector<pollfd> fds;
  fds.push_back(pollfd{tasks_.WakeFd(), POLLIN, 0});
  int sourceFd = source_ ? source_->Fd() : -1;
  if (sourceFd >= 0) fds.push_back(pollfd{sourceFd, POLLIN, 0});
  for (const auto& [fd, fn] : watches_) fds.push_back(pollfd{fd, POLLIN, 0});
  if (source_) source_->BeforeWait();
  int timeout = WaitMilliseconds(mayBlock);
  if (mayBlock && (!tasks_.Empty() || (source_ && source_->HasPending()))) timeout = 0;
  int ready = poll(fds.data(), fds.size(), timeout);
  if (timeout != 0) ++wakes_;
  if (ready <= 0) return;
  for (const pollfd& p : fds) {
    if (!keepGoing()) return;
    if (p.fd == tasks_.WakeFd() || p.fd == sourceFd) continue;  // handled by DispatchReady
    if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
    auto it = watches_.find(p.fd);
    if (it == watches_.end()) continue;
    Callback fn = it->second;  // the callback may unwatch itself
    fn();
  }
}

}  // namespace vr
