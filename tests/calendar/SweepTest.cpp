// Invariants over every day of 1900-01-01..2100-12-31, computed once.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "calendar/CycleCache.h"
#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

int Ymd(const DayInfo& i) { return i.year * 10000 + i.month * 100 + i.day; }

std::vector<DayInfo> BuildSweep() {
  std::vector<DayInfo> days;
  days.reserve(73414);
  int y = 1900, m = 1, d = 1;
  while (y <= 2100) {
    DayInfo info{};
    BuildDayInfo(y, m, d, info);
    days.push_back(info);
    NextDay(y, m, d);
  }
  return days;
}

class Sweep : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { days_ = new std::vector<DayInfo>(BuildSweep()); }
  static void TearDownTestSuite() {
    delete days_;
    days_ = nullptr;
  }
  static const std::vector<DayInfo>& Days() { return *days_; }

 private:
  static std::vector<DayInfo>* days_;
};
std::vector<DayInfo>* Sweep::days_ = nullptr;

bool SameLunarDate(const DayInfo& a, const DayInfo& b) {
  return a.lunarYear == b.lunarYear && a.lunarMonth == b.lunarMonth && a.lunarDay == b.lunarDay &&
         a.leapMonth == b.leapMonth;
}

TEST_F(Sweep, EveryDay_Count_CoversTheTwoCenturies) {
  ASSERT_EQ(Days().size(), 73414u);
  EXPECT_EQ(Ymd(Days().front()), 19000101);
  EXPECT_EQ(Ymd(Days().back()), 21001231);
}

TEST_F(Sweep, ConsecutiveDays_DayNumberAndWeekDay_AdvanceByOne) {
  const auto& days = Days();
  for (size_t i = 1; i < days.size(); ++i) {
    const DayInfo& a = days[i - 1];
    const DayInfo& b = days[i];
    ASSERT_EQ(DayNumber(b.year, b.month, b.day), DayNumber(a.year, a.month, a.day) + 1) << Ymd(b);
    ASSERT_EQ(b.weekDay, (a.weekDay + 1) % 7) << Ymd(b);
    if (b.day == 1) {
      ASSERT_EQ(b.weekOfMonth, 1);
    } else {
      ASSERT_EQ(b.weekOfMonth, a.weekOfMonth + (b.weekDay == 0 ? 1 : 0)) << Ymd(b);
    }
  }
}

TEST_F(Sweep, ConsecutiveDays_LunarDate_AdvancesOrStartsAMonthOf29Or30Days) {
  const auto& days = Days();
  for (size_t i = 1; i < days.size(); ++i) {
    const DayInfo& a = days[i - 1];
    const DayInfo& b = days[i];
    if (b.lunarDay != 1) {
      ASSERT_EQ(b.lunarDay, a.lunarDay + 1) << Ymd(b);
      ASSERT_EQ(b.lunarMonth, a.lunarMonth) << Ymd(b);
      ASSERT_EQ(b.leapMonth, a.leapMonth) << Ymd(b);
      continue;
    }
    ASSERT_TRUE(a.lunarDay == 29 || a.lunarDay == 30) << Ymd(b);
    if (b.leapMonth) {
      // A leap month carries the number of the month before it.
      ASSERT_FALSE(a.leapMonth) << Ymd(b);
      ASSERT_EQ(b.lunarMonth, a.lunarMonth) << Ymd(b);
    } else {
      ASSERT_EQ(b.lunarMonth, a.lunarMonth % 12 + 1) << Ymd(b);
    }
  }
}

TEST_F(Sweep, ConsecutiveDays_LunarYear_ChangesOnlyOnNewYearsDay) {
  const auto& days = Days();
  for (size_t i = 1; i < days.size(); ++i) {
    const DayInfo& a = days[i - 1];
    const DayInfo& b = days[i];
    const bool newYear = b.lunarMonth == 1 && b.lunarDay == 1 && !b.leapMonth;
    ASSERT_EQ(b.lunarYear, a.lunarYear + (newYear ? 1 : 0)) << Ymd(b);
    ASSERT_EQ(b.zodiac, (b.lunarYear + 8) % 12) << Ymd(b);
  }
}

TEST_F(Sweep, LunarYears_Length_Is353To355Or383To385Days) {
  std::map<int, int> length;
  for (const DayInfo& d : Days()) ++length[d.lunarYear];
  length.erase(length.begin()->first);  // partial years at both ends
  length.erase(length.rbegin()->first);
  int leapYears = 0;
  for (const auto& [year, n] : length) {
    const bool common = n >= 353 && n <= 355;
    const bool leap = n >= 383 && n <= 385;
    ASSERT_TRUE(common || leap) << year << ": " << n;
    leapYears += leap;
  }
  // Seven leap years in nineteen.
  EXPECT_NEAR(leapYears, length.size() * 7 / 19.0, 2);
}

