#pragma once
#include "ui/UIRenderColor.h"

namespace vr {

// A linear gradient over the whole control from the normal fill colour to the
// hover fill colour. mode: 0 horizontal, 1 vertical, 2 forward diagonal,
// 3 backward diagonal. Borders and round are ignored.
class UIGradientColor : public UIRenderColor {
 public:
  void Draw(UIControl* control, UIGraphics& g) override;
  void SetProp(const std::string& key, const std::string& value) override;
  int Mode() const { return mode_; }

 private:
  int mode_ = 1;
};

}  // namespace vr
