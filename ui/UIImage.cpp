#include "ui/UIImage.h"

#include "ui/SkinBitmap.h"
#include "ui/UIGraphics.h"
#include "ui/UIRenderImg.h"
#include "ui/UIResLoader.h"

namespace vr {

UIImage::~UIImage() {
  if (owned_) delete image_;
}

void UIImage::SetImage(SkinBitmap* image, bool owned) {
  if (image != image_ && owned_) delete image_;
  image_ = image;
  owned_ = image && owned;
  Invalidate(nullptr);
}

bool UIImage::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "back") {
    UIResLoader* loader = GetResLoader();
    SetImage(loader ? loader->GetImage(value) : nullptr, false);
    // Stored like every attribute (the theme switch reads it back); the base
    // finds no style descriptor in a path and leaves no back renderer.
  }
  return UIControl::SetAttribute(name, value);
}

void UIImage::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  if (!image_ || !image_->Ok()) return;
  DrawImagePart(g.Cairo(), image_->Surface(), UIRect{0, 0, image_->Width(), image_->Height()},
                UIRect{0, 0, Width(), Height()});
}

}  // namespace vr
