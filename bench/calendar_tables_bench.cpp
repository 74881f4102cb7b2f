// Cost of decorating day records with the shipped holiday schedule and
// festivals, and of one almanac lookup, as a month view pays them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "calendar/Almanac.h"
#include "calendar/DayText.h"
#include "calendar/FestivalTable.h"
#include "calendar/HolidayTable.h"
#include "calendar/LunarCalendar.h"

namespace {

const std::string kData = (std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string();

const vr::HolidayTable& ShippedHolidays() {
  static vr::HolidayTable table = [] {
    vr::HolidayTable t;
    t.LoadFile(kData + "/holiday.xml");
    return t;
  }();
  return table;
}

void BM_AttachHolidays_Month(benchmark::State& state) {
  const vr::HolidayTable& table = ShippedHolidays();
  vr::DayInfo info{};
  info.year = 2025;
  info.month = 10;
  for (auto _ : state) {
    for (int day = 1; day <= 31; ++day) {
      info.day = day;
      table.Attach(info);
      benchmark::DoNotOptimize(info.restDay);
    }
  }
}
BENCHMARK(BM_AttachHolidays_Month);

void BM_LoadHolidayFile(benchmark::State& state) {
  for (auto _ : state) {
    vr::HolidayTable table;
    benchmark::DoNotOptimize(table.LoadFile(kData + "/holiday.xml"));
  }
}
BENCHMARK(BM_LoadHolidayFile);

void BM_BuildDayInfo_MonthWithDecorators(benchmark::State& state) {
  vr::LoadFestivals();
  vr::SetDayInfoDecorators([](vr::DayInfo& info) { ShippedHolidays().Attach(info); }, vr::CollectFestivals);
  vr::DayInfo info{};
  for (auto _ : state) {
    for (int day = 1; day <= 31; ++day) {
      vr::BuildDayInfo(2025, 1, day, info);
      benchmark::DoNotOptimize(vr::CellText(info));
    }
  }
  vr::SetDayInfoDecorators(nullptr, nullptr);
}
BENCHMARK(BM_BuildDayInfo_MonthWithDecorators);

void BM_LookupAlmanac(benchmark::State& state) {
  vr::Almanac almanac(kData + "/yj.db");
  std::string yi, ji;
  int day = 0;
  for (auto _ : state) {
    almanac.Lookup(2025, 1 + day % 12, 1 + day % 28, yi, ji);
    ++day;
    benchmark::DoNotOptimize(yi);
  }
}
BENCHMARK(BM_LookupAlmanac);

}  // namespace
