#include "ui/UIVLayout.h"

#include "ui/LayoutShare.h"
#include "ui/UIControl.h"

namespace vr {

void UIVLayout::Arrange(UIControl* control) {
  UIRefHold<UILayout> self(this);  // a child's handler may replace the layout
  if (!Enter()) return;
  UIRect r;
  control->ClientRect(&r);
  const LayoutLine line = CollectLine(control, false);
  const int share = AdjShare(r.Height(), line.fixedSum, line.adjCount);
  long long y = r.top;
  for (UIControl* child : line.children) {
    if (child->FlagsB() & UIControl::kFlagAdj) {
      child->SetPos(r.left, ClampToInt(y), r.Width(), share);
      y += share;
    } else {
      UISize desired;
      child->GetDesiredSize(&desired);
      child->SetPos(r.left, ClampToInt(y), r.Width(), desired.cy);
      y += desired.cy;
    }
  }
  Leave();
}

}  // namespace vr
