#pragma once
#include <X11/Xlib.h>

#include <string>

#include "platform/NativeWindow.h"
#include "platform/WindowEvent.h"
#include "platform/linux/X11BackBuffer.h"

namespace vr {

class X11WindowSystem;

// A top-level X window without decorations. Its id is the X window id.
class X11Window final : public NativeWindow {
 public:
  X11Window(X11WindowSystem& system, Window xid, Visual* visual, int depth, bool alpha,
            const WindowParams& params, WindowHandler& handler);
  ~X11Window() override;

  // --- NativeWindow ---
  uint64_t Id() const override { return xid_; }
  bool HasAlpha() const override { return alpha_; }
  WinRect Bounds() const override { return bounds_; }
  void SetBounds(const WinRect& bounds) override;
  void Show(bool activate) override;
  void Hide() override;
  bool IsVisible() const override { return visible_; }
  void SetTitle(const std::string& utf8) override;
  void SetLayer(WindowLayer layer) override;
  void BringToFront() override;
  bool BeginMoveDrag(WinPoint screenPos, MouseButton button) override;
  void SetBlurBehind(bool enable) override;
  void TakeKeyboardFocus() override;
  bool HasKeyboardFocus() const override { return focused_; }
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void SetCursor(PointerShape shape) override;
  void SetTextInputRect(const WinRect& caret) override;
  cairo_surface_t* BackBuffer() override;
  void Present(const WinRect& rect) override;

  // --- For the window system's event translation ---
  WindowHandler& Handler() { return handler_; }
  Window Xid() const { return xid_; }
  XIC InputContext() const { return ic_; }
  // Whether the input method shows the pre-edit at the caret we report.
  bool PreeditAtCaret() const { return overTheSpot_; }
  WinRect TextInputRect() const { return textInputRect_; }
  bool AcceptsFocus() const { return acceptsFocus_; }
  // Records what the server reports; returns the events it causes.
  bool NoteGeometry(const WinRect& actual, WinRect* reportedBefore);
  void NoteMapped(bool mapped);
  bool NoteFocus(bool focused);  // true when it changed
  // Collects exposed rectangles; true with the union once the batch ends.
  bool NoteExpose(const WinRect& rect, bool last, WinRect* all);
  bool UsesShm() const { return buffer_.UsesShm(); }

 private:
  void ChangeState(bool add, unsigned long state1, unsigned long state2);
  void WriteInitialState();
  void CreateInputContext();

  X11WindowSystem& system_;
  Display* display_;
  WindowHandler& handler_;
  Window xid_;
  GC gc_ = nullptr;
  XIC ic_ = nullptr;
  bool overTheSpot_ = false;
  WinRect textInputRect_;
  bool alpha_;
  WinRect bounds_;    // as known: requested, then confirmed by the server
  WinRect reported_;  // as last told to the handler
  WindowLayer layer_;
  WindowParams params_;
  bool acceptsFocus_;
  bool visible_ = false;
  bool mapped_ = false;
  bool focused_ = false;
  bool focusOnMap_ = false;
  WinRect exposed_;
  X11BackBuffer buffer_;
};

}  // namespace vr
