#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ui/UIGeometry.h"

namespace vr {

// The text forms of attribute values, read once at the edge.

// True for exactly "true", "TRUE", "1" and "yes".
bool ParseAttrBool(std::string_view value);
// Decimal number with optional leading white space and sign, stopping at the
// first other character; no digits gives 0. Saturates at the int range.
int ParseAttrInt(std::string_view value);
// Splits at `delim`, keeping empty pieces.
std::vector<std::string_view> SplitAttr(std::string_view text, char delim);
// "x,y,w,h" into (x, y, x+w, y+h); anything but four parts gives nullopt.
bool ParseXYWH(std::string_view value, UIRect* out);
// "left,top,right,bottom" insets; parts 1..4, missing parts 0.
UIRect ParseInsets(std::string_view value);
// Lower-cases ASCII letters; other bytes (UTF-8 sequences) are kept.
std::string LowerAscii(std::string_view text);
// Number of Unicode code points in UTF-8 text.
int CountCodePoints(std::string_view utf8);

}  // namespace vr
