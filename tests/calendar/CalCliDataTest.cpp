// veskorili-cal over the shipped holiday schedule and almanac: the month grid's
// cell texts and 休/班 marks, the day report and the appended CSV columns.
#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/calendar/CalendarFixtures.h"
#include "calendar/Almanac.h"
#include "calendar/CalendarData.h"
#include "calendar/LunarCalendar.h"
#include "calendar/cli/CalCommand.h"

namespace vr {
namespace {

using test::TempFolder;

// Runs the command in-process and returns what it printed.
std::string RunCal(const std::vector<std::string>& args, int expectedExit = cal::kExitOk) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  std::FILE* err = std::fopen("/dev/null", "w");
  const int rc = cal::RunCalCommand(args, cal::CalDate{2025, 1, 1}, out, err);
  std::fclose(out);
  std::fclose(err);
  std::string result(text, size);
  free(text);
  EXPECT_EQ(rc, expectedExit);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

class CalWithData : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dataFolder_ = new TempFolder;
    LoadCalendarData(VR_BIN_DIR, dataFolder_->Path());
  }
  static void TearDownTestSuite() {
    SetDayInfoDecorators(nullptr, nullptr);
    SetAlmanacFolder(VR_BIN_DIR);
    delete dataFolder_;
    dataFolder_ = nullptr;
  }
  static inline TempFolder* dataFolder_ = nullptr;
};

TEST_F(CalWithData, FirstDayOf2025SpringFestival_Day_PrintsHolidayRestMarkAndAlmanac) {
  const std::string out = RunCal({"day", "2025-01-29"});
  EXPECT_NE(out.find("节日  春节\n"), std::string::npos) << out;
  EXPECT_NE(out.find("假日  春节\n"), std::string::npos) << out;
  EXPECT_NE(out.find("休班  休\n"), std::string::npos) << out;
  EXPECT_NE(out.find("星座  水瓶座\n"), std::string::npos) << out;
  EXPECT_NE(out.find("宜    祭祀 斋醮 纳财 捕捉 畋猎\n"), std::string::npos) << out;
  EXPECT_NE(out.find("忌    嫁娶 开市 入宅 安床 破土 安葬\n"), std::string::npos) << out;
}

TEST_F(CalWithData, NewYearsEve2025_Day_ShowsChuxiCellAndRestMark) {
  const std::string out = RunCal({"day", "2025-01-28"});
  EXPECT_NE(out.find("格子  除夕\n"), std::string::npos) << out;
  EXPECT_NE(out.find("假日  无\n"), std::string::npos) << out;
  EXPECT_NE(out.find("休班  休\n"), std::string::npos) << out;
}

TEST_F(CalWithData, SwappedWorkingDay_Day_ShowsWorkMark) {
  const std::string out = RunCal({"day", "2025-01-26"});
  EXPECT_NE(out.find("休班  班\n"), std::string::npos) << out;
}

TEST_F(CalWithData, DatesAcrossAlmanacRange_Day_AlwaysHaveYiOrJi) {
  for (const char* date : {"1900-01-01", "1949-10-01", "2000-02-29", "2023-01-01", "2100-12-31"}) {
    const std::string out = RunCal({"day", date});
    EXPECT_EQ(out.find("宜    无\n忌    无\n"), std::string::npos) << date << "\n" << out;
    EXPECT_NE(out.find("宜    "), std::string::npos) << date;
  }
}

TEST_F(CalWithData, January2025_MonthGrid_ShowsCellTextsAndMarks) {
  const std::vector<std::string> lines = Lines(RunCal({"2025-01"}));
  ASSERT_EQ(lines.size(), 12u);  // title, header, five weeks of two lines
  // Monday-first: week five is 27..31; 28..31 are rest days.
  EXPECT_EQ(lines[10], "   27      28休    29休    30休    31休");
  EXPECT_EQ(lines[11], "   廿八    除夕    春节    初二    初三");
  EXPECT_EQ(lines[8], "   20      21      22      23      24      25      26班");
  EXPECT_EQ(lines[9], "   大寒    廿二  北小年  南小年    廿五    廿六    廿七");
  EXPECT_EQ(lines[2], "                    1休     2       3       4       5");
  EXPECT_EQ(lines[3], "                   元旦    初三    初四    初五    小寒");
}

TEST_F(CalWithData, DaysCsv_Header_AppendsColumnsAfterEngineColumns) {
  const std::vector<std::string> lines = Lines(RunCal({"days", "2025-01-26", "2025-01-29", "--csv"}));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0],
            "ymd,weekday,lunar_year,lunar_month,leap,lunar_day,zodiac,year_stem,year_branch,month_stem,"
            "month_branch,day_stem,day_branch,solar_term,cell_text,festivals,holiday,rest,work");
  EXPECT_EQ(lines[1].substr(0, 9), "20250126,");
  EXPECT_EQ(lines[1].substr(lines[1].size() - 13), ",廿七,,,0,1");
  EXPECT_EQ(lines[3].substr(lines[3].size() - 19), ",除夕,除夕,,1,0");
  EXPECT_EQ(lines[4].substr(lines[4].size() - 25), ",春节,春节,春节,1,0");
}

TEST_F(CalWithData, DayWithSeveralFestivals_DaysCsv_JoinsThemWithSemicolons) {
  const std::vector<std::string> lines = Lines(RunCal({"days", "2020-10-01", "2020-10-01", "--csv"}));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find(",国庆节,中秋节;国庆节,国庆节,1,0"), std::string::npos) << lines[1];
}

// ---- The built program, as a user runs it -----------------------------------

std::string RunProgram(const std::string& args, const std::string& dataHome) {
  const std::string command = "XDG_DATA_HOME='" + dataHome + "' '" + std::string(VR_BIN_DIR) +
                              "/veskorili-cal' " + args + " 2>&1";
  std::string output;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << output;
  }
  return output;
}

TEST(CalProgram, BuiltProgram_Day_FindsDataBesideItself) {
  TempFolder dataHome;
  const std::string out = RunProgram("day 2025-01-29", dataHome.Path());
  EXPECT_NE(out.find("假日  春节\n"), std::string::npos) << out;
  EXPECT_NE(out.find("休班  休\n"), std::string::npos) << out;
  EXPECT_NE(out.find("宜    祭祀"), std::string::npos) << out;
}

TEST(CalProgram, DownloadedHolidayFile_Day_WinsOverShippedOne) {
  TempFolder dataHome;
  std::filesystem::create_directories(dataHome.File("VeskoRiLi"));
  dataHome.Write("VeskoRiLi/holiday.xml",
                 "<Holiday><Fests><Fest ID=\"1\" Day=\"20250129\" Desc=\"新年, &quot;下载&quot;\"/></Fests>"
                 "<Duty><Day ID=\"1\">20250129</Day></Duty></Holiday>");
  const std::string out = RunProgram("day 2025-01-29", dataHome.Path());
  EXPECT_NE(out.find("假日  新年, \"下载\"\n"), std::string::npos) << out;
  EXPECT_NE(out.find("休班  班\n"), std::string::npos) << out;
  const std::string csv = RunProgram("days 2025-01-29 2025-01-29 --csv", dataHome.Path());
  EXPECT_NE(csv.find(",\"新年, \"\"下载\"\"\",春节,\"新年, \"\"下载\"\"\",0,1\n"), std::string::npos) << csv;
}

}  // namespace
}  // namespace vr
