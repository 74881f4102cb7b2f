#pragma once
#include "ui/UIControl.h"

namespace vr {

class SkinBitmap;

// Shows one picture stretched over the whole control. `back` names a pack
// image here, not a style descriptor.
class UIImage : public UIControl {
 public:
  UIImage() = default;

  // Replaces the picture; with `owned` the control deletes it when it is
  // replaced or the control goes. Pack images are never owned.
  void SetImage(SkinBitmap* image, bool owned);
  SkinBitmap* Image() const { return image_; }

  const char* ClassName() const override { return "UIImage"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

 protected:
  ~UIImage() override;

 private:
  SkinBitmap* image_ = nullptr;
  bool owned_ = false;
};

}  // namespace vr
