#include "records/TimeText.h"

#include <cstdio>

#include "records/TextSplit.h"
#include "records/TimeMath.h"

namespace vr {

std::string FormatTime(const TimeRecord& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

TimeRecord ParseTime(std::string_view text, const TimeRecord& now) {
  TimeRecord t = now;
  const std::vector<std::string_view> halves = SplitText(text, ' ');
  if (halves.size() != 2) return t;
  const std::vector<std::string_view> date = SplitText(halves[0], '/');
  if (date.size() == 3) {
    t.year = static_cast<uint16_t>(ReadLeadingInt(date[0]));
    t.month = static_cast<uint16_t>(ReadLeadingInt(date[1]));
    t.day = static_cast<uint16_t>(ReadLeadingInt(date[2]));
  }
  const std::vector<std::string_view> clock = SplitText(halves[1], ':');
  if (clock.size() == 3) {
    t.hour = static_cast<uint16_t>(ReadLeadingInt(clock[0]));
    t.minute = static_cast<uint16_t>(ReadLeadingInt(clock[1]));
    t.second = static_cast<uint16_t>(ReadLeadingInt(clock[2]));
  }
  // A nonsense date keeps whatever week day it had; only real dates have one.
  if (IsValidDate(t.year, t.month, t.day))
    t.dayOfWeek = static_cast<uint16_t>(DayOfWeek(t.year, t.month, t.day));
  return t;
}

}  // namespace vr
