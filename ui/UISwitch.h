#pragma once
#include "ui/UIButton.h"

namespace vr {

// A two-state button: a click toggles "on", raises "checkchanged" (0, on)
// and then "click". While on it paints with its second set of state images.
class UISwitch : public UIButton {
 public:
  UISwitch() = default;

  UIRender* GetStateImage(int index) override;
  void OnClick() override;
  const char* ClassName() const override { return "UISwitch"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  bool IsOn() const { return on_; }
  // Sets the flag without events.
  void SetOn(bool on);

 protected:
  ~UISwitch() override = default;

 private:
  bool on_ = false;
  UIStateImages onImages_;
};

}  // namespace vr
