#include "ui/UIColor.h"

#include "ui/UIAttr.h"

namespace vr {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

uint32_t Channel(std::string_view part) {
  return static_cast<uint32_t>(ParseAttrInt(part)) & 0xFF;
}

}  // namespace

uint32_t ParseColor(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (!text.empty() && text[0] == '#') text.remove_prefix(1);
  if (text.find(',') == std::string_view::npos) {
    if (text.empty()) return 0;
    uint32_t v = 0;
    for (char c : text) v = (v << 4) | static_cast<uint32_t>(HexDigit(c));
    return text.size() < 8 ? (v | 0xFE000000u) : v;
  }
  auto parts = SplitAttr(text, ',');
  if (parts.size() == 3) {
    return 0xFF000000u | (Channel(parts[0]) << 16) | (Channel(parts[1]) << 8) | Channel(parts[2]);
  }
  if (parts.size() == 4) {
    return (Channel(parts[0]) << 24) | (Channel(parts[1]) << 16) | (Channel(parts[2]) << 8) |
           Channel(parts[3]);
  }
  return 0xFF000000u;
}

void SetSourceArgb(cairo_t* cr, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                        (argb & 0xFF) / 255.0, ((argb >> 24) & 0xFF) / 255.0);
}

}  // namespace vr
