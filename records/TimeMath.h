#pragma once
#include <cstdint>

#include "platform/TimeRecord.h"

namespace vr {

// Calendar arithmetic on local wall-clock records. Daylight saving is ignored
// on purpose: a reminder "5 minutes before 00:02" is 23:57 of the day before,
// whatever the zone does that night.

// Days since 1970-01-01 of a proleptic Gregorian date (negative before it).
int64_t DaysFromCivil(int year, int month, int day);

// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(int year, int month, int day);

// The record moved by `seconds` (either sign), rolling over minutes, days,
// months and years; milliseconds are kept, the day of week recomputed.
// Years are limited to what a 16-bit field holds; the input is expected valid.
TimeRecord ShiftSeconds(const TimeRecord& t, int64_t seconds);

// True for a real calendar date (29 February only in leap years).
bool IsValidDate(int year, int month, int day);

}  // namespace vr
