#pragma once

namespace vr {

// Entry of a browser-engine helper process (started with --type=...). The
// engine runs the process to its end here; returns the exit code.
int RunBrowserSubprocess(int argc, const char* const* argv);

}  // namespace vr
