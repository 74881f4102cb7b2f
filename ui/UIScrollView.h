#pragma once
#include "ui/UIControl.h"

namespace vr {

// The plain scroll view of the layout documents: a container without a bar
// of its own. UpdateScroll is its hook for recomputing a scroll range, which
// it does not have.
class UIScrollView : public UIControl {
 public:
  UIScrollView() = default;

  virtual void UpdateScroll() {}

  const char* ClassName() const override { return "UIScrollView"; }

 protected:
  ~UIScrollView() override = default;
};

}  // namespace vr
