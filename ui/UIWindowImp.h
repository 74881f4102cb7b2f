#pragma once
#include <cstdint>
#include <memory>

#include "platform/NativeWindow.h"
#include "platform/WindowEvent.h"
#include "platform/WindowSystem.h"

namespace vr {

// The native side of a framework window: owns the platform window, turns its
// events into window messages (UIMessages.h and WindowMessages.h codes, with
// wparam and lparam packed as the control layer expects) and runs them
// through one window procedure. Also plays the parts a window manager plays
// on Windows for a frameless window: caption hit-testing and dragging, a
// disabled owner during modal loops, placement helpers.
class UIWindowImp : public WindowHandler {
 public:
  // One message being dispatched; records nest while messages re-enter.
  struct MessageRecord {
    uint32_t msg = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
    intptr_t result = 0;
  };

  explicit UIWindowImp(WindowSystem& system);
  ~UIWindowImp() override;
  UIWindowImp(const UIWindowImp&) = delete;
  UIWindowImp& operator=(const UIWindowImp&) = delete;

  // --- Virtual operations ---
  // Phase 0 before handling, 1 after.
  virtual void FilterMessage(MessageRecord* record, int phase);
  // True when handled; otherwise the default processing runs.
  virtual bool HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result);
  // The native window is gone and no message of it is being dispatched.
  // The object may delete itself here.
  virtual void OnFinalMessage();

  // --- Native window ---
  // Creates the window and dispatches the create message (1) to it. False,
  // without a window, when the platform refuses or the create handler
  // answers -1.
  bool CreateNativeWindow(const WindowParams& params);
  // Dispatches the destroy message (2), destroys the native window, then the
  // final non-client destroy (130); OnFinalMessage follows once the
  // outermost message returns.
  void DestroyNativeWindow();
  NativeWindow* Native() const { return native_.get(); }
  uintptr_t Handle() const { return native_ ? static_cast<uintptr_t>(native_->Id()) : 0; }
  WindowSystem& System() const { return system_; }
  // The window procedure: the message runs at once.
  intptr_t SendWindowMessage(uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  // Runs the message from the loop later; dropped when the object is gone.
  void PostWindowMessage(uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
  const MessageRecord* CurrentRecord() const { return current_; }

  // A disabled window ignores mouse and keyboard input (the owner of a modal
  // dialog).
  void EnableInput(bool enable) { inputEnabled_ = enable; }
  bool InputEnabled() const { return inputEnabled_; }

  // Starts moving the window with the left button held at `screenPos`: the
  // window manager moves it when it offers that, otherwise the window
  // follows the pointer until the button is released.
  void BeginCaptionDrag(WinPoint screenPos);

  // --- Placement ---
  // Centres over `reference`, else the owner given at creation, else the work
  // area of the window's monitor, and keeps the result inside that monitor's
  // work area (right and bottom edges first, then left and top).
  void CenterWindow(const UIWindowImp* reference);
  // Moves the window (keeping its size) into the nearest monitor's work area;
  // the right and bottom edges win when the window is larger.
  void KeepInWorkArea();
  void SetKeepInWorkArea(bool on) { keepInWorkArea_ = on; }
  // Topmost for a moment while the window manager is asked to switch to it.
  void BringToFront();
  // The window this one belongs to (a dialog's opener); may be null. Kept
  // weakly: an owner that goes away is simply no longer used.
  void SetOwner(UIWindowImp* owner);
  // Blur of what lies behind `window` where the compositor offers it
  // (_KDE_NET_WM_BLUR_BEHIND_REGION on X11); nothing elsewhere. The tint is
  // the gradient colour's alpha and RGB (0xAARRGGBB); the compositors that
  // honour the request draw no tint, so only the blur itself is asked for.
  static void EnableBlurBehind(NativeWindow* window, uint32_t gradientColor);
  // Work area of the monitor `rect` belongs to.
  WinRect WorkAreaFor(const WinRect& rect) const;

  // A token that lives exactly as long as this object; tasks hold it weakly.
  std::weak_ptr<int> AliveToken() const { return alive_; }

  // --- WindowHandler ---
  void OnWindowEvent(const WindowEvent& event) override;

 protected:
  // Modifier and button bits (winmod) of the last input event.
  uint32_t LastModifiers() const { return lastMods_; }
  WinPoint LastScreenPos() const { return lastScreen_; }
  bool CaptionDragging() const { return drag_.active; }
  // Held around every native event, so a handler may drop the last
  // reference to the window object (ref-counted windows override both).
  virtual void HoldSelf() {}
  virtual void ReleaseSelf() {}

 private:
  struct Drag {
    bool active = false;
    WinPoint offset;  // pointer minus window origin, screen pixels
  };

  intptr_t DefaultProcessing(uint32_t msg, uintptr_t wparam, intptr_t lparam);
  void TranslateMouse(const WindowEvent& e);
  void TranslateButton(const WindowEvent& e, bool down);
  void TranslateKey(const WindowEvent& e);
  void FinishCaptionDrag();
  static bool IsInput(WindowEventType type);

  WindowSystem& system_;
  std::unique_ptr<NativeWindow> native_;
  MessageRecord* current_ = nullptr;
  int depth_ = 0;
  bool destroyed_ = false;
  bool keepInWorkArea_ = false;
  bool inputEnabled_ = true;
  WindowLayer layer_ = WindowLayer::kNormal;
  UIWindowImp* owner_ = nullptr;
  std::weak_ptr<int> ownerAlive_;
  uint32_t lastMods_ = 0;
  WinPoint lastScreen_;
  Drag drag_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vr
