#pragma once
#include <cstdint>

namespace vr {

// Local wall-clock time as eight 16-bit fields, in the order the whole program
// stores and passes it: year, month, day of week (0 = Sunday), day, hour,
// minute, second, milliseconds.
struct TimeRecord {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;

  bool SameDate(const TimeRecord& o) const {
    return year == o.year && month == o.month && day == o.day;
  }
  bool operator==(const TimeRecord&) const = default;
};

// Builds a record from a calendar date and time; the day of week is derived.
TimeRecord MakeTimeRecord(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0, int milliseconds = 0);

}  // namespace vr
