#include "platform/SystemClipboard.h"

#include "platform/MemoryClipboard.h"
#include "platform/linux/X11Clipboard.h"
#include "platform/linux/X11WindowSystem.h"

namespace vr {

std::unique_ptr<Clipboard> OpenSystemClipboard(WindowSystem& system) {
  if (auto* x11 = dynamic_cast<X11WindowSystem*>(&system)) {
    if (std::unique_ptr<X11Clipboard> clipboard = X11Clipboard::Create(*x11)) return clipboard;
  }
  return std::make_unique<MemoryClipboard>();
}

}  // namespace vr
