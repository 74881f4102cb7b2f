#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "platform/linux/X11WindowSystem.h"

namespace vr {

std::unique_ptr<WindowSystem> OpenWindowSystem(WindowSystemKind kind) {
  if (kind == WindowSystemKind::kHeadless) return std::make_unique<HeadlessWindowSystem>();
  std::unique_ptr<WindowSystem> x11 = X11WindowSystem::Open(nullptr);
  if (x11 || kind == WindowSystemKind::kX11) return x11;
  return std::make_unique<HeadlessWindowSystem>();
}

}  // namespace vr
