#include "records/LunarDateCache.h"

#include <algorithm>

namespace vr {

std::optional<LunarMonthDay> LunarDateCache::Find(int year, int month, int day) const {
  auto it = known_.find(DateInt(year, month, day));
  if (it == known_.end()) return std::nullopt;
  return it->second;
}

void LunarDateCache::Add(std::vector<int32_t> dateInts) {
  std::sort(dateInts.begin(), dateInts.end());
  dateInts.erase(std::unique(dateInts.begin(), dateInts.end()), dateInts.end());
  for (int32_t d : dateInts) {
    if (known_.count(d)) continue;
    known_.emplace(d, LunarOf(d / 10000, d / 100 % 100, d % 100));
  }
}

}  // namespace vr
