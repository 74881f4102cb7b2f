// Checks the data files the program ships (data/holiday.xml, data/yj.db), the
// copies the build places beside the executables, and the whole start-up load.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/calendar/CalendarFixtures.h"
#include "calendar/Almanac.h"
#include "calendar/CalendarData.h"
#include "calendar/DayText.h"
#include "calendar/HolidayTable.h"
#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

using test::TempFolder;

const std::string kSourceData = std::string(VR_SOURCE_DIR) + "/data";

std::set<int> Days(const std::deque<ScheduleDay>& list) {
  std::set<int> days;
  for (const ScheduleDay& d : list) days.insert(d.day);
  return days;
}

class ShippedHolidays : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(table_.LoadFile(kSourceData + "/holiday.xml")); }
  HolidayTable table_;
};

TEST_F(ShippedHolidays, SpringFestival2025_Schedule_MatchesStateCouncilNotice) {
  const std::set<int> rest = Days(table_.RestDays()), work = Days(table_.WorkDays());
  for (int day : {20250128, 20250129, 20250130, 20250131, 20250201, 20250202, 20250203, 20250204})
    EXPECT_TRUE(rest.count(day)) << day;
  EXPECT_FALSE(rest.count(20250127));
  EXPECT_FALSE(rest.count(20250205));
  EXPECT_TRUE(work.count(20250126));
  EXPECT_TRUE(work.count(20250208));
}

TEST_F(ShippedHolidays, NationalDay2025_Schedule_MatchesStateCouncilNotice) {
  const std::set<int> rest = Days(table_.RestDays()), work = Days(table_.WorkDays());
  for (int day = 20251001; day <= 20251008; ++day) EXPECT_TRUE(rest.count(day)) << day;
  EXPECT_FALSE(rest.count(20251009));
  EXPECT_TRUE(work.count(20250928));
  EXPECT_TRUE(work.count(20251011));
}

TEST_F(ShippedHolidays, Holidays2025_Fests_OnePerHolidayOnItsOwnDay) {
  std::vector<std::pair<int, std::string>> fests;
  for (const HolidayEntry& e : table_.Holidays())
    if (e.day / 10000 == 2025) fests.emplace_back(e.day, e.desc);
  const std::vector<std::pair<int, std::string>> expected = {
      {20250101, "元旦"},   {20250129, "春节"},   {20250404, "清明节"}, {20250501, "劳动节"},
      {20250531, "端午节"}, {20251001, "国庆节"}, {20251006, "中秋节"}};
  EXPECT_EQ(fests, expected);
}

TEST_F(ShippedHolidays, EveryYear2004To2026_Schedule_HasCoreHolidaysAndConsistentDays) {
  const std::set<int> rest = Days(table_.RestDays()), work = Days(table_.WorkDays());
  for (int year = 2004; year <= 2026; ++year) {
    std::set<std::string> names;
    for (const HolidayEntry& e : table_.Holidays())
      if (e.day / 10000 == year) {
        names.insert(e.desc);
        EXPECT_TRUE(rest.count(e.day)) << e.desc << " " << e.day << " is not a rest day";
      }
    for (const char* name : {"元旦", "春节", "劳动节", "国庆节"}) EXPECT_TRUE(names.count(name)) << year << name;
    if (year < 2008) continue;  // 清明节, 端午节 and 中秋节 became rest days in 2008
    for (const char* name : {"清明节", "端午节"}) EXPECT_TRUE(names.count(name)) << year << name;
    // In 2020 中秋节 fell on 10/1 and the schedule names the whole block 国庆节.
    if (year != 2020) {
      EXPECT_TRUE(names.count("中秋节")) << year;
    }
  }
  for (int day : work) EXPECT_FALSE(rest.count(day)) << day << " is both a working and a rest day";
}

TEST(ShippedAlmanac, WholeRange_Table_HasOneNonEmptyRowPerDay) {
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open_v2((kSourceData + "/yj.db").c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db.get(),
                               "SELECT count(*), count(DISTINCT date), min(date), max(date),"
                               " sum(yi = '' AND ji = ''), sum(yi LIKE '%  %' OR ji LIKE '%  %'"
                               " OR yi LIKE ' %' OR yi LIKE '% ' OR ji LIKE ' %' OR ji LIKE '% ') FROM YiJi",
                               -1, &stmt, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(stmt, 0), 73414);  // 1900-01-01 .. 2100-12-31
  EXPECT_EQ(sqlite3_column_int(stmt, 1), 73414);
  EXPECT_EQ(sqlite3_column_int(stmt, 2), 19000101);
  EXPECT_EQ(sqlite3_column_int(stmt, 3), 21001231);
  EXPECT_EQ(sqlite3_column_int(stmt, 4), 0);  // no day without any text
  EXPECT_EQ(sqlite3_column_int(stmt, 5), 0);  // single spaces between activities only
  sqlite3_finalize(stmt);
}

