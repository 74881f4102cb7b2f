#pragma once
#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>

#include "ui/FontCache.h"
#include "ui/UIContainer.h"
#include "ui/UIWindowCommands.h"
#include "ui/UIWindowImp.h"

namespace vr {

class UIGraphics;

// A framework window: a native top-level window (UIWindowImp) whose control
// tree (UIContainer is its root) is built from a layout document, painted
// into the window's persistent back buffer and pushed to the screen once per
// paint. Application windows and dialogs derive from it and override
// OnNotify. Reference-counted like every control: the opener holds the
// reference and releases it after DoModal returns or the window closed.
class UIHostWnd : public UIContainer, public UIWindowImp, public UIWindowCommands {
 public:
  // `documentPath` is a pack path such as xml\gallery.xml; empty for windows
  // that build their tree in code.
  UIHostWnd(WindowSystem& system, std::string documentPath);

  // --- Life cycle ---
  // Creates the native window (hidden) and with it the tree: the window
  // takes the document root's size. Every control then receives the null
  // message in pre-order and the whole window is invalidated.
  bool CreateNative(const WindowParams& params);
  void ShowHost(bool activate);
  // Runs a nested loop until EndModal or CloseHost (or the loop quits) with
  // `parent` (may be null) refusing input meanwhile; then hides and destroys
  // the native window and returns the modal result.
  int DoModal(UIWindowImp* parent);
  void EndModal(int result);
  // Hides the window, ends a modal loop and destroys the native window.
  void CloseHost();
  bool ModalRunning() const { return modalRunning_; }
  int ModalResult() const { return modalResult_; }

  // --- Behaviour flags ---
  // A left press where only the root control answers the hit test drags the
  // window (on by default).
  void SetCaptionDrag(bool on) { captionDrag_ = on; }
  bool CaptionDrag() const { return captionDrag_; }
  // When set, native size changes resize the root and its first child.
  void SetSizing(bool on) { sizing_ = on; }
  const std::string& DocumentPath() const { return documentPath_; }
  FontCache& Fonts() { return fonts_; }

  // --- IUIContainer ---
  uintptr_t GetHWND() const override { return Handle(); }
  void SetHostTimer(uint32_t id, uint32_t milliseconds) override;
  void KillHostTimer(uint32_t id) override;
  UIPoint ClientToScreen(UIPoint client) const override;
  void SetSystemCursor(int cursorId) override;
  UIFont* GetFont(const std::string& spec) override { return fonts_.Get(spec); }
  bool IsLayered() const override { return layered_; }
  UIRect HostClientRect() const override;

  // --- UIWindowCommands (for caption controls) ---
  bool IsMaximized() const override { return maximized_; }
  // Windows with a sizing frame (SetSizing) can be maximised.
  bool CanMaximize() const override { return sizing_; }
  // Fills the work area of the window's monitor; Restore goes back.
  void Maximize() override;
  void Restore() override;
  void BeginCaptionMove(int x, int y) override;
  void SendLeftButtonUp(int x, int y) override;

  // --- UIControl (the root) ---
  const char* ClassName() const override { return "UIHostWnd"; }
  // Collects the area and schedules one paint for everything collected.
  void Invalidate(const UIRect* rect) override;
  // The root paints nothing of its own state.
  bool NeedsHoverRedraw() const override { return false; }

  // --- Hooks for deriving windows ---
  virtual void OnTimer(int index);
  // Paints the tree; the area to repaint is already clipped and cleared.
  virtual void PaintWindow(UIGraphics& g);
  virtual void OnCreated();
  // Looks at the sender's id only: "btnclose" and "btncancel" end a modal
  // loop with 0, "btnok" with 1. Returns 1.
  int OnNotify(const UIEvent& event) override;
  virtual void MouseMovedHook() {}

  // --- UIWindowImp ---
  bool HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;

  // --- Inspection ---
  const UIRect& InvalidRect() const { return invalid_; }
  int PaintCount() const { return paintCount_; }
  size_t HostTimerCount() const { return timers_.size(); }

 protected:
  ~UIHostWnd() override;

  // --- UIContainer ---
  NativeWindow* HostNative() const override { return Native(); }
  uint32_t InputModifiers() const override { return LastModifiers(); }
  UIPoint PointerInClient() const override;
  void PostPointerMove() override;

  // --- UIWindowImp ---
  void HoldSelf() override { AddRef(); }
  void ReleaseSelf() override { Release(); }

 private:
  struct HeldButton {
    uint32_t upMsg = 0;  // 0: no button held
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
  };

  void OnCreateMessage();
  void OnDestroyMessage();
  void OnSizeMessage(intptr_t lparam);
  void OnActivateMessage(bool active);
  void OnPaintMessage(const WinRect* exposed);
  void ReportTextInputRect();
  void OnTimerMessage(uint32_t id);
  bool OnMouseMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam);
  bool OnKeyMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam);
  intptr_t OnNcHitTest(intptr_t lparam);
  void KillAllHostTimers();
  UIRect ClientArea() const;

  std::string documentPath_;
  FontCache fonts_;
  bool layered_ = true;
  bool trackingArmed_ = false;
  bool sizing_ = false;
  bool captionDrag_ = true;
  bool modalRunning_ = false;
  int modalResult_ = 0;
  bool paintPending_ = false;
  HeldButton held_;
  std::map<uint32_t, int> timers_;  // host timer id -> loop timer id
  int cursor_ = 0;
  UIRect invalid_;
  // The back buffer last painted; a new one (or a new size) repaints all.
  cairo_surface_t* lastBuffer_ = nullptr;
  int lastWidth_ = 0;
  int lastHeight_ = 0;
  int paintCount_ = 0;
  bool maximized_ = false;
  WinRect restoreBounds_;
};

}  // namespace vr
