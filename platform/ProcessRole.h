#pragma once

namespace vr {

// The browser engine starts helper processes of this same executable with a
// "--type=..." switch. The text may stand anywhere on the command line, even
// inside another argument, so the whole command line is searched.
bool IsBrowserSubprocess(int argc, const char* const* argv);

}  // namespace vr
