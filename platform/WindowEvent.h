#pragma once
#include <cstdint>
#include <string>

#include "platform/WindowTypes.h"

namespace vr {

// Everything a native window reports. The order of events follows what the
// UI layer expects of a Win32 window: activation comes before keyboard focus
// in (kActivate, kFocusIn) and deactivation before focus out (kDeactivate,
// kFocusOut); a double click arrives as a kButtonDown with clicks == 2.
enum class WindowEventType {
  kMouseMove,     // pos, screenPos, mods
  kButtonDown,    // button, clicks (1 or 2), pos, screenPos, mods
  kButtonUp,      // button, pos, screenPos, mods
  kWheel,         // wheelDelta (+120 per notch away from the user), pos, screenPos, mods
  kHWheel,        // wheelDelta (+120 per notch to the right)
  kMouseEnter,    // pos
  kMouseLeave,    // the pointer left the window (not reported while it holds the capture)
  kKeyDown,       // virtualKey (Win32 VK_ code), repeat, mods
  kKeyUp,         // virtualKey, mods
  kChar,          // codePoint and text (UTF-8) of one typed character, mods
  kFocusIn,       // the window got the keyboard focus
  kFocusOut,
  kActivate,      // the window became the active top-level window
  kDeactivate,
  kMoved,         // bounds: new screen rectangle
  kResized,       // bounds: new screen rectangle; the back buffer follows on next access
  kShown,         // mapped on screen
  kHidden,
  kCloseRequest,  // the user asked the window manager to close it
  kExpose,        // rect: client area that must be pushed again
  kCaptureLost,   // another window took the mouse capture, or it was taken away
};

struct WindowEvent {
  WindowEventType type = WindowEventType::kMouseMove;
  WinPoint pos;          // client coordinates
  WinPoint screenPos;    // screen coordinates
  uint32_t mods = 0;     // winmod:: bits held when the event happened
  MouseButton button = MouseButton::kNone;
  int clicks = 0;
  int wheelDelta = 0;
  int virtualKey = 0;
  bool repeat = false;   // key auto-repeat
  char32_t codePoint = 0;
  std::string text;      // UTF-8 of codePoint
  WinRect rect;          // kExpose
  WinRect bounds;        // kMoved, kResized
};

// Receives a window's events on the UI thread. The handler may destroy the
// window from inside the call; the window layer touches nothing of it after.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  virtual void OnWindowEvent(const WindowEvent& event) = 0;
};

}  // namespace vr
