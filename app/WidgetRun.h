#pragma once

namespace vr {

class SingleInstance;

// Runs the widget process: brings the subsystems up in their fixed order,
// runs the UI loop until asked to quit, then shuts down in the fixed order.
// Returns the process exit code (always 0).
int RunWidget(SingleInstance& instance);

}  // namespace vr
