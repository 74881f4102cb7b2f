#pragma once
#include "ui/UIControl.h"

namespace vr {

class SkinBitmap;

// A horizontal slider over 0..100: a track image, a fill image up to the
// value, and a thumb (four frames side by side) that can be dragged. A click
// on the track jumps there. Raises "sliderposchanged" on every change and
// "sliderendtrack" when a thumb drag ends. `value` presets the value.
class UISlider : public UIControl {
 public:
  static constexpr int kDefaultThumbWidth = 20;

  UISlider() = default;

  // Value in percent, kept within 0..100; no event.
  void SetValue(int percent);
  int Value() const { return value_; }
  bool Dragging() const { return dragging_; }
  bool ThumbHover() const { return thumbHover_; }

  // Thumb geometry in own coordinates for the current size and value.
  int ThumbWidth() const;
  int ThumbHeight() const;
  UIRect ThumbRect() const;
  // 3 disabled, 2 dragging, 1 pointer over the thumb, 0 normal.
  int ThumbStateIndex() const;

  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UISlider"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

 protected:
  ~UISlider() override = default;

 private:
  UIPoint ToLocal(intptr_t lparam) const;
  int ValueAt(long long offsetX, int base) const;
  void SetThumbHover(bool hover);
  void OnMove(UIPoint p);
  void OnLeftDown(UIPoint p);
  void OnLeftUp();

  SkinBitmap* thumb_ = nullptr;  // pack images, owned by the loader
  SkinBitmap* track_ = nullptr;
  SkinBitmap* fill_ = nullptr;
  int value_ = 0;
  bool thumbHover_ = false;
  bool dragging_ = false;
  int dragX_ = 0;
  int dragValue_ = 0;
};

}  // namespace vr
