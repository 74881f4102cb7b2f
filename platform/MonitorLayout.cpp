#include "platform/MonitorLayout.h"

#include <algorithm>
#include <cstdint>

namespace vr {
namespace {

int64_t OverlapArea(const WinRect& a, const WinRect& b) {
  WinRect r = WinRect::Intersect(a, b);
  return static_cast<int64_t>(r.Width()) * r.Height();
}

// Squared distance between the rectangles (0 when they touch or overlap).
int64_t Distance2(const WinRect& a, const WinRect& b) {
  int64_t dx = std::max<int64_t>({0, int64_t{b.left} - a.right, int64_t{a.left} - b.right});
  int64_t dy = std::max<int64_t>({0, int64_t{b.top} - a.bottom, int64_t{a.top} - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

size_t NearestMonitor(const std::vector<MonitorInfo>& monitors, const WinRect& rect) {
  // An empty rectangle (a point) still picks the monitor it lies on.
  WinRect probe = rect.IsEmpty() ? WinRect{rect.left, rect.top, rect.left + 1, rect.top + 1} : rect;
  size_t best = 0;
  int64_t bestOverlap = -1;
  for (size_t i = 0; i < monitors.size(); ++i) {
    int64_t overlap = OverlapArea(monitors[i].area, probe);
    if (overlap > bestOverlap) {
      bestOverlap = overlap;
      best = i;
    }
  }
  if (bestOverlap > 0) return best;
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < monitors.size(); ++i) {
    int64_t d = Distance2(monitors[i].area, probe);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

WinRect MonitorWorkArea(const WinRect& monitor, const WinRect& desktopWorkArea) {
  WinRect r = WinRect::Intersect(monitor, desktopWorkArea);
  return r.IsEmpty() ? monitor : r;
}

}  // namespace vr
