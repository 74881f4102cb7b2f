#include "ui/TextEngine.h"

#include <pango/pangocairo.h>
#include <strings.h>

#include "ui/UIFont.h"

namespace vr {

namespace {
constexpr double kDpi = 96.0;
constexpr const char* kPreferredFace = "Noto Sans CJK SC";
}  // namespace

TextEngine& TextEngine::Instance() {
  static TextEngine engine;
  return engine;
}

TextEngine::TextEngine() {
  fontMap_ = pango_cairo_font_map_new();
  pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap_), kDpi);
  context_ = pango_font_map_create_context(fontMap_);
  options_ = cairo_font_options_create();
  cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context_, options_);
  pango_cairo_context_set_resolution(context_, kDpi);
  PangoLanguage* zh = pango_language_from_string("zh-cn");
  pango_context_set_language(context_, zh);
  defaultFace_ = HasFamily(kPreferredFace) ? kPreferredFace : "sans-serif";
}

TextEngine::~TextEngine() {
  cairo_font_options_destroy(options_);
  g_object_unref(context_);
  g_object_unref(fontMap_);
}

bool TextEngine::HasFamily(const std::string& family) {
  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(fontMap_, &families, &count);
  bool found = false;
  for (int i = 0; i < count && !found; ++i) {
    found = strcasecmp(pango_font_family_get_name(families[i]), family.c_str()) == 0;
  }
  g_free(families);
  return found;
}

const std::string& TextEngine::DefaultFace() { return defaultFace_; }

PangoLayout* TextEngine::NewLayout(cairo_t* cr, const UIFont& font, const std::string& text) {
  // Only the translation of cr differs between controls; the context keeps
  // its fixed options and picks up the transform.
  pango_cairo_update_context(cr, context_);
  PangoLayout* layout = pango_layout_new(context_);
  pango_layout_set_font_description(layout, font.Description());
  if (font.Underline() || font.Strikeout()) {
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.Underline()) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.Strikeout()) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
  }
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  return layout;
}

}  // namespace vr
