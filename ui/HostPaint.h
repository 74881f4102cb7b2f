#pragma once

#include "ui/UIGeometry.h"

namespace vr {

class UIControl;
class UIGraphics;

// The paint steps every host shares, whether its back buffer lives in memory
// only or belongs to a native window.

// Clips `g` to `area` and clears it to transparent, as a per-pixel-alpha
// window's buffer starts: what no control paints stays see-through.
void BeginHostPaint(UIGraphics& g, const UIRect& area);

// Paints the whole tree `control` belongs to, from its topmost ancestor, so a
// window embedded in another control's tree paints with its surroundings.
void PaintWholeTree(UIControl* control, UIGraphics& g);

}  // namespace vr
