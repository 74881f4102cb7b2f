#include "ui/UICheckBox.h"

#include <cstring>

#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UIRenderText.h"

namespace vr {

UICheckBox::UICheckBox() = default;

bool UICheckBox::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "ckimg") {
    checkedImages_.LoadStrip(value, false);
    Invalidate(nullptr);
  } else if (name == "unckimg") {
    uncheckedImages_.LoadStrip(value, false);
    Invalidate(nullptr);
  } else if (name == "rcbox") {
    ParseXYWH(value, &box_);
    Invalidate(nullptr);
  } else if (name == "xlabel") {
    xlabel_ = ClampCoord(ParseAttrInt(value));
  } else if (name == "ylabel") {
    ylabel_ = ClampCoord(ParseAttrInt(value));
  } else if (name == "check") {
    SetChecked(ParseAttrBool(value));
  }
  return UIButton::SetAttribute(name, value);
}

void UICheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Invalidate(nullptr);
}

void UICheckBox::Uncheck() {
  if (!checked_) return;
  checked_ = false;
  OnCheckChanged(false);
  Invalidate(nullptr);
}

void UICheckBox::TextRect(UIRect* rect) {
  UIRect r{xlabel_, ylabel_, Width(), Height()};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  *rect = r;
}

UIRect UICheckBox::BoxDrawRect() const {
  const int h = box_.Height();
  return UIRect::FromXYWH(box_.left, (Height() - h) / 2, box_.Width(), h);
}

void UICheckBox::Paint(UIGraphics& g) {
  const UIStateImages& set = checked_ ? checkedImages_ : uncheckedImages_;
  if (UIRender* frame = set.Get(StateIndex())) {
    frame->SetDstRect(BoxDrawRect());
    frame->Draw(this, g);
  }
  TextRender()->SetProp("vert", "1");
  TextRender()->SetProp("horz", "0");
  UIControl::Paint(g);
  PaintText(g);
}

void UICheckBox::OnClick() {
  const char* cls = ClassName();
  if (std::strcmp(cls, "UICheckBox") == 0) {
    checked_ = !checked_;
  } else if (std::strcmp(cls, "UIRadioBox") == 0) {
    if (checked_) return;
    checked_ = true;
  } else {
    return;
  }
  OnCheckChanged(checked_);
  FireEvent("checkchanged", 0, checked_ ? 1 : 0);
  Invalidate(nullptr);
}

void UICheckBox::OnCheckChanged(bool) {}

}  // namespace vr
