#pragma once
#include "ui/UIButton.h"

namespace vr {

// A button by another class name, for text links: it raises "click" like a
// button but never joins a button group.
class UILink : public UIButton {
 public:
  UILink() = default;
  const char* ClassName() const override { return "UILink"; }

 protected:
  ~UILink() override = default;
};

}  // namespace vr
