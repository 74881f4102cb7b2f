#include <gtest/gtest.h>

#include <cmath>

#include "calendar/Astronomy.h"
#include "calendar/LunarCalendar.h"
#include "calendar/SxwnlSeries.h"
#include "calendar/TermNewMoon.h"

namespace vr {
namespace {

using sxwnl::kEarthLongitude;
using sxwnl::kMoonLongitude;

TEST(SxwnlSeries, GeneratedTables_BlockSizes_MatchTheSeries) {
  const int earth[] = {186, 114, 60, 8, 4, 4};
  for (int k = 0; k < sxwnl::kEarthBlockCount; ++k) {
    EXPECT_EQ(kEarthLongitude[k].count, earth[k] * 3) << "L" << k;
  }
  const int moon[] = {442, 149, 2};
  for (int k = 0; k < sxwnl::kMoonBlockCount; ++k) {
    EXPECT_EQ(kMoonLongitude[k].count, moon[k] * 6) << "M" << k;
  }
}

TEST(SxwnlSeries, GeneratedTables_FirstRows_AreThePublishedValues) {
  const double l0[] = {17534704567, 0, 0, 334165646, 4.669256804, 6283.075849991,
                       3489428,     4.6261024, 12566.1517};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(kEarthLongitude[0].values[i], l0[i]) << i;
  const double m0[] = {22639.586, 0.78475822, 8328.691424623, 1.5229241, 25.0719, -0.123598};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(kMoonLongitude[0].values[i], m0[i]) << i;
  // The last value of each series, so a dropped or doubled line shows.
  EXPECT_EQ(kMoonLongitude[2].values[11], 0);
  EXPECT_EQ(kMoonLongitude[2].values[6], 0.0000017);
}

TEST(DeltaT, TableAndExtrapolation_DeltaTSeconds_MeetAtTheRowStarts) {
  EXPECT_DOUBLE_EQ(astro::DeltaTSeconds(2000), 63.87);
  EXPECT_DOUBLE_EQ(astro::DeltaTSeconds(1900), -2.3);
  EXPECT_DOUBLE_EQ(astro::DeltaTSeconds(1600), 120);
  EXPECT_NEAR(astro::DeltaTSeconds(2015), 69, 1e-9);
  // Continuous where the blend hands over to the parabola.
  EXPECT_NEAR(astro::DeltaTSeconds(2115), -20 + 31 * 2.95 * 2.95, 1e-9);
  EXPECT_NEAR(astro::DeltaTSeconds(2114.9999), astro::DeltaTSeconds(2115.0001), 1e-2);
  // Day numbers count from J2000; 2000.0 is 0.5 day before day 0.
  EXPECT_NEAR(astro::DeltaT(0) * 86400, 63.87, 0.01);
}

TEST(Astronomy, J2000_SunLongitude_IsNearTheKnownValue) {
  // Apparent solar longitude at 2000-01-01 12:00 TD: 280.37 degrees (Meeus).
  double deg = std::fmod(astro::SunApparentLongitude(0, -1), astro::kPi2) * 180 / astro::kPi;
  EXPECT_NEAR(deg, 280.37, 0.01);
}

TEST(Astronomy, Inverses_FastAndPrecise_AgreeWellInsideTheMidnightWindows) {
  // The fast inverses are trusted outside 1200 s (terms) and 1800 s (new
  // moons) of midnight; their error must stay well below that.
  constexpr double kTenMinutes = 600.0 / 86400 / 36525;
  for (int k = -24 * 3; k < 24 * 3; k += 5) {
    double w = k * astro::kPi / 12;
    EXPECT_NEAR(astro::TermTimeFast(w), astro::TermTimePrecise(w), kTenMinutes) << k;
  }
  for (int k = -40; k < 40; k += 3) {
    double w = k * astro::kPi2;
    EXPECT_NEAR(astro::NewMoonTimeFast(w), astro::NewMoonTimePrecise(w), kTenMinutes) << k;
  }
}

TEST(Corrections, PackedStrings_Decompress_ToThePublishedLengths) {
  EXPECT_EQ(NewMoonCorrections().size(), 16598u);
  EXPECT_EQ(TermCorrections().size(), 7567u);
  EXPECT_EQ(DecompressCorrections("J1tA"), "00" "1" "02" + std::string(60, '0'));
  EXPECT_EQ(DecompressCorrections("Fa"), std::string(10, '0') + "0000000001");
}

TEST(Corrections, TermsBefore1960_CalcTermOrNewMoon_AppliesTheCorrectionCharacter) {
  // Every term of 1900..1959: result = uncorrected day, moved by the character.
  int later = 0, earlier = 0;
  for (double d = DayNumber(1900, 1, 1); d < DayNumber(1959, 12, 1); d += 15.2184) {
    for (LunarEvent kind : {LunarEvent::Term, LunarEvent::NewMoon}) {
      double low = LowPrecisionDay(d, kind);
      char c = CorrectionFor(d, kind);
      double expected = c == '1' ? low + 1 : c == '2' ? low - 1 : low;
      ASSERT_EQ(CalcTermOrNewMoon(d, kind), expected) << d;
      later += c == '1';
      earlier += c == '2';
    }
  }
  EXPECT_GT(later, 0);
  EXPECT_GT(earlier, 0);
}

TEST(CalcTermOrNewMoon, Regimes_KnownEvents_FallOnTheirDays) {
  const struct {
    int y, m, d;
    LunarEvent kind;
  } cases[] = {
      {2000, 1, 7, LunarEvent::NewMoon},    // high precision
      {2000, 3, 20, LunarEvent::Term},      // 春分
      {2023, 1, 22, LunarEvent::NewMoon},
      {1912, 2, 18, LunarEvent::NewMoon},   // low precision + correction
      {1949, 12, 22, LunarEvent::Term},     // 冬至
      {1800, 1, 25, LunarEvent::NewMoon},
      {1500, 12, 12, LunarEvent::Term},     // fitted table (Julian calendar date)
  };
  for (const auto& c : cases) {
    double n = DayNumber(c.y, c.m, c.d);
    EXPECT_EQ(CalcTermOrNewMoon(n + 3, c.kind), n) << c.y << "-" << c.m << "-" << c.d;
  }
}

}  // namespace
}  // namespace vr
