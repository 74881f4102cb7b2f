#pragma once
#include <cstdint>
#include <string>

#include "ui/UIGeometry.h"

namespace vr {

class UIControl;
class UIFont;

// What a control needs of the window that hosts its tree. Windows implement
// it; a headless host (UIHeadlessHost) implements it for tests and offscreen
// rendering. Controls refer to each other through serials, never pointers.
class IUIContainer {
 public:
  virtual ~IUIContainer() = default;

  // Native window handle; 0 while the window does not exist. Operations that
  // need a window (timers, focus, capture, events) do nothing without one.
  virtual uintptr_t GetHWND() const = 0;

  // Focus and capture, by serial.
  virtual int GetFocusId() const = 0;
  virtual void SetFocusId(int serial) = 0;
  virtual int GetCaptureId() const = 0;
  virtual int SetCaptureId(int serial) = 0;  // returns the previous serial
  virtual void ReleaseCaptureId() = 0;
  virtual int GetHoverId() const = 0;

  // An event no ancestor consumed; answers with the window's notification handler.
  virtual int RaiseEvent(UIControl* sender, const std::string& name, int value1, int value2) = 0;

  // Native timers. Control timers use ids with the top bit set (see UIControl).
  virtual void SetHostTimer(uint32_t id, uint32_t milliseconds) = 0;
  virtual void KillHostTimer(uint32_t id) = 0;

  virtual UIPoint ClientToScreen(UIPoint client) const = 0;
  virtual void SetSystemCursor(int cursorId) = 0;

  // Per-window font cache; null when the spec gives no usable font.
  virtual UIFont* GetFont(const std::string& spec) = 0;

  // --- Window hosts (UIContainer); hosts without native input keep these ---
  virtual bool IsLayered() const { return true; }
  // Wheel messages go to the control under the pointer, not the focused one.
  virtual bool WheelToPointed() const { return true; }
  virtual UIRect HostClientRect() const { return UIRect{}; }
  // For a window whose root sits inside another tree: passes `rect` (root
  // coordinates) on to that tree.
  virtual void InvalidateInParent(const UIRect& /*rect*/) {}
  // Tracked controls get a mouse-leave once the pointer leaves them and all
  // their descendants (the `track` attribute).
  virtual void AddLeaveTracking(int /*serial*/) {}
  virtual void RemoveLeaveTracking(int /*serial*/) {}
  virtual void SetHover(UIControl* /*control*/) {}
  // Routes one input message (UIMessages.h codes, client coordinates) to the
  // control it concerns; *handled says whether a control took it.
  virtual intptr_t RouteMessage(uint32_t /*msg*/, uintptr_t /*wparam*/, intptr_t /*lparam*/,
                                bool* handled = nullptr) {
    if (handled) *handled = false;
    return 0;
  }
};

}  // namespace vr
