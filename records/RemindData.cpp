#include "records/RemindData.h"

#include "records/TimeMath.h"

namespace vr {

int64_t RemindData::LeadSeconds(int32_t remind) {
  switch (remind) {
    case kAtTime: return 0;
    case kFiveMinutesBefore: return 300;
    case kFifteenMinutesBefore: return 900;
    case kThirtyMinutesBefore: return 1800;
    case kSixtyMinutesBefore: return 3600;
    default: return -1;
  }
}

int RemindData::DayBeforeHour(int32_t remind) {
  switch (remind) {
    case kDayBeforeAt9: return 9;
    case kDayBeforeAt12: return 12;
    case kDayBeforeAt18: return 18;
    default: return -1;
  }
}

bool RemindData::RemindTimeOf(const TimeRecord& t, int32_t remind, TimeRecord& out) {
  if (remind == kNoRemind) return false;
  if (const int64_t lead = LeadSeconds(remind); lead >= 0) {
    out = lead == 0 ? t : ShiftSeconds(t, -lead);
    return true;
  }
  if (const int hour = DayBeforeHour(remind); hour >= 0) {
    TimeRecord midnight = t;
    midnight.hour = midnight.minute = midnight.second = midnight.milliseconds = 0;
    out = ShiftSeconds(midnight, -86400);
    out.hour = static_cast<uint16_t>(hour);
    return true;
  }
  out = t;
  return true;
}

bool RemindData::GetRemindTime(TimeRecord& out, const RemindDay&) const {
  return RemindTimeOf(time, remind, out);
}

}  // namespace vr
