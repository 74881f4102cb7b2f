#include <gtest/gtest.h>

#include "platform/Clock.h"

namespace vr {
namespace {

TEST(ManualClock, Advance_PastMidnightOfYearEnd_RollsDateAndWeekDay) {
  ManualClock clock(MakeTimeRecord(2023, 12, 31, 23, 59, 59, 950));
  clock.Advance(100);
  TimeRecord t = clock.Now();
  EXPECT_EQ(t, MakeTimeRecord(2024, 1, 1, 0, 0, 0, 50));
  EXPECT_EQ(t.dayOfWeek, 1);  // 2024-01-01 was a Monday
}

TEST(ManualClock, Advance_Backwards_CrossesLeapDay) {
  ManualClock clock(MakeTimeRecord(2024, 3, 1, 0, 0, 0, 0));
  clock.Advance(-1);
  EXPECT_EQ(clock.Now(), MakeTimeRecord(2024, 2, 29, 23, 59, 59, 999));
}

TEST(MakeTimeRecord, KnownDates_HaveTheirWeekDay) {
  EXPECT_EQ(MakeTimeRecord(2000, 1, 1).dayOfWeek, 6);
  EXPECT_EQ(MakeTimeRecord(2023, 1, 22).dayOfWeek, 0);
}

TEST(SystemClock, Now_IsAPlausibleLocalTime) {
  TimeRecord t = SystemClock().Now();
  EXPECT_GE(t.year, 2020);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12);
  EXPECT_TRUE(t.day >= 1 && t.day <= 31);
  EXPECT_LT(t.milliseconds, 1000);
}

}  // namespace
}  // namespace vr
