#include "ui/UISlider.h"

#include <algorithm>

#include "ui/IUIContainer.h"
#include "ui/SkinBitmap.h"
#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UIRender.h"
#include "ui/UIRenderImg.h"
#include "ui/UIResLoader.h"

namespace vr {

namespace {

SkinBitmap* LoadImage(const std::string& path) {
  UIResLoader* loader = GetResLoader();
  SkinBitmap* image = loader ? loader->GetImage(path) : nullptr;
  return image && image->Ok() ? image : nullptr;
}

// An image stretched to the given width at its own height, centred vertically.
void DrawBand(UIGraphics& g, SkinBitmap* image, int width, int controlHeight) {
  if (!image || width <= 0) return;
  const int h = image->Height();
  DrawImagePart(g.Cairo(), image->Surface(), UIRect{0, 0, image->Width(), h},
                UIRect::FromXYWH(0, (controlHeight - h) / 2, width, h));
}

}  // namespace

void UISlider::SetValue(int percent) {
  const int next = std::clamp(percent, 0, 100);
  if (next == value_) return;
  value_ = next;
  Invalidate(nullptr);
}

int UISlider::ThumbWidth() const { return thumb_ ? thumb_->Width() / 4 : kDefaultThumbWidth; }
int UISlider::ThumbHeight() const { return thumb_ ? thumb_->Height() : kDefaultThumbWidth; }

UIRect UISlider::ThumbRect() const {
  const int tw = ThumbWidth();
  const int th = ThumbHeight();
  const long long centre = static_cast<long long>(Width()) * value_ / 100;
  const long long x = std::max<long long>(0, std::min<long long>(centre - tw / 2, Width() - tw));
  return UIRect::FromXYWH(static_cast<int>(x), (Height() - th) / 2, tw, th);
}

int UISlider::ThumbStateIndex() const {
  if (!IsEnabledSelf()) return 3;
  if (dragging_) return 2;
  return thumbHover_ ? 1 : 0;
}

bool UISlider::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "thumb") {
    thumb_ = LoadImage(value);
    Invalidate(nullptr);
  } else if (name == "sliderbg") {
    track_ = LoadImage(value);
    Invalidate(nullptr);
  } else if (name == "sliderfg") {
    fill_ = LoadImage(value);
    Invalidate(nullptr);
  } else if (name == "value") {
    // A document may preset the value the application otherwise sets.
    SetValue(ParseAttrInt(value));
  }
  return UIControl::SetAttribute(name, value);
}

void UISlider::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  DrawBand(g, track_, Width(), Height());
  DrawBand(g, fill_, static_cast<int>(static_cast<long long>(Width()) * value_ / 100), Height());
  if (!thumb_) return;
  const int tw = ThumbWidth();
  if (tw <= 0) return;
  DrawImagePart(g.Cairo(), thumb_->Surface(), UIRect::FromXYWH(ThumbStateIndex() * tw, 0, tw, thumb_->Height()),
                ThumbRect());
}

// --- Mouse ---------------------------------------------------------------------

UIPoint UISlider::ToLocal(intptr_t lparam) const {
  UIRect r;
  WindowRect(&r);
  return UIPoint{LParamLow(lparam) - r.left, LParamHigh(lparam) - r.top};
}

int UISlider::ValueAt(long long offsetX, int base) const {
  // A slider without width divides by 1 instead.
  const long long w = Width() > 0 ? Width() : 1;
  return static_cast<int>(std::clamp<long long>(offsetX * 100 / w + base, 0, 100));
}

void UISlider::SetThumbHover(bool hover) {
  if (hover == thumbHover_) return;
  thumbHover_ = hover;
  Invalidate(nullptr);
}

void UISlider::OnMove(UIPoint p) {
  SetThumbHover(ThumbRect().Contains(p.x, p.y));
  if (!dragging_) return;
  value_ = ValueAt(static_cast<long long>(p.x) - dragX_, dragValue_);
  FireEvent("sliderposchanged", 0, 0);
  Invalidate(nullptr);
}

void UISlider::OnLeftDown(UIPoint p) {
  if (ThumbRect().Contains(p.x, p.y)) {
    dragging_ = true;
    dragX_ = p.x;
    dragValue_ = value_;
    if (Host()) Host()->SetCaptureId(Serial());
    Invalidate(nullptr);
    return;
  }
  value_ = ValueAt(p.x, 0);
  FireEvent("sliderposchanged", 0, 0);
  Invalidate(nullptr);
}

void UISlider::OnLeftUp() {
  if (Host() && Host()->GetCaptureId() == Serial()) Host()->ReleaseCaptureId();
  if (!dragging_) return;
  dragging_ = false;
  FireEvent("sliderendtrack", 0, 0);
  Invalidate(nullptr);
}

bool UISlider::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kMouseMove:
      OnMove(ToLocal(lparam));
      break;
    case uimsg::kLButtonDown:
      OnLeftDown(ToLocal(lparam));
      break;
    case uimsg::kLButtonUp:
      OnLeftUp();
      break;
    case uimsg::kCaptureChanged:
      if (dragging_) {
        dragging_ = false;
        Invalidate(nullptr);
      }
      break;
    case uimsg::kMouseLeave:
      SetThumbHover(false);
      break;
    default:
      break;
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

}  // namespace vr
