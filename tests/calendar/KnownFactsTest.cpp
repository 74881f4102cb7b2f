#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

DayInfo Info(int y, int m, int d) {
  DayInfo info{};
  BuildDayInfo(y, m, d, info);
  return info;
}

std::string LunarText(const DayInfo& i) {
  return std::to_string(i.lunarYear) + (i.leapMonth ? "闰" : "") + LunarMonthName(i.lunarMonth) +
         "月" + LunarDayName(i.lunarDay);
}

struct LunarCase {
  int y, m, d;
  const char* lunar;  // lunar year, month and day as the almanacs print them
};

TEST(KnownFacts, PublishedDates_BuildDayInfo_GivesTheAlmanacLunarDate) {
  const LunarCase cases[] = {
      {1900, 1, 31, "1900正月初一"},  {1912, 2, 18, "1912正月初一"},
      {1949, 10, 1, "1949八月初十"},  {1976, 9, 9, "1976八月十六"},
      {2000, 1, 1, "1999十一月廿五"}, {2008, 8, 8, "2008七月初八"},
      {2020, 5, 23, "2020闰四月初一"}, {2020, 6, 20, "2020闰四月廿九"},
      {2023, 1, 21, "2022腊月三十"},  {2023, 1, 22, "2023正月初一"},
      {2023, 3, 22, "2023闰二月初一"}, {2025, 7, 25, "2025闰六月初一"},
      {2033, 12, 22, "2033闰十一月初一"}, {2034, 2, 19, "2034正月初一"},
      {2100, 12, 31, "2100腊月初一"},
  };
  for (const LunarCase& c : cases) {
    EXPECT_EQ(LunarText(Info(c.y, c.m, c.d)), c.lunar) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(KnownFacts, NewYear2023_BuildDayInfo_IsTheRabbitYear) {
  DayInfo i = Info(2023, 1, 22);
  EXPECT_EQ(i.lunarYear, 2023);
  EXPECT_EQ(ZodiacName(i.zodiac), "兔");
  EXPECT_EQ(i.weekDay, 0);
  EXPECT_EQ(Info(2023, 1, 21).lunarYear, 2022);
  EXPECT_EQ(ZodiacName(Info(2023, 1, 21).zodiac), "虎");
}

TEST(KnownFacts, Day0_BuildDayInfo_IsSaturdayWuwu) {
  DayInfo i = Info(2000, 1, 1);
  EXPECT_EQ(i.weekDay, 6);
  EXPECT_EQ(StemBranchText(i.dayStem, i.dayBranch), "戊午");
  EXPECT_EQ(i.weekOfMonth, 1);
  EXPECT_EQ(Info(2000, 1, 2).weekOfMonth, 2);
}

TEST(KnownFacts, Lichun_YearPair_ChangesOnTheDay) {
  // 1984 is 甲子 from its 立春 (Feb 4) on; 2000 is 庚辰 from Feb 4, year of the 龙.
  EXPECT_EQ(StemBranchText(Info(1984, 2, 4).yearStem, Info(1984, 2, 4).yearBranch), "甲子");
  EXPECT_EQ(StemBranchText(Info(1984, 2, 3).yearStem, Info(1984, 2, 3).yearBranch), "癸亥");
  DayInfo y2000 = Info(2000, 2, 4);
  EXPECT_EQ(y2000.solarTerm, 3);
  EXPECT_EQ(StemBranchText(y2000.yearStem, y2000.yearBranch), "庚辰");
  EXPECT_EQ(ZodiacName(Info(2000, 2, 5).zodiac), "龙");
  EXPECT_EQ(ZodiacName(Info(2000, 2, 4).zodiac), "兔");  // before its 正月初一
  DayInfo m = Info(2023, 1, 22);
  EXPECT_EQ(StemBranchText(m.yearStem, m.yearBranch), "壬寅");
  EXPECT_EQ(StemBranchText(m.monthStem, m.monthBranch), "癸丑");
  EXPECT_EQ(StemBranchText(m.dayStem, m.dayBranch), "庚辰");
}

TEST(KnownFacts, Years1900To2100_ChineseNewYear_FallsBetweenJan21AndFeb20) {
  int y = 1900, m = 1, d = 1;
  std::set<int> years;
  while (y <= 2100) {
    if (m <= 2) {
      DayInfo i = Info(y, m, d);
      if (i.lunarMonth == 1 && i.lunarDay == 1 && !i.leapMonth) {
        EXPECT_GE(m * 100 + d, 121) << y;
        EXPECT_LE(m * 100 + d, 220) << y;
        EXPECT_EQ(i.lunarYear, y);
        years.insert(y);
      }
    }
    NextDay(y, m, d);
  }
  EXPECT_EQ(years.size(), 201u);
}

struct LeapCase {
  int lunarYear;
  int leapMonth;  // 0: none
};

TEST(KnownFacts, LeapMonths_Years_HaveThePublishedLeapMonth) {
  const LeapCase cases[] = {{2020, 4}, {2021, 0}, {2022, 0}, {2023, 2}, {2024, 0},
                            {2025, 6}, {2028, 5}, {2033, 11}, {2057, 0}, {1900, 8}};
  for (const LeapCase& c : cases) {
    std::set<int> leapMonths;
    int y = c.lunarYear, m = 1, d = 15;
    for (int i = 0; i < 400; ++i) {
      DayInfo info = Info(y, m, d);
      if (info.lunarYear == c.lunarYear && info.leapMonth) leapMonths.insert(info.lunarMonth);
      NextDay(y, m, d);
    }
    if (c.leapMonth == 0) {
      EXPECT_TRUE(leapMonths.empty()) << c.lunarYear;
    } else {
      EXPECT_EQ(leapMonths, std::set<int>{c.leapMonth}) << c.lunarYear;
    }
  }
}

struct NearMidnightCase {
  int y, m, d;
  int term;         // expected term on the day, -1 none
  int lunarDay;     // expected lunar day
  const char* why;  // the instant, Beijing time
};

TEST(KnownFacts, EventsNearMidnight_BuildDayInfo_PutsThemOnTheirBeijingDate) {
  // The 2057 new moon is the famous borderline one: the full Moon series puts
  // it 26 s before midnight, a lighter truncation just after.
  const NearMidnightCase cases[] = {
      {1979, 1, 20, 2, 22, "大寒 at 23:59:56"},     {1979, 1, 21, -1, 23, "the day after"},
      {2008, 5, 20, -1, 16, "the day before"},      {2008, 5, 21, 10, 17, "小满 at 00:00:53"},
      {2021, 12, 21, 0, 18, "冬至 at 23:59:09"},     {2021, 12, 22, -1, 19, "the day after"},
      {2083, 2, 3, 3, 17, "立春 at 23:57:43"},      {2083, 2, 4, -1, 18, "the day after"},
      {2018, 11, 7, 21, 30, "立冬; new moon next day 00:01:58"},
      {2018, 11, 8, -1, 1, "new moon at 00:01:58"},
      {2057, 9, 28, -1, 1, "new moon at 23:59:34"}, {2057, 9, 29, -1, 2, "the day after"},
      {2089, 9, 4, -1, 1, "new moon at 23:57:15"},  {2097, 8, 6, 15, 29, "立秋"},
      {2097, 8, 7, -1, 1, "new moon at 23:59:24"},
  };
  for (const NearMidnightCase& c : cases) {
    DayInfo i = Info(c.y, c.m, c.d);
    EXPECT_EQ(i.solarTerm, c.term) << c.y << "-" << c.m << "-" << c.d << " " << c.why;
    EXPECT_EQ(i.lunarDay, c.lunarDay) << c.y << "-" << c.m << "-" << c.d << " " << c.why;
  }
}

TEST(KnownFacts, AlternatingCycles_BuildDayInfo_GivesTheSameRecord) {
  DayInfo first = Info(2023, 1, 22);
  Info(1950, 6, 1);
  Info(2099, 1, 1);
  DayInfo again = Info(2023, 1, 22);
  EXPECT_EQ(LunarText(again), LunarText(first));
  EXPECT_EQ(again.solarTerm, first.solarTerm);
}

TEST(KnownFacts, OtherThread_BuildDayInfo_GivesTheSameRecord) {
  DayInfo here = Info(2033, 12, 22);
  DayInfo there{};
  std::thread([&] { BuildDayInfo(2033, 12, 22, there); }).join();
  EXPECT_EQ(LunarText(there), LunarText(here));
  EXPECT_EQ(there.solarTerm, here.solarTerm);
}

TEST(KnownFacts, ReusedRecord_BuildDayInfo_ResetsEveryField) {
  DayInfo i{};
  BuildDayInfo(2024, 2, 4, i);  // 立春
  ASSERT_EQ(i.solarTerm, 3);
  i.festivals.push_back(nullptr);
  BuildDayInfo(2020, 5, 23, i);
  EXPECT_EQ(i.solarTerm, -1);
  EXPECT_TRUE(i.festivals.empty());
  EXPECT_TRUE(i.leapMonth);
  EXPECT_EQ(i.holiday, nullptr);
}

TEST(KnownFacts, OddInput_BuildDayInfo_StillFillsARecord) {
  const int inputs[][3] = {{2023, 13, 40}, {2023, 0, 0}, {-20000, 1, 1}, {2000000000, 1, 1},
                           {-2000000000, 12, 31}, {500, 2, 29}};
  for (const auto& in : inputs) {
    DayInfo i{};
    BuildDayInfo(in[0], in[1], in[2], i);
    EXPECT_GE(i.weekDay, 0);
    EXPECT_LT(i.weekDay, 7);
    EXPECT_GE(i.zodiac, 0);
    EXPECT_LT(i.zodiac, 12);
    EXPECT_GE(i.dayStem, 0);
    EXPECT_LT(i.dayBranch, 12);
  }
}

}  // namespace
}  // namespace vr
