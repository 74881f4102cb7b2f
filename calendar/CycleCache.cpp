#include "calendar/CycleCache.h"

#include <atomic>
#include <bit>
#include <cmath>

#include "calendar/Astronomy.h"
#include "calendar/CalendarMath.h"
#include "calendar/TermNewMoon.h"

namespace vr {
namespace {

constexpr double kJ2000 = 2451545;
constexpr double kTropicalYear = 365.2422;  // days
constexpr double kSynodicMonth = 29.5306;   // days

std::atomic<bool> termMemoEnabled{true};

}  // namespace

CycleCache& CycleCache::Instance() {
  // One per thread: the engine is called from the UI thread, and a thread of
  // its own never races on another thread's cycle.
  thread_local CycleCache cache;
  return cache;
}

void CycleCache::SetTermMemoEnabled(bool enabled) { termMemoEnabled = enabled; }
bool CycleCache::TermMemoEnabled() { return termMemoEnabled; }

void CycleCache::Ensure(double d) {
  if (!Contains(d)) Build(d);
}

double CycleCache::PreciseTermTime(double w) {
  if (!termMemoEnabled) return astro::TermTimePrecise(w);
  const uint64_t key = std::bit_cast<uint64_t>(w);
  MemoSlot& slot = termMemo_[(key * 0x9E3779B97F4A7C15ull) >> 58];
  if (slot.used && slot.key == key) return slot.time;
  slot = {key, astro::TermTimePrecise(w), true};
  return slot.time;
}

void CycleCache::Build(double d) {
  // The winter solstice at or before d: 355 is the 2000 December solstice.
  double w = std::floor((d - 172) / kTropicalYear) * kTropicalYear + 355;
  if (CalcTermOrNewMoon(w, LunarEvent::Term) > d) w -= kTropicalYear;
  for (int i = 0; i < kTermCount; ++i) {
    terms[i] = CalcTermOrNewMoon(w + 15.2184 * i, LunarEvent::Term);
  }
  termsBefore[0] = CalcTermOrNewMoon(w - 15.2, LunarEvent::Term);
  termsBefore[1] = CalcTermOrNewMoon(w - 30.4, LunarEvent::Term);

  double m = CalcTermOrNewMoon(terms[0], LunarEvent::NewMoon);
  if (m > terms[0]) m -= 29.53;
  for (int i = 0; i < kNewMoonCount; ++i) {
    newMoons[i] = CalcTermOrNewMoon(m + kSynodicMonth * i, LunarEvent::NewMoon);
  }
  for (int i = 0; i < kMonthCount; ++i) {
    monthLength[i] = calmath::SaturatingInt(newMoons[i + 1] - newMoons[i]);
    monthName[i] = i;
  }
  leapIndex = 0;

  // Cycles of the years -721..-104 follow the mean new moons of the ancient
  // calendars in the published method; no view reaches them, so they are
  // named by the rules below like every other cycle.
  if (newMoons[13] <= terms[24]) {
    // Thirteen months start before the next solstice: the first month without
    // a major term is the leap month.
    int i = 1;
    while (i < 13 && newMoons[i + 1] > terms[2 * i]) ++i;
    leapIndex = i;
    for (; i < kMonthCount; ++i) --monthName[i];
  }
  NameMonths();
  built_ = true;
}

void CycleCache::NameMonths() {
  // Historical month numberings that the published method reproduces
  // (calendar reforms of the first, eighth and ninth centuries).
  for (int i = 0; i < kMonthCount; ++i) {
    const int v = monthName[i];
    const double jd = newMoons[i] + kJ2000;
    int name = v % 12;
    if ((jd >= 1724360 && jd <= 1729794) || (jd >= 1807724 && jd <= 1808699)) {
      name = (v + 1) % 12;
    } else if (jd >= 1999349 && jd <= 1999467) {
      name = (v + 2) % 12;
    } else if (jd >= 1973067 && jd <= 1977052 && v % 12 == 0) {
      name = 2;
    }
    if (jd == 1729794 || jd == 1808699) name = kSecondTwelfthMonth;
    monthName[i] = name;
  }
}

}  // namespace vr
