#pragma once
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "records/RemindDay.h"

namespace vr {

// Lunar month and day of Gregorian dates already worked out. A date's lunar
// date never changes, and the engine is fast only for dates near the last one
// it computed (it caches one solar year), so the birth dates of many lunar
// birthdays are computed once, in date order, and looked up afterwards.
class LunarDateCache {
 public:
  std::optional<LunarMonthDay> Find(int year, int month, int day) const;
  // Computes the dates not known yet, in ascending order.
  void Add(std::vector<int32_t> dateInts);
  size_t Size() const { return known_.size(); }

  // year * 10000 + month * 100 + day
  static int32_t DateInt(int year, int month, int day) { return year * 10000 + month * 100 + day; }

 private:
  std::unordered_map<int32_t, LunarMonthDay> known_;
};

}  // namespace vr
