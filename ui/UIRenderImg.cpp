#include "ui/UIRenderImg.h"

#include <algorithm>

#include "ui/SkinBitmap.h"
#include "ui/UIAttr.h"
#include "ui/UIControl.h"
#include "ui/UIGraphics.h"
#include "ui/UIResLoader.h"

namespace vr {

void DrawImagePart(cairo_t* cr, cairo_surface_t* image, const UIRect& srcAsked, const UIRect& dst) {
  // A sub-surface outside the image would put the context into an error
  // state, so the source is kept inside the image.
  const UIRect bounds{0, 0, cairo_image_surface_get_width(image), cairo_image_surface_get_height(image)};
  const UIRect src = UIRect::Intersect(srcAsked, bounds);
  if (src.IsEmpty() || dst.IsEmpty()) return;
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, dst.left, dst.top, dst.Width(), dst.Height());
  cairo_clip(cr);
  cairo_translate(cr, dst.left, dst.top);
  cairo_scale(cr, static_cast<double>(dst.Width()) / src.Width(),
              static_cast<double>(dst.Height()) / src.Height());
  // Pad so stretched slices do not blend with transparent pixels past the
  // slice's edge inside the image.
  cairo_surface_t* part = cairo_surface_create_for_rectangle(image, src.left, src.top, src.Width(),
                                                             src.Height());
  cairo_pattern_t* padded = cairo_pattern_create_for_surface(part);
  cairo_pattern_set_extend(padded, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(padded, CAIRO_FILTER_GOOD);
  cairo_set_source(cr, padded);
  cairo_paint(cr);
  cairo_pattern_destroy(padded);
  cairo_surface_destroy(part);
  cairo_restore(cr);
}

void UIRenderImg::SetProp(const std::string& key, const std::string& value) {
  if (key == "file") {
    UIResLoader* loader = GetResLoader();
    image_ = loader ? loader->GetImage(value) : nullptr;
  } else if (key == "dst") {
    ParseXYWH(value, &dst_);
  } else if (key == "src") {
    ParseXYWH(value, &src_);
  } else if (key == "type") {
    type_ = ParseAttrInt(value);
  }
}

namespace {

UIRect XYWH(int x, int y, int w, int h) { return UIRect::FromXYWH(x, y, w, h); }

void ThreeSliceH(cairo_t* cr, cairo_surface_t* img, const UIRect& s, const UIRect& d) {
  if (d.Width() < s.Width()) {
    DrawImagePart(cr, img, s, d);
    return;
  }
  const int m = s.Width() / 3;
  DrawImagePart(cr, img, XYWH(s.left, s.top, m, s.Height()), XYWH(d.left, d.top, m, d.Height()));
  DrawImagePart(cr, img, XYWH(s.right - m, s.top, m, s.Height()),
                XYWH(d.right - m, d.top, m, d.Height()));
  DrawImagePart(cr, img, XYWH(s.left + m, s.top, m, s.Height()),
                XYWH(d.left + m, d.top, d.Width() - 2 * m, d.Height()));
}

void ThreeSliceV(cairo_t* cr, cairo_surface_t* img, const UIRect& s, const UIRect& d) {
  if (d.Height() < s.Height()) {
    DrawImagePart(cr, img, s, d);
    return;
  }
  const int m = s.Height() / 3;
  DrawImagePart(cr, img, XYWH(s.left, s.top, s.Width(), m), XYWH(d.left, d.top, d.Width(), m));
  DrawImagePart(cr, img, XYWH(s.left, s.bottom - m, s.Width(), m),
                XYWH(d.left, d.bottom - m, d.Width(), m));
  DrawImagePart(cr, img, XYWH(s.left, s.top + m, s.Width(), m),
                XYWH(d.left, d.top + m, d.Width(), d.Height() - 2 * m));
}

void NineGrid(cairo_t* cr, cairo_surface_t* img, int iw, int ih, const UIRect& d) {
  const int e = std::min(iw, ih) / 3;
  const int w = d.Width();
  const int h = d.Height();
  const int x = d.left;
  const int y = d.top;
  // Corners at their size.
  DrawImagePart(cr, img, XYWH(0, 0, e, e), XYWH(x, y, e, e));
  DrawImagePart(cr, img, XYWH(iw - e, 0, e, e), XYWH(x + w - e, y, e, e));
  DrawImagePart(cr, img, XYWH(0, ih - e, e, e), XYWH(x, y + h - e, e, e));
  DrawImagePart(cr, img, XYWH(iw - e, ih - e, e, e), XYWH(x + w - e, y + h - e, e, e));
  // Edges stretched along their side.
  DrawImagePart(cr, img, XYWH(e, 0, iw - 2 * e, e), XYWH(x + e, y, w - 2 * e, e));
  DrawImagePart(cr, img, XYWH(e, ih - e, iw - 2 * e, e), XYWH(x + e, y + h - e, w - 2 * e, e));
  DrawImagePart(cr, img, XYWH(0, e, e, ih - 2 * e), XYWH(x, y + e, e, h - 2 * e));
  DrawImagePart(cr, img, XYWH(iw - e, e, e, ih - 2 * e), XYWH(x + w - e, y + e, e, h - 2 * e));
  // Interior: the single centre pixel stretched.
  DrawImagePart(cr, img, XYWH(iw / 2, ih / 2, 1, 1), XYWH(x + e, y + e, w - 2 * e, h - 2 * e));
}

void ThreeSliceWhole(cairo_t* cr, cairo_surface_t* img, int iw, int ih, const UIRect& d) {
  const int f = std::min(d.Width(), iw) / 3;
  DrawImagePart(cr, img, XYWH(0, 0, f, ih), XYWH(d.left, d.top, f, d.Height()));
  DrawImagePart(cr, img, XYWH(iw - f, 0, f, ih), XYWH(d.right - f, d.top, f, d.Height()));
  DrawImagePart(cr, img, XYWH(f, 0, f, ih), XYWH(d.left + f, d.top, d.Width() - 2 * f, d.Height()));
}

}  // namespace

void UIRenderImg::Draw(UIControl* control, UIGraphics& g) {
  if (!image_ || !image_->Ok()) return;
  cairo_surface_t* img = image_->Surface();
  const int iw = image_->Width();
  const int ih = image_->Height();
  const UIRect d = dst_.IsEmpty() ? UIRect{0, 0, control->Width(), control->Height()} : dst_;
  const UIRect s = src_.IsEmpty() ? UIRect{0, 0, iw, ih} : src_;
  cairo_t* cr = g.Cairo();
  switch (type_) {
    case 1: ThreeSliceH(cr, img, s, d); break;
    case 2: ThreeSliceV(cr, img, s, d); break;
    case 3: NineGrid(cr, img, iw, ih, d); break;
    case 4: ThreeSliceWhole(cr, img, iw, ih, d); break;
    default: DrawImagePart(cr, img, s, d); break;
  }
}

}  // namespace vr
