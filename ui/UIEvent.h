#pragma once
#include <string>

namespace vr {

class UIControl;

// One named event ("click", "checkchanged", ...) raised by a control.
struct UIEvent {
  UIControl* sender = nullptr;
  std::string name;
  std::string id;  // copy of the sender's id when the event was raised
  int value1 = 0;
  int value2 = 0;
};

}  // namespace vr
