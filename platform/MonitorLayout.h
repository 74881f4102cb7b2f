#pragma once
#include <vector>

#include "platform/WindowTypes.h"

namespace vr {

// Index of the monitor a rectangle belongs to: the one it overlaps most, else
// the one nearest to it. `monitors` must not be empty.
size_t NearestMonitor(const std::vector<MonitorInfo>& monitors, const WinRect& rect);

// A monitor's work area from the desktop-wide work area the window manager
// publishes: their intersection, or the whole monitor when they do not meet
// (a stale or bogus property must not leave a monitor without room).
WinRect MonitorWorkArea(const WinRect& monitor, const WinRect& desktopWorkArea);

}  // namespace vr
