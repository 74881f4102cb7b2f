#pragma once

namespace vr {

class UIControl;
class UIGraphics;

// Paints `control` and then its visible children in order (later siblings
// over earlier ones), each clipped to its rectangle, translated to its own
// coordinates and clipped by its ClipRegion. Children outside the current
// clip are skipped. Leaves the graphics state as it found it.
void PaintTree(UIControl* control, UIGraphics& g);

}  // namespace vr
