#include "calendar/FestivalTable.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

std::vector<std::string> Names(const DayInfo& info) {
  std::vector<std::string> names;
  for (const Festival* festival : info.festivals) names.push_back(festival->name);
  return names;
}

// A record with only the fields CollectFestivals reads.
DayInfo Record(int year, int month, int day, int lunarMonth, int lunarDay, bool leap = false, int term = -1) {
  DayInfo info{};
  info.year = year;
  info.month = month;
  info.day = day;
  info.weekDay = WeekDay(year, month, day);
  info.lunarMonth = lunarMonth;
  info.lunarDay = lunarDay;
  info.leapMonth = leap;
  info.solarTerm = term;
  return info;
}

FestivalTable LoadedTable() {
  FestivalTable table;
  table.LoadFestivals();
  return table;
}

// ---- The table --------------------------------------------------------------

TEST(FestivalTable, EmptyTable_LoadFestivals_AddsLunarListThenGregorianList) {
  FestivalTable table;
  table.LoadFestivals();
  const auto& entries = table.Entries();
  ASSERT_EQ(entries.size(), 38u);
  EXPECT_EQ(entries.front().name, "春节");
  EXPECT_TRUE(entries.front().isLunar);
  EXPECT_EQ(entries.front().key, 101);
  EXPECT_EQ(entries[18].name, "除夕");
  EXPECT_EQ(entries[18].key, 1230);
  EXPECT_EQ(entries[19].name, "元旦");
  EXPECT_FALSE(entries[19].isLunar);
  EXPECT_EQ(entries[32].name, "国庆节");
  EXPECT_EQ(entries[32].key, 19491001);
  EXPECT_EQ(entries.back().name, "圣诞节");
  for (const Festival& entry : entries) EXPECT_EQ(entry.priority, 0) << entry.name;
}

TEST(FestivalTable, LoadedTable_LoadFestivalsAgain_AddsNothing) {
  FestivalTable table = LoadedTable();
  table.LoadFestivals();
  EXPECT_EQ(table.Entries().size(), 38u);
}

TEST(FestivalTable, AddedFestival_Collect_MatchesItsDateFromTheYearAfterStart) {
  FestivalTable table;
  table.AddFestival(false, 2020, 3, 14, "圆周率日");
  DayInfo info = Record(2020, 3, 14, 2, 21);
  table.Collect(info, false);
  EXPECT_TRUE(info.festivals.empty());
  info = Record(2021, 3, 14, 2, 2);
  table.Collect(info, false);
  EXPECT_EQ(Names(info), std::vector<std::string>{"圆周率日"});
}

// ---- Matching rules on hand-made records -------------------------------------

struct CollectCase {
  const char* what;
  DayInfo info;
  bool lastDayOfYear;
  std::vector<std::string> expected;
};
// Short names in test listings instead of the raw bytes of the case.
void PrintTo(const CollectCase& c, std::ostream* os) { *os << c.what; }


class CollectRecord : public testing::TestWithParam<CollectCase> {};

TEST_P(CollectRecord, Record_Collect_GivesFestivalsInDisplayOrder) {
  FestivalTable table = LoadedTable();
  DayInfo info = GetParam().info;
  info.festivals.push_back(&FestivalTable::Qingming());  // stale entries are cleared first
  table.Collect(info, GetParam().lastDayOfYear);
  EXPECT_EQ(Names(info), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectRecord,
    testing::Values(
        CollectCase{"lunar new year", Record(2025, 1, 29, 1, 1), false, {"春节"}},
        CollectCase{"leap month repeats no festival", Record(2023, 3, 23, 2, 2, true), false, {}},
        CollectCase{"lunar before gregorian", Record(2020, 10, 1, 8, 15), false, {"中秋节", "国庆节"}},
        CollectCase{"start year 1949: not in 1949", Record(1949, 10, 1, 8, 10), false, {}},
        CollectCase{"start year 1949: from 1950", Record(1950, 10, 1, 8, 20), false, {"国庆节"}},
        CollectCase{"start year 0: every year", Record(1900, 12, 25, 11, 4), false, {"圣诞节"}},
        CollectCase{"lunar 12/30 is 除夕", Record(2024, 2, 9, 12, 30), true, {"除夕"}},
        CollectCase{"12/29 of a 30-day month", Record(2024, 2, 8, 12, 29), false, {}},
        CollectCase{"12/29 ending a 29-day month", Record(2025, 1, 28, 12, 29), true, {"除夕"}},
        CollectCase{"清明 term adds 清明节", Record(2025, 4, 4, 3, 7, false, 7), false, {"清明节"}},
        CollectCase{"other term adds nothing", Record(2025, 3, 20, 2, 21, false, 6), false, {}},
        CollectCase{"second Sunday of May, after 护士节", Record(2024, 5, 12, 4, 5), false, {"护士节", "母亲节"}},
        CollectCase{"first Sunday of May", Record(2024, 5, 5, 3, 27), false, {}},
        CollectCase{"third Sunday of June", Record(2023, 6, 18, 5, 1), false, {"父亲节"}},
        CollectCase{"fourth Sunday of June", Record(2023, 6, 25, 5, 8), false, {}},
        CollectCase{"fourth Thursday of November", Record(2023, 11, 23, 10, 11), false, {"感恩节"}},
        CollectCase{"last but not fourth Thursday", Record(2023, 11, 30, 10, 18), false, {}}),
    [](const testing::TestParamInfo<CollectCase>& info) { return "Case" + std::to_string(info.index); });

TEST(FestivalTable, ComputedFestivals_Priorities_SortAfterTableEntries) {
  EXPECT_EQ(FestivalTable::Qingming().priority, 0);
  EXPECT_TRUE(FestivalTable::Qingming().isLunar);
  EXPECT_EQ(FestivalTable::MothersDay().priority, 113);
  EXPECT_EQ(FestivalTable::FathersDay().priority, 113);
  EXPECT_EQ(FestivalTable::Thanksgiving().priority, 112);
  EXPECT_EQ(&FestivalTable::MothersDay(), &FestivalTable::MothersDay());  // one object for the process
}

// ---- Through BuildDayInfo, with the process-wide table installed ------------

class CollectFromCalendar : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    LoadFestivals();
    SetDayInfoDecorators(nullptr, CollectFestivals);
  }
  static void TearDownTestSuite() { SetDayInfoDecorators(nullptr, nullptr); }

  static std::vector<std::string> On(int year, int month, int day) {
    DayInfo info{};
    BuildDayInfo(year, month, day, info);
    return Names(info);
  }
};

