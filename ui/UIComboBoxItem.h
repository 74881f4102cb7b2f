#pragma once
#include "ui/UIButton.h"

namespace vr {

class UIComboBox;

// One row of a combo box's drop-down list.
class UIComboBoxItem : public UIButton {
 public:
  static constexpr uint32_t kSelectedColour = 0xFFBBDCFD;
  static constexpr uint32_t kHoverColour = 0xFFE4F1FE;
  static constexpr uint32_t kOddColour = 0xFFFCFDFF;

  UIComboBoxItem(UIComboBox* owner, int index);

  int Index() const { return index_; }
  UIComboBox* Owner() const { return owner_; }
  // The row's fill for its index, hover and the owner's selection; 0 for none.
  uint32_t BackgroundColour() const;

  const char* ClassName() const override { return "UIComboBoxItem"; }
  void Paint(UIGraphics& g) override;

 protected:
  ~UIComboBoxItem() override = default;

 private:
  UIComboBox* owner_;  // outlives its rows: they live in its pop-up
  int index_;
};

}  // namespace vr
