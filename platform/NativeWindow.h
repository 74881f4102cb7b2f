#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>

#include "platform/WindowTypes.h"

namespace vr {

// One top-level, frameless window. Created by WindowSystem::CreateWindow and
// destroyed with its object; it reports its events to the WindowHandler given
// at creation. All calls belong to the UI thread.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // --- Identity ---
  // Nonzero and unique among this process's windows while the window exists.
  virtual uint64_t Id() const = 0;
  // True when pixels keep their alpha on screen (ARGB visual); false for the
  // opaque fallback, where the alpha byte is ignored.
  virtual bool HasAlpha() const = 0;

  // --- Placement and visibility ---
  virtual WinRect Bounds() const = 0;  // screen coordinates
  virtual void SetBounds(const WinRect& bounds) = 0;
  virtual void Show(bool activate) = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetTitle(const std::string& utf8) = 0;
  virtual void SetLayer(WindowLayer layer) = 0;
  // Raises the window and asks the window manager to activate it.
  virtual void BringToFront() = 0;
  // Hands an interactive move to the window manager, started by `button`
  // pressed at `screenPos`. False when no window manager offers it; the
  // caller then moves the window itself while the button is held.
  virtual bool BeginMoveDrag(WinPoint screenPos, MouseButton button) = 0;
  // Blur of what lies behind the window where the compositor offers it;
  // silently nothing elsewhere.
  virtual void SetBlurBehind(bool enable) = 0;

  // --- Input ---
  virtual void TakeKeyboardFocus() = 0;
  virtual bool HasKeyboardFocus() const = 0;
  // Mouse capture: every mouse event goes to this window until released.
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  virtual void SetCursor(PointerShape shape) = 0;
  // The caret of the text control that has the keyboard focus, in client
  // coordinates; an empty rect when none has. An input method shows its
  // pre-edit and candidates there where it can. Windows without an input
  // method ignore it.
  virtual void SetTextInputRect(const WinRect& caret) { (void)caret; }

  // --- Pixels ---
  // The back buffer: a Cairo ARGB32 image surface (premultiplied, native
  // byte order) of the window's current size. It is recreated after the size
  // changed, so callers fetch it again for every paint and never keep it.
  // The window owns it. Null only when memory runs out.
  virtual cairo_surface_t* BackBuffer() = 0;
  // Pushes `rect` (client coordinates) of the back buffer to the screen. The
  // back buffer may be drawn on again as soon as this returns.
  virtual void Present(const WinRect& rect) = 0;
};

}  // namespace vr
