#include "ui/UIProgress.h"

#include <algorithm>

#include "ui/UIAttr.h"
#include "ui/UIColor.h"
#include "ui/UIGraphics.h"
#include "ui/UIRenderImg.h"

namespace vr {

namespace {
void FillRect(UIGraphics& g, const UIRect& r, uint32_t argb) {
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
  SetSourceArgb(cr, argb);
  cairo_fill(cr);
  cairo_restore(cr);
}
}  // namespace

UIProgress::~UIProgress() {
  if (back_) back_->Release();
  if (fore_) fore_->Release();
}

void UIProgress::SetValue(int percent) {
  const int next = std::clamp(percent, 0, 100);
  if (next == value_) return;
  value_ = next;
  Invalidate(nullptr);
}

int UIProgress::FillWidth() const { return static_cast<int>(static_cast<long long>(Width()) * value_ / 100); }

void UIProgress::ReplaceImage(UIRenderImg** slot, const std::string& path) {
  auto* render = new UIRenderImg();
  render->SetType(drawType_);
  render->SetProp("file", path);
  if (*slot) (*slot)->Release();
  *slot = render;
  Invalidate(nullptr);
}

bool UIProgress::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "value") {
    SetValue(ParseAttrInt(value));
  } else if (name == "prob") {
    ReplaceImage(&back_, value);
  } else if (name == "prof") {
    ReplaceImage(&fore_, value);
  } else if (name == "drawtype") {
    // Kept for images named later, too: attribute order in a document is free.
    drawType_ = ParseAttrInt(value);
    if (back_) back_->SetType(drawType_);
    if (fore_) fore_->SetType(drawType_);
    Invalidate(nullptr);
  }
  return UIControl::SetAttribute(name, value);
}

void UIProgress::Paint(UIGraphics& g) {
  if (back_) {
    back_->Draw(this, g);
  } else {
    FillRect(g, UIRect{0, 0, Width(), Height()}, kTrackColour);
  }
  const int w = FillWidth();
  if (w < 1) return;
  const UIRect filled{0, 0, w, Height()};
  if (!fore_) {
    FillRect(g, filled, kFillColour);
    return;
  }
  fore_->SetDstRect(filled);
  // A stretched image would be squeezed; type 0 cuts it at the fill's edge.
  if (fore_->Type() == 0) fore_->SetSrcRect(filled);
  fore_->Draw(this, g);
}

}  // namespace vr
