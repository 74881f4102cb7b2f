#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "calendar/CalendarData.h"
#include "calendar/cli/CalCommand.h"
#include "platform/Paths.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  vr::cal::CalDate today{2000, 1, 1};
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local)) today = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  // Large outputs (days --csv over centuries) go out in big blocks.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  // The holiday schedule and almanac the widget shows: the copies beside this
  // executable, or a downloaded holiday file in the user's data folder.
  vr::LoadCalendarData(vr::ProgramFolder(), vr::DataFolder());
  int rc = vr::cal::RunCalCommand(args, today, stdout, stderr);
  if (std::fflush(stdout) != 0) return 1;
  return rc;
}
