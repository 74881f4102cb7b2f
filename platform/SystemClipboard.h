#pragma once
#include <memory>

#include "platform/Clipboard.h"

namespace vr {

class WindowSystem;

// The clipboard of a window system: the CLIPBOARD selection on X11, an
// in-memory clipboard for the headless backend. `system` must outlive it.
// Install the result with SetProcessClipboard for the controls to use it.
std::unique_ptr<Clipboard> OpenSystemClipboard(WindowSystem& system);

}  // namespace vr
