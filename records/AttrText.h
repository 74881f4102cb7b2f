#pragma once
#include <map>
#include <string>
#include <string_view>

namespace vr {

// A record's attributes: key -> value, ordered by key.
using AttrMap = std::map<std::string, std::string>;

// "key=value" pairs joined by "|", in key order ("nc=1|nf=0|np=2|show=1").
std::string FormatAttr(const AttrMap& attr);

// Splits at "|"; in each piece the first "=" separates key and value (the
// value may hold further "="), a piece without "=" is ignored, and a repeated
// key keeps its last value. "a=1=2|b|=3" gives a -> "1=2" and "" -> "3".
AttrMap ParseAttr(std::string_view text);

// A numeric attribute: the leading decimal integer of its value, 0 when absent.
int AttrInt(const AttrMap& attr, const std::string& key);
void SetAttrInt(AttrMap& attr, const std::string& key, int value);

}  // namespace vr
