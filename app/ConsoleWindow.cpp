#include "app/ConsoleWindow.h"

#include "calendar/LunarCalendar.h"

namespace vr {

std::string DateLineText(int year, int month, int day) {
  DayInfo info{};
  BuildDayInfo(year, month, day, info);
  const std::string lunarMonth = (info.leapMonth ? "闰" : "") + LunarMonthName(info.lunarMonth);
  char buf[160];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日 %s年%s月%s", year, month, day,
                ZodiacName(info.zodiac).c_str(), lunarMonth.c_str(),
                LunarDayName(info.lunarDay).c_str());
  return buf;
}

void ConsoleWindow::Show(const TimeRecord& today) {
  std::fprintf(out_, "%s\n", DateLineText(today.year, today.month, today.day).c_str());
  std::fflush(out_);
}

}  // namespace vr
