#pragma once
#include <algorithm>
#include <cstdint>

namespace vr {

// Value types shared by the window layer and its users. Coordinates are
// pixels; screen coordinates have their origin at the top-left of the whole
// virtual screen (all monitors), client coordinates at a window's top-left.

struct WinPoint {
  int x = 0;
  int y = 0;
  bool operator==(const WinPoint&) const = default;
};

// Right and bottom edges are exclusive (width = right - left), as in the
// rectangles the UI layer works with.
struct WinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static WinRect FromXYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(WinPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  WinRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // Empty results come out as all zeros.
  static WinRect Intersect(const WinRect& a, const WinRect& b) {
    WinRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? WinRect{} : r;
  }
  // Bounding box; an empty operand does not widen the result.
  static WinRect Union(const WinRect& a, const WinRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
  }
  bool operator==(const WinRect&) const = default;
};

// One monitor: its whole area and the part not covered by panels and docks.
struct MonitorInfo {
  WinRect area;
  WinRect workArea;
  bool primary = false;
  bool operator==(const MonitorInfo&) const = default;
};

// Mouse buttons and modifier keys held during an input event. The five low
// bits have the values of the Win32 MK_ flags, so the UI layer can pass
// `mods & winmod::kMouseMask` on as a mouse message's wparam unchanged.
namespace winmod {
inline constexpr uint32_t kLButton = 0x01;
inline constexpr uint32_t kRButton = 0x02;
inline constexpr uint32_t kShift = 0x04;
inline constexpr uint32_t kControl = 0x08;
inline constexpr uint32_t kMButton = 0x10;
inline constexpr uint32_t kMouseMask = 0x1F;
inline constexpr uint32_t kAlt = 0x100;
inline constexpr uint32_t kSuper = 0x200;
}  // namespace winmod

enum class MouseButton { kNone, kLeft, kRight, kMiddle };

enum class PointerShape { kArrow, kIBeam, kWait, kCross, kHand, kSizeWE, kSizeNS, kSizeNWSE, kSizeNESW, kSizeAll, kNo };

// Stacking layer of a top-level window: kAbove is "topmost", kBelow sits
// under ordinary windows (a desktop widget).
enum class WindowLayer { kNormal, kAbove, kBelow };

// What a window is for; the window manager places and decorates by it.
// Popup menus and tooltips bypass the window manager altogether.
enum class WindowKind { kNormal, kDialog, kUtility, kPopupMenu, kTooltip, kSplash };

// How a window is created. Windows never get decorations from the window
// manager: the UI draws its own frame.
struct WindowParams {
  WinRect bounds = WinRect::FromXYWH(0, 0, 100, 100);  // screen coordinates
  bool perPixelAlpha = true;      // an ARGB window when the screen offers one
  WindowKind kind = WindowKind::kNormal;
  WindowLayer layer = WindowLayer::kNormal;
  uint64_t owner = 0;             // Id() of the owner window, 0 for none
  bool skipTaskbar = false;
  bool skipPager = false;
  bool sticky = false;            // on every virtual desktop
  bool acceptsFocus = true;       // false: clicks never activate it (tool windows)
  const char* title = "";         // UTF-8
};

}  // namespace vr
