#include "ui/UIAttr.h"

#include <climits>

namespace vr {

bool ParseAttrBool(std::string_view v) {
  return v == "true" || v == "TRUE" || v == "1" || v == "yes";
}

int ParseAttrInt(std::string_view v) {
  size_t i = 0;
  while (i < v.size() && (v[i] == ' ' || v[i] == '\t' || v[i] == '\n' || v[i] == '\r' ||
                          v[i] == '\v' || v[i] == '\f')) {
    ++i;
  }
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) {
    negative = v[i] == '-';
    ++i;
  }
  long long n = 0;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
    n = n * 10 + (v[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  return static_cast<int>(n);
}

std::vector<std::string_view> SplitAttr(std::string_view text, char delim) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    size_t pos = text.find(delim, start);
    if (pos == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, pos - start));
    start = pos + 1;
  }
}

bool ParseXYWH(std::string_view value, UIRect* out) {
  auto parts = SplitAttr(value, ',');
  if (parts.size() != 4) {
    *out = UIRect{};
    return false;
  }
  *out = UIRect::FromXYWH(ParseAttrInt(parts[0]), ParseAttrInt(parts[1]), ParseAttrInt(parts[2]),
                          ParseAttrInt(parts[3]));
  return true;
}

UIRect ParseInsets(std::string_view value) {
  auto parts = SplitAttr(value, ',');
  int v[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < parts.size() && i < 4; ++i) v[i] = ClampCoord(ParseAttrInt(parts[i]));
  return UIRect{v[0], v[1], v[2], v[3]};
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int CountCodePoints(std::string_view utf8) {
  int n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace vr
