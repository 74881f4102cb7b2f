#include "ui/UIRadioBox.h"

#include <vector>

namespace vr {

bool UIRadioBox::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "group") {
    // The radio group is the box's own; it is not a button group.
    radioGroup_ = value;
    return true;
  }
  return UICheckBox::SetAttribute(name, value);
}

void UIRadioBox::OnCheckChanged(bool checked) {
  if (!checked || !Parent()) return;
  std::vector<UIControl*> siblings(Parent()->Children());
  for (UIControl* s : siblings) s->AddRef();
  for (UIControl* s : siblings) {
    auto* radio = dynamic_cast<UIRadioBox*>(s);
    if (radio && radio != this && radio->radioGroup_ == radioGroup_ && radio->IsChecked()) {
      radio->Uncheck();
    }
  }
  for (UIControl* s : siblings) s->Release();
}

}  // namespace vr
