#pragma once
#include <chrono>
#include <memory>
#include <vector>

#include "platform/NativeWindow.h"
#include "platform/WindowEvent.h"
#include "platform/WindowLoop.h"

namespace vr {

// The native window system of the process: window creation, the screen's
// monitors, system metrics and the UI thread's loop. One per process, created
// and used on the UI thread; it must outlive its windows.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Null when the window cannot be created. `handler` must outlive the window.
  virtual std::unique_ptr<NativeWindow> CreateWindow(const WindowParams& params,
                                                     WindowHandler& handler) = 0;
  virtual WindowLoop& Loop() = 0;

  // --- Screen ---
  // Never empty; the primary monitor first.
  virtual std::vector<MonitorInfo> Monitors() = 0;
  virtual WinPoint PointerPosition() = 0;  // screen coordinates

  // --- System metrics ---
  // Half a blink period: the caret is shown this long, then hidden as long.
  virtual std::chrono::milliseconds CaretBlinkTime() const = 0;
  virtual std::chrono::milliseconds DoubleClickTime() const = 0;
};

enum class WindowSystemKind {
  kX11,       // the X server named by $DISPLAY
  kHeadless,  // memory windows on a virtual 1280 x 800 screen
  kAuto,      // X11 when a server answers, headless otherwise
};

// Null when the X server cannot be reached (kX11 only).
std::unique_ptr<WindowSystem> OpenWindowSystem(WindowSystemKind kind);

}  // namespace vr
