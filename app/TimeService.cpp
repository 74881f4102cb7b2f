#include "app/TimeService.h"

namespace vr {

TimeService::TimeService(const Clock& clock) : clock_(clock) {
  lastSecond_ = lastDate_ = clock_.Now();
}

TimeService::~TimeService() { Stop(); }

void TimeService::Start(EventLoop& loop) {
  Stop();
  lastSecond_ = lastDate_ = clock_.Now();
  loop_ = &loop;
  timer_ = loop.AddTimer(kTickPeriod, [this] { Tick(); });
}

void TimeService::Stop() {
  if (loop_ && timer_) loop_->KillTimer(timer_);
  loop_ = nullptr;
  timer_ = 0;
}

void TimeService::Tick() {
  TimeRecord now = clock_.Now();
  // Any different second counts, also one earlier than the last (clock set back).
  bool newSecond = now.second != lastSecond_.second || now.minute != lastSecond_.minute ||
                   now.hour != lastSecond_.hour || !now.SameDate(lastSecond_);
  if (newSecond) {
    lastSecond_ = now;
    for (TimeSvrDel* o : observers_) o->OnSecond(now);
    if (secondHook_) secondHook_(now);
  }
  if (now.SameDate(lastDate_)) return;
  lastDate_ = now;
  if (newDayHook_) newDayHook_(now);
  for (TimeSvrDel* o : observers_) o->OnNewDay(now);
}

TimeService& GlobalTimeService() {
  static SystemClock clock;
  static TimeService service(clock);
  return service;
}

}  // namespace vr