TEST(ShippedAlmanac, RangeEdges_Lookup_TextsInsideEmptyOutside) {
  Almanac almanac(kSourceData + "/yj.db");
  std::string yi, ji;
  almanac.Lookup(1900, 1, 1, yi, ji);
  EXPECT_FALSE(yi.empty() && ji.empty());
  almanac.Lookup(2100, 12, 31, yi, ji);
  EXPECT_FALSE(yi.empty() && ji.empty());
  almanac.Lookup(1899, 12, 31, yi, ji);
  EXPECT_TRUE(yi.empty() && ji.empty());
  almanac.Lookup(2101, 1, 1, yi, ji);
  EXPECT_TRUE(yi.empty() && ji.empty());
}

TEST(BuildOutput, DataFiles_Build_PlacedBesideExecutables) {
  for (const char* name : {"holiday.xml", "yj.db"}) {
    const std::filesystem::path placed = std::filesystem::path(VR_BIN_DIR) / name;
    ASSERT_TRUE(std::filesystem::exists(placed)) << placed;
    EXPECT_EQ(std::filesystem::file_size(placed), std::filesystem::file_size(kSourceData + "/" + name)) << name;
  }
}

// ---- The start-up load over the placed files --------------------------------

class CalendarDataLoaded : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    emptyDataFolder_ = new TempFolder;
    status_ = LoadCalendarData(VR_BIN_DIR, emptyDataFolder_->Path());
  }
  static void TearDownTestSuite() {
    SetDayInfoDecorators(nullptr, nullptr);
    SetAlmanacFolder(VR_BIN_DIR);  // release the open file before the process ends
    delete emptyDataFolder_;
    emptyDataFolder_ = nullptr;
  }
  static DayInfo Day(int year, int month, int day) {
    DayInfo info{};
    BuildDayInfo(year, month, day, info);
    return info;
  }

  static inline TempFolder* emptyDataFolder_ = nullptr;
  static inline CalendarDataStatus status_;
};

TEST_F(CalendarDataLoaded, ShippedFiles_LoadCalendarData_ReportsEverythingLoaded) {
  EXPECT_EQ(status_.holidayFile, (std::filesystem::path(VR_BIN_DIR) / "holiday.xml").string());
  EXPECT_TRUE(status_.holidaysLoaded);
  EXPECT_GT(status_.holidayCount, 140u);
  EXPECT_GT(status_.workDayCount, 100u);
  EXPECT_GT(status_.restDayCount, 600u);
  EXPECT_TRUE(status_.almanacOpen);
  EXPECT_EQ(status_.festivalCount, 38u);
}

TEST_F(CalendarDataLoaded, SpringFestival2025_Build_HolidayRestAndWorkMarks) {
  const DayInfo eve = Day(2025, 1, 28);
  EXPECT_EQ(eve.holiday, nullptr);
  EXPECT_NE(eve.restDay, nullptr);
  EXPECT_EQ(CellText(eve), "除夕");

  const DayInfo first = Day(2025, 1, 29);
  ASSERT_NE(first.holiday, nullptr);
  EXPECT_EQ(first.holiday->desc, "春节");
  EXPECT_NE(first.restDay, nullptr);
  EXPECT_EQ(CellText(first), "春节");

  const DayInfo swapped = Day(2025, 1, 26);
  EXPECT_NE(swapped.workDay, nullptr);
  EXPECT_EQ(swapped.restDay, nullptr);
  EXPECT_EQ(CellText(swapped), "廿七");
}

TEST_F(CalendarDataLoaded, QingmingHoliday2025_Build_HolidayDescriptionInCell) {
  const DayInfo day = Day(2025, 4, 4);
  EXPECT_EQ(day.solarTerm, 7);
  ASSERT_NE(day.holiday, nullptr);
  EXPECT_EQ(CellText(day), "清明节");
  EXPECT_TRUE(HasSpecialText(day));
}

TEST_F(CalendarDataLoaded, ShippedAlmanac_Lookup_GivesTextsOfTheDay) {
  std::string yi, ji;
  EXPECT_EQ(LookupAlmanac(2025, 1, 29, yi, ji), "祭祀 斋醮 纳财 捕捉 畋猎");
  EXPECT_EQ(ji, "嫁娶 开市 入宅 安床 破土 安葬");
}

}  // namespace
}  // namespace vr
