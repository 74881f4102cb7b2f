#include "calendar/cli/DayText.h"

#include <cstdio>

#include "calendar/Almanac.h"
#include "calendar/DayText.h"
#include "calendar/FestivalTable.h"
#include "calendar/HolidayTable.h"
#include "calendar/LunarCalendar.h"

namespace vr::cal {
namespace {

constexpr const char* kWeekDayNames[] = {"日", "一", "二", "三", "四", "五", "六"};
// A grid cell is eight terminal columns: a CJK character takes two. The
// number line holds the day number and a two-column 休/班 slot; the text line
// holds up to three CJK characters of the cell text.
constexpr int kCellColumns = 8;
constexpr int kMarkColumns = 2;
constexpr int kCellTextColumns = 6;

std::string Format(const char* fmt, auto... args) {
  char buf[256];
  int n = std::snprintf(buf, sizeof buf, fmt, args...);
  if (n < 0) return {};
  return std::string(buf, static_cast<size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}

// `text` right-aligned in a cell, given its width in terminal columns.
std::string Cell(const std::string& text, int columns) {
  int pad = kCellColumns - 1 - columns;
  return std::string(pad > 0 ? pad : 0, ' ') + text + " ";
}

std::string TrimRight(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// Length of the UTF-8 sequence led by byte `lead` (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The longest prefix of `text` that fits `maxColumns` terminal columns
// (characters of three or more UTF-8 bytes taken as two columns: the CJK
// range), with its width in `columns`.
std::string FitColumns(const std::string& text, int maxColumns, int& columns) {
  columns = 0;
  size_t end = 0;
  while (end < text.size()) {
    const size_t length = SequenceLength(static_cast<unsigned char>(text[end]));
    const int width = length >= 3 ? 2 : 1;
    if (columns + width > maxColumns || end + length > text.size()) break;
    columns += width;
    end += length;
  }
  return text.substr(0, end);
}

// The day's schedule mark: 班 for a swapped working day, 休 for a rest day.
const char* ScheduleMark(const DayInfo& info) {
  if (info.workDay) return "班";
  if (info.restDay) return "休";
  return "";
}

std::string FestivalList(const DayInfo& info, const char* separator) {
  std::string out;
  for (const Festival* festival : info.festivals) {
    if (!out.empty()) out += separator;
    out += festival->name;
  }
  return out;
}

// One CSV field: quoted (with doubled quotes) when it holds a comma, a quote
// or a line break, as holiday descriptions from a downloaded file might.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::string ShortLunarText(const DayInfo& info) {
  if (info.solarTerm >= 0) return SolarTermName(info.solarTerm);
  return LunarDayName(info.lunarDay);
}

std::string LunarMonthText(const DayInfo& info) {
  return (info.leapMonth ? "闰" : "") + LunarMonthName(info.lunarMonth) + "月";
}

std::string MonthGrid(int year, int month, bool sundayFirst) {
  const int firstWeekDay = WeekDay(year, month, 1);
  const int start = sundayFirst ? 0 : 1;
  DayInfo info{};

  std::string out = std::string(16, ' ') + Format("%d年%d月", year, month) + "\n";
  std::string header;
  // Names stand over the day numbers, left of the mark slot.
  for (int i = 0; i < 7; ++i)
    header += Cell(std::string(kWeekDayNames[(start + i) % 7]) + "  ", 2 + kMarkColumns);
  out += TrimRight(header) + "\n";

  const int lead = (firstWeekDay - start + 7) % 7;
  const int days = DaysInMonth(year, month);
  std::string numbers, texts;
  int column = 0;
  for (; column < lead; ++column) {
    numbers += std::string(kCellColumns, ' ');
    texts += std::string(kCellColumns, ' ');
  }
  for (int d = 1; d <= days; ++d) {
    BuildDayInfo(year, month, d, info);
    const char* mark = ScheduleMark(info);
    numbers += Cell(Format("%d", d) + (*mark ? mark : "  "), (d < 10 ? 1 : 2) + kMarkColumns);
    int columns = 0;
    const std::string text = FitColumns(CellText(info), kCellTextColumns, columns);
    texts += Cell(text, columns);
    if (++column == 7 || d == days) {
      out += TrimRight(numbers) + "\n" + TrimRight(texts) + "\n";
      numbers.clear();
      texts.clear();
      column = 0;
    }
  }
  return out;
}

std::string DayReport(const DayInfo& info) {
  std::string out;
  out += Format("公历  %04d-%02d-%02d 星期%s\n", info.year, info.month, info.day,
                info.weekDay >= 0 && info.weekDay < 7 ? kWeekDayNames[info.weekDay] : "");
  out += Format("农历  %d年 %s%s%s\n", info.lunarYear, LunarMonthText(info).c_str(),
                LunarDayName(info.lunarDay).c_str(), info.leapMonth ? " (闰月)" : "");
  out += Format("生肖  %s\n", ZodiacName(info.zodiac).c_str());
  out += Format("干支  %s年 %s月 %s日\n", StemBranchText(info.yearStem, info.yearBranch).c_str(),
                StemBranchText(info.monthStem, info.monthBranch).c_str(),
                StemBranchText(info.dayStem, info.dayBranch).c_str());
  out += Format("节气  %s\n", info.solarTerm >= 0 ? SolarTermName(info.solarTerm).c_str() : "无");
  const std::string festivals = FestivalList(info, "、");
  out += Format("节日  %s\n", festivals.empty() ? "无" : festivals.c_str());
  out += Format("假日  %s\n", info.holiday ? info.holiday->desc.c_str() : "无");
  out += Format("休班  %s\n", *ScheduleMark(info) ? ScheduleMark(info) : "无");
  out += Format("格子  %s\n", CellText(info).c_str());
  out += Format("星座  %s\n", ConstellationName(info.month, info.day).c_str());
  std::string yi, ji;
  LookupAlmanac(info.year, info.month, info.day, yi, ji);
  // The almanac's texts can outgrow Format's buffer: append them whole.
  out += "宜    " + (yi.empty() ? std::string("无") : yi) + "\n";
  out += "忌    " + (ji.empty() ? std::string("无") : ji) + "\n";
  return out;
}

const char* CsvHeader() {
  return "ymd,weekday,lunar_year,lunar_month,leap,lunar_day,zodiac,year_stem,year_branch,"
         "month_stem,month_branch,day_stem,day_branch,solar_term,"
         "cell_text,festivals,holiday,rest,work";
}

std::string CsvRow(const DayInfo& info) {
  return Format("%04d%02d%02d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", info.year, info.month,
                info.day, info.weekDay, info.lunarYear, info.lunarMonth, info.leapMonth ? 1 : 0,
                info.lunarDay, info.zodiac, info.yearStem, info.yearBranch, info.monthStem,
                info.monthBranch, info.dayStem, info.dayBranch, info.solarTerm) +
         "," + CsvField(CellText(info)) + "," + CsvField(FestivalList(info, ";")) + "," +
         CsvField(info.holiday ? info.holiday->desc : std::string()) + (info.restDay ? ",1" : ",0") +
         (info.workDay ? ",1" : ",0");
}

}  // namespace vr::cal
