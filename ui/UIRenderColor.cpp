#include "ui/UIRenderColor.h"

#include "ui/UIAttr.h"
#include "ui/UIColor.h"
#include "ui/UIControl.h"
#include "ui/UIGraphics.h"

namespace vr {

namespace {

// Which variants a key sets: the generic key sets all four, the numbered and
// lettered aliases one each.
int KeyMask(const std::string& key, const char* base) {
  const std::string b(base);
  if (key == b) return 0xF;
  if (key == b + "n") return 1 << UIRender::kNormal;
  if (key == b + "h" || key == b + "1") return 1 << UIRender::kHover;
  if (key == b + "p" || key == b + "2" || key == b + "d" || key == b + "3") {
    return 1 << UIRender::kPressed;
  }
  return 0;
}

}  // namespace

void UIRenderColor::SetProp(const std::string& key, const std::string& value) {
  if (key == "round") {
    round_ = ParseAttrInt(value);
    return;
  }
  if (int mask = KeyMask(key, "clr")) {
    const uint32_t c = ParseColor(value);
    for (int v = 0; v < 4; ++v) {
      if (mask & (1 << v)) fill_[v] = c;
    }
  } else if (int bmask = KeyMask(key, "border")) {
    const uint32_t c = ParseColor(value);
    for (int v = 0; v < 4; ++v) {
      if (bmask & (1 << v)) border_[v] = c;
    }
  }
}

void UIRenderColor::Draw(UIControl* control, UIGraphics& g) {
  const Variant v = VariantOf(*control);
  const int w = control->Width();
  const int h = control->Height();
  if (w <= 0 || h <= 0) return;
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_set_line_width(cr, 1.0);
  if (round_ <= 0) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, 0, 0, w, h);
    SetSourceArgb(cr, fill_[v]);
    cairo_fill(cr);
    if (border_[v] != 0) {
      // Pixel centres: the outline covers columns 0 and w-1, rows 0 and h-1.
      cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
      SetSourceArgb(cr, border_[v]);
      cairo_stroke(cr);
    }
  } else {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    RoundRectPath(cr, 0, 0, w, h, round_);
    SetSourceArgb(cr, fill_[v]);
    cairo_fill(cr);
    if (border_[v] != 0) {
      RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, round_);
      SetSourceArgb(cr, border_[v]);
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);
}

}  // namespace vr
