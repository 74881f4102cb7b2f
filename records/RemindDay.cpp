#include "records/RemindDay.h"

#include "calendar/DayInfo.h"
#include "calendar/LunarCalendar.h"
#include "records/LunarDateCache.h"

namespace vr {

LunarMonthDay LunarOf(int year, int month, int day) {
  DayInfo info{};
  BuildDayInfo(year, month, day, info);
  return LunarMonthDay{info.lunarMonth, info.lunarDay};
}

LunarMonthDay RemindDay::LunarOfDate(int year, int month, int day) const {
  if (known)
    if (auto hit = known->Find(year, month, day)) return *hit;
  return LunarOf(year, month, day);
}

RemindDay MakeRemindDay(const TimeRecord& today) {
  RemindDay d;
  d.today = today;
  d.todayLunar = LunarOf(today.year, today.month, today.day);
  int y = today.year, m = today.month, dd = today.day;
  NextDay(y, m, dd);
  d.tomorrowLunar = LunarOf(y, m, dd);
  return d;
}

}  // namespace vr
