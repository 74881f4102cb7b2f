#include "ui/UIComboListWidget.h"

#include "platform/VirtualKeys.h"
#include "ui/UIComboBox.h"
#include "ui/UIComboBoxItem.h"
#include "ui/UIMessages.h"
#include "ui/UIScrollVertView.h"

namespace vr {

UIComboListWidget::UIComboListWidget(WindowSystem& system, UIComboBox* owner)
    : UIHostWnd(system, ""), owner_(owner) {
  SetCaptionDrag(false);
}

UIScrollVertView* UIComboListWidget::CreateListView() { return new UIScrollVertView(); }

void UIComboListWidget::OnCreated() {
  background_ = new UIControl();
  AddChild(background_);
  background_->SetAttribute("back", "img:file=img\\cb_bg.png|type=3");
  list_ = CreateListView();
  if (list_) background_->AddChild(list_);
}

void UIComboListWidget::PlaceListView() {
  if (!background_) return;
  background_->SetPos(0, 0, Width(), Height());
  if (list_) list_->SetPos(2, 2, Width() - 4, Height() - 4);
}

WinRect UIComboListWidget::ComputeRect() {
  if (!owner_) return {};
  UIPoint origin;
  owner_->ScreenOrigin(&origin);
  const int w = owner_->GetDropWidth();
  const int h = owner_->GetDropHeight();
  WinRect r = WinRect::FromXYWH(origin.x, origin.y + owner_->Height(), w, h);
  if (r.bottom > WorkAreaFor(r).bottom) r = WinRect::FromXYWH(origin.x, origin.y - h, w, h);
  return r;
}

void UIComboListWidget::FillList() {
  if (!list_ || !owner_) return;
  list_->Content()->RemoveAllChildren();
  std::vector<UIControl*> rows;
  owner_->CreateItems(&rows);
  for (UIControl* row : rows) list_->AddItem(row);
  list_->UpdateScroll();
  if (owner_->GetCurSel() >= 0) list_->ScrollToIndex(owner_->GetCurSel());
  list_->Relayout();
}

void UIComboListWidget::Open() {
  if (!owner_) return;
  const WinRect r = ComputeRect();
  if (!Native()) {
    WindowParams params;
    params.bounds = r;
    params.kind = WindowKind::kPopupMenu;
    params.layer = WindowLayer::kAbove;
    params.owner = owner_->Host() ? static_cast<uint64_t>(owner_->Host()->GetHWND()) : 0;
    params.skipTaskbar = true;
    params.skipPager = true;
    if (!CreateNative(params)) return;
  } else {
    Native()->SetBounds(r);
  }
  SetPos(0, 0, r.Width(), r.Height());
  PlaceListView();
  FillList();
  ShowHost(true);
  Invalidate(nullptr);
  Native()->TakeKeyboardFocus();
}

void UIComboListWidget::HidePopup() {
  if (!Native() || !Native()->IsVisible()) return;
  const bool hadFocus = Native()->HasKeyboardFocus();
  Native()->Hide();
  // As with any pop-up, the keyboard goes back to the window it belongs to.
  auto* ownerHost = owner_ ? dynamic_cast<UIHostWnd*>(owner_->Host()) : nullptr;
  if (hadFocus && ownerHost && ownerHost->Native()) ownerHost->Native()->TakeKeyboardFocus();
}

int UIComboListWidget::OnNotify(const UIEvent& event) {
  if (event.name == "click" && event.sender && std::string(event.sender->ClassName()) == "UIComboBoxItem") {
    const int index = static_cast<UIComboBoxItem*>(event.sender)->Index();
    HidePopup();
    if (owner_) owner_->OnItemClicked(index);
    return 1;
  }
  return UIHostWnd::OnNotify(event);
}

bool UIComboListWidget::HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  const bool escape = (msg == uimsg::kChar && wparam == 27) || (msg == uimsg::kKeyDown && wparam == vk::kEscape);
  if (msg == uimsg::kKillFocus || escape) HidePopup();
  if (escape) {
    *result = 0;
    return true;
  }
  return UIHostWnd::HandleWindowMessage(msg, wparam, lparam, result);
}

}  // namespace vr
