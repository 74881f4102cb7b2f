#include "ui/TextDraw.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "ui/TextEngine.h"
#include "ui/UIColor.h"
#include "ui/UIFont.h"

namespace vr {

namespace {

// Pango counts in 1/1024 pixel in an int; wider boxes than this are cut to it.
constexpr int kMaxBoxPx = 1 << 20;

int PangoUnits(int px) { return std::min(px, kMaxBoxPx) * PANGO_SCALE; }

bool IsEllipsis(int trimming) { return trimming >= 3 && trimming <= 5; }

// Height of the lines that fit wholly into `limit` pixels; at least the first
// line, so a label a little lower than its font still shows its text.
int WholeLinesHeight(PangoLayout* layout, int limit) {
  PangoLayoutIter* it = pango_layout_get_iter(layout);
  int shown = 0;
  bool first = true;
  do {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(it, nullptr, &logical);
    const int bottom = PANGO_PIXELS_CEIL(logical.y + logical.height);
    if (!first && bottom > limit) break;
    shown = bottom;
    first = false;
  } while (pango_layout_iter_next_line(it));
  pango_layout_iter_free(it);
  return shown;
}

}  // namespace

void DrawTextInRect(cairo_t* cr, const UIFont& font, const std::string& text, uint32_t argb,
                    const UIRect& rect, const TextFormat& format) {
  if (text.empty() || rect.IsEmpty()) return;
  LayoutRef ref(TextEngine::Instance().NewLayout(cr, font, text));
  PangoLayout* layout = ref.layout;
  const int w = rect.Width();
  const int h = rect.Height();
  const PangoAlignment align = format.horz == 1   ? PANGO_ALIGN_CENTER
                               : format.horz == 2 ? PANGO_ALIGN_RIGHT
                                                  : PANGO_ALIGN_LEFT;
  const PangoEllipsizeMode ellipsize =
      format.trimming == 5 ? PANGO_ELLIPSIZE_MIDDLE : PANGO_ELLIPSIZE_END;
  // Without a layout width Pango never wraps; single-line text then gets its
  // horizontal alignment from its measured width below.
  bool alignByWidth = false;
  if (format.singleLine) {
    if (IsEllipsis(format.trimming)) {
      pango_layout_set_width(layout, PangoUnits(w));
      pango_layout_set_ellipsize(layout, ellipsize);
      pango_layout_set_alignment(layout, align);
    } else {
      alignByWidth = true;
    }
  } else {
    pango_layout_set_width(layout, PangoUnits(w));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout, align);
    if (IsEllipsis(format.trimming)) {
      pango_layout_set_ellipsize(layout, ellipsize);
      pango_layout_set_height(layout, PangoUnits(h));
    }
  }
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  const int textHeight = format.singleLine ? logical.height : WholeLinesHeight(layout, h);
  double x = rect.left;
  if (alignByWidth) {
    if (format.horz == 1) x = rect.left + (w - logical.width) / 2.0;
    if (format.horz == 2) x = rect.right - logical.width;
    x -= logical.x;
  }
  double y = rect.top;
  if (format.vert == 1) y = rect.top + (h - textHeight) / 2.0;
  if (format.vert == 2) y = rect.bottom - textHeight;

  cairo_save(cr);
  cairo_new_path(cr);
  // Only whole lines: the clip ends below the last line that fits.
  const int clipBottom = format.singleLine ? rect.bottom
                                           : std::min<int>(rect.bottom, static_cast<int>(y) + textHeight);
  cairo_rectangle(cr, rect.left, rect.top, w, clipBottom - rect.top);
  cairo_clip(cr);
  SetSourceArgb(cr, argb);
  // Whole-pixel origins keep glyph rendering identical wherever a label sits.
  cairo_move_to(cr, static_cast<int>(x), static_cast<int>(y));
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

int MeasureTextWidth(cairo_t* cr, const UIFont& font, const std::string& text) {
  if (text.empty()) return 0;
  LayoutRef ref(TextEngine::Instance().NewLayout(cr, font, text));
  PangoRectangle logical;
  pango_layout_get_pixel_extents(ref.layout, nullptr, &logical);
  return logical.width;
}

}  // namespace vr
