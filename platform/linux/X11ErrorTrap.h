#pragma once
#include <X11/Xlib.h>

namespace vr {

// Xlib reports protocol errors through one process-wide callback, and its
// default callback ends the process. InstallQuietHandler replaces it with one
// that prints the first few errors and carries on. An X11ErrorTrap collects
// the errors of the requests made during its lifetime instead (it syncs with
// the server first so no older error is caught); traps do not nest.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Syncs, then tells whether any request since construction failed.
  bool Failed();

  static void InstallQuietHandler();

 private:
  Display* display_;
};

}  // namespace vr
