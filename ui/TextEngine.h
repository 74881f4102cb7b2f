#pragma once
#include <cairo.h>
#include <pango/pango.h>

#include <string>

namespace vr {

class UIFont;

// The UI thread's text machinery: one Pango font map and context with fixed
// resolution (96 dpi, sizes in pixels), fixed font options (grey
// anti-aliasing, no hinting, unhinted metrics) and language zh-cn, so that
// CJK text takes the Simplified Chinese glyphs and headless renders are
// identical from run to run.
class TextEngine {
 public:
  static TextEngine& Instance();

  // A new layout for `cr` with the font and text set; the caller unrefs it.
  PangoLayout* NewLayout(cairo_t* cr, const UIFont& font, const std::string& text);
  // Whether fontconfig knows a family of this name (case-insensitive).
  bool HasFamily(const std::string& family);
  // "Noto Sans CJK SC" when installed, else "sans-serif".
  const std::string& DefaultFace();

  ~TextEngine();

 private:
  TextEngine();

  PangoFontMap* fontMap_ = nullptr;
  PangoContext* context_ = nullptr;
  cairo_font_options_t* options_ = nullptr;
  std::string defaultFace_;
};

// RAII for a PangoLayout reference.
struct LayoutRef {
  explicit LayoutRef(PangoLayout* l) : layout(l) {}
  ~LayoutRef() {
    if (layout) g_object_unref(layout);
  }
  LayoutRef(const LayoutRef&) = delete;
  LayoutRef& operator=(const LayoutRef&) = delete;
  PangoLayout* layout;
};

}  // namespace vr
