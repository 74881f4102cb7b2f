#include "ui/UIFont.h"

#include "ui/TextEngine.h"

namespace vr {

namespace {
constexpr int kDefaultSizePx = 13;
// Text larger than this is not a UI font; refusing it bounds layout work.
constexpr int kMaxSizePx = 1000;
}  // namespace

UIFont::UIFont(PangoFontDescription* desc, std::string family, int sizePx, int style)
    : desc_(desc),
      family_(std::move(family)),
      sizePx_(sizePx),
      underline_((style & FontSpec::kUnderline) != 0),
      strikeout_((style & FontSpec::kStrikeout) != 0) {}

UIFont::~UIFont() { pango_font_description_free(desc_); }

std::unique_ptr<UIFont> UIFont::Create(const FontSpec& spec) {
  if (spec.sizePx <= 0 || spec.sizePx > kMaxSizePx) return nullptr;
  TextEngine& engine = TextEngine::Instance();
  std::string family = spec.face.empty() ? engine.DefaultFace() : spec.face;
  if (!spec.face.empty() && !engine.HasFamily(family)) family = "sans-serif";
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family.c_str());
  pango_font_description_set_absolute_size(desc, spec.sizePx * PANGO_SCALE);
  pango_font_description_set_weight(desc, (spec.style & FontSpec::kBold) ? PANGO_WEIGHT_BOLD
                                                                        : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(desc, (spec.style & FontSpec::kItalic) ? PANGO_STYLE_ITALIC
                                                                         : PANGO_STYLE_NORMAL);
  return std::unique_ptr<UIFont>(new UIFont(desc, std::move(family), spec.sizePx, spec.style));
}

const UIFont& DefaultFont() {
  static const std::unique_ptr<UIFont> font = UIFont::Create(FontSpec{"", kDefaultSizePx, 0});
  return *font;
}

}  // namespace vr
