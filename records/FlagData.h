#pragma once
#include <cstdint>

namespace vr {

// Day-flag kinds.
enum FlagKind : int32_t { kFlagLeave = 1, kFlagOvertime = 2, kFlagClockIn = 3 };

// A flag on a day; `day` is year * 10000 + month * 100 + day.
struct FlagData {
  int32_t day = 0;
  int32_t flag = 0;
  int32_t attr = 0;  // always 0
};

}  // namespace vr
