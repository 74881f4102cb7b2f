#include "records/BirthdayData.h"

#include "records/TimeMath.h"

namespace vr {
namespace {

bool GregorianRemindTime(const BirthdayData& b, const RemindDay& day, TimeRecord& out) {
  // The lead is applied to the stored birth date before the year is replaced,
  // so a 1 January birthday with a day-before code lands on 31 December of this
  // year. Birth years before 1970 follow the same rule (our arithmetic has no
  // 1970 floor).
  if (!RemindData::RemindTimeOf(b.time, b.remind, out)) return false;
  out.year = day.today.year;
  if (IsValidDate(out.year, out.month, out.day))
    out.dayOfWeek = static_cast<uint16_t>(DayOfWeek(out.year, out.month, out.day));
  return true;
}

bool LunarRemindTime(const BirthdayData& b, const RemindDay& day, TimeRecord& out) {
  const int64_t lead = RemindData::LeadSeconds(b.remind);
  const int hour = RemindData::DayBeforeHour(b.remind);
  if (lead < 0 && hour < 0) return false;
  // A nonsense stored date (from a hand-edited file) has no lunar date.
  if (!IsValidDate(b.time.year, b.time.month, b.time.day)) return false;
  const LunarMonthDay birth = day.LunarOfDate(b.time.year, b.time.month, b.time.day);
  TimeRecord today = day.today;
  today.milliseconds = 0;
  if (lead >= 0) {
    if (!(day.todayLunar == birth)) return false;
    today.hour = b.time.hour;
    today.minute = b.time.minute;
    today.second = b.time.second;
    out = lead == 0 ? today : ShiftSeconds(today, -lead);
    return true;
  }
  if (!(day.tomorrowLunar == birth)) return false;
  today.hour = static_cast<uint16_t>(hour);
  today.minute = today.second = 0;
  out = today;
  return true;
}

}  // namespace

bool BirthdayData::GetRemindTime(TimeRecord& out, const RemindDay& day) const {
  if (remind == kNoRemind) return false;
  return solar ? GregorianRemindTime(*this, day, out) : LunarRemindTime(*this, day, out);
}

}  // namespace vr
