#include "calendar/Astronomy.h"

#include <algorithm>
#include <cmath>

#include "calendar/SxwnlSeries.h"

namespace vr::astro {
namespace {

constexpr double kRad = kArcSecondsPerRadian;

// Piecewise cubic of TD - UT: rows (first year, a, b, c, d) over ten-unit
// steps of the row's span; the last row only ends the previous span.
struct DeltaTRow {
  double year, a, b, c, d;
};
constexpr DeltaTRow kDeltaTRows[] = {
    {-4000, 108371.7, -13036.8, 392, 0},  {-500, 17201, -627.82, 16.17, -0.3413},
    {-150, 12200.6, -346.41, 5.403, -0.1593}, {150, 9113.8, -328.13, -1.647, 0.0377},
    {500, 5707.5, -391.41, 0.915, 0.3145},  {900, 2203.4, -283.45, 13.034, -0.1778},
    {1300, 490.1, -57.35, 2.085, -0.0072},  {1600, 120, -9.81, -1.532, 0.1403},
    {1700, 10.2, -0.91, 0.51, -0.037},      {1800, 13.4, -0.72, 0.202, -0.0193},
    {1830, 7.8, -1.81, 0.416, -0.0247},     {1860, 8.3, -0.13, -0.406, 0.0292},
    {1880, -5.4, 0.32, -0.183, 0.0173},     {1900, -2.3, 2.06, 0.169, -0.0135},
    {1920, 21.2, 1.69, -0.304, 0.0167},     {1940, 24.2, 1.22, -0.064, 0.0031},
    {1960, 33.2, 0.51, 0.231, -0.0109},     {1980, 51, 1.29, -0.026, 0.0032},
    {2000, 63.87, 0.1, 0, 0},               {2005, 64.7, 0.4, 0, 0},
    {2015, 69, 0, 0, 0},
};
constexpr int kDeltaTRowCount = sizeof kDeltaTRows / sizeof kDeltaTRows[0];

// Parabolic extrapolation of TD - UT beyond the table, in seconds.
double DeltaTExtrapolated(double year) {
  double dy = (year - 1820) / 100;
  return -20 + 31 * dy * dy;
}

// Nutation rows (a, b, c, p, q): p sin(a + b t + c t^2), in 0.01 arc-seconds.
struct NutationRow {
  double a, b, c, p, q;
};
constexpr NutationRow kNutationRows[] = {
    {2.1824, -33.75705, 3.6e-5, -1720, 920}, {3.5069, 1256.66393, 1.1e-5, -132, 57},
    {1.3375, 16799.4182, -5.1e-5, -23, 10},  {4.3649, -67.5141, 7.2e-5, 21, -9},
    {0.04, -628.302, 0, -14, 0},             {2.36, 8328.691, 0, 7, 0},
    {3.46, 1884.966, 0, -5, 2},              {5.44, 16833.175, 0, -4, 2},
    {3.69, 25128.11, 0, -3, 0},              {3.55, 628.362, 0, 2, 0},
};

constexpr double kTermRate = 628.3319653318;      // mean solar longitude rate, rad/century
constexpr double kNewMoonRate = 7771.37714500204;  // mean elongation rate, rad/century

}  // namespace

double DeltaTSeconds(double year) {
  const double lastYear = kDeltaTRows[kDeltaTRowCount - 1].year;  // 2015
  if (year >= lastYear) {
    if (year > lastYear + 100) return DeltaTExtrapolated(year);
    // Blend so the extrapolation meets the table's last value (69 s) at 2015;
    // 28.8775 = ext(2015) - 69.
    return DeltaTExtrapolated(year) - 28.8775 * (lastYear + 100 - year) / 100;
  }
  int i = 0;
  while (i < kDeltaTRowCount - 2 && year >= kDeltaTRows[i + 1].year) ++i;
  const DeltaTRow& r = kDeltaTRows[i];
  double x = (year - r.year) / (kDeltaTRows[i + 1].year - r.year) * 10;
  return r.a + r.b * x + r.c * x * x + r.d * x * x * x;
}

double DeltaT(double dayNumber) { return DeltaTSeconds(dayNumber / 365.2425 + 2000) / 86400; }

double EarthLongitude(double t, int n) {
  using sxwnl::kEarthLongitude;
  const double tau = t / 10;  // Julian millennia
  const double sizeL0 = kEarthLongitude[0].count;
  double sum = 0;
  double tauPower = 1;
  for (int k = 0; k < sxwnl::kEarthBlockCount; ++k, tauPower *= tau) {
    const sxwnl::SeriesBlock& block = kEarthLongitude[k];
    int used = block.count;
    if (n >= 0) {
      // Keep the series' relative accuracy across blocks: a share of each
      // block proportional to its size, at least one term beyond L0.
      used = static_cast<int>(std::floor(3.0 * n * block.count / sizeL0 + 0.5));
      if (k > 0) used += 3;
      used = std::min(used, block.count);
    }
    double c = 0;
    for (int j = 0; j < used; j += 3) {
      const double* v = block.values + j;
      c += v[0] * std::cos(v[1] + tau * v[2]);
    }
    sum += c * tauPower;
  }
  sum /= 1e10;
  const double tau2 = tau * tau;
  sum += (-0.0728 - 2.7702 * tau - 1.1019 * tau2 - 0.0996 * tau2 * tau) / kRad;
  return sum;
}

double MoonLongitude(double t, int n) {
  using sxwnl::kMoonLongitude;
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
  // Mean longitude in arc-seconds, with the precession terms.
  double v = (3.81034409 + 8399.684730072 * t - 3.319e-05 * t2 + 3.11e-08 * t3 - 2.033e-10 * t4) *
             kRad;
  v += 5028.792262 * t + 1.1124406 * t2 + 0.00007699 * t3 - 0.000023479 * t4 - 0.0000000178 * t5;
  const double tx = t - 10;
  if (tx > 0) v += -0.866 + 1.43 * tx + 0.054 * tx * tx;

  const double s2 = t2 / 1e4, s3 = t3 / 1e8, s4 = t4 / 1e8;
  const double m = n < 0 ? 3.0 : 6.0 * n;
  double tPower = 1;
  for (int k = 0; k < sxwnl::kMoonBlockCount; ++k, tPower *= t) {
    const sxwnl::SeriesBlock& block = kMoonLongitude[k];
    // For every precision the engine asks for (3, 20, 60, -1) this is the
    // whole block.
    int used = static_cast<int>(std::floor(block.count * m / 3 + 0.5));
    if (k > 0) used += 6;
    used = std::min(used, block.count);
    double c = 0;
    for (int j = 0; j < used; j += 6) {
      const double* f = block.values + j;
      c += f[0] * std::cos(f[1] + t * f[2] + s2 * f[3] + s3 * f[4] + s4 * f[5]);
    }
    v += c * tPower;
  }
  return v / kRad;
}

double NutationInLongitude(double t) {
  const double t2 = t * t;
  double sum = 0;
  bool first = true;
  for (const NutationRow& r : kNutationRows) {
    double p = r.p + (first ? -1.742 * t : 0);
    sum += p * std::sin(r.a + r.b * t + r.c * t2);
    first = false;
  }
  return sum / 100 / kRad;
}

double SolarAberration(double t) {
  double v = -0.043126 + 628.301955 * t - 0.000002732 * t * t;  // mean anomaly
  double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;  // eccentricity
  return -20.49552 * (1 + e * std::cos(v)) / kRad;
}

double SunApparentLongitude(double t, int n) {
  return EarthLongitude(t, n) + NutationInLongitude(t) + SolarAberration(t) + kPi;
}

double MoonSunLongitude(double t, int moonTerms, int sunTerms) {
  // Nutation shifts both bodies alike and cancels out of the difference.
  return MoonLongitude(t, moonTerms) + kLunarAberration -
         (EarthLongitude(t, sunTerms) + SolarAberration(t) + kPi);
}

double EarthSpeed(double t) {
  double f = 628.307585 * t;
  return 628.332 + 21 * std::sin(1.527 + f) + 0.44 * std::sin(1.48 + f * 2) +
         0.129 * std::sin(5.82 + f) * t + 0.00055 * std::sin(4.21 + f) * t * t;
}

double MoonSpeed(double t) {
  double v = 8399.71 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t);
  v -= 179 * std::sin(2.543 + 15542.7543 * t) + 160 * std::sin(0.1874 + 7214.0629 * t) +
       62 * std::sin(3.14 + 16657.3828 * t) + 34 * std::sin(4.827 + 16866.9323 * t) +
       22 * std::sin(4.9 + 23871.4457 * t) + 12 * std::sin(2.59 + 14914.4523 * t) +
       7 * std::sin(0.23 + 6585.7609 * t) + 5 * std::sin(0.9 + 25195.624 * t) +
       5 * std::sin(2.32 - 7700.3895 * t) + 5 * std::sin(3.88 + 8956.9934 * t) +
       5 * std::sin(0.49 + 7771.3771 * t);
  return v;
}

