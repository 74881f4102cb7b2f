#include "ui/UILabel.h"

#include <array>
#include <string_view>

#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UIRenderText.h"

namespace vr {

namespace {

// The attribute names that are the text renderer's own keys.
constexpr std::array<std::string_view, 18> kTextKeys = {
    "clr",  "font",  "horz",  "vert",  "multi", "trim", "ntrim", "inset", "shadow", "keyword",
    "clr0", "clr1",  "clr2",  "clr3",  "font0", "font1", "font2", "font3"};

bool IsTextKey(std::string_view name) {
  for (std::string_view key : kTextKeys) {
    if (key == name) return true;
  }
  return false;
}

}  // namespace

UILabel::UILabel() : text_(new UIRenderText()) {}

UILabel::~UILabel() { text_->Release(); }

void UILabel::TextRect(UIRect* rect) {
  const UIRect& inset = text_->Inset();
  UIRect r{xstart_ + inset.left, inset.top, Width() - xend_ - inset.right, Height() - inset.bottom};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  *rect = r;
}

bool UILabel::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "txtattr") {
    // The items of a "txt:" descriptor without its prefix: key=value|key=value.
    for (std::string_view item : SplitAttr(value, '|')) {
      const auto parts = SplitAttr(item, '=');
      if (parts.size() == 2) text_->SetProp(std::string(parts[0]), std::string(parts[1]));
    }
    Invalidate(nullptr);
  } else if (IsTextKey(name)) {
    text_->SetProp(name, value);
    Invalidate(nullptr);
  } else if (name == "xstart") {
    xstart_ = ClampCoord(ParseAttrInt(value));
  } else if (name == "xend") {
    xend_ = ClampCoord(ParseAttrInt(value));
  } else if (name == "alias") {
    alias_ = ParseAttrBool(value);
  }
  return UIControl::SetAttribute(name, value);
}

void UILabel::PaintLabelText(UIGraphics& g) {
  if (Text().empty()) return;
  UIRect r;
  TextRect(&r);
  // The text engine always sets glyphs with grey anti-aliasing (the look
  // `alias` asks for), whatever hint the window uses, so `alias` needs no
  // switch of its own here.
  text_->DrawInRect(this, g, r);
}

void UILabel::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  PaintLabelText(g);
}

}  // namespace vr
