#pragma once
#include "ui/UILayout.h"

namespace vr {

// A column: the transpose of UIHLayout, except that every child is stretched
// to the full client width.
class UIVLayout : public UILayout {
 public:
  UIVLayout() : UILayout(-1, 0) {}
  void Arrange(UIControl* control) override;
};

}  // namespace vr
