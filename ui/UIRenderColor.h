#pragma once
#include <cstdint>

#include "ui/UIRender.h"

namespace vr {

// Solid fill and optional 1-pixel border, square or with rounded corners,
// with a colour per variant. All colours start transparent (nothing drawn).
class UIRenderColor : public UIRender {
 public:
  void Draw(UIControl* control, UIGraphics& g) override;
  void SetProp(const std::string& key, const std::string& value) override;

  uint32_t Fill(Variant v) const { return fill_[v]; }
  uint32_t Border(Variant v) const { return border_[v]; }
  int Round() const { return round_; }

 protected:
  uint32_t fill_[4] = {0, 0, 0, 0};    // normal, hover, pressed, disabled
  uint32_t border_[4] = {0, 0, 0, 0};  // same order
  int round_ = 0;
};

}  // namespace vr
