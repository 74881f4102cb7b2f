#include "ui/UIRenderText.h"

#include <algorithm>
#include <vector>

#include "ui/HighlightMarkup.h"
#include "ui/IUIContainer.h"
#include "ui/TextDraw.h"
#include "ui/UIAttr.h"
#include "ui/UIColor.h"
#include "ui/UIControl.h"
#include "ui/UIFont.h"
#include "ui/UIGraphics.h"

namespace vr {

namespace {

constexpr uint32_t kShadowInk = 0xFE101010;
constexpr int kShadowDrop = 3;  // pixels the shadow text sits below the text
// The shadow's alpha is the blue channel summed over this window around each
// pixel: columns x-4..x, rows y..y+5.
constexpr int kShadowLeft = 4;
constexpr int kShadowRows = 6;
// Shadows are computed per pixel; larger text boxes are drawn without one.
constexpr long long kMaxShadowPixels = 2048LL * 2048;

bool TextBool(const std::string& v) { return v == "1" || v == "true" || v == "yes" || v == "TRUE"; }

}  // namespace

void UIRenderText::SetProp(const std::string& key, const std::string& value) {
  if (key == "clr") {
    std::fill(std::begin(colours_), std::end(colours_), ParseColor(value));
  } else if (key.size() == 4 && key.compare(0, 3, "clr") == 0 && key[3] >= '0' && key[3] <= '3') {
    colours_[key[3] - '0'] = ParseColor(value);
  } else if (key == "font") {
    std::fill(std::begin(fonts_), std::end(fonts_), value);
  } else if (key.size() == 5 && key.compare(0, 4, "font") == 0 && key[4] >= '0' && key[4] <= '3') {
    fonts_[key[4] - '0'] = value;
  } else if (key == "horz") {
    horz_ = ParseAttrInt(value);
  } else if (key == "vert") {
    vert_ = ParseAttrInt(value);
  } else if (key == "multi") {
    if (TextBool(value)) singleLine_ = false;
  } else if (key == "trim") {
    trimming_ = TextBool(value) ? kTrimEllipsisCharacter : kTrimNone;
  } else if (key == "ntrim") {
    trimming_ = ParseAttrInt(value);
  } else if (key == "inset") {
    inset_ = ParseInsets(value);
  } else if (key == "shadow") {
    shadow_ = TextBool(value);
  } else if (key == "keyword") {
    keyword_ = TextBool(value);
  }
}

const UIFont& UIRenderText::ResolveFont(UIControl* control, const std::string& spec) const {
  UIFont* font = control->Host() ? control->Host()->GetFont(spec) : nullptr;
  return font ? *font : DefaultFont();
}

void UIRenderText::Draw(UIControl* control, UIGraphics& g) {
  DrawInRect(control, g,
             UIRect{inset_.left, inset_.top, control->Width() - inset_.right,
                    control->Height() - inset_.bottom});
}

void UIRenderText::DrawInRect(UIControl* control, UIGraphics& g, const UIRect& r) {
  control_ = control;
  const Variant v = VariantOf(*control);
  const std::string& spec = fonts_[v].empty() ? fonts_[kNormal] : fonts_[v];
  const UIFont& font = ResolveFont(control, spec);
  font_ = &font;
  const uint32_t colour = colours_[v];
  const std::string& text = control->Text();
  const bool markup = keyword_ && text.find("<text") != std::string::npos &&
                      DrawMarkup(control, g, r, font, colour);
  if (!markup) {
    if (shadow_) DrawShadow(g, r, font, text);
    DrawTextInRect(g.Cairo(), font, text, colour, r, TextFormat{horz_, vert_, singleLine_, trimming_});
  }
  control_ = nullptr;
  font_ = nullptr;
}

bool UIRenderText::DrawMarkup(UIControl* control, UIGraphics& g, const UIRect& r, const UIFont& font,
                              uint32_t colour) {
  HighlightDoc doc;
  if (!ParseHighlightMarkup(control->Text(), &doc)) return false;
  const uint32_t docColour = ParseColor(doc.clr) ? ParseColor(doc.clr) : colour;
  struct Placed {
    const UIFont* font;
    uint32_t colour;
    int width;
  };
  std::vector<Placed> placed;
  long long total = 0;
  for (const HighlightRun& run : doc.runs) {
    const std::string& spec = run.font.empty() ? doc.font : run.font;
    const UIFont* runFont = spec.empty() ? &font : &ResolveFont(control, spec);
    const uint32_t c = ParseColor(run.clr) ? ParseColor(run.clr) : docColour;
    // Measured with trailing spaces, plus one pixel as the typographic format does.
    const int width = MeasureTextWidth(g.Cairo(), *runFont, run.text) + 1;
    placed.push_back(Placed{runFont, c, width});
    total += width;
  }
  long long x = r.left;
  if (horz_ == 1) x = r.left + (r.Width() - total) / 2;
  if (horz_ == 2) x = r.right - total;
  for (size_t i = 0; i < doc.runs.size(); ++i) {
    const UIRect runRect = UIRect::FromXYWH(ClampCoord(x), r.top, r.Width(), r.Height());
    DrawTextInRect(g.Cairo(), *placed[i].font, doc.runs[i].text, placed[i].colour, runRect,
                   TextFormat{0, vert_, true, kTrimNone});
    x += placed[i].width;
  }
  return true;
}

void UIRenderText::DrawShadow(UIGraphics& g, const UIRect& r, const UIFont& font,
                              const std::string& text) {
  const int w = r.Width();
  const int h = r.Height();
  if (w <= 0 || h <= 0 || text.empty() || static_cast<long long>(w) * h > kMaxShadowPixels) return;
  cairo_surface_t* ink = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_surface_t* shadow = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(ink) == CAIRO_STATUS_SUCCESS &&
      cairo_surface_status(shadow) == CAIRO_STATUS_SUCCESS) {
    {
      UIGraphics inkG(ink);
      DrawTextInRect(inkG.Cairo(), font, text, kShadowInk, UIRect{0, kShadowDrop, w, h + kShadowDrop},
                     TextFormat{horz_, vert_, singleLine_, trimming_});
    }
    cairo_surface_flush(ink);
    cairo_surface_flush(shadow);
    const unsigned char* in = cairo_image_surface_get_data(ink);
    unsigned char* out = cairo_image_surface_get_data(shadow);
    const int inStride = cairo_image_surface_get_stride(ink);
    const int outStride = cairo_image_surface_get_stride(shadow);
    auto blue = [&](int x, int y) -> int {
      if (x < 0 || y < 0 || x >= w || y >= h) return 0;
      return reinterpret_cast<const uint32_t*>(in + static_cast<size_t>(y) * inStride)[x] & 0xFF;
    };
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(out + static_cast<size_t>(y) * outStride);
      for (int x = 0; x < w; ++x) {
        int sum = 0;
        for (int dy = 0; dy < kShadowRows; ++dy) {
          for (int dx = -kShadowLeft; dx <= 0; ++dx) sum += blue(x + dx, y + dy);
        }
        row[x] = static_cast<uint32_t>(std::min(sum, 255)) << 24;  // black, premultiplied
      }
    }
    cairo_surface_mark_dirty(shadow);
    cairo_t* cr = g.Cairo();
    cairo_save(cr);
    cairo_set_source_surface(cr, shadow, r.left, r.top);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_surface_destroy(ink);
  cairo_surface_destroy(shadow);
}

}  // namespace vr
