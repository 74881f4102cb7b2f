#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "calendar/DayInfo.h"

namespace vr {

// A named day. Table entries match a fixed lunar or Gregorian month/day; the
// computed ones (清明节, 母亲节, 父亲节, 感恩节) match by rule.
struct Festival {
  bool isLunar = false;  // key is a lunar month/day (else Gregorian)
  int32_t key = 0;       // startYear * 10000 + month * 100 + day; startYear 0 = every year
  int32_t priority = 0;  // display order of a day's festivals, lower first
  std::string name;      // UTF-8
};
using FestivalEntry = Festival;

// The festival table: entries in insertion order, never moved once added (a
// deque), so DayInfo records may point at them.
class FestivalTable {
 public:
  // ---- Filling ----
  // Appends an entry with priority 0. A Gregorian festival with start year Y
  // appears from year Y + 1 on (国庆节, 1949, first shows in 1950).
  void AddFestival(bool isLunar, int32_t startYear, int32_t month, int32_t day, std::string name);
  // Adds the traditional lunar festivals, then the Gregorian ones; only into
  // an empty table, so a second call adds nothing.
  void LoadFestivals();

  // ---- Lookup ----
  // Fills info.festivals (after clearing it) from the Gregorian date, the
  // lunar date, leapMonth, weekDay and solarTerm of `info`. `lastDayOfYear`
  // tells that the day is the last of the lunar year (除夕), which the
  // record alone cannot tell when the twelfth month has 29 days.
  void Collect(DayInfo& info, bool lastDayOfYear) const;

  const std::deque<Festival>& Entries() const { return entries_; }

  // The four festivals found by rule, created on first use, living for the process.
  static const Festival& Qingming();      // the day of the solar term 清明
  static const Festival& MothersDay();    // second Sunday of May
  static const Festival& FathersDay();    // third Sunday of June
  static const Festival& Thanksgiving();  // fourth Thursday of November

 private:
  bool Matches(const Festival& entry, const DayInfo& info, bool lastDayOfYear) const;

  std::deque<Festival> entries_;
};

// ---- The process-wide table (start-up fills it; BuildDayInfo collects from it) ----

void AddFestival(bool isLunar, int32_t startYear, int32_t month, int32_t day, std::string name);
void LoadFestivals();
const FestivalTable& Festivals();
// Collects the festivals of a record built by BuildDayInfo. On 腊月廿九 it
// asks the calendar whether the next day opens a new lunar year.
void CollectFestivals(DayInfo& info);

}  // namespace vr
