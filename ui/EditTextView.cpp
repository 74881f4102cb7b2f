#include "ui/EditTextView.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "ui/TextEngine.h"
#include "ui/UIColor.h"
#include "ui/UIFont.h"
#include "ui/Utf8Text.h"

namespace vr {

namespace {
constexpr uint32_t kSelectionArgb = 0xFF0078D7;  // the desktop's highlight blue
constexpr uint32_t kSelectedTextArgb = 0xFFFFFFFF;

int CeilPixels(int pangoUnits) { return (pangoUnits + PANGO_SCALE - 1) / PANGO_SCALE; }
}  // namespace

EditTextView::EditTextView() {
  // A context of our own, configured like the text engine's (its font map,
  // 96 dpi, its font options, zh-cn), so that laying out other controls'
  // text never invalidates this layout, and it never depends on the
  // transform of the context it is drawn on.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  LayoutRef probe(TextEngine::Instance().NewLayout(cr, DefaultFont(), ""));
  PangoContext* shared = pango_layout_get_context(probe.layout);
  context_ = pango_font_map_create_context(pango_context_get_font_map(shared));
  pango_cairo_context_set_resolution(context_, pango_cairo_context_get_resolution(shared));
  pango_cairo_context_set_font_options(context_, pango_cairo_context_get_font_options(shared));
  pango_context_set_language(context_, pango_context_get_language(shared));
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  font_ = pango_font_description_copy(DefaultFont().Description());
}

EditTextView::~EditTextView() {
  if (layout_) g_object_unref(layout_);
  pango_font_description_free(font_);
  g_object_unref(context_);
}

void EditTextView::Invalidate() {
  if (layout_) g_object_unref(layout_);
  layout_ = nullptr;
}

void EditTextView::SetFont(const UIFont& font) {
  if (pango_font_description_equal(font_, font.Description())) return;
  pango_font_description_free(font_);
  font_ = pango_font_description_copy(font.Description());
  Invalidate();
}

void EditTextView::SetGeometry(const Geometry& geometry) {
  if (geometry == geometry_) return;
  const bool relayout = geometry.width != geometry_.width || geometry.multiline != geometry_.multiline ||
                        geometry.wrap != geometry_.wrap || geometry.align != geometry_.align;
  geometry_ = geometry;
  if (relayout) Invalidate();
  ClampScroll();
}

void EditTextView::SetText(const std::u32string& display) {
  text_ = display;
  Invalidate();
}

void EditTextView::SetPreedit(size_t pos, const std::u32string& preedit) {
  if (preedit == preedit_ && pos == preeditPos_) return;
  preedit_ = preedit;
  preeditPos_ = std::min(pos, text_.size());
  Invalidate();
}

// --- The layout -----------------------------------------------------------------

PangoLayout* EditTextView::Layout() const {
  if (layout_) return layout_;
  const size_t n = text_.size();
  utf8_.clear();
  utf8_.reserve(n * 3 + preedit_.size() * 3);
  offsets_.assign(n + 1, 0);
  int preeditStart = -1;
  for (size_t i = 0; i <= n; ++i) {
    if (i == preeditPos_ && !preedit_.empty()) {
      preeditStart = static_cast<int>(utf8_.size());
      for (char32_t c : preedit_) AppendUtf8(c, &utf8_);
    }
    offsets_[i] = static_cast<uint32_t>(utf8_.size());
    if (i < n) AppendUtf8(text_[i], &utf8_);
  }
  layout_ = pango_layout_new(context_);
  pango_layout_set_font_description(layout_, font_);
  pango_layout_set_single_paragraph_mode(layout_, !geometry_.multiline);
  const PangoAlignment align = geometry_.align == 1   ? PANGO_ALIGN_CENTER
                               : geometry_.align == 2 ? PANGO_ALIGN_RIGHT
                                                      : PANGO_ALIGN_LEFT;
  pango_layout_set_alignment(layout_, align);
  if (geometry_.multiline && geometry_.wrap) {
    pango_layout_set_width(layout_, std::max(1, geometry_.width - 2 * kMarginX) * PANGO_SCALE);
    pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
  }
  pango_layout_set_text(layout_, utf8_.data(), static_cast<int>(utf8_.size()));
  if (preeditStart >= 0) {
    PangoAttrList* attrs = pango_attr_list_new();
    PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    underline->start_index = static_cast<guint>(preeditStart);
    underline->end_index = offsets_[preeditPos_];
    pango_attr_list_insert(attrs, underline);
    pango_layout_set_attributes(layout_, attrs);
    pango_attr_list_unref(attrs);
  }
  const_cast<EditTextView*>(this)->preeditBytes_ =
      preeditStart >= 0 ? static_cast<int>(offsets_[preeditPos_]) - preeditStart : 0;
  return layout_;
}

int EditTextView::ByteOf(size_t pos) const {
  Layout();
  return static_cast<int>(offsets_[std::min(pos, offsets_.size() - 1)]);
}

size_t EditTextView::PosOfByte(int byte) const {
  Layout();
  if (preeditBytes_ > 0) {
    const int end = static_cast<int>(offsets_[preeditPos_]);
    if (byte >= end - preeditBytes_ && byte < end) return preeditPos_;  // inside the pre-edit
  }
  const auto it = std::upper_bound(offsets_.begin(), offsets_.end(), static_cast<uint32_t>(std::max(0, byte)));
  return it == offsets_.begin() ? 0 : static_cast<size_t>(it - offsets_.begin()) - 1;
}

int EditTextView::TextWidth() const {
  int w = 0, h = 0;
  pango_layout_get_pixel_size(Layout(), &w, &h);
  return w;
}

int EditTextView::TextHeight() const {
  int w = 0, h = 0;
  pango_layout_get_pixel_size(Layout(), &w, &h);
  return h;
}

int EditTextView::LineHeight() {
  PangoRectangle logical;
  pango_layout_line_get_extents(pango_layout_get_line_readonly(Layout(), 0), nullptr, &logical);
  return std::max(1, CeilPixels(logical.height));
}

int EditTextView::DisplayLineCount() { return pango_layout_get_line_count(Layout()); }

int EditTextView::FirstVisibleLine() { return scrollY_ / LineHeight(); }

int EditTextView::LineOf(size_t pos) const {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(Layout(), ByteOf(pos), FALSE, &line, &x);
  return line;
}

bool EditTextView::LineStartPos(int line, size_t* pos) const {
  if (line < 0 || line >= pango_layout_get_line_count(Layout())) return false;
  *pos = PosOfByte(pango_layout_get_line_readonly(layout_, line)->start_index);
  return true;
}

UIPoint EditTextView::Origin() const {
  int x = kMarginX - scrollX_;
  if (!geometry_.wrap) {
    const int avail = geometry_.width - 2 * kMarginX;
    const int tw = TextWidth();
    if (tw < avail) {
      if (geometry_.align == 1) x += (avail - tw) / 2;
      if (geometry_.align == 2) x += avail - tw - 1;  // the caret stays inside
    }
  }
  int y = kMarginY - scrollY_;
  if (!geometry_.multiline) {
    PangoRectangle logical;
    pango_layout_line_get_extents(pango_layout_get_line_readonly(Layout(), 0), nullptr, &logical);
    y = (geometry_.height - CeilPixels(logical.height)) / 2;
  }
  return UIPoint{x, y};
}

// --- Mapping ---------------------------------------------------------------------

size_t EditTextView::PosAt(int x, int y) {
  const UIPoint o = Origin();
  int index = 0, trailing = 0;
  const long long lx = static_cast<long long>(x - o.x) * PANGO_SCALE;
  const long long ly = static_cast<long long>(y - o.y) * PANGO_SCALE;
  pango_layout_xy_to_index(Layout(), static_cast<int>(std::clamp<long long>(lx, -(1LL << 30), 1LL << 30)),
                           static_cast<int>(std::clamp<long long>(ly, -(1LL << 30), 1LL << 30)), &index,
                           &trailing);
  const size_t pos = PosOfByte(index);
  return std::min(text_.size(), pos + static_cast<size_t>(std::max(0, trailing)));
}

UIRect EditTextView::CaretRect(size_t pos) {
  PangoRectangle strong;
  pango_layout_get_cursor_pos(Layout(), ByteOf(pos), &strong, nullptr);
  const UIPoint o = Origin();
  const int x = o.x + PANGO_PIXELS(strong.x);
  const int y = o.y + PANGO_PIXELS(strong.y);
  return UIRect::FromXYWH(x, y, 1, std::max(1, CeilPixels(strong.height)));
}

// --- Scrolling -------------------------------------------------------------------

void EditTextView::ClampScroll() {
  if (!layout_ && text_.empty()) {
    scrollX_ = scrollY_ = 0;
    return;
  }
  const int availW = std::max(1, geometry_.width - 2 * kMarginX);
  const int availH = std::max(1, geometry_.height - 2 * kMarginY);
  scrollX_ = geometry_.wrap ? 0 : std::clamp(scrollX_, 0, std::max(0, TextWidth() + 1 - availW));
  scrollY_ = geometry_.multiline ? std::clamp(scrollY_, 0, std::max(0, TextHeight() - availH)) : 0;
}

bool EditTextView::ScrollToShow(size_t pos) {
  const int oldX = scrollX_, oldY = scrollY_;
  PangoRectangle strong;
  pango_layout_get_cursor_pos(Layout(), ByteOf(pos), &strong, nullptr);
  const int cx = PANGO_PIXELS(strong.x);
  const int cy = PANGO_PIXELS(strong.y);
  const int ch = CeilPixels(strong.height);
  if (!geometry_.wrap) {
    const int avail = std::max(1, geometry_.width - 2 * kMarginX);
    // Jump a quarter of the width, so that typing on does not scroll at
    // every character.
    if (cx - scrollX_ < 0) scrollX_ = cx - avail / 4;
    if (cx - scrollX_ > avail - 1) scrollX_ = cx - avail + 1 + avail / 4;
  }
  if (geometry_.multiline) {
    const int avail = std::max(1, geometry_.height - 2 * kMarginY);
    if (cy < scrollY_) scrollY_ = cy;
    if (cy + ch > scrollY_ + avail) scrollY_ = cy + ch - avail;
  }
  ClampScroll();
  return scrollX_ != oldX || scrollY_ != oldY;
}

bool EditTextView::ScrollLines(int lines) {
  if (!geometry_.multiline) return false;
  const int old = scrollY_;
  scrollY_ = ClampCoord(static_cast<long long>(scrollY_) + static_cast<long long>(lines) * LineHeight());
  ClampScroll();
  return scrollY_ != old;
}

// --- Painting ---------------------------------------------------------------------

void EditTextView::Draw(cairo_t* cr, uint32_t textArgb, size_t selFrom, size_t selTo) {
  PangoLayout* layout = Layout();
  const UIPoint o = Origin();
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, geometry_.width, geometry_.height);
  cairo_clip(cr);
  cairo_translate(cr, o.x, o.y);

