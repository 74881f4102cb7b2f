#include "platform/linux/X11ErrorTrap.h"

#include <atomic>
#include <cstdio>

namespace vr {
namespace {

// Xlib's error callback takes no user data, so the trap state has to live at
// namespace scope. Only the UI thread talks to the display.
std::atomic<bool> gTrapActive{false};
std::atomic<int> gTrappedErrors{0};
std::atomic<int> gReportedErrors{0};
constexpr int kMaxReported = 8;

int OnXError(Display* display, XErrorEvent* e) {
  if (gTrapActive) {
    ++gTrappedErrors;
    return 0;
  }
  if (gReportedErrors++ < kMaxReported) {
    char text[128] = {};
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "X11 error: %s (request %d.%d)\n", text, e->request_code, e->minor_code);
  }
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  InstallQuietHandler();
  gTrappedErrors = 0;
  gTrapActive = true;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display_, False);
  gTrapActive = false;
}

bool X11ErrorTrap::Failed() {
  XSync(display_, False);
  return gTrappedErrors > 0;
}

void X11ErrorTrap::InstallQuietHandler() { XSetErrorHandler(OnXError); }

}  // namespace vr
