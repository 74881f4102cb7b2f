#include "calendar/LunarCalendar.h"

#include <atomic>
#include <cmath>

#include "calendar/Astronomy.h"
#include "calendar/CalendarMath.h"
#include "calendar/CycleCache.h"

namespace vr {
namespace {

using calmath::FloorDiv;
using calmath::FloorMod;
using calmath::FloorToInt;
using calmath::SaturatingInt;

constexpr double kJ2000 = 2451545;
constexpr double kTropicalYear = 365.2422;
// 1/3 day (Beijing time is UT + 8 h) rounded to single precision, as the
// day's solar term has always been computed with it.
constexpr double kOneThirdSingle = static_cast<double>(1.0f / 3.0f);
// Enough rounds of the solar-term search for any sane date (each round moves
// 15 degrees; the search starts at most 23 days back); bounds odd inputs.
constexpr int kMaxTermRounds = 8;

std::atomic<DayInfoDecorator> holidayDecorator{nullptr};
std::atomic<DayInfoDecorator> festivalDecorator{nullptr};

// Month name index (0 = 十一月 .. 11 = 十月, 12 = the second 十二月) to month number.
int MonthNumber(int nameIndex) {
  if (nameIndex == CycleCache::kSecondTwelfthMonth) return 12;
  return static_cast<int>(FloorMod(nameIndex + 10, 12)) + 1;
}

// Gregorian year whose 正月初一 starts the lunar year holding day n.
int LunarYearOf(const CycleCache& c, double n) {
  double d = c.newMoons[2];  // usually the third month of a cycle is 正月
  for (int j = 0; j < CycleCache::kMonthCount; ++j) {
    if (c.monthName[j] != 2 || (j == c.leapIndex && j != 0)) continue;
    d = c.newMoons[j];
    if (n < d) {
      d -= 365;
      break;
    }
  }
  // The 1984 new year fell on day -5811; rounding the years elapsed since
  // then gives the lunar year.
  return FloorToInt((d + 5810) / kTropicalYear + 0.5) + 1984;
}

void FillLunarDate(const CycleCache& c, double n, DayInfo& info) {
  int k = FloorToInt((n - c.newMoons[0]) / 30);
  if (k < 0) k = 0;
  if (k > CycleCache::kMonthCount - 1) k = CycleCache::kMonthCount - 1;
  if (k < 13 && n >= c.newMoons[k + 1]) ++k;
  info.lunarMonth = MonthNumber(c.monthName[k]);
  info.lunarDay = SaturatingInt(n - c.newMoons[k] + 1);
  info.leapMonth = c.leapIndex != 0 && k == c.leapIndex;
}

void FillStemBranches(const CycleCache& c, double n, DayInfo& info) {
  // Year: 立春 boundary; 5844 = 16 Julian years; 1984 is 甲子.
  double d = c.terms[3] + (n < c.terms[3] ? -365 : 0) + 5844 - 35;
  int64_t y = static_cast<int64_t>(FloorToInt(d / kTropicalYear + 0.5)) + 1984 + 10016;
  info.yearStem = static_cast<int32_t>(FloorMod(y, 10));
  info.yearBranch = static_cast<int32_t>(FloorMod(y, 12));

  // Month: changes at each 节 (odd term indices).
  int mk = FloorToInt((n - c.terms[0]) / 30.43685);
  if (mk < 0) mk = 0;
  if (mk < 12 && n >= c.terms[2 * mk + 1]) ++mk;
  int64_t m = mk + static_cast<int64_t>(FloorToInt((c.terms[12] + 390) / kTropicalYear)) * 12 +
              900000;
  info.monthStem = static_cast<int32_t>(FloorMod(m, 10));
  info.monthBranch = static_cast<int32_t>(FloorMod(m, 12));

  // Day: 2000-01-01 (day 0) is 戊午.
  int64_t day = static_cast<int64_t>(n) + 8999994;
  info.dayStem = static_cast<int32_t>(FloorMod(day, 10));
  info.dayBranch = static_cast<int32_t>(FloorMod(day, 12));
}

// Index (0 = 冬至) of the solar term whose Beijing date is day n, or -1.
int SolarTermOf(CycleCache& c, int n) {
  using astro::kPi;
  using astro::kPi2;
  // Start a little (0.13 rad, about a week) behind the Sun's longitude on
  // day n, on a multiple of 15 degrees, and walk forward.
  double g = astro::SunApparentLongitude((n + astro::DeltaT(n)) / 36525, 3);
  g = std::floor((g - 0.13) / kPi2 * 24) * kPi2 / 24;
  for (int round = 0; round < kMaxTermRounds; ++round) {
    const double t = c.PreciseTermTime(g) * 36525;
    const double instant = t - astro::DeltaT(t) + kOneThirdSingle;
    const double u = std::floor(instant + 0.5);
    const int k = static_cast<int>(FloorMod(FloorToInt(g / kPi2 * 24 + 24000006.01), 24));
    g += kPi / 12;
    if (u > n) return -1;
    if (u == n) return k;
    if (u + 12 >= n) return -1;
  }
  return -1;
}

}  // namespace

// ---- Julian day and Gregorian arithmetic -----------------------------------

double ToJulianDay(int year, int month, double day) {
  double y = year, m = month;
  const bool gregorian = y * 372 + m * 31 + std::floor(day) >= 588829;  // from 1582-10-15
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  double b = 0;
  if (gregorian) {
    double n = std::floor(y / 100);
    b = 2 - n + std::floor(n / 4);
  }
  return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + day + b - 1524.5;
}

CivilTime FromJulianDay(double jd) {
  CivilTime r;
  double j = jd + 0.5;
  double z = std::floor(j);
  double f = j - z;
  double a = z;
  if (z >= 2299161) {
    double alpha = std::floor((z - 1867216.25) / 36524.25);
    a = z + 1 + alpha - std::floor(alpha / 4);
  }
  double b = a + 1524;
  double c = std::floor((b - 122.1) / 365.25);
  double d = b - std::floor(365.25 * c);
  double e = std::floor(d / 30.601);
  r.day = SaturatingInt(d - std::floor(30.601 * e));
  r.month = SaturatingInt(e < 14 ? e - 1 : e - 13);
  r.year = SaturatingInt(r.month > 2 ? c - 4716 : c - 4715);
  f *= 24;
  r.hour = FloorToInt(f);
  f -= r.hour;
  f *= 60;
  r.minute = FloorToInt(f);
  f -= r.minute;
  r.second = f * 60;
  return r;
}

int DayNumber(int year, int month, int day) {
  // 12:00:00.1 keeps the floor clear of rounding at noon.
  return SaturatingInt(std::floor(ToJulianDay(year, month, day + 0.5 + 0.1 / 86400)) - kJ2000);
}

int WeekDay(int year, int month, int day) {
  // Before 1582-10-15 dates are Julian: count from the day number instead of
  // the Gregorian rule below (both agree from the switch on).
  if (static_cast<double>(year) * 372 + month * 31.0 + day < 588829) {
    return static_cast<int>(FloorMod(static_cast<int64_t>(DayNumber(year, month, day)) + 9451546, 7));
  }
  int64_t y = year, m = month;
  if (m <= 2) {
    m += 12;
    y -= 1;
  }
  int64_t v = day + 2 * m + FloorDiv(3 * (m + 1), 5) + y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + 1;
  return static_cast<int>(FloorMod(v, 7));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 2: return IsLeapYear(year) ? 29 : 28;
    default: return 30;
  }
}