  // The selection's rectangles, visible lines only.
  bool any = false;
  if (selTo > selFrom) {
    const int s = ByteOf(selFrom), e = ByteOf(selTo);
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    do {
      int y0 = 0, y1 = 0;
      pango_layout_iter_get_line_yrange(it, &y0, &y1);
      if (o.y + PANGO_PIXELS(y1) < 0) continue;
      if (o.y + PANGO_PIXELS(y0) > geometry_.height) break;
      PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
      if (line->start_index > e || line->start_index + line->length < s) continue;
      int* ranges = nullptr;
      int count = 0;
      pango_layout_line_get_x_ranges(line, s, e, &ranges, &count);
      for (int r = 0; r < count; ++r) {
        const double x0 = static_cast<double>(ranges[2 * r]) / PANGO_SCALE;
        const double x1 = static_cast<double>(ranges[2 * r + 1]) / PANGO_SCALE;
        cairo_rectangle(cr, x0, static_cast<double>(y0) / PANGO_SCALE, std::max(1.0, x1 - x0),
                        static_cast<double>(y1 - y0) / PANGO_SCALE);
        any = true;
      }
      g_free(ranges);
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
  }
  cairo_path_t* selection = cairo_copy_path(cr);
  cairo_new_path(cr);
  if (any) {
    cairo_append_path(cr, selection);
    SetSourceArgb(cr, kSelectionArgb);
    cairo_fill(cr);
  }
  SetSourceArgb(cr, textArgb);
  cairo_move_to(cr, 0, 0);
  pango_cairo_show_layout(cr, layout);
  if (any) {
    cairo_new_path(cr);
    cairo_append_path(cr, selection);
    cairo_clip(cr);
    SetSourceArgb(cr, kSelectedTextArgb);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout);
  }
  cairo_path_destroy(selection);
  cairo_restore(cr);
}

