#pragma once
#include <string>
#include <vector>

#include "ui/UILabel.h"
#include "ui/UIStateImages.h"

namespace vr {

class UIComboListWidget;

// A label with a drop-down list: item texts, a selection (-1 none), body and
// arrow images per state, and a pop-up window (created on the first drop,
// hidden when closed, destroyed with the combo box). Raises
// "comboselectchanged" (0, 0) after the user picked another row.
class UIComboBox : public UILabel {
 public:
  static constexpr int kItemHeight = 28;
  static constexpr int kMaxRows = 8;
  static constexpr int kArrowZone = 25;  // the right text margin and arrow width

  UIComboBox();

  // --- Added operations ---
  virtual void PaintText(UIGraphics& g);
  virtual void PaintBody(UIGraphics& g);
  virtual int GetDropHeight();
  virtual int GetDropWidth();
  virtual void CreateItems(std::vector<UIControl*>* items);
  // A new pop-up window object (not yet created natively); null for none.
  virtual UIComboListWidget* CreatePopup();
  virtual UIControl* CreateItem(int index);

  // --- Items and selection ---
  void AddItem(const std::string& text) { items_.push_back(text); }
  void ClearItems();
  const std::vector<std::string>& Items() const { return items_; }
  int GetCurSel() const { return selected_; }
  // Selects `index` (-1 clears) and shows its text; raises no event.
  void SetCurSel(int index);
  // Called by the pop-up when row `index` was clicked.
  void OnItemClicked(int index);
  void DropDown();
  void CloseUp();
  UIComboListWidget* Popup() const { return popup_; }
  void SetMinDropWidth(int width) { minDropWidth_ = width; }

  // --- UIControl ---
  const char* ClassName() const override { return "UIComboBox"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  void Paint(UIGraphics& g) override;
  void TextRect(UIRect* rect) override;

 protected:
  ~UIComboBox() override;

 private:
  int ArrowStateIndex() const;
  bool OnArrow(intptr_t lparam) const;

  std::vector<std::string> items_;
  int selected_ = -1;
  UIStateImages body_;
  UIStateImages arrow_;
  int marginLeft_ = 5;
  int minDropWidth_ = 0;
  bool clickDrop_ = true;
  bool arrowHover_ = false;
  bool arrowPressed_ = false;
  bool pressOnArrow_ = false;
  UIComboListWidget* popup_ = nullptr;  // owned reference
};

}  // namespace vr
