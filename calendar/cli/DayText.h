#pragma once
#include <string>

#include "calendar/DayInfo.h"

// Text forms of day records for the veskorili-cal command.
namespace vr::cal {

// Short text under a day's number in the month grid: the solar term when one
// falls on the day, else the lunar day name.
std::string ShortLunarText(const DayInfo& info);

// "闰二月" style lunar month text: leap prefix, month name and "月".
std::string LunarMonthText(const DayInfo& info);

// The month as a grid: title line, week-day header, then two lines per week
// (day numbers with their 休/班 mark, cell texts as the widget shows them).
// Weeks start on Monday unless `sundayFirst`.
std::string MonthGrid(int year, int month, bool sundayFirst);

// The full record of one day in readable lines, ending with its festivals,
// holiday, 休/班 mark, cell text, constellation and the almanac's 宜 and 忌.
std::string DayReport(const DayInfo& info);

// One CSV line (without newline) in the order of CsvHeader(): the engine's
// columns, then cell_text, festivals (joined by ";"), holiday (its description
// or empty), rest and work (0/1).
std::string CsvRow(const DayInfo& info);
const char* CsvHeader();

}  // namespace vr::cal