// --- Navigation ---------------------------------------------------------------------

size_t EditTextView::Home(size_t pos) const {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(Layout(), ByteOf(pos), FALSE, &line, &x);
  return PosOfByte(pango_layout_get_line_readonly(layout_, line)->start_index);
}

size_t EditTextView::End(size_t pos) const {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(Layout(), ByteOf(pos), FALSE, &line, &x);
  PangoLayoutLine* l = pango_layout_get_line_readonly(layout_, line);
  size_t end = PosOfByte(l->start_index + l->length);
  const bool wrapped = line + 1 < pango_layout_get_line_count(layout_) && end < text_.size() && text_[end] != U'\n';
  // A position at a wrap point shows at the start of the next line; stop
  // before the character that ends this one instead.
  if (wrapped && end > PosOfByte(l->start_index)) --end;
  return end;
}

size_t EditTextView::Step(size_t pos, int direction) const {
  const size_t n = text_.size();
  pos = std::min(pos, n);
  if (!preedit_.empty()) return direction < 0 ? (pos > 0 ? pos - 1 : 0) : std::min(n, pos + 1);
  int count = 0;
  const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(Layout(), &count);
  const auto stop = [&](size_t p) { return p >= static_cast<size_t>(count) || attrs[p].is_cursor_position; };
  if (direction < 0) {
    if (pos == 0) return 0;
    size_t p = pos - 1;
    while (p > 0 && !stop(p)) --p;
    return p;
  }
  if (pos >= n) return n;
  size_t p = pos + 1;
  while (p < n && !stop(p)) ++p;
  return p;
}

size_t EditTextView::Vertical(size_t pos, int lines, int* goalX) const {
  int line = 0, x = 0;
  pango_layout_index_to_line_x(Layout(), ByteOf(pos), FALSE, &line, &x);
  if (*goalX < 0) *goalX = std::max(0, x);
  const int last = pango_layout_get_line_count(layout_) - 1;
  const int target = static_cast<int>(std::clamp<long long>(static_cast<long long>(line) + lines, 0, last));
  PangoLayoutLine* l = pango_layout_get_line_readonly(layout_, target);
  int index = 0, trailing = 0;
  pango_layout_line_x_to_index(l, *goalX, &index, &trailing);
  const size_t found = std::min(text_.size(), PosOfByte(index) + static_cast<size_t>(std::max(0, trailing)));
  return std::min(found, End(PosOfByte(l->start_index)));
}

int EditTextView::PageLines() const {
  PangoRectangle logical;
  pango_layout_line_get_extents(pango_layout_get_line_readonly(Layout(), 0), nullptr, &logical);
  const int lineH = std::max(1, CeilPixels(logical.height));
  return std::max(1, (geometry_.height - 2 * kMarginY) / lineH);
}

}  // namespace vr
