#pragma once

namespace vr {

// What a caption control asks of its window beyond IUIContainer: the
// maximised state and the window-manager moves. Host windows implement it
// next to IUIContainer; a host without it (an offscreen tree) simply cannot
// be dragged or maximised.
class UIWindowCommands {
 public:
  virtual ~UIWindowCommands() = default;

  virtual bool IsMaximized() const = 0;
  // True when the window has both a maximise box and a sizing frame.
  virtual bool CanMaximize() const = 0;
  virtual void Maximize() = 0;
  virtual void Restore() = 0;
  // Starts the interactive move of the window (the system move command for a
  // caption) with the left button held at the given window client point.
  virtual void BeginCaptionMove(int x, int y) = 0;
  // Delivers a left-button-up at the window client point through the
  // window's own input routing, as if the user had released the button.
  virtual void SendLeftButtonUp(int x, int y) = 0;
};

}  // namespace vr
