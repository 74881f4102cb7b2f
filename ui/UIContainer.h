#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/IUIContainer.h"
#include "ui/UIControl.h"
#include "ui/UIFocusManager.h"

namespace vr {

class NativeWindow;

// The host side of a window: the root control of its tree plus the host
// interface every control of the tree uses. Keeps focus, capture, hover and
// the leave-tracking list as serials and routes native input to controls.
// The native window itself comes from the deriving class (UIHostWnd).
class UIContainer : public UIControl, public IUIContainer {
 public:
  // --- IUIContainer ---
  int GetFocusId() const override { return focus_.Focused(); }
  void SetFocusId(int serial) override;
  int GetCaptureId() const override { return capture_; }
  int SetCaptureId(int serial) override;
  void ReleaseCaptureId() override;
  int GetHoverId() const override { return hover_; }
  int RaiseEvent(UIControl* sender, const std::string& name, int value1, int value2) override;
  bool WheelToPointed() const override { return true; }
  void InvalidateInParent(const UIRect& rect) override;
  void AddLeaveTracking(int serial) override;
  void RemoveLeaveTracking(int serial) override;
  void SetHover(UIControl* control) override;
  intptr_t RouteMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled = nullptr) override;

  // Per-control drop handlers, kept by serial. The window never registers
  // with a drag-and-drop protocol, so they receive nothing.
  void RegisterDropTarget(int serial, void* handler) { dropTargets_[serial] = handler; }
  void UnregisterDropTarget(int serial) { dropTargets_.erase(serial); }

  // The window's notification handler: events no ancestor consumed.
  virtual int OnNotify(const UIEvent& event);

  UIFocusManager& Focus() { return focus_; }
  const std::vector<int>& LeaveTracking() const { return tracking_; }

 protected:
  UIContainer();
  ~UIContainer() override;

  // What routing needs of the native window; null while there is none.
  virtual NativeWindow* HostNative() const = 0;
  // Modifier keys and buttons (winmod bits) of the input being routed.
  virtual uint32_t InputModifiers() const = 0;
  // The pointer in client coordinates, for re-evaluating hover.
  virtual UIPoint PointerInClient() const = 0;
  // Queues a mouse move at the pointer, so hover is re-evaluated once the
  // current message is done.
  virtual void PostPointerMove() = 0;

 private:
  intptr_t RouteMouseMove(uintptr_t wparam, intptr_t lparam);
  intptr_t RouteButton(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled);
  intptr_t RouteWheel(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled);
  void RouteMouseLeave();
  bool RouteSetCursor(intptr_t lparam);
  intptr_t RouteToFocused(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled);
  void CheckTracked(UIControl* target, UIPoint point);
  UIControl* Find(int serial) const;

  UIFocusManager focus_{this};
  int capture_ = 0;
  int hover_ = 0;
  std::vector<int> tracking_;  // insertion order, no duplicates
  std::map<int, void*> dropTargets_;
};

}  // namespace vr
