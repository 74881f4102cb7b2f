#pragma once
#include <cstddef>
#include <string>

namespace vr {

// What loading the calendar data found, for diagnostics and tests.
struct CalendarDataStatus {
  std::string holidayFile;       // the holiday file that was read
  bool holidaysLoaded = false;   // it parsed and had a Holiday element
  size_t holidayCount = 0;       // Fest entries
  size_t workDayCount = 0;       // Duty days
  size_t restDayCount = 0;       // Free days
  bool almanacOpen = false;      // yj.db opened for the first lookup
  size_t festivalCount = 0;      // entries of the festival table
};

// Start-up step for the calendar's shipped data, in this order: the holiday
// schedule (the data folder's downloaded holiday.xml, else the program
// folder's), the almanac (programFolder/yj.db, opened by looking up
// 2023-01-01 once) and the festival table; then BuildDayInfo is set to attach
// holidays and festivals to every record. Missing or broken files leave the
// matching marks or texts empty; this never fails.
CalendarDataStatus LoadCalendarData(const std::string& programFolder, const std::string& dataFolder);

}  // namespace vr
