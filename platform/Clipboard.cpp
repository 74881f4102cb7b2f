#include "platform/Clipboard.h"

#include "platform/MemoryClipboard.h"

namespace vr {

namespace {
// UI thread only, like every clipboard call.
Clipboard* g_installed = nullptr;

MemoryClipboard& Fallback() {
  static MemoryClipboard clipboard;
  return clipboard;
}
}  // namespace

Clipboard& ProcessClipboard() { return g_installed ? *g_installed : Fallback(); }

void SetProcessClipboard(Clipboard* clipboard) { g_installed = clipboard; }

}  // namespace vr
