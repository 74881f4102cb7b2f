#pragma once
#include <string>
#include <string_view>

#include "platform/TimeRecord.h"

namespace vr {

// The stored form of a time record: "%d/%02d/%02d %02d:%02d:%02d"
// (year, month, day, hour, minute, second), e.g. "2024/03/15 09:05:00".
std::string FormatTime(const TimeRecord& t);

// Reads a time text leniently. The result starts as `now` (the current local
// time); only a text of exactly two blank-separated pieces is read further:
// a date piece of exactly three "/"-pieces sets year, month and day, a time
// piece of exactly three ":"-pieces sets hour, minute and second, each number
// its leading decimal integer. The day of week is recomputed from the date.
TimeRecord ParseTime(std::string_view text, const TimeRecord& now);

}  // namespace vr