double TermTimeFast(double w) {
  double t = (w - 1.75347 - kPi) / kTermRate;
  t -= (0.000005297 * t * t + 0.0334166 * std::cos(4.669257 + 628.307585 * t) +
        0.0002061 * std::cos(2.67823 + 628.307585 * t) * t) /
       kTermRate;
  t += (w - EarthLongitude(t, 8) - kPi + (20.5 + 17.2 * std::sin(2.1824 - 33.75705 * t)) / kRad) /
       kTermRate;
  return t;
}

double TermTimePrecise(double w) {
  double t = (w - 1.75347 - kPi) / kTermRate;
  t += (w - SunApparentLongitude(t, 10)) / EarthSpeed(t);
  t += (w - SunApparentLongitude(t, -1)) / EarthSpeed(t);
  return t;
}

double NewMoonTimeFast(double w) {
  double t = (w + 1.08472) / kNewMoonRate;
  const double t2 = t * t;
  t -= (-0.00003309 * t2 + 0.10976 * std::cos(0.784758 + 8328.6914246 * t + 0.000152292 * t2) +
        0.02224 * std::cos(0.1874 + 7214.0628654 * t - 0.00021848 * t2) -
        0.03342 * std::cos(4.669257 + 628.307585 * t)) /
       kNewMoonRate;
  double sun = 4.8950632 + 628.3319653318 * t + 0.000005297 * t * t +
               0.0334166 * std::cos(4.669257 + 628.307585 * t) +
               0.0002061 * std::cos(2.67823 + 628.307585 * t) * t +
               0.000349 * std::cos(4.6261 + 1256.61517 * t) - 20.5 / kRad;
  double l = MoonLongitude(t, 20) - sun;
  double v = 7771.38 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
             179 * std::sin(2.543 + 15542.7543 * t) - 160 * std::sin(0.1874 + 7214.0629 * t);
  t += (w - l) / v;
  return t;
}

double NewMoonTimePrecise(double w) {
  double t = (w + 1.08472) / kNewMoonRate;
  t += (w - MoonSunLongitude(t, 3, 3)) / kNewMoonRate;
  double v = MoonSpeed(t) - EarthSpeed(t);
  t += (w - MoonSunLongitude(t, 20, 10)) / v;
  t += (w - MoonSunLongitude(t, -1, 60)) / v;
  return t;
}

}  // namespace vr::astro
