#pragma once
#include <cstdint>
#include <string>

#include "ui/UIRender.h"

namespace vr {

class UIFont;

// Draws the control's text: per-variant colour and font spec, alignment,
// single or multiple lines (only whole lines shown), trimming, an inset, an
// optional soft shadow, and the two-colour highlight markup in keyword mode.
class UIRenderText : public UIRender {
 public:
  // Trimming values (GDI+ numbering).
  static constexpr int kTrimNone = 0;
  static constexpr int kTrimCharacter = 1;
  static constexpr int kTrimWord = 2;
  static constexpr int kTrimEllipsisCharacter = 3;
  static constexpr int kTrimEllipsisWord = 4;
  static constexpr int kTrimEllipsisPath = 5;

  void Draw(UIControl* control, UIGraphics& g) override;
  void SetProp(const std::string& key, const std::string& value) override;
  // Draws the control's text into `rect` (own coordinates) as it stands; the
  // inset is not applied again. Labels use it with their text rectangle.
  void DrawInRect(UIControl* control, UIGraphics& g, const UIRect& rect);

  bool SingleLine() const { return singleLine_; }
  bool Shadow() const { return shadow_; }
  bool Keyword() const { return keyword_; }
  int Trimming() const { return trimming_; }
  uint32_t Colour(Variant v) const { return colours_[v]; }
  const std::string& Font(Variant v) const { return fonts_[v]; }
  const UIRect& Inset() const { return inset_; }
  int HorzAlign() const { return horz_; }
  int VertAlign() const { return vert_; }

 private:
  const UIFont& ResolveFont(UIControl* control, const std::string& spec) const;
  bool DrawMarkup(UIControl* control, UIGraphics& g, const UIRect& r, const UIFont& font,
                  uint32_t colour);
  void DrawShadow(UIGraphics& g, const UIRect& r, const UIFont& font, const std::string& text);

  UIControl* control_ = nullptr;  // the control being painted, set per draw
  const UIFont* font_ = nullptr;  // the font in use, set per draw
  bool singleLine_ = true;
  bool shadow_ = false;
  bool keyword_ = false;
  int trimming_ = kTrimNone;
  uint32_t colours_[4] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF3C3C3C};
  std::string fonts_[4];
  UIRect inset_;
  int horz_ = 0;
  int vert_ = 1;
};

}  // namespace vr
