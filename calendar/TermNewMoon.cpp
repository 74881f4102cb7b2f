#include "calendar/TermNewMoon.h"

#include <cmath>
#include <iterator>

#include "calendar/Astronomy.h"

namespace vr {
namespace {

using astro::DeltaT;
using astro::kPi;
using astro::kPi2;

constexpr double kJ2000 = 2451545;      // JD of day number 0
constexpr double kOneThird = 1.0 / 3;   // Beijing time is UT + 8 h
constexpr double kHighPrecisionFrom = 2436935;  // JD of 1960-01-01

// Fitted mean values: (JD base, period) pairs, then the final base that ends
// the last pair's span.
constexpr double kNewMoonFit[] = {
    1457698.231017, 29.53067166, 1546082.512234, 29.53085106, 1640640.7353,   29.5306,
    1642472.151543, 29.53085439, 1683430.5093,   29.53086148, 1752148.041079, 29.53085097,
    1807665.420323, 29.53059851, 1883618.1141,   29.5306,     1907360.7047,   29.5306,
    1936596.2249,   29.5306,     1939135.6753,   29.5306,     1947168};
constexpr double kTermFit[] = {
    1640650.479938, 15.218425,    1642476.703182, 15.21874996,  1683430.515601, 15.218750011,
    1752157.640664, 15.218749978, 1807675.003759, 15.218620279, 1883627.765182, 15.218612292,
    1907369.1281,   15.218449176, 1936603.140413, 15.218425,    1939145.52418,  15.218466998,
    1947180.7983,   15.218524844, 1964362.041824, 15.218533526, 1987372.340971, 15.218513908,
    1999653.819126, 15.218530782, 2007445.469786, 15.218535181, 2021324.917146, 15.218526248,
    2047257.232342, 15.218519654, 2070282.898213, 15.218425,    2073204.87285,  15.218515221,
    2080144.500926, 15.218530782, 2086703.688963, 15.218523776, 2110033.182763, 15.218425,
    2111190.300888, 15.218425,    2113731.271005, 15.218515671, 2120670.840263, 15.218425,
    2123973.309063, 15.218425,    2125068.997336, 15.218477932, 2136026.312633, 15.218472436,
    2156099.495538, 15.218425,    2159021.324663, 15.218425,    2162308.575254, 15.218461742,
    2178485.706538, 15.218425,    2178759.662849, 15.218445786, 2185334.0208,   15.218425,
    2187525.481425, 15.218425,    2188621.191481, 15.218437494, 2322147.76};

// Published day corrections for the low-precision regime, compressed.
constexpr const char* kNewMoonCorrectionsPacked =
    "EqoFscDcrFpmEsF2DfFideFelFpFfFfFiaipqti1ksttikptikqckstekqttgkqttgkqteksttikptikq2fjstgjqttjkqttgkqt"
    "ekstfkptikq2tijstgjiFkirFsAeACoFsiDaDiADc1AFbBfgdfikijFifegF1FhaikgFag1E2btaieeibggiffdeigFfqDfaiBkF"
    "1kEaikhkigeidhhdiegcFfakF1ggkidbiaedksaFffckekidhhdhdikcikiakicjF1deedFhFccgicdekgiFbiaikcfi1kbFibef"
    "gEgFdcFkFeFkdcfkF1kfkcickEiFkDacFiEfbiaejcFfffkhkdgkaiei1ehigikhdFikfckF1dhhdikcfgjikhfjicjicgiehdik"
    "cikggcifgiejF1jkieFhegikggcikFegiegkfjebhigikggcikdgkaFkijcfkcikfkcifikiggkaeeigefkcdfcfkhkdgkegieid"
    "hijcFfakhfgeidieidiegikhfkfckfcjbdehdikggikgkfkicjicjF1dbidikFiggcifgiejkiegkigcdiegfggcikdbgfgefjF1"
    "kfegikggcikdgFkeeijcfkcikfkekcikdgkabhkFikaffcfkhkdgkegbiaekfkiakicjhfgqdq2fkiakgkfkhfkfcjiekgFebicg"
    "gbedF1jikejbbbiakgbgkacgiejkijjgigfiakggfggcibFifjefjF1kfekdgjcibFeFkijcfkfhkfkeaieigekgbhkfikidfcje"
    "aibgekgdkiffiffkiakF1jhbakgdki1dj1ikfkicjicjieeFkgdkicggkighdF1jfgkgfgbdkicggfggkidFkiekgijkeigfiski"
    "ggfaidheigF1jekijcikickiggkidhhdbgcfkFikikhkigeidieFikggikhkffaffijhidhhakgdkhkijF1kiakF1kfheakgdkif"
    "iggkigicjiejkieedikgdfcggkigieeiejfgkgkigbgikicggkiaideeijkefjeijikhkiggkiaidheigcikaikffikijgkiahi1"
    "hhdikgjfifaakekighie1hiaikggikhkffakicjhiahaikggikhkijF1kfejfeFhidikggiffiggkigicjiekgieeigikggiffig"
    "gkidheigkgfjkeigiegikifiggkidhedeijcfkFikikhkiggkidhh1ehigcikaffkhkiggkidhh1hhigikekfiFkFikcidhh1hit"
    "cikggikhkfkicjicghiediaikggikhkijbjfejfeFhaikggifikiggkigiejkikgkgieeigikggiffiggkigieeigekijcijikgg"
    "ifikiggkideedeijkefkfckikhkiggkidhh1ehijcikaffkhkiggkidhh1hhigikhkikFikfckcidhh1hiaikgjikhfjicjicgie"
    "hdikcikggifikigiejfejkieFhegikggifikiggfghigkfjeijkhigikggifikiggkigieeijcijcikfksikifikiggkidehdeij"
    "cfdckikhkiggkhghh1ehijikifffffkhsFngErD1pAfBoDd1BlEtFqA2AqoEpDqElAEsEeB2BmADlDkqBtC1FnEpDqnEmFsFsAFn"
    "llBbFmDsDiCtDmAB2BmtCgpEplCpAEiBiEoFqFtEqsDcCnFtADnFlEgdkEgmEtEsCtDmADqFtAFrAtEcCqAE1BoFqC1F1DrFtBmF"
    "tAC2ACnFaoCgADcADcCcFfoFtDlAFgmFqBq2bpEoAEmkqnEeCtAE1bAEqgDfFfCrgEcBrACfAAABqAAB1AAClEnFeCtCgAADqDoB"
    "mtAAACbFiAAADsEtBqAB2FsDqpFqEmFsCeDtFlCeDtoEpClEqAAFrAFoCgFmFsFqEnAEcCqFeCtFtEnAEeFtAAEkFnErAABbFkAD"
    "nAAeCtFeAfBoAEpFtAABtFqAApDcCGJ";
constexpr const char* kTermCorrectionsPacked =
    "FrcFs22AFsckF2tsDtFqEtF1posFdFgiFseFtmelpsEfhkF2anmelpFlF1ikrotcnEqEq2FfqmcDsrFor22FgFrcgDscFs22FgEe"
    "FtE2sfFs22sCoEsaF2tsD1FpeE2eFsssEciFsFnmelpFcFhkF2tcnEqEpFgkrotcnEqrEtFermcDsrE222FgBmcmr22DaEfnaF22"
    "2sD1FpeForeF2tssEfiFpEoeFssD1iFstEqFppDgFstcnEqEpFg11FscnEqrAoAF2ClAEsDmDtCtBaDlAFbAEpAAAAAD2FgBiBqo"
    "BbnBaBoAAAAAAAEgDqAdBqAFrBaBoACdAAf1AACgAAAeBbCamDgEifAE2AABa1C1BgFdiAAACoCeE1ADiEifDaAEqAAFe1AcFbcA"
    "AAAAF1iFaAAACpACmFmAAAAAAAACrDaAAADG0";

// Seconds of a civil day near midnight where the fast inverse is not trusted.
constexpr double kTermMidnightWindow = 1200;
constexpr double kNewMoonMidnightWindow = 1800;

double FractionOfDaySeconds(double instant) {
  double x = instant + 0.5;
  return (x - std::floor(x)) * 86400;
}

// Beijing-time instant of the solar longitude `w`: fast inverse first, the
// precise one when the result lies near midnight.
double TermHigh(double w) {
  double t = astro::TermTimeFast(w) * 36525;
  double instant = t - DeltaT(t) + kOneThird;
  double s = FractionOfDaySeconds(instant);
  if (s < kTermMidnightWindow || s > 86400 - kTermMidnightWindow) instant = TermInstant(w);
  return instant;
}

double NewMoonHigh(double w) {
  double t = astro::NewMoonTimeFast(w) * 36525;
  double instant = t - DeltaT(t) + kOneThird;
  double s = FractionOfDaySeconds(instant);
  if (s < kNewMoonMidnightWindow || s > 86400 - kNewMoonMidnightWindow) {
    t = astro::NewMoonTimePrecise(w) * 36525;
    instant = t - DeltaT(t) + kOneThird;
  }
  return instant;
}

// Low-precision instants (Beijing time, before rounding) for 1645..1959.
double TermLow(double w) {
  constexpr double v = 628.3319653318;
  double t = (w - 4.895062166) / v;
  t -= (53 * t * t + 334116 * std::cos(4.67 + 628.307585 * t) +
        2061 * std::cos(2.678 + 628.3076 * t) * t) /
       v / 10000000;
  double l = 48950621.66 + 6283319653.318 * t + 53 * t * t +
             334166 * std::cos(4.669257 + 628.307585 * t) +
             3489 * std::cos(4.6261 + 1256.61517 * t) +
             2060.6 * std::cos(2.67823 + 628.307585 * t) * t - 994 -
             834 * std::sin(2.1824 - 33.75705 * t);
  t -= (l / 10000000 - w) / 628.332 + (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
  return t * 36525 + kOneThird;
}

double NewMoonLow(double w) {
  constexpr double v = 7771.37714500204;
  double t = (w + 1.08472) / v;
  t -= (-0.0000331 * t * t + 0.10976 * std::cos(0.785 + 8328.6914 * t) +
        0.02224 * std::cos(0.187 + 7214.0629 * t) - 0.03342 * std::cos(4.669 + 628.3076 * t)) /
           v +
       (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
  return t * 36525 + kOneThird;
}

// Mean value from a fitted table for a JD inside it.
double FittedDay(const double* fit, int size, double x) {
  int i = 0;
  while (i + 2 < size - 1 && x >= fit[i + 2]) i += 2;
  double base = fit[i], period = fit[i + 1];
  double d = std::floor(base + period * std::floor((x - base) / period) + 0.5);
  if (d == 1683460) d = 1683461;  // a published exception of the table
  return d - kJ2000;
}

// Character `index` of a correction string; '0' outside it.
char CorrectionAt(const std::string& corrections, double index) {
  if (!(index >= 0) || index >= static_cast<double>(corrections.size())) return '0';
  return corrections[static_cast<size_t>(index)];
}

}  // namespace

std::string DecompressCorrections(std::string_view compressed) {
  // Each letter stands for a run of digits; digits stand for themselves.
  static constexpr struct {
    char code;
    const char* digits;
  } kCodes[] = {
      {'J', "00"},         {'I', "000"},        {'H', "0000"},       {'G', "00000"},
      {'t', "02"},         {'s', "002"},        {'r', "0002"},       {'q', "00002"},
      {'p', "000002"},     {'o', "0000002"},    {'n', "00000002"},   {'m', "000000002"},
      {'l', "0000000002"}, {'k', "01"},         {'j', "0101"},       {'i', "001"},
      {'h', "001001"},     {'g', "0001"},       {'f', "00001"},      {'e', "000001"},
      {'d', "0000001"},    {'c', "00000001"},   {'b', "000000001"},  {'a', "0000000001"},
  };
  std::string out;
  out.reserve(compressed.size() * 8);
  for (char ch : compressed) {
    switch (ch) {
      case 'A': out.append(60, '0'); continue;
      case 'B': out.append(50, '0'); continue;
      case 'C': out.append(40, '0'); continue;
      case 'D': out.append(30, '0'); continue;
      case 'E': out.append(20, '0'); continue;
      case 'F': out.append(10, '0'); continue;
      default: break;
    }
    const char* digits = nullptr;
    for (const auto& c : kCodes) {
      if (c.code == ch) digits = c.digits;
    }
    if (digits) {
      out += digits;
    } else {
      out += ch;
    }
  }
  return out;
}

const std::string& TermCorrections() {
  static const std::string text = DecompressCorrections(kTermCorrectionsPacked);
  return text;
}

const std::string& NewMoonCorrections() {
  static const std::string text = DecompressCorrections(kNewMoonCorrectionsPacked);
  return text;
}

double TermInstant(double w) {
  double t = astro::TermTimePrecise(w) * 36525;
  return t - DeltaT(t) + kOneThird;
}

namespace {

struct Regime {
  const double* fit;
  int fitSize;
  double pc;  // half an event spacing: aim at the event nearest d
  double f1;  // first JD of the fitted table
  double f2;  // first JD of the corrected low-precision regime
};

Regime RegimeOf(LunarEvent kind) {
  const bool term = kind == LunarEvent::Term;
  Regime r;
  r.fit = term ? kTermFit : kNewMoonFit;
  r.fitSize = term ? static_cast<int>(std::size(kTermFit)) : static_cast<int>(std::size(kNewMoonFit));
  r.pc = term ? 7 : 14;
  r.f1 = r.fit[0] - r.pc;
  r.f2 = r.fit[r.fitSize - 1] - r.pc;
  return r;
}

// Event angle: a multiple of 15 degrees of solar longitude counted from the
// 1999 March equinox (JD 2451259), or of 360 degrees of elongation counted
// from the new moon of 2000-01-07 (JD 2451551).
double EventAngle(double jd, double pc, LunarEvent kind) {
  if (kind == LunarEvent::Term) return std::floor((jd + pc - 2451259) / 365.2422 * 24) * kPi / 12;
  return std::floor((jd + pc - 2451551) / 29.5306) * kPi2;
}

}  // namespace

double LowPrecisionDay(double d, LunarEvent kind) {
  const double jd = d + kJ2000;
  const double w = EventAngle(jd, RegimeOf(kind).pc, kind);
  return std::floor((kind == LunarEvent::Term ? TermLow(w) : NewMoonLow(w)) + 0.5);
}

char CorrectionFor(double d, LunarEvent kind) {
  const Regime r = RegimeOf(kind);
  const double jd = d + kJ2000;
  if (kind == LunarEvent::Term) {
    return CorrectionAt(TermCorrections(), std::floor((jd - r.f2) / 365.2422 * 24));
  }
  return CorrectionAt(NewMoonCorrections(), std::floor((jd - r.f2) / 29.5306));
}

double CalcTermOrNewMoon(double d, LunarEvent kind) {
  const Regime r = RegimeOf(kind);
  const double jd = d + kJ2000;
  if (jd < r.f1 || jd >= kHighPrecisionFrom) {
    const double w = EventAngle(jd, r.pc, kind);
    return std::floor((kind == LunarEvent::Term ? TermHigh(w) : NewMoonHigh(w)) + 0.5);
  }
  if (jd < r.f2) return FittedDay(r.fit, r.fitSize, jd + r.pc);
  const double day = LowPrecisionDay(d, kind);
  const char c = CorrectionFor(d, kind);
  if (c == '1') return day + 1;
  if (c == '2') return day - 1;
  return day;
}

}  // namespace vr
