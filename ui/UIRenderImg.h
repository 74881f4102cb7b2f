#pragma once
#include <cairo.h>

#include "ui/UIRender.h"

namespace vr {

class SkinBitmap;

// Draws a pack image. type 0 stretches the source rectangle onto the
// destination; 1 and 2 are horizontal and vertical three-slices of the source
// rectangle; 3 is a nine-grid of the whole image; 4 a horizontal three-slice
// of the whole image sized by the destination. An empty destination means the
// whole control, an empty source the whole image.
class UIRenderImg : public UIRender {
 public:
  void Draw(UIControl* control, UIGraphics& g) override;
  void SetProp(const std::string& key, const std::string& value) override;
  void SetDstRect(const UIRect& rect) override { dst_ = rect; }

  void SetImage(SkinBitmap* image) { image_ = image; }
  void SetSrcRect(const UIRect& rect) { src_ = rect; }
  void SetType(int type) { type_ = type; }
  SkinBitmap* Image() const { return image_; }
  int Type() const { return type_; }
  const UIRect& Dst() const { return dst_; }
  const UIRect& Src() const { return src_; }

 private:
  SkinBitmap* image_ = nullptr;  // owned by the resource loader's cache
  UIRect dst_;
  UIRect src_;
  int type_ = 0;
};

// Draws the part `src` of an image surface stretched onto `dst` (pixels).
// Empty source or destination parts draw nothing.
void DrawImagePart(cairo_t* cr, cairo_surface_t* image, const UIRect& src, const UIRect& dst);

}  // namespace vr
