#include "records/TimeMath.h"

namespace vr {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Inverse of DaysFromCivil (the era-based algorithm: eras of 400 years, 146097 days).
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;                                   // [0, 146096]
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);            // [0, 365]
  const int64_t mp = (5 * doy + 2) / 153;                                 // [0, 11], March first
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);                   // [1, 31]
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);                    // [1, 12]
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
  const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;                                            // [0, 399]
  const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                   // [0, 146096]
  return era * 146097 + doe - 719468;
}

int DayOfWeek(int year, int month, int day) {
  const int64_t z = DaysFromCivil(year, month, day);
  // 1970-01-01 was a Thursday (4).
  int64_t w = (z + 4) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w);
}

bool IsValidDate(int year, int month, int day) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  const int last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  return day <= last;
}

TimeRecord ShiftSeconds(const TimeRecord& t, int64_t seconds) {
  int64_t total = DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600 +
                  t.minute * 60 + t.second + seconds;
  int64_t days = total / kSecondsPerDay;
  int64_t rest = total % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    days -= 1;
  }
  int year = 0, month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  TimeRecord out;
  out.year = static_cast<uint16_t>(year);
  out.month = static_cast<uint16_t>(month);
  out.day = static_cast<uint16_t>(day);
  out.dayOfWeek = static_cast<uint16_t>(DayOfWeek(year, month, day));
  out.hour = static_cast<uint16_t>(rest / 3600);
  out.minute = static_cast<uint16_t>(rest / 60 % 60);
  out.second = static_cast<uint16_t>(rest % 60);
  out.milliseconds = t.milliseconds;
  return out;
}

}  // namespace vr
