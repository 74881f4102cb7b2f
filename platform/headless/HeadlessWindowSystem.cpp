#include "platform/headless/HeadlessWindowSystem.h"

#include <algorithm>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessWindow.h"

namespace vr {
namespace {

int LayerRank(const HeadlessWindow& w) {
  if (w.Kind() == WindowKind::kPopupMenu || w.Kind() == WindowKind::kTooltip) return 3;
  switch (w.Layer()) {
    case WindowLayer::kBelow: return 0;
    case WindowLayer::kNormal: return 1;
    case WindowLayer::kAbove: return 2;
  }
  return 1;
}

uint32_t ButtonBit(MouseButton b) {
  switch (b) {
    case MouseButton::kLeft: return winmod::kLButton;
    case MouseButton::kRight: return winmod::kRButton;
    case MouseButton::kMiddle: return winmod::kMButton;
    case MouseButton::kNone: return 0;
  }
  return 0;
}

// Splits UTF-8 into code points; a malformed byte becomes U+FFFD.
std::vector<std::pair<char32_t, std::string>> CodePoints(const std::string& s) {
  std::vector<std::pair<char32_t, std::string>> out;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = len > 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      ok = (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.emplace_back(U'\uFFFD', "\xEF\xBF\xBD");
      ++i;
      continue;
    }
    out.emplace_back(cp, s.substr(i, len));
    i += len;
  }
  return out;
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem(HeadlessOptions options)
    : monitors_(std::move(options.monitors)),
      caretBlink_(options.caretBlinkTime),
      doubleClick_(options.doubleClickTime),
      clicks_(options.doubleClickTime) {
  if (monitors_.empty()) SetMonitors(HeadlessOptions{}.monitors);
}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

std::unique_ptr<NativeWindow> HeadlessWindowSystem::CreateWindow(const WindowParams& params,
                                                                 WindowHandler& handler) {
  uint64_t id = nextId_++;
  auto window = std::make_unique<HeadlessWindow>(*this, id, params, handler);
  windows_[id] = window.get();
  stack_.push_back(id);
  return window;
}

void HeadlessWindowSystem::SetMonitors(std::vector<MonitorInfo> monitors) {
  if (!monitors.empty()) monitors_ = std::move(monitors);
}

// --- Input ---

void HeadlessWindowSystem::MoveMouse(WinPoint p) { pending_.push_back({Pending::Kind::kMove, p}); }

void HeadlessWindowSystem::PressButton(MouseButton b) {
  Pending e{Pending::Kind::kPress};
  e.button = b;
  pending_.push_back(e);
}

void HeadlessWindowSystem::ReleaseButton(MouseButton b) {
  Pending e{Pending::Kind::kRelease};
  e.button = b;
  pending_.push_back(e);
}

void HeadlessWindowSystem::Click(WinPoint p, MouseButton b) {
  MoveMouse(p);
  PressButton(b);
  ReleaseButton(b);
}

void HeadlessWindowSystem::Wheel(int delta, bool horizontal) {
  Pending e{Pending::Kind::kWheel};
  e.value = delta;
  e.flag = horizontal;
  pending_.push_back(e);
}

void HeadlessWindowSystem::PressKey(int key) {
  Pending e{Pending::Kind::kKey};
  e.value = key;
  e.flag = true;
  pending_.push_back(e);
}

void HeadlessWindowSystem::ReleaseKey(int key) {
  Pending e{Pending::Kind::kKey};
  e.value = key;
  pending_.push_back(e);
}

void HeadlessWindowSystem::TypeText(const std::string& utf8) {
  Pending e{Pending::Kind::kText};
  e.text = utf8;
  pending_.push_back(e);
}

void HeadlessWindowSystem::ActivateOtherApplication() { pending_.push_back({Pending::Kind::kDeactivateAll}); }

// --- Time ---

void HeadlessWindowSystem::AdvanceClock(std::chrono::milliseconds step) {
  auto target = time_.Now() + step;
  loop_.RunUntilIdle();
  for (;;) {
    auto next = loop_.NextTimerDue();
    if (!next || *next > target) break;
    if (*next > time_.Now()) time_.Set(*next);
    loop_.RunUntilIdle();
  }
  time_.Set(target);
  loop_.RunUntilIdle();
}

// --- Inspection ---

HeadlessWindow* HeadlessWindowSystem::Find(uint64_t id) const {
  auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : it->second;
}

std::vector<uint64_t> HeadlessWindowSystem::StackingOrder() const {
  std::vector<uint64_t> order;
  for (uint64_t id : stack_)
    if (Find(id)->IsVisible()) order.push_back(id);
  std::stable_sort(order.begin(), order.end(),
                   [this](uint64_t a, uint64_t b) { return LayerRank(*Find(a)) < LayerRank(*Find(b)); });
  return order;
}

uint64_t HeadlessWindowSystem::WindowAt(WinPoint p) const {
  std::vector<uint64_t> order = StackingOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    if (Find(*it)->Bounds().Contains(p)) return *it;
  return 0;
}

uint32_t HeadlessWindowSystem::ModifierState() const {
  return buttons_ | (shift_ ? winmod::kShift : 0) | (control_ ? winmod::kControl : 0) |
         (alt_ ? winmod::kAlt : 0);
}

uint32_t HeadlessWindowSystem::ScreenPixel(uint64_t window, int x, int y) const {
  HeadlessWindow* w = Find(window);
  cairo_surface_t* s = w ? w->Screen() : nullptr;
  if (!s || x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
    return 0;
  const unsigned char* row = cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

bool HeadlessWindowSystem::SaveScreenPng(uint64_t window, const std::string& path) const {
  HeadlessWindow* w = Find(window);
  if (!w || !w->Screen()) return false;
  return cairo_surface_write_to_png(w->Screen(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// --- Window bookkeeping ---

void HeadlessWindowSystem::Queue(uint64_t window, WindowEvent event) {
  Pending p{Pending::Kind::kNotify};
  p.window = window;
  p.event = std::move(event);
  pending_.push_back(std::move(p));
}

void HeadlessWindowSystem::QueueHover() { pending_.push_back({Pending::Kind::kHover}); }

void HeadlessWindowSystem::Forget(uint64_t id) {
  windows_.erase(id);
  stack_.erase(std::remove(stack_.begin(), stack_.end(), id), stack_.end());
  if (active_ == id) active_ = 0;
  if (capture_ == id) capture_ = 0;
  if (hover_ == id) hover_ = 0;
  QueueHover();
}

void HeadlessWindowSystem::Raise(uint64_t id) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), id), stack_.end());
  stack_.push_back(id);
}

void HeadlessWindowSystem::Activate(uint64_t id, bool deliverNow) {
  if (id == active_) return;
  uint64_t old = active_;
  active_ = id;
  auto send = [&](uint64_t w, WindowEventType type) {
    WindowEvent e;
    e.type = type;
    if (deliverNow)
      Deliver(w, e);
    else
      Queue(w, e);
  };
  if (old) {
    send(old, WindowEventType::kDeactivate);
    send(old, WindowEventType::kFocusOut);
  }
  if (id) {
    send(id, WindowEventType::kActivate);
    send(id, WindowEventType::kFocusIn);
  }
}

void HeadlessWindowSystem::TakeCapture(uint64_t id) {
  if (capture_ == id) return;
  uint64_t old = capture_;
  capture_ = id;
  if (old) {
    WindowEvent e;
    e.type = WindowEventType::kCaptureLost;
    Queue(old, e);
  }
}

void HeadlessWindowSystem::DropCapture(uint64_t id) {
  if (capture_ != id) return;
  capture_ = 0;
  WindowEvent e;
  e.type = WindowEventType::kCaptureLost;
  Queue(id, e);
  QueueHover();
}

// --- Dispatch ---

bool HeadlessWindowSystem::DispatchOne() {
  if (pending_.empty()) return false;
  Pending p = std::move(pending_.front());
  pending_.pop_front();
  switch (p.kind) {
    case Pending::Kind::kMove: DoMove(p.pos); break;
    case Pending::Kind::kPress: DoButton(p.button, true); break;
    case Pending::Kind::kRelease: DoButton(p.button, false); break;
    case Pending::Kind::kWheel: DoWheel(p.value, p.flag); break;
    case Pending::Kind::kKey: DoKey(p.value, p.flag); break;
    case Pending::Kind::kText: DoText(p.text); break;
    case Pending::Kind::kDeactivateAll: Activate(0, /*deliverNow=*/true); break;
    case Pending::Kind::kNotify: Deliver(p.window, p.event); break;
    case Pending::Kind::kHover: UpdateHover(); break;
  }
  return true;
}

void HeadlessWindowSystem::Deliver(uint64_t window, const WindowEvent& event) {
  HeadlessWindow* w = Find(window);
  if (w) w->Handler().OnWindowEvent(event);
}

uint64_t HeadlessWindowSystem::MouseTarget() const { return capture_ ? capture_ : WindowAt(pointer_); }

WindowEvent HeadlessWindowSystem::MouseEvent(WindowEventType type, uint64_t window) const {
  WindowEvent e;
  e.type = type;
  e.screenPos = pointer_;
  if (HeadlessWindow* w = Find(window)) e.pos = WinPoint{pointer_.x - w->Bounds().left, pointer_.y - w->Bounds().top};
  e.mods = ModifierState();
  return e;
}

// While a window holds the capture nothing crosses; the crossings it missed
// are reported once it lets go.
void HeadlessWindowSystem::UpdateHover() {
  if (capture_) return;
  uint64_t under = WindowAt(pointer_);
  if (under == hover_) return;
  uint64_t old = hover_;
  hover_ = under;
  if (old) Deliver(old, MouseEvent(WindowEventType::kMouseLeave, old));
  if (under && hover_ == under) Deliver(under, MouseEvent(WindowEventType::kMouseEnter, under));
}

void HeadlessWindowSystem::DoMove(WinPoint pos) {
  pointer_ = pos;
  UpdateHover();
  uint64_t target = MouseTarget();
  if (target) Deliver(target, MouseEvent(WindowEventType::kMouseMove, target));
}

void HeadlessWindowSystem::DoButton(MouseButton button, bool down) {
  uint32_t bit = ButtonBit(button);
  if (down)
    buttons_ |= bit;
  else
    buttons_ &= ~bit;
  uint64_t target = MouseTarget();
  if (down && !capture_) {
    HeadlessWindow* w = Find(target);
    if (!w)
      Activate(0, /*deliverNow=*/true);  // a click on the desktop
    else if (w->AcceptsFocus())
      Activate(target, /*deliverNow=*/true);
  }
  if (!target || !Find(target)) return;
  WindowEvent e = MouseEvent(down ? WindowEventType::kButtonDown : WindowEventType::kButtonUp, target);
  e.button = button;
  if (down) e.clicks = clicks_.OnPress(target, button, pointer_, time_.Now());
  Deliver(target, e);
}

void HeadlessWindowSystem::DoWheel(int delta, bool horizontal) {
  uint64_t target = MouseTarget();
  if (!target) return;
  WindowEvent e = MouseEvent(horizontal ? WindowEventType::kHWheel : WindowEventType::kWheel, target);
  e.wheelDelta = delta;
  Deliver(target, e);
}

void HeadlessWindowSystem::DoKey(int key, bool down) {
  bool wasDown = keysDown_[key];
  keysDown_[key] = down;
  if (key == vk::kShift) shift_ = down;
  if (key == vk::kControl) control_ = down;
  if (key == vk::kMenu) alt_ = down;
  if (!active_) return;
  WindowEvent e;
  e.type = down ? WindowEventType::kKeyDown : WindowEventType::kKeyUp;
  e.virtualKey = key;
  e.repeat = down && wasDown;
  e.mods = ModifierState();
  Deliver(active_, e);
}

void HeadlessWindowSystem::DoText(const std::string& text) {
  for (auto& [cp, utf8] : CodePoints(text)) {
    if (!active_) return;
    WindowEvent e;
    e.type = WindowEventType::kChar;
    e.codePoint = cp;
    e.text = utf8;
    e.mods = ModifierState();
    Deliver(active_, e);
  }
}

}  // namespace vr
