#pragma once
#include <cstdint>
#include <string>

#include "ui/UIMessages.h"

namespace vr {

// One framework message, built on the stack by UIControl::SendMsg.
struct UIMsg {
  uintptr_t hwnd = 0;
  uint32_t msg = 0;
  uintptr_t wparam = 0;
  intptr_t lparam = 0;
  int x = 0;  // low 16 bits of lparam, sign-extended
  int y = 0;  // high 16 bits of lparam, sign-extended
  std::string scratch;
  intptr_t result = 0;
};

}  // namespace vr
