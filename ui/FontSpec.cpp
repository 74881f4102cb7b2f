#include "ui/FontSpec.h"

#include "ui/UIAttr.h"

namespace vr {

FontSpec FontSpec::Parse(std::string_view spec) {
  FontSpec f;
  const size_t underscore = spec.find('_');
  if (underscore != std::string_view::npos) f.face = std::string(spec.substr(0, underscore));
  f.sizePx = ParseAttrInt(spec);
  auto has = [spec](char lower) {
    return spec.find(lower) != std::string_view::npos ||
           spec.find(static_cast<char>(lower - 'a' + 'A')) != std::string_view::npos;
  };
  if (has('b')) f.style |= kBold;
  if (has('i')) f.style |= kItalic;
  if (has('u')) f.style |= kUnderline;
  if (has('s')) f.style |= kStrikeout;
  return f;
}

}  // namespace vr
