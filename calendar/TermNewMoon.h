#pragma once
#include <string>
#include <string_view>

// Integer Beijing-time day numbers of solar terms and new moons, by the three
// regimes of the sxwnl method: the high-precision series before the fitted
// tables and from 1960 on; fitted mean values (base, period) in between; and
// a low-precision formula corrected day by day by a published string for the
// years just before 1960.
namespace vr {

enum class LunarEvent { Term, NewMoon };

// The term (a multiple of 15 degrees of solar longitude) or the new moon
// nearest to day number `d`, as an integer day number (stored as a double:
// the engine keeps day numbers of events in doubles throughout).
double CalcTermOrNewMoon(double d, LunarEvent kind);

// The two parts of the low-precision regime (1645..1959 for terms, 618..1959
// for new moons), exposed for tests: the uncorrected day, and the published
// correction character for the event nearest `d` ('0' none, '1' one day
// later, '2' one day earlier).
double LowPrecisionDay(double d, LunarEvent kind);
char CorrectionFor(double d, LunarEvent kind);

// Precise Beijing-time instant (fractional day number) at which the Sun's
// apparent longitude reaches `w` radians: t x 36525 - deltaT + 1/3 with t
// from the precise inverse T1.
double TermInstant(double w);

// The correction strings, decompressed once: character i applies to the
// i-th term (or new moon) since the end of the fitted tables; '1' means one
// day later, '2' one day earlier.
const std::string& TermCorrections();
const std::string& NewMoonCorrections();
std::string DecompressCorrections(std::string_view compressed);

}  // namespace vr
