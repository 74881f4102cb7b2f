#pragma once
#include <cstdio>
#include <string>

#include "app/TimeService.h"

namespace vr {

// What the widget shows while it has no window of its own: today's date line,
// printed at start, on every new day and whenever a second start asks to be
// shown.
class ConsoleWindow final : public TimeSvrDel {
 public:
  explicit ConsoleWindow(std::FILE* out) : out_(out) {}

  void Show(const TimeRecord& today);
  void OnSecond(const TimeRecord&) override {}
  void OnNewDay(const TimeRecord& now) override { Show(now); }

 private:
  std::FILE* out_;
};

// "2023年1月22日" followed, once the lunar engine is there, by the lunar part.
std::string DateLineText(int year, int month, int day);

}  // namespace vr
