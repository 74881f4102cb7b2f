#pragma once
#include <cstdint>

namespace vr {

class UIControl;

// Keyboard focus inside one window's tree, kept as a serial. While the window
// is inactive the focus is only remembered and handed back on activation.
class UIFocusManager {
 public:
  // Why focus moved; the control receives it as the set-focus lparam.
  static constexpr int kReasonDirect = 0;
  static constexpr int kReasonTab = 1;
  static constexpr int kReasonActivate = 2;

  explicit UIFocusManager(UIControl* root) : root_(root) {}

  int Focused() const { return focused_; }
  int Saved() const { return saved_; }
  bool IsActive() const { return active_; }
  int LastReason() const { return reason_; }

  // Moves focus to `serial` (0: none). The old control gets the kill-focus
  // message (wparam = new serial), the new one set-focus (lparam = reason)
  // when it exists, is enabled and focusable. Calls made from inside those
  // messages are ignored.
  void SetFocus(int serial, int reason);
  // The window lost the keyboard: remember the focused control of this tree.
  void Deactivate();
  // The window got the keyboard back: restore the remembered control.
  void Activate();

  // Tab and the arrow keys of arrow groups. True when the key was consumed.
  bool HandleKeyDown(int virtualKey, uint32_t modifiers);
  // The control Tab (forward) or Shift+Tab (reverse) moves to; null if none.
  UIControl* FocusSearch(bool reverse) const;

  // A control that can take focus now: focusable, shown and enabled along
  // its whole ancestor chain.
  static bool CanTakeFocus(const UIControl* control);

 private:
  bool InTree(const UIControl* control) const;
  bool MoveInArrowGroup(UIControl* focused, int virtualKey);

  UIControl* root_;
  int focused_ = 0;
  int saved_ = 0;
  bool busy_ = false;
  int reason_ = kReasonDirect;
  bool active_ = false;
};

}  // namespace vr
