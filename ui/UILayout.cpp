#include "ui/UILayout.h"

#include <vector>

#include "ui/UIAttr.h"
#include "ui/UIControl.h"
#include "ui/UIHLayout.h"
#include "ui/UIVLayout.h"

namespace vr {

UILayout* UILayout::Create(const std::string& value) {
  const std::string kind = value.substr(0, 4);
  UILayout* layout = nullptr;
  if (kind == "horz") {
    layout = new UIHLayout();
  } else if (kind == "vert") {
    layout = new UIVLayout();
  } else if (kind == "hzvt") {
    layout = new UILayout(0, 0);
  } else {
    return nullptr;
  }
  if (value.size() > 5) {
    for (std::string_view item : SplitAttr(std::string_view(value).substr(5), '|')) {
      auto kv = SplitAttr(item, '=');
      if (kv.size() == 2) layout->SetLayoutOption(std::string(kv[0]), std::string(kv[1]));
    }
  }
  return layout;
}

void UILayout::SetLayoutOption(const std::string& key, const std::string& value) {
  if (key == "h") h_ = ParseAttrInt(value);
  if (key == "v") v_ = ParseAttrInt(value);
}

bool UILayout::Enter() {
  if (busy_) return false;
  busy_ = true;
  return true;
}

void UILayout::Arrange(UIControl* control) {
  UIRefHold<UILayout> self(this);  // a child's handler may replace the layout
  if (!Enter()) return;
  UIRect r;
  control->ClientRect(&r);
  std::vector<UIControl*> children(control->Children());
  for (UIControl* child : children) child->AddRef();
  for (UIControl* child : children) {
    if (child->FlagsA() & UIControl::kFlagFloat) continue;
    child->SetPos(r.left, r.top, r.Width(), r.Height());
  }
  for (UIControl* child : children) child->Release();
  Leave();
}

}  // namespace vr
