#pragma once
#include "ui/UIButton.h"

namespace vr {

// A button with a checked flag: a box image (four frames for each of the
// checked and unchecked looks) with the label beside it. A click toggles the
// flag and raises "checkchanged" (0, checked).
class UICheckBox : public UIButton {
 public:
  UICheckBox();

  // --- Added operations ---
  virtual void OnCheckChanged(bool checked);

  // --- UIButton ---
  void TextRect(UIRect* rect) override;
  void OnClick() override;
  const char* ClassName() const override { return "UICheckBox"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

  bool IsChecked() const { return checked_; }
  // Sets the flag without an event (as the `check` attribute does).
  void SetChecked(bool checked);
  const UIRect& BoxRect() const { return box_; }
  // Where the box is drawn: the `rcbox` x range and height, centred vertically.
  UIRect BoxDrawRect() const;
  int XLabel() const { return xlabel_; }
  int YLabel() const { return ylabel_; }

 protected:
  ~UICheckBox() override = default;
  // Clears the flag and repaints, without an event; used by radio groups.
  void Uncheck();

 private:
  bool checked_ = false;
  UIStateImages checkedImages_;
  UIStateImages uncheckedImages_;
  UIRect box_{0, 0, 20, 20};
  int xlabel_ = 24;
  int ylabel_ = 0;
};

}  // namespace vr
