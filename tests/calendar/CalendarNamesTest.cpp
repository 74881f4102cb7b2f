#include <gtest/gtest.h>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

TEST(CalendarNames, Tables_Lookups_GiveTheNamesAndEmptyOutside) {
  EXPECT_EQ(StemName(0), "甲");
  EXPECT_EQ(StemName(9), "癸");
  EXPECT_EQ(BranchName(11), "亥");
  EXPECT_EQ(ZodiacName(0), "鼠");
  EXPECT_EQ(ZodiacName(3), "兔");
  EXPECT_EQ(ZodiacName(12), "");
  EXPECT_EQ(ZodiacName(-1), "");
  EXPECT_EQ(LunarMonthName(1), "正");
  EXPECT_EQ(LunarMonthName(11), "十一");
  EXPECT_EQ(LunarMonthName(12), "腊");
  EXPECT_EQ(LunarMonthName(0), "");
  EXPECT_EQ(LunarMonthName(13), "");
  EXPECT_EQ(SolarTermName(0), "冬至");
  EXPECT_EQ(SolarTermName(3), "立春");
  EXPECT_EQ(SolarTermName(23), "大雪");
  EXPECT_EQ(SolarTermName(-1), "");
  EXPECT_EQ(SolarTermName(24), "");
}

TEST(CalendarNames, LunarDays_LunarDayName_FollowsTheTraditionalForms) {
  const struct {
    int day;
    const char* name;
  } cases[] = {{1, "初一"}, {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
               {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},     {31, ""}};
  for (const auto& c : cases) EXPECT_EQ(LunarDayName(c.day), c.name) << c.day;
}

TEST(CalendarNames, PartialPairs_StemBranchText_JoinsWhatIsInRange) {
  EXPECT_EQ(StemBranchText(0, 0), "甲子");
  EXPECT_EQ(StemBranchText(4, 6), "戊午");
  EXPECT_EQ(StemBranchText(10, 6), "午");
  EXPECT_EQ(StemBranchText(4, 12), "戊");
  EXPECT_EQ(StemBranchText(-1, -1), "");
}

}  // namespace
}  // namespace vr
