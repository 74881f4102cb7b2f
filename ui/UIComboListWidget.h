#pragma once
#include "ui/UIHostWnd.h"

namespace vr {

class UIComboBox;
class UIScrollVertView;

// The drop-down window of a combo box: a pop-up owned by the combo's window,
// a nine-grid background and a scrolling list of rows. A click on a row
// picks it; losing the keyboard focus or Escape hides the window.
class UIComboListWidget : public UIHostWnd {
 public:
  UIComboListWidget(WindowSystem& system, UIComboBox* owner);

  // --- Added operations ---
  virtual UIScrollVertView* CreateListView();
  // Puts the list at (2, 2, width - 4, height - 4) of the background.
  virtual void PlaceListView();
  // Screen rectangle below the combo box, or above it when the work area
  // ends first.
  virtual WinRect ComputeRect();

  // Shows the owner's rows, sized and placed for the owner's current state.
  void Open();
  void HidePopup();
  UIScrollVertView* ListView() const { return list_; }
  UIComboBox* Owner() const { return owner_; }
  void DetachOwner() { owner_ = nullptr; }

  // --- UIHostWnd ---
  const char* ClassName() const override { return "UIComboListWidget"; }
  void OnCreated() override;
  int OnNotify(const UIEvent& event) override;
  bool HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;

 protected:
  ~UIComboListWidget() override = default;

 private:
  void FillList();

  UIComboBox* owner_;                // the combo box destroys its pop-up first
  UIControl* background_ = nullptr;  // owned by the tree
  UIScrollVertView* list_ = nullptr;
};

}  // namespace vr
