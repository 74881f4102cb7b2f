#pragma once

// Astronomical functions of the sxwnl method. Time arguments `t` are Julian
// centuries of dynamical time (TD) from J2000.0; angles are radians.
namespace vr::astro {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kPi2 = 2 * kPi;
inline constexpr double kArcSecondsPerRadian = 206264.80624709636;

// ---- Time scales -----------------------------------------------------------

// TD - UT in seconds for a decimal year.
double DeltaTSeconds(double year);
// TD - UT in days at a day number (days from J2000.0).
double DeltaT(double dayNumber);

// ---- Longitude series --------------------------------------------------------

// Earth heliocentric longitude; `n` selects how many series terms are used
// (n < 0: all of them).
double EarthLongitude(double t, int n);
// Moon geocentric longitude, same convention for `n`.
double MoonLongitude(double t, int n);
double NutationInLongitude(double t);
double SolarAberration(double t);
inline constexpr double kLunarAberration = -3.4e-6;

// Apparent longitude of the Sun.
double SunApparentLongitude(double t, int n);
// Apparent longitude of the Moon minus that of the Sun (0 at new moon, mod 2 pi).
double MoonSunLongitude(double t, int moonTerms, int sunTerms);

// Angular speeds in radians per Julian century.
double EarthSpeed(double t);
double MoonSpeed(double t);

// ---- Inverses: the time t at which an angle is reached ----------------------

double TermTimeFast(double w);        // Sun's apparent longitude w (T2)
double TermTimePrecise(double w);     // Sun's apparent longitude w (T1)
double NewMoonTimeFast(double w);     // Moon minus Sun longitude w (M2)
double NewMoonTimePrecise(double w);  // Moon minus Sun longitude w (M1)

}  // namespace vr::astro
