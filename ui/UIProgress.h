#pragma once
#include "ui/UIControl.h"

namespace vr {

class UIRenderImg;

// A horizontal progress bar: a background and a foreground image (three-slice
// by default) with the foreground cut at value percent of the width; plain
// fills without images.
class UIProgress : public UIControl {
 public:
  static constexpr uint32_t kTrackColour = 0xFFEEEEEE;
  static constexpr uint32_t kFillColour = 0xFF2BA245;
  static constexpr int kDefaultDrawType = 4;

  UIProgress() = default;

  // Percent, kept within 0..100.
  void SetValue(int percent);
  int Value() const { return value_; }
  // Width of the filled part for the current size and value.
  int FillWidth() const;

  const char* ClassName() const override { return "UIProgress"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

  UIRenderImg* Background() const { return back_; }
  UIRenderImg* Foreground() const { return fore_; }

 protected:
  ~UIProgress() override;

 private:
  void ReplaceImage(UIRenderImg** slot, const std::string& path);

  int value_ = 0;
  int drawType_ = kDefaultDrawType;
  UIRenderImg* back_ = nullptr;  // owned references
  UIRenderImg* fore_ = nullptr;
};

}  // namespace vr
