#include "ui/UIStateImages.h"

#include "ui/SkinBitmap.h"
#include "ui/UIRenderImg.h"
#include "ui/UIResLoader.h"

namespace vr {

UIStateImages::~UIStateImages() { Clear(); }

void UIStateImages::Clear() {
  for (int i = 0; i < kCount; ++i) Replace(i, nullptr);
}

void UIStateImages::Replace(int index, UIRender* render) {
  if (index < 0 || index >= kCount) {
    if (render) render->Release();
    return;
  }
  if (renders_[index]) renders_[index]->Release();
  renders_[index] = render;
}

SkinBitmap* UIStateImages::LoadStrip(const std::string& path, bool stacked) {
  UIResLoader* loader = GetResLoader();
  SkinBitmap* image = loader ? loader->GetImage(path) : nullptr;
  Clear();
  if (!image || !image->Ok()) return nullptr;
  const int w = stacked ? image->Width() : image->Width() / kCount;
  const int h = stacked ? image->Height() / kCount : image->Height();
  // An empty source rectangle would mean the whole image; too small an
  // image has no frames at all.
  if (w <= 0 || h <= 0) return image;
  for (int i = 0; i < kCount; ++i) {
    auto* frame = new UIRenderImg();
    frame->SetImage(image);
    frame->SetType(0);
    frame->SetSrcRect(stacked ? UIRect::FromXYWH(0, i * h, w, h) : UIRect::FromXYWH(i * w, 0, w, h));
    Replace(i, frame);
  }
  return image;
}

UIRender* UIStateImages::At(int index) const {
  return index >= 0 && index < kCount ? renders_[index] : nullptr;
}

UIRender* UIStateImages::Get(int index) const {
  UIRender* r = At(index);
  return r ? r : renders_[0];
}

}  // namespace vr
