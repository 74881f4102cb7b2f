#pragma once

// Coefficients of the sxwnl longitude series, generated at build time from
// tools/sxwnl/*.txt by tools/GenerateSxwnlSeries.cmake.
namespace vr::sxwnl {

// One block of a series: `count` doubles, a whole number of terms.
struct SeriesBlock {
  const double* values;
  int count;
};

// Earth heliocentric longitude (truncated VSOP87), blocks L0..L5 of
// 186, 114, 60, 8, 4, 4 terms; each term A, B, C stands for A cos(B + C tau),
// tau in Julian millennia, A scaled by 1e10.
inline constexpr int kEarthBlockCount = 6;
inline constexpr int kEarthValuesPerTerm = 3;
extern const SeriesBlock kEarthLongitude[kEarthBlockCount];

// Moon geocentric longitude, blocks of 442, 149 and 2 terms; each term
// A, B, C, D, E, F stands for A cos(B + C t + D t^2/1e4 + E t^3/1e8 + F t^4/1e8),
// t in Julian centuries, A in arc-seconds; block k is multiplied by t^k.
inline constexpr int kMoonBlockCount = 3;
inline constexpr int kMoonValuesPerTerm = 6;
extern const SeriesBlock kMoonLongitude[kMoonBlockCount];

}  // namespace vr::sxwnl
