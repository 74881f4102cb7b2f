#include "platform/MemoryClipboard.h"

namespace vr {

bool MemoryClipboard::SetText(const std::string& utf8) {
  text_ = utf8;
  return true;
}

}  // namespace vr
