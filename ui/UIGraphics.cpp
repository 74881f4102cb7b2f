#include "ui/UIGraphics.h"

#include <cmath>
#include <numbers>

namespace vr {

UIRect UIGraphics::ClipBounds() const {
  double x1, y1, x2, y2;
  cairo_clip_extents(cr_, &x1, &y1, &x2, &y2);
  return UIRect{static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1)),
                static_cast<int>(std::ceil(x2)), static_cast<int>(std::ceil(y2))};
}

void UIGraphics::IntersectClip(const UIRect& r) {
  cairo_new_path(cr_);
  cairo_rectangle(cr_, r.left, r.top, r.Width() < 0 ? 0 : r.Width(), r.Height() < 0 ? 0 : r.Height());
  cairo_clip(cr_);
}

void UIGraphics::ClipRoundRect(int w, int h, int radius) {
  cairo_new_path(cr_);
  RoundRectPath(cr_, 0, 0, w, h, radius);
  cairo_clip(cr_);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  constexpr double kPi = std::numbers::pi;
  cairo_new_sub_path(cr);
  // Angles grow clockwise in Cairo's y-down space, as in the arc definitions.
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_line_to(cr, x + w - r, y);
  cairo_arc(cr, x + w - r, y + r, r, 1.5 * kPi, 2 * kPi);
  cairo_line_to(cr, x + w, y + h - r);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, 0.5 * kPi);
  cairo_line_to(cr, x + r, y + h);
  cairo_arc(cr, x + r, y + h - r, r, 0.5 * kPi, kPi);
  cairo_close_path(cr);
}

}  // namespace vr
