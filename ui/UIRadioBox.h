#pragma once
#include "ui/UICheckBox.h"

namespace vr {

// A check box that belongs to a group of its siblings: checking it unchecks
// the others of the same group (silently); clicking a checked one does nothing.
class UIRadioBox : public UICheckBox {
 public:
  UIRadioBox() = default;

  void OnCheckChanged(bool checked) override;
  const char* ClassName() const override { return "UIRadioBox"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  const std::string& RadioGroup() const { return radioGroup_; }

 protected:
  ~UIRadioBox() override = default;

 private:
  std::string radioGroup_;
};

}  // namespace vr
