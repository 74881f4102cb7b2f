#include "ui/UICaption.h"

#include "ui/IUIContainer.h"
#include "ui/UIWindowCommands.h"

namespace vr {

UIWindowCommands* UICaption::Commands() const { return dynamic_cast<UIWindowCommands*>(Host()); }

void UICaption::OnLeftDown(intptr_t lparam) {
  if (IsFocusable()) RequestFocus();
  UIWindowCommands* window = Commands();
  if (!window) return;
  pressedMaximized_ = window->IsMaximized();
  if (pressedMaximized_ || !drag_) return;
  const int x = LParamLow(lparam);
  const int y = LParamHigh(lparam);
  window->BeginCaptionMove(x, y);
  // The window manager keeps the release for itself; the window is told the
  // button is up so that nothing stays pressed.
  window->SendLeftButtonUp(x, y);
}

void UICaption::OnDoubleClick() {
  UIWindowCommands* window = Commands();
  if (!window || !window->CanMaximize()) return;
  if (window->IsMaximized()) {
    window->Restore();
  } else {
    window->Maximize();
  }
}

bool UICaption::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kLButtonDown:
      SetHandled(true);
      OnLeftDown(lparam);
      return true;
    case uimsg::kLButtonDblClk:
      SetHandled(true);
      OnDoubleClick();
      return true;
    case uimsg::kLButtonUp:
      pressedMaximized_ = false;
      break;
    default:
      break;
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

}  // namespace vr
