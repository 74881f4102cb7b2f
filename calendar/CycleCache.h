#pragma once
#include <array>
#include <cstdint>

// The solar terms and new moons of one cycle, from one winter solstice (冬至)
// to the next, with the months of the cycle named and the leap month found.
// Every day number is a Beijing-time integer day number held in a double.
namespace vr {

class CycleCache {
 public:
  // Number of 30-degree months' worth of entries the arrays hold.
  static constexpr int kTermCount = 25;
  static constexpr int kNewMoonCount = 15;
  static constexpr int kMonthCount = 14;
  // Month name index 12: the second 十二月 of the years 23 and 239.
  static constexpr int kSecondTwelfthMonth = 12;

  // The cache of the calling thread (built on first use).
  static CycleCache& Instance();

  // Makes the cache hold the cycle that contains day number `d`; rebuilds
  // only when `d` lies outside the cycle held.
  void Ensure(double d);
  bool Contains(double d) const { return built_ && d >= terms[0] && d < terms[24]; }

  // Time (Julian centuries, TD) at which the Sun's apparent longitude reaches
  // `w`, by the precise inverse T1. The day's solar-term search asks for the
  // same few angles on every day of a cycle, so the results are memoised on
  // the exact bits of `w`: the memo returns exactly what the computation
  // returns, and can be switched off to prove that.
  double PreciseTermTime(double w);
  static void SetTermMemoEnabled(bool enabled);
  static bool TermMemoEnabled();

  // terms[0] = the 冬至 opening the cycle, terms[3] = 立春, terms[24] = the
  // next 冬至; even indices are the major terms (中气).
  std::array<double, kTermCount> terms{};
  std::array<double, 2> termsBefore{};  // 15.2 and 30.4 days before terms[0]
  std::array<double, kNewMoonCount> newMoons{};  // newMoons[0] <= terms[0]
  std::array<int, kMonthCount> monthLength{};    // 29 or 30
  std::array<int, kMonthCount> monthName{};      // 0 = 十一月, 1 = 十二月, 2 = 正月 ... 12
  int leapIndex = 0;                             // 1..13, 0 when the cycle has none

 private:
  void Build(double d);
  void NameMonths();

  bool built_ = false;

  struct MemoSlot {
    uint64_t key = 0;
    double time = 0;
    bool used = false;
  };
  std::array<MemoSlot, 64> termMemo_{};
};

}  // namespace vr