void NextDay(int& year, int& month, int& day) {
  if (++day <= DaysInMonth(year, month)) return;
  day = 1;
  if (++month <= 12) return;
  month = 1;
  ++year;
}

void PrevDay(int& year, int& month, int& day) {
  if (--day >= 1) return;
  if (--month < 1) {
    month = 12;
    --year;
  }
  day = DaysInMonth(year, month);
}

// ---- The day record ---------------------------------------------------------

void SetDayInfoDecorators(DayInfoDecorator holidays, DayInfoDecorator festivals) {
  holidayDecorator = holidays;
  festivalDecorator = festivals;
}

void BuildDayInfo(int year, int month, int day, DayInfo& info) {
  info.solarTerm = -1;
  info.zodiac = -1;
  info.leapMonth = false;
  info.festivals.clear();
  info.holiday = info.workDay = info.restDay = nullptr;

  const int n = DayNumber(year, month, day);
  CycleCache& cycle = CycleCache::Instance();
  cycle.Ensure(n);

  info.year = year;
  info.month = month;
  info.day = day;
  info.weekDay = WeekDay(year, month, day);
  info.lunarYear = LunarYearOf(cycle, n);
  FillLunarDate(cycle, n, info);

  // Week row when weeks start on Sunday; w1 is the week day of the 1st.
  int64_t w1 = FloorMod(static_cast<int64_t>(n) + 9451546, 7) - FloorMod(day - 1LL, 7);
  if (w1 < 0) w1 += 7;
  info.weekOfMonth = static_cast<int32_t>(FloorDiv(day + w1 - 1, 7) + 1);

  FillStemBranches(cycle, n, info);
  info.solarTerm = SolarTermOf(cycle, n);
  info.zodiac = static_cast<int32_t>(FloorMod(static_cast<int64_t>(info.lunarYear) + 8, 12));

  if (DayInfoDecorator h = holidayDecorator.load(std::memory_order_relaxed)) h(info);
  if (DayInfoDecorator f = festivalDecorator.load(std::memory_order_relaxed)) f(info);
}

}  // namespace vr
