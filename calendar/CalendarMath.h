#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// Small arithmetic helpers of the calendar engine that keep every input,
// however odd, inside defined behaviour.
namespace vr::calmath {

// Remainder in [0, m) for any sign of x (m > 0).
inline int64_t FloorMod(int64_t x, int64_t m) {
  int64_t r = x % m;
  return r < 0 ? r + m : r;
}

// Quotient rounded toward minus infinity (m > 0).
inline int64_t FloorDiv(int64_t x, int64_t m) { return (x - FloorMod(x, m)) / m; }

// Converts an integral-valued double to int, saturating at the int range;
// NaN gives 0.
inline int SaturatingInt(double x) {
  if (!(x == x)) return 0;
  constexpr double kMin = std::numeric_limits<int>::min();
  constexpr double kMax = std::numeric_limits<int>::max();
  if (x <= kMin) return std::numeric_limits<int>::min();
  if (x >= kMax) return std::numeric_limits<int>::max();
  return static_cast<int>(x);
}

inline int FloorToInt(double x) { return SaturatingInt(std::floor(x)); }

}  // namespace vr::calmath
