#include "ui/PaintTree.h"

#include "ui/UIControl.h"
#include "ui/UIGraphics.h"

namespace vr {

void PaintTree(UIControl* control, UIGraphics& g) {
  if (!control->IsVisibleSelf()) return;
  control->Paint(g);
  for (UIControl* child : control->Children()) {
    if (!child->IsVisibleSelf()) continue;
    const UIRect& rc = child->Rect();
    if (UIRect::Intersect(g.ClipBounds(), rc).IsEmpty()) continue;
    g.Save();
    g.IntersectClip(rc);
    g.Translate(rc.left, rc.top);
    child->ClipRegion(g);
    PaintTree(child, g);
    g.Restore();
  }
}

}  // namespace vr
