#include "ui/UISwitch.h"

#include "ui/StyleParser.h"
#include "ui/UIAttr.h"

namespace vr {

namespace {
int OnStateKeyIndex(const std::string& name) {
  if (name == "bkn2") return 0;
  if (name == "bkh2") return 1;
  if (name == "bkp2") return 2;
  if (name == "bkd2") return 3;
  return -1;
}
}  // namespace

bool UISwitch::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "btn2") {
    onImages_.LoadStrip(value, false);
    Invalidate(nullptr);
  } else if (const int index = OnStateKeyIndex(name); index >= 0) {
    onImages_.Replace(index, ParseStyleDescriptor(value));
    Invalidate(nullptr);
  } else if (name == "check") {
    // As for check boxes: the initial state, without events.
    SetOn(ParseAttrBool(value));
  }
  return UIButton::SetAttribute(name, value);
}

UIRender* UISwitch::GetStateImage(int index) {
  return on_ ? onImages_.Get(index) : UIButton::GetStateImage(index);
}

void UISwitch::SetOn(bool on) {
  if (on_ == on) return;
  on_ = on;
  Invalidate(nullptr);
}

void UISwitch::OnClick() {
  on_ = !on_;
  Invalidate(nullptr);
  FireEvent("checkchanged", 0, on_ ? 1 : 0);
  FireEvent("click", 0, 0);
}

}  // namespace vr
