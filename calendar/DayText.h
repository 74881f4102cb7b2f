#pragma once
#include <string>

#include "calendar/DayInfo.h"

// Short texts the views show for a day (all UTF-8).
namespace vr {

// The one text under a cell's day number, highest rank first: the holiday's
// description; the first festival; the solar term; the lunar day name.
std::string CellText(const DayInfo& info);

// True when the cell text is drawn in the festival colour: the day has a
// solar term, a holiday entry or at least one festival.
bool HasSpecialText(const DayInfo& info);

// Western constellation of a Gregorian month/day ("白羊座" ...), "Non" for a
// date outside the calendar.
std::string ConstellationName(int month, int day);

}  // namespace vr
