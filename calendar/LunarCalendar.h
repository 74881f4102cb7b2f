#pragma once
#include <string>

#include "calendar/DayInfo.h"

// The Chinese lunisolar calendar, computed from the astronomical instants of
// the 24 solar terms and the new moons in Beijing time (UTC+8), by the sxwnl
// (寿星万年历) method. Pure computation: no I/O; the only state is the cycle
// cache of the calling thread (one winter solstice to the next), which makes
// consecutive days cheap.
namespace vr {

// ---- Julian day and Gregorian arithmetic ---------------------------------

// A calendar date with a time of day, as FromJulianDay returns it.
struct CivilTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  double second = 0;
};

// Julian day of a date; `day` may carry the time of day as a fraction.
// Gregorian calendar from 1582-10-15 on, Julian calendar before.
double ToJulianDay(int year, int month, double day);
CivilTime FromJulianDay(double jd);

// Days since 2000-01-01 (day 0); the day covers Beijing civil time from
// DayNumber - 0.5 to DayNumber + 0.5 on the astronomical time line.
int DayNumber(int year, int month, int day);

int WeekDay(int year, int month, int day);  // 0 = Sunday .. 6 = Saturday
bool IsLeapYear(int year);                  // Gregorian rule
int DaysInMonth(int year, int month);       // 30 for an invalid month
void NextDay(int& year, int& month, int& day);
void PrevDay(int& year, int& month, int& day);

// ---- The day record --------------------------------------------------------

// Fills `info` for a Gregorian date: week day and row, lunar date, zodiac,
// stem-branch pairs and the solar term of the day, then lets the installed
// decorators attach holiday entries and festivals (in that order).
void BuildDayInfo(int year, int month, int day, DayInfo& info);

// Hooks through which the holiday-schedule and festival tables complete a
// DayInfo at the end of BuildDayInfo: `holidays` runs first (it sets
// holiday/workDay/restDay), then `festivals` (it appends to the festival list,
// and may read the holiday pointers). Process-wide, installed once at start-up
// before any calendar is shown; null (the default) means none.
using DayInfoDecorator = void (*)(DayInfo&);
void SetDayInfoDecorators(DayInfoDecorator holidays, DayInfoDecorator festivals);

// ---- Names (UTF-8); out-of-range indices give an empty string --------------

std::string StemName(int stem);                       // 0..9: 甲 .. 癸
std::string BranchName(int branch);                   // 0..11: 子 .. 亥
std::string StemBranchText(int stem, int branch);     // stem text, then branch text
std::string ZodiacName(int zodiac);                   // 0..11: 鼠 .. 猪
std::string LunarMonthName(int month);                // 1..12: 正 .. 腊 (no 月)
std::string LunarDayName(int day);                    // 1..30: 初一 .. 三十
std::string SolarTermName(int term);                  // 0..23: 冬至 .. 大雪

}  // namespace vr
