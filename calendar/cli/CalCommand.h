#pragma once
#include <cstdio>
#include <string>
#include <vector>

// The veskorili-cal command line:
//   veskorili-cal [--sunday] [YYYY-MM]        the month as a grid (default: this month)
//   veskorili-cal day YYYY-MM-DD              one day's full record
//   veskorili-cal days FROM TO [--csv]        one line per day, FROM..TO inclusive
// Bad arguments print one line to `err` and give exit code 2.
namespace vr::cal {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

// A Gregorian date as the command reads it (years 1..9999).
struct CalDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// Strict "YYYY-MM-DD" / "YYYY-MM"; false for anything else or a date that
// does not exist.
bool ParseDate(const std::string& text, CalDate& date);
bool ParseMonth(const std::string& text, CalDate& date);

// Runs the command; `today` is the month shown when none is given.
int RunCalCommand(const std::vector<std::string>& args, const CalDate& today, std::FILE* out,
                  std::FILE* err);

}  // namespace vr::cal
