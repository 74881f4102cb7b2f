#pragma once
#include <algorithm>
#include <climits>

namespace vr {

// Coordinates are kept within +-2^24 pixels: far beyond any screen, and small
// enough that sums of a few coordinates (and Pango's 1/1024 units of a width)
// never overflow, whatever a document says.
inline constexpr int kCoordLimit = 1 << 24;
inline int ClampCoord(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit));
}

// Integer pixel geometry. Rectangles are (left, top, right, bottom) with the
// right and bottom edges exclusive, so a rectangle's width is right - left.
struct UIPoint {
  int x = 0;
  int y = 0;
  bool operator==(const UIPoint&) const = default;
};

struct UISize {
  int cx = 0;
  int cy = 0;
  bool operator==(const UISize&) const = default;
};

struct UIRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // Clamped to the coordinate limit, so hostile sizes cannot overflow.
  static UIRect FromXYWH(int x, int y, int w, int h) {
    return {ClampCoord(x), ClampCoord(y), ClampCoord(static_cast<long long>(x) + w),
            ClampCoord(static_cast<long long>(y) + h)};
  }

  int Width() const { return static_cast<int>(static_cast<long long>(right) - left); }
  int Height() const { return static_cast<int>(static_cast<long long>(bottom) - top); }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  UIRect Offset(int dx, int dy) const {
    return {ClampCoord(static_cast<long long>(left) + dx), ClampCoord(static_cast<long long>(top) + dy),
            ClampCoord(static_cast<long long>(right) + dx), ClampCoord(static_cast<long long>(bottom) + dy)};
  }

  // Empty rectangles come out as all zeros, so callers can test IsEmpty().
  static UIRect Intersect(const UIRect& a, const UIRect& b) {
    UIRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
             std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? UIRect{} : r;
  }
  // The bounding box of both; an empty operand does not widen the result.
  static UIRect Union(const UIRect& a, const UIRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
  }
  bool operator==(const UIRect&) const = default;
};

}  // namespace vr