TEST_F(Sweep, ConsecutiveDays_DayStemBranch_AdvancesByOne) {
  const auto& days = Days();
  for (size_t i = 1; i < days.size(); ++i) {
    ASSERT_EQ(days[i].dayStem, (days[i - 1].dayStem + 1) % 10);
    ASSERT_EQ(days[i].dayBranch, (days[i - 1].dayBranch + 1) % 12);
  }
}

TEST_F(Sweep, SolarTerms_Sequence_IsOneEvery14To16DaysInOrder) {
  const DayInfo* last = nullptr;
  int lastNumber = 0;
  for (const DayInfo& d : Days()) {
    if (d.solarTerm < 0) continue;
    int n = DayNumber(d.year, d.month, d.day);
    if (last) {
      ASSERT_EQ(d.solarTerm, (last->solarTerm + 1) % 24) << Ymd(d);
      ASSERT_GE(n - lastNumber, 14) << Ymd(d);
      ASSERT_LE(n - lastNumber, 16) << Ymd(d);
    }
    last = &d;
    lastNumber = n;
  }
}

// Sexagenary position 0..59 of a stem-branch pair.
int Sexagenary(int stem, int branch) { return (6 * stem - 5 * branch + 60) % 60; }

TEST_F(Sweep, ConsecutiveDays_YearPair_ChangesOnlyOnTheDayOfLichun) {
  const auto& days = Days();
  for (size_t i = 1; i < days.size(); ++i) {
    const DayInfo& a = days[i - 1];
    const DayInfo& b = days[i];
    const int pa = Sexagenary(a.yearStem, a.yearBranch);
    const int pb = Sexagenary(b.yearStem, b.yearBranch);
    if (b.solarTerm == 3) {
      ASSERT_EQ(pb, (pa + 1) % 60) << Ymd(b);
    } else {
      ASSERT_EQ(pb, pa) << Ymd(b);
    }
  }
}

TEST_F(Sweep, ConsecutiveDays_MonthPair_ChangesOnlyOnJieDays) {
  // The month pair follows the cycle's terms; before 1960 those come from the
  // published day corrections, which put two 节 a day before the computed
  // instant (1917 大雪 and 1927 白露 fell just after midnight; the almanacs of
  // the time reckoned in local mean time).
  const std::set<int> publishedEarlier = {19171207, 19270908};
  const auto& days = Days();
  std::set<int> moved;
  for (size_t i = 1; i < days.size(); ++i) {
    const DayInfo& a = days[i - 1];
    const DayInfo& b = days[i];
    const int pa = Sexagenary(a.monthStem, a.monthBranch);
    const int pb = Sexagenary(b.monthStem, b.monthBranch);
    const bool jie = b.solarTerm >= 0 && b.solarTerm % 2 == 1;
    if (pb != pa) {
      ASSERT_EQ(pb, (pa + 1) % 60) << Ymd(b);
    }
    if ((pb != pa) == jie) continue;
    if (pb != pa) {
      // Changed a day early: the 节 itself falls on the next day.
      moved.insert(Ymd(b));
      ASSERT_TRUE(i + 1 < days.size() && days[i + 1].solarTerm % 2 == 1) << Ymd(b);
    } else {
      ASSERT_TRUE(moved.count(Ymd(a))) << Ymd(b);
    }
  }
  EXPECT_EQ(moved, publishedEarlier);
}

TEST_F(Sweep, TermMemo_Disabled_GivesTheSameRecords) {
  CycleCache::SetTermMemoEnabled(false);
  std::vector<DayInfo> plain = BuildSweep();
  CycleCache::SetTermMemoEnabled(true);
  ASSERT_EQ(plain.size(), Days().size());
  int terms = 0;
  for (size_t i = 0; i < plain.size(); ++i) {
    const DayInfo& a = plain[i];
    const DayInfo& b = Days()[i];
    ASSERT_EQ(a.solarTerm, b.solarTerm) << Ymd(a);
    ASSERT_TRUE(SameLunarDate(a, b)) << Ymd(a);
    ASSERT_EQ(a.monthStem * 100 + a.monthBranch, b.monthStem * 100 + b.monthBranch) << Ymd(a);
    ASSERT_EQ(a.yearStem * 100 + a.yearBranch, b.yearStem * 100 + b.yearBranch) << Ymd(a);
    terms += a.solarTerm >= 0;
  }
  EXPECT_EQ(terms, 201 * 24);
}

}  // namespace
}  // namespace vr
