#pragma once
#include <pango/pango.h>

#include <memory>
#include <string>

#include "ui/FontSpec.h"

namespace vr {

// A font made from a spec: a Pango description in pixel units plus the
// underline and strikeout styles, which Pango applies per layout.
class UIFont {
 public:
  // Null when no usable font results (a size of 0 or less).
  static std::unique_ptr<UIFont> Create(const FontSpec& spec);
  ~UIFont();
  UIFont(const UIFont&) = delete;
  UIFont& operator=(const UIFont&) = delete;

  const PangoFontDescription* Description() const { return desc_; }
  const std::string& Family() const { return family_; }
  int SizePx() const { return sizePx_; }
  bool Underline() const { return underline_; }
  bool Strikeout() const { return strikeout_; }

 private:
  UIFont(PangoFontDescription* desc, std::string family, int sizePx, int style);

  PangoFontDescription* desc_;
  std::string family_;
  int sizePx_;
  bool underline_;
  bool strikeout_;
};

// The process-wide default: the default face at 13 pixels, regular.
const UIFont& DefaultFont();

}  // namespace vr
