#include "ui/HostPaint.h"

#include "ui/PaintTree.h"
#include "ui/UIControl.h"
#include "ui/UIGraphics.h"

namespace vr {

void BeginHostPaint(UIGraphics& g, const UIRect& area) {
  g.IntersectClip(area);
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_restore(cr);
}

void PaintWholeTree(UIControl* control, UIGraphics& g) {
  UIControl* top = control;
  while (top->Parent()) top = top->Parent();
  PaintTree(top, g);
}

}  // namespace vr
