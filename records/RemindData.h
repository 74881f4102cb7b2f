#pragma once
#include <cstdint>

#include "platform/TimeRecord.h"
#include "records/AttrText.h"
#include "records/RemindDay.h"

namespace vr {

// Reminder codes of notes and birthdays. Codes above 8 are treated like
// kAtTime for notes and Gregorian birthdays and give nothing for lunar ones.
enum RemindCode : int32_t {
  kNoRemind = 0,
  kAtTime = 1,
  kFiveMinutesBefore = 2,
  kFifteenMinutesBefore = 3,
  kThirtyMinutesBefore = 4,
  kSixtyMinutesBefore = 5,
  kDayBeforeAt9 = 6,
  kDayBeforeAt12 = 7,
  kDayBeforeAt18 = 8,
};

// Base of the records that carry a reminder (notes and birthdays).
class RemindData {
 public:
  explicit RemindData(const TimeRecord& t = {}) : time(t) {}
  virtual ~RemindData() = default;

  // The reminder time of this record that is worth comparing with `day`, or
  // false when the record has none. The base rule works from `time` alone.
  virtual bool GetRemindTime(TimeRecord& out, const RemindDay& day) const;

  // The base rule for a time and a code: code 0 none; 1 the time itself;
  // 2..5 300/900/1800/3600 seconds earlier; 6..8 the day before at
  // 09:00/12:00/18:00; any other code the time itself.
  static bool RemindTimeOf(const TimeRecord& t, int32_t remind, TimeRecord& out);

  // Seconds before the record's time for codes 1..5 (0 for code 1), or -1.
  static int64_t LeadSeconds(int32_t remind);
  // Hour of day of the day-before codes 6..8, or -1.
  static int DayBeforeHour(int32_t remind);

  TimeRecord time;  // the note's date and time, or the birth date with the reminder's time of day
  int32_t remind = kNoRemind;
  AttrMap attr;

 protected:
  RemindData(const RemindData&) = default;
  RemindData& operator=(const RemindData&) = default;
};

}  // namespace vr
