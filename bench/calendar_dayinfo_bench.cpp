// Cost of the day record: one day, a month grid's 42 cells, and every day of
// 1900..2100 in order (solar term included).
#include <benchmark/benchmark.h>

#include "calendar/CycleCache.h"
#include "calendar/LunarCalendar.h"

namespace {

using vr::BuildDayInfo;
using vr::DayInfo;

// One day at a time, walking through 2024 (the cycle stays warm).
void BM_BuildDayInfo_OneDay(benchmark::State& state) {
  int y = 2024, m = 1, d = 1;
  DayInfo info{};
  for (auto _ : state) {
    BuildDayInfo(y, m, d, info);
    benchmark::DoNotOptimize(info.solarTerm);
    vr::NextDay(y, m, d);
    if (y > 2024) y = 2024;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildDayInfo_OneDay);

// The 42 cells of a month grid, starting on the Sunday on or before the 1st.
void FillMonth(int year, int month, DayInfo (&cells)[42]) {
  int y = year, m = month, d = 1;
  for (int i = vr::WeekDay(year, month, 1); i > 0; --i) vr::PrevDay(y, m, d);
  for (DayInfo& cell : cells) {
    BuildDayInfo(y, m, d, cell);
    vr::NextDay(y, m, d);
  }
}

// The same month again and again, as a repaint does.
void BM_MonthFill_Repaint(benchmark::State& state) {
  static DayInfo cells[42];
  for (auto _ : state) {
    FillMonth(2024, 2, cells);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 42);
}
BENCHMARK(BM_MonthFill_Repaint)->Unit(benchmark::kMicrosecond);

// Month after month through 1900..2100, as paging through the years does
// (each new year's cycle is computed once on the way).
void BM_MonthFill_Paging(benchmark::State& state) {
  static DayInfo cells[42];
  int year = 1900, month = 1;
  for (auto _ : state) {
    FillMonth(year, month, cells);
    benchmark::ClobberMemory();
    if (++month > 12) {
      month = 1;
      if (++year > 2100) year = 1900;
    }
  }
  state.SetItemsProcessed(state.iterations() * 42);
}
BENCHMARK(BM_MonthFill_Paging)->Unit(benchmark::kMicrosecond);

// Every day of 1900-01-01..2100-12-31 in order; arg 0 switches the term memo off.
void BM_Sweep1900To2100(benchmark::State& state) {
  vr::CycleCache::SetTermMemoEnabled(state.range(0) != 0);
  DayInfo info{};
  int64_t days = 0;
  for (auto _ : state) {
    int y = 1900, m = 1, d = 1;
    while (y <= 2100) {
      BuildDayInfo(y, m, d, info);
      benchmark::DoNotOptimize(info.solarTerm);
      vr::NextDay(y, m, d);
      ++days;
    }
  }
  vr::CycleCache::SetTermMemoEnabled(true);
  state.SetItemsProcessed(days);
}
BENCHMARK(BM_Sweep1900To2100)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
