#include "ui/UIHLayout.h"

#include "ui/LayoutShare.h"
#include "ui/UIControl.h"

namespace vr {

void UIHLayout::Arrange(UIControl* control) {
  UIRefHold<UILayout> self(this);  // a child's handler may replace the layout
  if (!Enter()) return;
  UIRect r;
  control->ClientRect(&r);
  const LayoutLine line = CollectLine(control, true);
  const int share = AdjShare(r.Width(), line.fixedSum, line.adjCount);
  long long x = r.left;
  for (UIControl* child : line.children) {
    if (child->FlagsB() & UIControl::kFlagAdj) {
      child->SetPos(ClampToInt(x), r.top, share, r.Height());
      x += share;
    } else {
      UISize desired;
      child->GetDesiredSize(&desired);
      child->SetPos(ClampToInt(x), r.top, desired.cx, desired.cy);
      x += desired.cx;
    }
  }
  Leave();
}

}  // namespace vr
