#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ClickTracker.h"
#include "platform/DispatchLoop.h"
#include "platform/WindowSystem.h"
#include "platform/headless/FakeLoopTime.h"

namespace vr {

class HeadlessWindow;

struct HeadlessOptions {
  // Never empty after construction: an empty list gets one 1280 x 800 monitor.
  std::vector<MonitorInfo> monitors{{WinRect{0, 0, 1280, 800}, WinRect{0, 0, 1280, 800}, true}};
  std::chrono::milliseconds caretBlinkTime{530};
  std::chrono::milliseconds doubleClickTime{500};
};

// Windows as memory surfaces on a virtual screen, for tests and offscreen use.
// It plays the window manager too: a shown or clicked window becomes active,
// windows stack by layer and then by the order they were raised. Like a Win32
// window (and unlike X11's implicit grab) a window without the capture gets
// mouse events only while the pointer is over it.
//
// Everything happens through the loop: injected input and the notifications
// that window operations cause (shown, moved, activated...) are queued and
// reach handlers when the loop runs (RunUntilIdle, AdvanceClock, Run...).
// Time is fake: timers fire only when AdvanceClock moves the clock.
class HeadlessWindowSystem final : public WindowSystem, private LoopEventSource {
 public:
  explicit HeadlessWindowSystem(HeadlessOptions options = {});
  ~HeadlessWindowSystem() override;

  // --- WindowSystem ---
  std::unique_ptr<NativeWindow> CreateWindow(const WindowParams& params, WindowHandler& handler) override;
  WindowLoop& Loop() override { return loop_; }
  std::vector<MonitorInfo> Monitors() override { return monitors_; }
  WinPoint PointerPosition() override { return pointer_; }
  std::chrono::milliseconds CaretBlinkTime() const override { return caretBlink_; }
  std::chrono::milliseconds DoubleClickTime() const override { return doubleClick_; }

  // --- Virtual screen ---
  void SetMonitors(std::vector<MonitorInfo> monitors);  // an empty list is ignored

  // --- Input, queued in order ---
  void MoveMouse(WinPoint screenPos);
  void PressButton(MouseButton button);
  void ReleaseButton(MouseButton button);
  void Click(WinPoint screenPos, MouseButton button = MouseButton::kLeft);  // move, press, release
  void Wheel(int delta, bool horizontal = false);
  void PressKey(int virtualKey);  // vk::kShift, vk::kControl, vk::kMenu also set modifiers
  void ReleaseKey(int virtualKey);
  void TypeText(const std::string& utf8);  // one kChar per code point
  // Another application takes the focus: the active window deactivates.
  void ActivateOtherApplication();

  // --- Time and running ---
  // Moves the fake clock forward, firing each timer at its due time in due
  // order and dispatching everything ready after each.
  void AdvanceClock(std::chrono::milliseconds step);
  LoopTime::TimePoint Now() const { return time_.Now(); }
  bool RunUntilIdle() { return loop_.RunUntilIdle(); }
  // Called when a loop (Run, RunWhile) has nothing to do; it may inject input
  // or advance the clock and returns true when it did. Without a hook, or
  // when it returns false, the loop sleeps until a task or descriptor wakes it.
  void SetIdleHook(std::function<bool()> hook) { idleHook_ = std::move(hook); }

  // --- Inspection ---
  HeadlessWindow* Find(uint64_t id) const;
  uint64_t WindowAt(WinPoint screenPos) const;  // topmost visible window there, or 0
  std::vector<uint64_t> StackingOrder() const;  // visible windows, bottom first
  uint64_t ActiveWindow() const { return active_; }
  uint64_t CaptureWindow() const { return capture_; }
  uint32_t ModifierState() const;
  // What was last pushed to the screen: premultiplied ARGB, 0 outside.
  uint32_t ScreenPixel(uint64_t window, int x, int y) const;
  bool SaveScreenPng(uint64_t window, const std::string& path) const;

 private:
  friend class HeadlessWindow;

  // One queued happening: an input action, or a notification for a window.
  struct Pending {
    // kHover re-evaluates which window the pointer is over (after windows
    // moved, appeared or released the capture).
    enum class Kind { kMove, kPress, kRelease, kWheel, kKey, kText, kDeactivateAll, kNotify, kHover } kind = Kind::kNotify;
    WinPoint pos{};
    MouseButton button = MouseButton::kNone;
    int value = 0;  // wheel delta or virtual key
    bool flag = false;  // horizontal wheel; key down
    std::string text{};
    uint64_t window = 0;
    WindowEvent event{};
  };

  // --- LoopEventSource ---
  int Fd() const override { return -1; }
  bool HasPending() override { return !pending_.empty(); }
  bool DispatchOne() override;
  bool OnIdle() override { return idleHook_ && idleHook_(); }

  // --- Called by windows ---
  void Queue(uint64_t window, WindowEvent event);
  void Forget(uint64_t id);
  void Raise(uint64_t id);
  // Makes `id` (0: none) the active window. From window operations the
  // notifications are queued; during input dispatch they are delivered at once,
  // so activation precedes the button press that caused it.
  void Activate(uint64_t id, bool deliverNow);
  void QueueHover();
  void TakeCapture(uint64_t id);
  void DropCapture(uint64_t id);

  // --- Input delivery ---
  void Deliver(uint64_t window, const WindowEvent& event);
  void DoMove(WinPoint pos);
  void DoButton(MouseButton button, bool down);
  void DoWheel(int delta, bool horizontal);
  void DoKey(int virtualKey, bool down);
  void DoText(const std::string& text);
  void UpdateHover();
  uint64_t MouseTarget() const;
  WindowEvent MouseEvent(WindowEventType type, uint64_t window) const;

  FakeLoopTime time_;
  DispatchLoop loop_{this, time_};
  std::vector<MonitorInfo> monitors_;
  std::chrono::milliseconds caretBlink_;
  std::chrono::milliseconds doubleClick_;
  ClickTracker clicks_;
  std::map<uint64_t, HeadlessWindow*> windows_;
  std::vector<uint64_t> stack_;  // raise order, bottom first; layers apply on top
  std::deque<Pending> pending_;
  std::function<bool()> idleHook_;
  uint64_t nextId_ = 1;
  WinPoint pointer_;
  uint64_t hover_ = 0;    // window the pointer is over (as last reported)
  uint64_t active_ = 0;   // active window, which has the keyboard focus
  uint64_t capture_ = 0;
  uint32_t buttons_ = 0;  // winmod button bits
  bool shift_ = false, control_ = false, alt_ = false;
  std::map<int, bool> keysDown_;
};

}  // namespace vr
