#pragma once
#include <string>

#include "ui/UIRender.h"

namespace vr {

class SkinBitmap;

// The four looks of a control, one renderer per state index: 0 normal,
// 1 hover, 2 pressed, 3 disabled. Owns one reference on each renderer.
class UIStateImages {
 public:
  static constexpr int kCount = 4;

  UIStateImages() = default;
  ~UIStateImages();
  UIStateImages(const UIStateImages&) = delete;
  UIStateImages& operator=(const UIStateImages&) = delete;

  // Cuts a pack image into four equal frames: vertical strips left to right,
  // or with `stacked` horizontal bands top to bottom. A missing image empties
  // all four. Returns the image (null when missing).
  SkinBitmap* LoadStrip(const std::string& path, bool stacked);
  // Replaces one look; takes over the caller's reference (null empties it).
  void Replace(int index, UIRender* render);
  void Clear();

  // The look of `index`, or the normal look when that one is empty.
  UIRender* Get(int index) const;
  // The look of `index` as it is, possibly null.
  UIRender* At(int index) const;

 private:
  UIRender* renders_[kCount] = {nullptr, nullptr, nullptr, nullptr};
};

}  // namespace vr
