#include "calendar/HolidayTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/calendar/CalendarFixtures.h"

namespace vr {
namespace {

using test::Fixture;
using test::TempFolder;

DayInfo DateOnly(int year, int month, int day) {
  DayInfo info{};
  info.year = year;
  info.month = month;
  info.day = day;
  return info;
}

// ---- Reading the document ---------------------------------------------------

TEST(HolidayTable, SampleFile_Load_ReadsRecognisedEntriesInFileOrder) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  ASSERT_EQ(table.Holidays().size(), 5u);  // two Fests sections accumulate; Note and Unknown skipped
  EXPECT_EQ(table.Holidays()[0].id, 1);
  EXPECT_EQ(table.Holidays()[0].day, 20250101);
  EXPECT_EQ(table.Holidays()[0].desc, "元旦");
  EXPECT_EQ(table.Holidays()[3].desc, "second entry for the same day");
  EXPECT_EQ(table.Holidays()[4].desc, "国庆节");

  ASSERT_EQ(table.WorkDays().size(), 3u);  // the <Date> element is skipped
  EXPECT_EQ(table.WorkDays()[1].id, 2);
  EXPECT_EQ(table.WorkDays()[1].day, 20250208);  // leading blanks are skipped
  EXPECT_EQ(table.WorkDays()[2].day, 2025);      // digits up to the first other character

  ASSERT_EQ(table.RestDays().size(), 5u);
  EXPECT_EQ(table.RestDays()[2].day, 0);  // "tomorrow"
  EXPECT_EQ(table.RestDays()[3].day, 0);  // no text
  EXPECT_EQ(table.RestDays()[4].day, 20251001);
}

TEST(HolidayTable, FestWithoutDesc_Load_HasEmptyDescription) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  EXPECT_EQ(table.Holidays()[2].day, 20250404);
  EXPECT_EQ(table.Holidays()[2].desc, "");
}

TEST(HolidayTable, Utf16Document_Load_DetectsEncoding) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_utf16.xml")));
  ASSERT_EQ(table.Holidays().size(), 1u);
  EXPECT_EQ(table.Holidays()[0].desc, "元旦");
  EXPECT_EQ(table.Holidays()[0].id, 7);
  ASSERT_EQ(table.RestDays().size(), 1u);
}

struct BrokenCase {
  const char* fixture;
};

class BrokenHolidayFile : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenHolidayFile, BrokenDocument_Load_LeavesEveryListEmpty) {
  HolidayTable table;
  EXPECT_FALSE(table.LoadFile(Fixture(GetParam().fixture)));
  EXPECT_FALSE(table.Loaded());
  EXPECT_TRUE(table.Holidays().empty());
  EXPECT_TRUE(table.WorkDays().empty());
  EXPECT_TRUE(table.RestDays().empty());
  DayInfo info = DateOnly(2025, 1, 1);
  table.Attach(info);
  EXPECT_EQ(info.holiday, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BrokenHolidayFile,
                         testing::Values(BrokenCase{"holiday_truncated.xml"}, BrokenCase{"holiday_mismatched.xml"},
                                         BrokenCase{"holiday_wrong_root.xml"}, BrokenCase{"no_such_file.xml"},
                                         BrokenCase{"yj_empty.db"}, BrokenCase{"yj_not_a_database.db"}));

TEST(HolidayTable, LoadedTable_FailedReload_EmptiesIt) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  EXPECT_FALSE(table.LoadText("<Holiday><Fests>"));
  EXPECT_TRUE(table.Empty());
}

TEST(HolidayTable, EmptyHolidayElement_Load_SucceedsWithNoEntries) {
  HolidayTable table;
  EXPECT_TRUE(table.LoadText("<Holiday/>"));
  EXPECT_TRUE(table.Loaded());
  EXPECT_TRUE(table.Empty());
}

// ---- Attaching to a day -----------------------------------------------------

TEST(HolidayTable, DateInFreeAndFests_Attach_SetsHolidayAndRestDay) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  DayInfo info = DateOnly(2025, 1, 29);
  table.Attach(info);
  ASSERT_NE(info.holiday, nullptr);
  EXPECT_EQ(info.holiday->desc, "春节");  // the first of two entries for the day
  ASSERT_NE(info.restDay, nullptr);
  EXPECT_EQ(info.restDay->id, 2);
  EXPECT_EQ(info.workDay, nullptr);
}

TEST(HolidayTable, WorkingDay_Attach_SetsOnlyWorkDay) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  DayInfo info = DateOnly(2025, 1, 26);
  table.Attach(info);
  EXPECT_EQ(info.holiday, nullptr);
  EXPECT_EQ(info.restDay, nullptr);
  ASSERT_NE(info.workDay, nullptr);
  EXPECT_EQ(info.workDay->day, 20250126);
}

