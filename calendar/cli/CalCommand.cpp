#include "calendar/cli/CalCommand.h"

#include <tuple>

#include "calendar/LunarCalendar.h"
#include "calendar/cli/DayText.h"

namespace vr::cal {
namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

// Reads exactly `width` decimal digits at `pos`.
bool ReadDigits(const std::string& text, size_t pos, size_t width, int& value) {
  if (pos + width > text.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool ParseYearMonth(const std::string& text, CalDate& date) {
  if (text.size() < 7 || text[4] != '-') return false;
  if (!ReadDigits(text, 0, 4, date.year) || !ReadDigits(text, 5, 2, date.month)) return false;
  return date.year >= kMinYear && date.year <= kMaxYear && date.month >= 1 && date.month <= 12;
}

bool Before(const CalDate& a, const CalDate& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

int Fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "veskorili-cal: %s (try --help)\n", message.c_str());
  return kExitUsage;
}

void PrintUsage(std::FILE* out) {
  std::fputs(
      "usage: veskorili-cal [--sunday] [YYYY-MM]\n"
      "       veskorili-cal day YYYY-MM-DD\n"
      "       veskorili-cal days FROM TO [--csv]\n",
      out);
}

int RunDay(const CalDate& date, std::FILE* out) {
  DayInfo info{};
  BuildDayInfo(date.year, date.month, date.day, info);
  std::fputs(DayReport(info).c_str(), out);
  return kExitOk;
}

int RunDays(const CalDate& from, const CalDate& to, bool csv, std::FILE* out) {
  if (csv) std::fprintf(out, "%s\n", CsvHeader());
  DayInfo info{};
  int y = from.year, m = from.month, d = from.day;
  for (CalDate at = from; !Before(to, at); at = {y, m, d}) {
    BuildDayInfo(y, m, d, info);
    if (csv) {
      std::fprintf(out, "%s\n", CsvRow(info).c_str());
    } else {
      std::fprintf(out, "%04d-%02d-%02d %s%s %s\n", y, m, d, LunarMonthText(info).c_str(),
                   LunarDayName(info.lunarDay).c_str(),
                   info.solarTerm >= 0 ? SolarTermName(info.solarTerm).c_str() : "");
    }
    NextDay(y, m, d);
  }
  return kExitOk;
}

}  // namespace

bool ParseMonth(const std::string& text, CalDate& date) {
  CalDate parsed;
  if (text.size() != 7 || !ParseYearMonth(text, parsed)) return false;
  parsed.day = 1;
  date = parsed;
  return true;
}

bool ParseDate(const std::string& text, CalDate& date) {
  CalDate parsed;
  if (text.size() != 10 || !ParseYearMonth(text, parsed) || text[7] != '-') return false;
  if (!ReadDigits(text, 8, 2, parsed.day)) return false;
  if (parsed.day < 1 || parsed.day > DaysInMonth(parsed.year, parsed.month)) return false;
  date = parsed;
  return true;
}

int RunCalCommand(const std::vector<std::string>& args, const CalDate& today, std::FILE* out,
                  std::FILE* err) {
  bool sunday = false, csv = false;
  std::vector<std::string> words;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      PrintUsage(out);
      return kExitOk;
    }
    if (a == "--sunday") {
      sunday = true;
    } else if (a == "--csv") {
      csv = true;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return Fail(err, "unknown option " + a);
    } else {
      words.push_back(a);
    }
  }

  if (!words.empty() && words[0] == "day") {
    CalDate date;
    if (words.size() != 2) return Fail(err, "day needs one date YYYY-MM-DD");
    if (!ParseDate(words[1], date)) return Fail(err, "not a date: " + words[1]);
    return RunDay(date, out);
  }
  if (!words.empty() && words[0] == "days") {
    CalDate from, to;
    if (words.size() != 3) return Fail(err, "days needs two dates FROM TO");
    if (!ParseDate(words[1], from)) return Fail(err, "not a date: " + words[1]);
    if (!ParseDate(words[2], to)) return Fail(err, "not a date: " + words[2]);
    if (Before(to, from)) return Fail(err, "FROM is after TO");
    return RunDays(from, to, csv, out);
  }
  if (csv) return Fail(err, "--csv only goes with days");
  if (words.size() > 1) return Fail(err, "too many arguments");
  CalDate month = today;
  if (words.size() == 1 && !ParseMonth(words[0], month)) {
    return Fail(err, "not a month YYYY-MM: " + words[0]);
  }
  std::fputs(MonthGrid(month.year, month.month, sunday).c_str(), out);
  return kExitOk;
}

}  // namespace vr::cal
