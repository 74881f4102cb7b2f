#pragma once
#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/ClickTracker.h"
#include "platform/DispatchLoop.h"
#include "platform/WindowSystem.h"

namespace vr {

class X11Window;

// Atoms the window layer uses, interned in one round trip.
struct X11Atoms {
  Atom wmProtocols, wmDeleteWindow, wmTransientFor, utf8String, motifWmHints, netWmName, netWmPid,
      netWmPing, netWmState, netWmStateAbove, netWmStateBelow, netWmStateSkipTaskbar,
      netWmStateSkipPager, netWmStateSticky, netWmWindowType, netWmWindowTypeNormal,
      netWmWindowTypeDialog, netWmWindowTypeUtility, netWmWindowTypePopupMenu,
      netWmWindowTypeTooltip, netWmWindowTypeSplash, netWorkarea, netCurrentDesktop,
      netActiveWindow, netSupported, netSupportingWmCheck, netWmMoveresize, kdeBlurBehindRegion;
};

// The X11 window system: one display connection, used by the UI thread only.
class X11WindowSystem final : public WindowSystem, private LoopEventSource {
 public:
  // Null when the display cannot be opened (null name: $DISPLAY).
  static std::unique_ptr<X11WindowSystem> Open(const char* displayName);
  ~X11WindowSystem() override;

  // --- WindowSystem ---
  std::unique_ptr<NativeWindow> CreateWindow(const WindowParams& params, WindowHandler& handler) override;
  WindowLoop& Loop() override { return loop_; }
  const DispatchLoop& Dispatcher() const { return loop_; }
  std::vector<MonitorInfo> Monitors() override;
  WinPoint PointerPosition() override;
  std::chrono::milliseconds CaretBlinkTime() const override { return std::chrono::milliseconds(530); }
  std::chrono::milliseconds DoubleClickTime() const override { return std::chrono::milliseconds(500); }

  // --- For windows ---
  Display* GetDisplay() const { return display_; }
  Window Root() const { return root_; }
  const X11Atoms& Atoms() const { return atoms_; }
  bool ShmUsable() const { return shm_; }
  bool ArgbAvailable() const { return argbVisual_ != nullptr; }
  XIM InputMethod() const { return im_; }
  // The input style new input contexts ask for: over-the-spot pre-edit
  // (XIMPreeditPosition) where the input method offers it, else none of ours.
  XIMStyle InputStyle() const { return imStyle_; }
  // The font set over-the-spot contexts need; null with any other style.
  XFontSet PreeditFontSet() const { return imFonts_; }
  bool WmSupports(Atom feature);
  bool WindowManagerRunning();
  // Sends a client message to the root window, as EWMH requests are sent.
  void SendRootMessage(Window window, Atom type, long d0, long d1 = 0, long d2 = 0, long d3 = 0, long d4 = 0);
  Cursor CursorFor(PointerShape shape);
  uint64_t CaptureWindow() const { return capture_; }
  void TakeCapture(X11Window& window);
  void DropCapture(X11Window& window);
  void Forget(Window xid);
  // Events for X windows that are not this system's own (the clipboard's
  // window, a clipboard requestor's property changes) are offered here first;
  // the filter returns true when it took the event.
  using RawEventFilter = std::function<bool(XEvent&)>;
  void SetRawEventFilter(RawEventFilter filter) { rawFilter_ = std::move(filter); }

 private:
  explicit X11WindowSystem(Display* display);

  // --- LoopEventSource ---
  int Fd() const override { return ConnectionNumber(display_); }
  bool HasPending() override { return XPending(display_) > 0; }
  bool DispatchOne() override;
  void BeforeWait() override { XFlush(display_); }

  void OpenInputMethod();
  void Translate(X11Window& window, XEvent& ev, std::vector<WindowEvent>& out);
  void TranslateButton(X11Window& window, const XButtonEvent& b, bool down, std::vector<WindowEvent>& out);
  void TranslateKey(X11Window& window, XKeyEvent& k, bool down, std::vector<WindowEvent>& out);
  void TranslateConfigure(X11Window& window, const XConfigureEvent& c, std::vector<WindowEvent>& out);
  void PostCaptureLost(uint64_t window);
  std::optional<WinRect> DesktopWorkArea();

  Display* display_;
  int screen_;
  Window root_;
  X11Atoms atoms_{};
  Visual* argbVisual_ = nullptr;
  Colormap argbColormap_ = 0;
  bool shm_ = false;
  bool randr_ = false;
  XIM im_ = nullptr;
  XIMStyle imStyle_ = 0;
  XFontSet imFonts_ = nullptr;
  std::map<PointerShape, Cursor> cursors_;
  std::map<Window, X11Window*> windows_;
  std::set<unsigned> keysDown_;  // keycodes, to tell auto-repeat
  uint64_t capture_ = 0;
  ClickTracker clicks_{std::chrono::milliseconds(500)};
  SteadyLoopTime time_;
  RawEventFilter rawFilter_;
  DispatchLoop loop_{this, time_};
};

}  // namespace vr
