#pragma once
#include <string>

#include "ui/UIGeometry.h"
#include "ui/UIRefObj.h"

namespace vr {

class UIControl;
class UIGraphics;

// A painter built from a style descriptor ("clr:", "grd:", "img:", "txt:").
// Draws for a control in the control's own coordinates.
class UIRender : public UIRefObj {
 public:
  // The four looks a renderer chooses between, in the order of its members.
  enum Variant { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

  virtual void Draw(UIControl* control, UIGraphics& g) = 0;
  virtual void SetProp(const std::string& key, const std::string& value) = 0;
  virtual void SetDstRect(const UIRect& rect);

  // Disabled when the own enable flag is off; else pressed when the pressed
  // bit or `select` is set; else hover when the hover bit is set; else normal.
  static Variant VariantOf(const UIControl& control);
};

}  // namespace vr
