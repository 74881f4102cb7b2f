#include <gtest/gtest.h>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

struct JdCase {
  int year, month;
  double day;
  double jd;
};

TEST(JulianDay, KnownDates_ToJulianDay_GivesAstronomicalJd) {
  const JdCase cases[] = {
      {2000, 1, 1.5, 2451545.0},     // J2000.0, noon
      {1582, 10, 15.0, 2299160.5},   // first Gregorian day, midnight
      {1582, 10, 4.0, 2299159.5},    // last Julian day, midnight
      {1858, 11, 17.0, 2400000.5},   // modified JD zero
      {-4712, 1, 1.5, 0.0},          // JD zero (Julian calendar)
      {1900, 1, 1.0, 2415020.5},
      {2100, 12, 31.75, 2488434.25},
  };
  for (const JdCase& c : cases) {
    EXPECT_DOUBLE_EQ(ToJulianDay(c.year, c.month, c.day), c.jd) << c.year << "-" << c.month;
  }
}

TEST(JulianDay, GregorianSwitch_DayNumbers_AreConsecutive) {
  EXPECT_EQ(DayNumber(1582, 10, 15) - DayNumber(1582, 10, 4), 1);
  EXPECT_EQ(DayNumber(1582, 10, 15) + 2451545, 2299161);
  EXPECT_EQ(DayNumber(1582, 10, 4) + 2451545, 2299160);
  int y = 1582, m = 10, d = 4;
  EXPECT_EQ(FromJulianDay(2299161.0).day, 15);
  EXPECT_EQ(FromJulianDay(2299160.0).day, 4);
  NextDay(y, m, d);  // plain month arithmetic, no gap
  EXPECT_EQ(d, 5);
}

TEST(JulianDay, SwitchWeekDays_WeekDay_ContinuesAcrossTheGap) {
  EXPECT_EQ(WeekDay(1582, 10, 15), 5);  // Friday
  EXPECT_EQ(WeekDay(1582, 10, 4), 4);   // Thursday (Julian calendar)
}

TEST(JulianDay, InstantWithTime_FromJulianDay_SplitsHoursMinutesSeconds) {
  CivilTime t = FromJulianDay(2451545.0 + 0.25 + 30.5 / 1440);  // 18:30:30 on 2000-01-01
  EXPECT_EQ(t.year, 2000);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 18);
  EXPECT_EQ(t.minute, 30);
  EXPECT_NEAR(t.second, 30, 1e-3);
  CivilTime j = FromJulianDay(0.0);  // -4712-01-01 12:00 in the Julian calendar
  EXPECT_EQ(j.year, -4712);
  EXPECT_EQ(j.month, 1);
  EXPECT_EQ(j.day, 1);
  EXPECT_EQ(j.hour, 12);
}

TEST(JulianDay, Year2000_DayNumber_IsZeroSaturday) {
  EXPECT_EQ(DayNumber(2000, 1, 1), 0);
  EXPECT_EQ(DayNumber(1999, 12, 31), -1);
  EXPECT_EQ(WeekDay(2000, 1, 1), 6);
}

TEST(JulianDay, EveryDay1600To2400_RoundTripsAndAdvances) {
  int y = 1600, m = 1, d = 1;
  int n = DayNumber(y, m, d);
  int week = WeekDay(y, m, d);
  while (y <= 2400) {
    CivilTime t = FromJulianDay(n + 2451545.0);
    ASSERT_EQ(t.year * 10000 + t.month * 100 + t.day, y * 10000 + m * 100 + d);
    ASSERT_EQ(t.hour, 12);
    int py = y, pm = m, pd = d;
    NextDay(y, m, d);
    ASSERT_EQ(DayNumber(y, m, d), n + 1) << y << "-" << m << "-" << d;
    ASSERT_EQ(WeekDay(y, m, d), (week + 1) % 7);
    int by = y, bm = m, bd = d;
    PrevDay(by, bm, bd);
    ASSERT_EQ(by * 10000 + bm * 100 + bd, py * 10000 + pm * 100 + pd);
    ++n;
    week = (week + 1) % 7;
  }
}

TEST(JulianDay, LeapYearRule_IsLeapYearAndDaysInMonth_FollowGregorianRule) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_FALSE(IsLeapYear(2023));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 12), 31);
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_EQ(DaysInMonth(2023, 13), 30);  // invalid month
  EXPECT_EQ(DaysInMonth(2023, 0), 30);
}

TEST(JulianDay, YearEnds_NextAndPrevDay_RollOver) {
  int y = 2023, m = 12, d = 31;
  NextDay(y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20240101);
  PrevDay(y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20231231);
  y = 2024, m = 3, d = 1;
  PrevDay(y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20240229);
}

}  // namespace
}  // namespace vr
