#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "calendar/cli/CalCommand.h"

namespace vr::cal {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct PipeCloser {
  void operator()(std::FILE* f) const { pclose(f); }
};

std::string ReadAll(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  return text;
}

struct Result {
  int code;
  std::string out, err;
};

Result RunCal(const std::vector<std::string>& args) {
  FilePtr out(std::tmpfile()), err(std::tmpfile());
  int code = RunCalCommand(args, CalDate{2024, 2, 15}, out.get(), err.get());
  return {code, ReadAll(out.get()), ReadAll(err.get())};
}

TEST(CalCommand, DateTexts_ParseDate_AcceptsOnlyRealDates) {
  CalDate d;
  EXPECT_TRUE(ParseDate("2024-02-29", d));
  EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20240229);
  for (const char* bad : {"2023-02-29", "2023-13-01", "2023-00-10", "2023-1-22", "0000-01-01",
                          "2023-01-22x", "20230122", "", "abcd-ef-gh", "2023-04-31"}) {
    EXPECT_FALSE(ParseDate(bad, d)) << bad;
  }
  EXPECT_TRUE(ParseMonth("2024-02", d));
  EXPECT_FALSE(ParseMonth("2024-2", d));
}

TEST(CalCommand, BadArguments_Run_GiveOneLineAndCode2) {
  const std::vector<std::vector<std::string>> cases = {
      {"day"}, {"day", "2023-02-30"}, {"days", "2023-01-01"}, {"days", "2023-02-01", "2023-01-01"},
      {"2024-13"}, {"--bogus"}, {"2024-01", "2024-02"}, {"--csv"}, {"day", "x", "y"}};
  for (const auto& args : cases) {
    Result r = RunCal(args);
    EXPECT_EQ(r.code, 2) << args[0];
    EXPECT_TRUE(r.out.empty()) << args[0];
    ASSERT_FALSE(r.err.empty()) << args[0];
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
}

// The engine's columns come first; later columns may follow them.
constexpr const char* kEngineHeader =
    "ymd,weekday,lunar_year,lunar_month,leap,lunar_day,zodiac,year_stem,year_branch,"
    "month_stem,month_branch,day_stem,day_branch,solar_term";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// `line` is `prefix` alone or followed by further comma-separated columns.
bool StartsWithColumns(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0 &&
         (line.size() == prefix.size() || line[prefix.size()] == ',');
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

TEST(CalCommand, DaysCsv_Run_PrintsHeaderAndOneRowPerDay) {
  Result r = RunCal({"days", "2023-01-21", "2023-01-22", "--csv"});
  EXPECT_EQ(r.code, 0);
  std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_TRUE(StartsWithColumns(lines[0], kEngineHeader)) << lines[0];
  EXPECT_TRUE(StartsWithColumns(lines[1], "20230121,6,2022,12,0,30,2,8,2,9,1,5,3,-1")) << lines[1];
  EXPECT_TRUE(StartsWithColumns(lines[2], "20230122,0,2023,1,0,1,3,8,2,9,1,6,4,-1")) << lines[2];
}

TEST(CalCommand, Day_Run_PrintsTheFullRecord) {
  Result r = RunCal({"day", "2020-05-23"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find("节气  无\n")),
            "公历  2020-05-23 星期六\n"
            "农历  2020年 闰四月初一 (闰月)\n"
            "生肖  鼠\n"
            "干支  庚子年 辛巳月 丙寅日\n");
  EXPECT_NE(RunCal({"day", "2024-02-04"}).out.find("节气  立春\n"), std::string::npos);
}

TEST(CalCommand, MonthGrid_Run_StartsWeeksOnMondayOrSunday) {
  // February 2024 starts on a Thursday; 立春 falls on the 4th.
  Result monday = RunCal({"2024-02"});
  EXPECT_EQ(monday.code, 0);
  std::vector<std::string> m = Lines(monday.out);
  ASSERT_GE(m.size(), 12u) << monday.out;
  EXPECT_EQ(Trim(m[0]), "2024年2月");
  EXPECT_EQ(m[1].find("一"), m[1].find_first_not_of(' '));
  EXPECT_EQ(Trim(m[1]).substr(Trim(m[1]).size() - 3), "日");
  EXPECT_EQ(Trim(m[2]).substr(Trim(m[2]).size() - 1), "4");
  EXPECT_NE(monday.out.find("立春"), std::string::npos);
  EXPECT_EQ(Trim(m[m.size() - 2]).substr(0, 2), "26");  // two lines per week; last 26..29

  Result sunday = RunCal({"--sunday", "2024-02"});
  std::vector<std::string> s = Lines(sunday.out);
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[1].find("日"), s[1].find_first_not_of(' '));
  EXPECT_EQ(Trim(s[2]).substr(Trim(s[2]).size() - 1), "3");
  EXPECT_EQ(RunCal({}).out, monday.out);  // the month of `today`
}

TEST(CalCommand, Binary_Run_WritesCsvAndFailsWithCode2) {
  const std::string bin = std::string(VR_BIN_DIR) + "/veskorili-cal";
  std::unique_ptr<std::FILE, PipeCloser> pipe(
      popen((bin + " days 2000-01-01 2000-01-02 --csv").c_str(), "r"));
  ASSERT_TRUE(pipe);
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, pipe.get())) out += buf;
  EXPECT_EQ(WEXITSTATUS(pclose(pipe.release())), 0);
  std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 3u) << out;
  EXPECT_TRUE(StartsWithColumns(lines[0], kEngineHeader)) << lines[0];
  EXPECT_TRUE(StartsWithColumns(lines[1], "20000101,6,1999,11,0,25,3,5,3,2,0,4,6,-1")) << lines[1];
  int status = std::system((bin + " day 2023-02-30 >/dev/null 2>&1").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace vr::cal
