#include "platform/Clock.h"

#include <ctime>

namespace vr {
namespace {

TimeRecord FromTm(const std::tm& tm, int milliseconds) {
  TimeRecord t;
  t.year = static_cast<uint16_t>(tm.tm_year + 1900);
  t.month = static_cast<uint16_t>(tm.tm_mon + 1);
  t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
  t.day = static_cast<uint16_t>(tm.tm_mday);
  t.hour = static_cast<uint16_t>(tm.tm_hour);
  t.minute = static_cast<uint16_t>(tm.tm_min);
  t.second = static_cast<uint16_t>(tm.tm_sec);
  t.milliseconds = static_cast<uint16_t>(milliseconds);
  return t;
}

// Milliseconds since 1970 of a record read as UTC; used only for arithmetic,
// so no time zone enters.
int64_t ToEpochMs(const TimeRecord& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  return static_cast<int64_t>(timegm(&tm)) * 1000 + t.milliseconds;
}

TimeRecord FromEpochMs(int64_t ms) {
  int64_t secs = ms / 1000;
  int64_t rest = ms % 1000;
  if (rest < 0) {
    rest += 1000;
    secs -= 1;
  }
  std::time_t tt = static_cast<std::time_t>(secs);
  std::tm tm{};
  gmtime_r(&tt, &tm);
  return FromTm(tm, static_cast<int>(rest));
}

}  // namespace

TimeRecord MakeTimeRecord(int year, int month, int day, int hour, int minute, int second,
                          int milliseconds) {
  TimeRecord t;
  t.year = static_cast<uint16_t>(year);
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  t.milliseconds = static_cast<uint16_t>(milliseconds);
  return FromEpochMs(ToEpochMs(t));  // normalises and fills the day of week
}

TimeRecord SystemClock::Now() const {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  localtime_r(&ts.tv_sec, &tm);
  return FromTm(tm, static_cast<int>(ts.tv_nsec / 1000000));
}

void ManualClock::Advance(int64_t milliseconds) {
  now_ = FromEpochMs(ToEpochMs(now_) + milliseconds);
}

}  // namespace vr
