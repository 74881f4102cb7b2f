#include "app/ConsoleWindow.h"

namespace vr {

std::string DateLineText(int year, int month, int day) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日", year, month, day);
  return buf;
}

void ConsoleWindow::Show(const TimeRecord& today) {
  std::fprintf(out_, "%s\n", DateLineText(today.year, today.month, today.day).c_str());
  std::fflush(out_);
}

}  // namespace vr
