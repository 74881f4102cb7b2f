#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "calendar/DayInfo.h"

namespace pugi {
class xml_document;
}

namespace vr {

// One dated entry of the public-holiday schedule. `Fest` entries carry the
// text shown in the day's cell; the working and rest days of the schedule
// (`Duty`, `Free`) use the same record with an empty description.
struct HolidayEntry {
  int32_t id = 0;
  std::string desc;  // UTF-8; empty for working and rest days
  int32_t day = 0;   // yyyymmdd
};
using ScheduleDay = HolidayEntry;

// The public-holiday schedule read from a holiday.xml document:
//   <Holiday>
//     <Fests><Fest ID="1" Day="20250129" Desc="春节"/>...</Fests>
//     <Duty><Day ID="1">20250126</Day>...</Duty>    swapped working days
//     <Free><Day ID="1">20250128</Day>...</Free>    rest days
//   </Holiday>
// Entries keep file order; several sections of one kind accumulate. Entries
// never move once loaded (a deque), so DayInfo records may point at them.
class HolidayTable {
 public:
  // ---- Loading ----
  // Replaces the contents, so load before handing out pointers. False (and an
  // empty table) when the document cannot be read or parsed or has no Holiday
  // element. The reader detects the text encoding (UTF-8, UTF-16, ...).
  bool LoadFile(const std::string& path);
  bool LoadText(std::string_view xml);

  // ---- Lookup ----
  // Sets holiday/workDay/restDay to the first entry of each list dated
  // info.year/month/day; each stays null when none is.
  void Attach(DayInfo& info) const;

  const std::deque<HolidayEntry>& Holidays() const { return holidays_; }
  const std::deque<ScheduleDay>& WorkDays() const { return workDays_; }
  const std::deque<ScheduleDay>& RestDays() const { return restDays_; }
  bool Empty() const { return holidays_.empty() && workDays_.empty() && restDays_.empty(); }
  bool Loaded() const { return loaded_; }  // the last load succeeded

 private:
  bool Fill(const pugi::xml_document& doc);

  std::deque<HolidayEntry> holidays_;
  std::deque<ScheduleDay> workDays_;
  std::deque<ScheduleDay> restDays_;
  bool loaded_ = false;
};

// Integer text by the leading-digits rule: optional leading blanks and sign,
// then digits up to the first other character; no digits read as 0. Values
// beyond the int32 range saturate instead of overflowing.
int32_t ParseLeadingInt(std::string_view text);

// The holiday file to read: the data folder's copy when a file of that name
// exists there (even an empty or broken one: it is the newer download), else
// the program folder's shipped copy.
std::string ChooseHolidayFile(const std::string& programFolder, const std::string& dataFolder);

// ---- The process-wide schedule (start-up loads it; BuildDayInfo attaches it) ----

// Reads the chosen holiday file into the process-wide table and returns the
// path read. Reloading installs a fresh table; earlier tables stay alive, so
// DayInfo records filled before keep valid pointers.
std::string LoadHolidays(const std::string& programFolder, const std::string& dataFolder);
const HolidayTable& Holidays();
void AttachHolidays(DayInfo& info);

}  // namespace vr
