#pragma once
#include "ui/UILayout.h"

namespace vr {

// A row: visible, non-float children side by side from the client left edge.
// Children with `adj` share what is left over equally (integer division; the
// remainder stays unused at the end); others keep their desired size.
class UIHLayout : public UILayout {
 public:
  UIHLayout() : UILayout(0, -1) {}
  void Arrange(UIControl* control) override;
};

}  // namespace vr