TEST_F(CollectFromCalendar, ComputedDaysOf2023_Build_CarryTheirFestivals) {
  EXPECT_EQ(On(2023, 6, 18), std::vector<std::string>{"父亲节"});
  EXPECT_EQ(On(2023, 5, 14), std::vector<std::string>{"母亲节"});
  EXPECT_EQ(On(2023, 11, 23), std::vector<std::string>{"感恩节"});
  EXPECT_TRUE(On(2023, 6, 11).empty());
  EXPECT_TRUE(On(2023, 5, 7).empty());
  EXPECT_TRUE(On(2023, 11, 16).empty());
}

TEST_F(CollectFromCalendar, NationalDay_Build_AppearsFrom1950) {
  EXPECT_EQ(On(1949, 10, 1), std::vector<std::string>{});
  EXPECT_EQ(On(1950, 10, 1), std::vector<std::string>{"国庆节"});
}

TEST_F(CollectFromCalendar, NewYearsEve_Build_FallsOnLastDayOfTwelfthMonth) {
  // 腊月 of 2023 has 30 days: 除夕 on 三十 (2024-02-09), none on 廿九.
  EXPECT_EQ(On(2024, 2, 9), std::vector<std::string>{"除夕"});
  EXPECT_TRUE(On(2024, 2, 8).empty());
  // 腊月 of 2024 has 29 days: 除夕 on 廿九 (2025-01-28).
  EXPECT_EQ(On(2025, 1, 28), std::vector<std::string>{"除夕"});
  EXPECT_TRUE(On(2025, 1, 27).empty());
  EXPECT_EQ(On(2025, 1, 29), std::vector<std::string>{"春节"});
}

TEST_F(CollectFromCalendar, EveryYear1900To2100_Build_HasExactlyOneNewYearsEve) {
  for (int year = 1901; year <= 2100; ++year) {
    int eves = 0, newYears = 0;
    // 除夕 and 春节 fall between 1/20 and 2/21.
    int y = year, m = 1, d = 19;
    for (int i = 0; i < 34; ++i) {
      NextDay(y, m, d);
      DayInfo info{};
      BuildDayInfo(y, m, d, info);
      for (const Festival* f : info.festivals) {
        if (f->name == "除夕") {
          ++eves;
          DayInfo next{};
          int ny = y, nm = m, nd = d;
          NextDay(ny, nm, nd);
          BuildDayInfo(ny, nm, nd, next);
          EXPECT_EQ(next.lunarMonth * 100 + next.lunarDay, 101) << y << "-" << m << "-" << d;
        }
        if (f->name == "春节") ++newYears;
      }
    }
    EXPECT_EQ(eves, 1) << year;
    EXPECT_EQ(newYears, 1) << year;
  }
}

TEST_F(CollectFromCalendar, QingmingDay_Build_CarriesTermAndFestival) {
  DayInfo info{};
  BuildDayInfo(2025, 4, 4, info);
  EXPECT_EQ(info.solarTerm, 7);
  EXPECT_EQ(Names(info), std::vector<std::string>{"清明节"});
}

TEST_F(CollectFromCalendar, LeapSecondMonthOf2023_Build_ShowsNoLunarFestival) {
  DayInfo regular{}, leap{};
  BuildDayInfo(2023, 2, 21, regular);  // 二月初二
  BuildDayInfo(2023, 3, 23, leap);     // 闰二月初二
  EXPECT_EQ(regular.lunarMonth * 100 + regular.lunarDay, 202);
  EXPECT_EQ(Names(regular), std::vector<std::string>{"龙抬头"});
  ASSERT_TRUE(leap.leapMonth);
  EXPECT_EQ(leap.lunarMonth * 100 + leap.lunarDay, 202);
  EXPECT_TRUE(leap.festivals.empty());
}

}  // namespace
}  // namespace vr
