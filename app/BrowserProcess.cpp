#include "app/BrowserProcess.h"

namespace vr {

// The embedded page drives a separate chromium over its DevTools pipe, so our
// own executable is never started as an engine helper; if it is, there is
// nothing to run and it ends at once.
int RunBrowserSubprocess(int, const char* const*) { return 0; }

}  // namespace vr
