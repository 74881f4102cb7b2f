#include "ui/UIGradientColor.h"

#include "ui/UIAttr.h"
#include "ui/UIColor.h"
#include "ui/UIControl.h"
#include "ui/UIGraphics.h"

namespace vr {

void UIGradientColor::SetProp(const std::string& key, const std::string& value) {
  if (key == "mode") {
    mode_ = ParseAttrInt(value);
    return;
  }
  UIRenderColor::SetProp(key, value);
}

void UIGradientColor::Draw(UIControl* control, UIGraphics& g) {
  const int w = control->Width();
  const int h = control->Height();
  if (w <= 0 || h <= 0) return;
  double x0 = 0, y0 = 0, x1 = w, y1 = 0;
  switch (mode_) {
    case 1: x1 = 0; y1 = h; break;
    case 2: x1 = w; y1 = h; break;
    case 3: x0 = w; y0 = 0; x1 = 0; y1 = h; break;
    default: break;
  }
  cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
  const uint32_t from = fill_[kNormal];
  const uint32_t to = fill_[kHover];
  auto stop = [pattern](double at, uint32_t c) {
    cairo_pattern_add_color_stop_rgba(pattern, at, ((c >> 16) & 0xFF) / 255.0,
                                      ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                                      ((c >> 24) & 0xFF) / 255.0);
  };
  stop(0.0, from);
  stop(1.0, to);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(pattern);
}

}  // namespace vr
