#pragma once
#include <cstdint>
#include <vector>

namespace vr {

// Owned by the holiday-schedule and festival tables; they live for the whole
// process, so a DayInfo only points at them.
struct HolidayEntry;
struct Festival;

// Everything the calendar shows about one Gregorian date. A plain record:
// value-initialise it (DayInfo info{}) and let BuildDayInfo fill it.
struct DayInfo {
  int32_t year = 0;         // Gregorian year
  int32_t month = 0;        // 1..12
  int32_t day = 0;          // 1..31
  int32_t weekDay = 0;      // 0 = Sunday .. 6 = Saturday
  int32_t weekOfMonth = 0;  // 1-based row of the day when weeks start on Sunday
  int32_t lunarYear = 0;    // Gregorian-numbered year whose 正月初一 opens the lunar year
  int32_t lunarMonth = 0;   // 1..12; a leap month carries the number of the month it follows
  int32_t lunarDay = 0;     // 1..30
  int32_t zodiac = -1;      // (lunarYear + 8) mod 12, 0 = 鼠; -1 while unset
  int32_t yearStem = 0;     // year pair changes at 立春; stem 0..9, branch 0..11
  int32_t yearBranch = 0;
  int32_t monthStem = 0;    // month pair changes at each of the twelve 节
  int32_t monthBranch = 0;
  int32_t dayStem = 0;
  int32_t dayBranch = 0;
  const HolidayEntry* holiday = nullptr;  // public holiday falling on this date
  const HolidayEntry* workDay = nullptr;  // swapped working day on this date
  const HolidayEntry* restDay = nullptr;  // rest day on this date
  std::vector<const Festival*> festivals;  // in display order
  int32_t solarTerm = -1;   // 0 = 冬至 .. 23 = 大雪, -1 for none
  bool leapMonth = false;   // the day lies in a leap month
};

}  // namespace vr
