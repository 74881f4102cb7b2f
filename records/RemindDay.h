#pragma once
#include "platform/TimeRecord.h"

namespace vr {

// Lunar month number (1..12, a leap month carrying the number of the month it
// follows) and lunar day (1..30) of a Gregorian date. Leap-ness is left out on
// purpose: reminders compare month numbers and days only.
struct LunarMonthDay {
  int month = 0;
  int day = 0;
  bool operator==(const LunarMonthDay&) const = default;
};

LunarMonthDay LunarOf(int year, int month, int day);

// What the reminder rules compare a record with: today's local date and the
// lunar month and day of today and of tomorrow. Built once per rebuild so a
// list of birthdays does not recompute them per record.
class LunarDateCache;

struct RemindDay {
  TimeRecord today;
  LunarMonthDay todayLunar;
  LunarMonthDay tomorrowLunar;
  // Lunar dates worked out before (not owned; may be null).
  const LunarDateCache* known = nullptr;

  // The lunar month and day of a date, from `known` when it has it.
  LunarMonthDay LunarOfDate(int year, int month, int day) const;
};

RemindDay MakeRemindDay(const TimeRecord& today);

}  // namespace vr