TEST(HolidayTable, AttachedRecord_AttachUnlistedDay_ClearsPointers) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  DayInfo info = DateOnly(2025, 1, 29);
  table.Attach(info);
  info.day = 30;
  table.Attach(info);
  EXPECT_EQ(info.holiday, nullptr);
  EXPECT_EQ(info.restDay, nullptr);
  EXPECT_EQ(info.workDay, nullptr);
}

TEST(HolidayTable, NonNumericDay_Attach_NeverMatchesADate) {
  HolidayTable table;
  ASSERT_TRUE(table.LoadFile(Fixture("holiday_sample.xml")));
  int restDays = 0;
  for (int year : {1900, 2025, 2100})
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 31; ++day) {
        DayInfo info = DateOnly(year, month, day);
        table.Attach(info);
        if (!info.restDay) continue;
        ++restDays;
        EXPECT_NE(info.restDay->day, 0);
      }
  EXPECT_EQ(restDays, 3);  // 20250128, 20250129, 20251001
}

// ---- Integers and file choice -----------------------------------------------

struct IntCase {
  const char* text;
  int32_t value;
};

class LeadingInt : public testing::TestWithParam<IntCase> {};

TEST_P(LeadingInt, Text_Parse_FollowsLeadingDigitsRule) {
  EXPECT_EQ(ParseLeadingInt(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, LeadingInt,
                         testing::Values(IntCase{"20250101", 20250101}, IntCase{"  \t\n42", 42},
                                         IntCase{"+7", 7}, IntCase{"-12x", -12}, IntCase{"12 34", 12},
                                         IntCase{"abc", 0}, IntCase{"", 0}, IntCase{"-", 0}, IntCase{" - 5", 0},
                                         IntCase{"2147483647", INT32_MAX}, IntCase{"99999999999999999999", INT32_MAX},
                                         IntCase{"-2147483648", INT32_MIN},
                                         IntCase{"-99999999999999999999", INT32_MIN}));

TEST(HolidayFileChoice, BothCopiesPresent_Choose_PrefersDataFolder) {
  TempFolder program, data;
  program.CopyIn(Fixture("holiday_sample.xml"), "holiday.xml");
  const std::string downloaded = data.CopyIn(Fixture("holiday_utf16.xml"), "holiday.xml");
  EXPECT_EQ(ChooseHolidayFile(program.Path(), data.Path()), downloaded);
}

TEST(HolidayFileChoice, NoDownloadedCopy_Choose_UsesProgramFolder) {
  TempFolder program, data;
  const std::string shipped = program.CopyIn(Fixture("holiday_sample.xml"), "holiday.xml");
  EXPECT_EQ(ChooseHolidayFile(program.Path(), data.Path()), shipped);
  EXPECT_EQ(ChooseHolidayFile(program.Path(), data.File("missing-folder")), shipped);
  EXPECT_EQ(ChooseHolidayFile(program.Path(), ""), shipped);
}

class DownloadedCopyWins : public testing::TestWithParam<BrokenCase> {};

// The downloaded copy wins even when it is empty or broken: no marks at all.
TEST_P(DownloadedCopyWins, BrokenDownloadedCopy_LoadHolidays_IgnoresShippedCopy) {
  TempFolder program, data;
  program.CopyIn(Fixture("holiday_sample.xml"), "holiday.xml");
  const std::string downloaded = data.CopyIn(Fixture(GetParam().fixture), "holiday.xml");
  EXPECT_EQ(LoadHolidays(program.Path(), data.Path()), downloaded);
  EXPECT_FALSE(Holidays().Loaded());
  DayInfo info = DateOnly(2025, 1, 29);
  AttachHolidays(info);
  EXPECT_EQ(info.holiday, nullptr);
  EXPECT_EQ(info.restDay, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DownloadedCopyWins,
                         testing::Values(BrokenCase{"yj_empty.db"}, BrokenCase{"holiday_truncated.xml"},
                                         BrokenCase{"holiday_wrong_root.xml"}));

TEST(ProcessHolidays, Reload_KeepsEarlierPointersValid) {
  TempFolder program, data;
  program.CopyIn(Fixture("holiday_sample.xml"), "holiday.xml");
  LoadHolidays(program.Path(), data.Path());
  DayInfo info = DateOnly(2025, 1, 29);
  AttachHolidays(info);
  ASSERT_NE(info.holiday, nullptr);
  LoadHolidays(program.Path(), data.Path());
  EXPECT_EQ(info.holiday->desc, "春节");  // read after the reload: still alive
  DayInfo again = DateOnly(2025, 1, 29);
  AttachHolidays(again);
  EXPECT_NE(again.holiday, info.holiday);  // the fresh table's entry
}

}  // namespace
}  // namespace vr
