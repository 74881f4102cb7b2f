#pragma once
#include <cstdint>
#include <string>

#include "records/RemindData.h"

namespace vr {

// A birthday. `time` holds the Gregorian birth date and the reminder's time of
// day; a lunar birthday (`solar` false) is kept by the lunar month and day of
// that Gregorian date.
class BirthdayData final : public RemindData {
 public:
  BirthdayData() = default;
  BirthdayData(const BirthdayData&) = default;
  BirthdayData& operator=(const BirthdayData&) = default;

  // Gregorian: the base rule on the stored time, then this year put in (so a
  // 29 February birthday only matches in leap years). Lunar: today (codes 1..5,
  // minus the lead) when today's lunar month and day are the birth date's, or
  // today at the fixed hour (codes 6..8) when tomorrow's are; otherwise false.
  bool GetRemindTime(TimeRecord& out, const RemindDay& day) const override;

  std::string guid;
  std::string name;
  int32_t category = 0;  // the `class` column: 0 family, 1 friend, 2 other
  bool solar = true;     // true: kept by the Gregorian date
};

}  // namespace vr
