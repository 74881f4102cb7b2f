#pragma once
#include "ui/UIControl.h"

namespace vr {

class UIWindowCommands;

// The draggable part of a frameless window: a left press hands the window to
// the window manager's move, a double click maximises or restores it. Needs
// a host that offers UIWindowCommands.
class UICaption : public UIControl {
 public:
  UICaption() = default;

  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UICaption"; }

  bool DragEnabled() const { return drag_; }
  void SetDragEnabled(bool on) { drag_ = on; }
  // The last press came while the window was maximised (no move was started).
  bool PressedWhileMaximized() const { return pressedMaximized_; }

 protected:
  ~UICaption() override = default;
  UIWindowCommands* Commands() const;

 private:
  void OnLeftDown(intptr_t lparam);
  void OnDoubleClick();

  bool pressedMaximized_ = false;
  bool drag_ = true;
};

}  // namespace vr
