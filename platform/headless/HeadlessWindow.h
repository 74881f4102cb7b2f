#pragma once
#include <string>

#include "platform/NativeWindow.h"
#include "platform/WindowEvent.h"

namespace vr {

class HeadlessWindowSystem;

// A window that exists only in memory: the back buffer, and a second surface
// holding what was last pushed "to the screen", which tests read.
class HeadlessWindow final : public NativeWindow {
 public:
  HeadlessWindow(HeadlessWindowSystem& system, uint64_t id, const WindowParams& params,
                 WindowHandler& handler);
  ~HeadlessWindow() override;

  // --- NativeWindow ---
  uint64_t Id() const override { return id_; }
  bool HasAlpha() const override { return perPixelAlpha_; }
  WinRect Bounds() const override { return bounds_; }
  void SetBounds(const WinRect& bounds) override;
  void Show(bool activate) override;
  void Hide() override;
  bool IsVisible() const override { return visible_; }
  void SetTitle(const std::string& utf8) override { title_ = utf8; }
  void SetLayer(WindowLayer layer) override { layer_ = layer; }
  void BringToFront() override;
  bool BeginMoveDrag(WinPoint, MouseButton) override { return false; }  // no window manager
  void SetBlurBehind(bool enable) override { blurBehind_ = enable; }
  void TakeKeyboardFocus() override;
  bool HasKeyboardFocus() const override;
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void SetCursor(PointerShape shape) override { cursor_ = shape; }
  // No input method here: the rect is only kept for tests.
  void SetTextInputRect(const WinRect& caret) override { textInputRect_ = caret; }
  cairo_surface_t* BackBuffer() override;
  void Present(const WinRect& rect) override;

  // --- Seen by the system and by tests ---
  WindowHandler& Handler() { return handler_; }
  const std::string& Title() const { return title_; }
  WindowLayer Layer() const { return layer_; }
  WindowKind Kind() const { return kind_; }
  uint64_t Owner() const { return owner_; }
  bool AcceptsFocus() const { return acceptsFocus_; }
  bool BlurBehind() const { return blurBehind_; }
  PointerShape Cursor() const { return cursor_; }
  WinRect TextInputRect() const { return textInputRect_; }
  cairo_surface_t* Screen() const { return screen_; }  // null before the first push
  int PresentCount() const { return presentCount_; }
  WinRect LastPresented() const { return lastPresented_; }

 private:
  HeadlessWindowSystem& system_;
  WindowHandler& handler_;
  uint64_t id_;
  WinRect bounds_;
  bool perPixelAlpha_;
  WindowKind kind_;
  WindowLayer layer_;
  uint64_t owner_;
  bool acceptsFocus_;
  bool visible_ = false;
  bool blurBehind_ = false;
  std::string title_;
  PointerShape cursor_ = PointerShape::kArrow;
  cairo_surface_t* back_ = nullptr;
  cairo_surface_t* screen_ = nullptr;
  int presentCount_ = 0;
  WinRect lastPresented_;
  WinRect textInputRect_;
};

}  // namespace vr
