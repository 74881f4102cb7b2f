#include <gtest/gtest.h>

#include "app/ConsoleWindow.h"

namespace vr {
namespace {

TEST(DateLine, Dates_DateLineText_AddsZodiacAndLunarDate) {
  const struct {
    int y, m, d;
    const char* line;
  } cases[] = {
      {2023, 1, 22, "2023年1月22日 兔年正月初一"},
      {2023, 1, 21, "2023年1月21日 虎年腊月三十"},
      {2020, 5, 23, "2020年5月23日 鼠年闰四月初一"},
      {2033, 12, 22, "2033年12月22日 牛年闰十一月初一"},
  };
  for (const auto& c : cases) EXPECT_EQ(DateLineText(c.y, c.m, c.d), c.line);
}

}  // namespace
}  // namespace vr
