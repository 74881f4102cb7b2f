#pragma once
#include <functional>
#include <vector>

#include "platform/WindowEvent.h"

namespace vr {

// A window handler that keeps every event, optionally reacting to each.
class RecordingHandler : public WindowHandler {
 public:
  void OnWindowEvent(const WindowEvent& e) override {
    events.push_back(e);
    if (react) react(e);
  }
  std::vector<WindowEventType> Types() const {
    std::vector<WindowEventType> t;
    for (const WindowEvent& e : events) t.push_back(e.type);
    return t;
  }
  std::vector<WindowEvent> OfType(WindowEventType type) const {
    std::vector<WindowEvent> out;
    for (const WindowEvent& e : events)
      if (e.type == type) out.push_back(e);
    return out;
  }

  std::vector<WindowEvent> events;
  std::function<void(const WindowEvent&)> react;
};

}  // namespace vr
