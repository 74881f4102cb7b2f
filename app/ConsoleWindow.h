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

// The Gregorian date and its lunar date: "2023年1月22日 兔年正月初一"
// (zodiac of the lunar year, "闰" before a leap month).
std::string DateLineText(int year, int month, int day);

}  // namespace vr
