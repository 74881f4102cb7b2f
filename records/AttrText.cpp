#include "records/AttrText.h"

#include "records/TextSplit.h"

namespace vr {

std::string FormatAttr(const AttrMap& attr) {
  std::string text;
  bool first = true;
  for (const auto& [key, value] : attr) {
    if (!first) text += '|';
    first = false;
    text += key;
    text += '=';
    text += value;
  }
  return text;
}

AttrMap ParseAttr(std::string_view text) {
  AttrMap attr;
  for (std::string_view piece : SplitText(text, '|')) {
    const size_t eq = piece.find('=');
    if (eq == std::string_view::npos) continue;
    attr[std::string(piece.substr(0, eq))] = std::string(piece.substr(eq + 1));
  }
  return attr;
}

int AttrInt(const AttrMap& attr, const std::string& key) {
  auto it = attr.find(key);
  return it == attr.end() ? 0 : ReadLeadingInt(it->second);
}

void SetAttrInt(AttrMap& attr, const std::string& key, int value) {
  attr[key] = std::to_string(value);
}

}  // namespace vr
