#pragma once
#include <string>
#include <string_view>

namespace vr {

// A font spec such as "16", "16B" or "Arial_14": the face is the part before
// the first "_" (empty = default face); the size in pixels is the leading
// number of the whole spec (so "Arial_14" has size 0); the style letters
// b, i, u, s (either case) are searched anywhere, the face name included.
struct FontSpec {
  static constexpr int kBold = 1;
  static constexpr int kItalic = 2;
  static constexpr int kUnderline = 4;
  static constexpr int kStrikeout = 8;

  std::string face;
  int sizePx = 0;
  int style = 0;

  static FontSpec Parse(std::string_view spec);
  bool operator==(const FontSpec&) const = default;
};

}  // namespace vr
