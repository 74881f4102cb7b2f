#include "ui/UIWindowImp.h"

#include <algorithm>

#include "platform/MonitorLayout.h"
#include "ui/UIMessages.h"
#include "ui/WindowMessages.h"

namespace vr {

namespace {

intptr_t PointLParam(WinPoint p) { return MakeLParam(p.x, p.y); }

uint32_t ButtonMessage(MouseButton button, bool down, bool doubleClick) {
  switch (button) {
    case MouseButton::kLeft:
      return !down ? uimsg::kLButtonUp : doubleClick ? uimsg::kLButtonDblClk : uimsg::kLButtonDown;
    case MouseButton::kRight:
      return !down ? uimsg::kRButtonUp : doubleClick ? uimsg::kRButtonDblClk : uimsg::kRButtonDown;
    case MouseButton::kMiddle:
      return !down ? uimsg::kMButtonUp : doubleClick ? wndmsg::kMButtonDblClk : uimsg::kMButtonDown;
    case MouseButton::kNone:
      break;
  }
  return 0;
}

}  // namespace

UIWindowImp::UIWindowImp(WindowSystem& system) : system_(system) {}

// Windows that still exist here go without messages: the deriving object
// is already gone. UIHostWnd destroys its window properly before that.
UIWindowImp::~UIWindowImp() = default;

void UIWindowImp::SetOwner(UIWindowImp* owner) {
  owner_ = owner;
  ownerAlive_ = owner ? owner->AliveToken() : std::weak_ptr<int>();
}

// --- Window procedure -----------------------------------------------------------

void UIWindowImp::FilterMessage(MessageRecord* record, int phase) {
  if (phase == 0 && record->msg == wndmsg::kExitSizeMove && keepInWorkArea_) KeepInWorkArea();
}

bool UIWindowImp::HandleWindowMessage(uint32_t, uintptr_t, intptr_t, intptr_t*) { return false; }

void UIWindowImp::OnFinalMessage() {}

intptr_t UIWindowImp::SendWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  MessageRecord record{msg, wparam, lparam, 0};
  MessageRecord* previous = current_;
  current_ = &record;
  ++depth_;
  FilterMessage(&record, 0);
  intptr_t result = 0;
  const bool handled = HandleWindowMessage(msg, wparam, lparam, &result);
  record.result = result;
  FilterMessage(&record, 1);
  if (!handled) record.result = DefaultProcessing(msg, wparam, lparam);
  current_ = previous;
  --depth_;
  const intptr_t out = record.result;
  if (destroyed_ && depth_ == 0) {
    destroyed_ = false;
    OnFinalMessage();  // may delete this object: nothing is touched after
  }
  return out;
}

void UIWindowImp::PostWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  std::weak_ptr<int> alive = alive_;
  system_.Loop().PostTask([alive, this, msg, wparam, lparam] {
    if (!alive.expired() && native_) SendWindowMessage(msg, wparam, lparam);
  });
}

intptr_t UIWindowImp::DefaultProcessing(uint32_t msg, uintptr_t, intptr_t) {
  switch (msg) {
    case wndmsg::kNcHitTest:
      return wndmsg::kHitClient;
    case wndmsg::kClose:
      DestroyNativeWindow();
      return 0;
    case wndmsg::kNcDestroy:
      destroyed_ = true;
      return 0;
    default:
      return 0;
  }
}

// --- Native window -----------------------------------------------------------------

bool UIWindowImp::CreateNativeWindow(const WindowParams& params) {
  if (native_) return false;
  layer_ = params.layer;
  native_ = system_.CreateWindow(params, *this);
  if (!native_) return false;
  if (SendWindowMessage(uimsg::kCreate) == -1) {
    native_.reset();
    return false;
  }
  return true;
}

void UIWindowImp::DestroyNativeWindow() {
  if (!native_) return;
  drag_.active = false;
  SendWindowMessage(uimsg::kDestroy);
  native_.reset();
  SendWindowMessage(wndmsg::kNcDestroy);
}

// --- Events into messages ---------------------------------------------------------------

bool UIWindowImp::IsInput(WindowEventType type) {
  switch (type) {
    case WindowEventType::kMouseMove:
    case WindowEventType::kButtonDown:
    case WindowEventType::kButtonUp:
    case WindowEventType::kWheel:
    case WindowEventType::kHWheel:
    case WindowEventType::kKeyDown:
    case WindowEventType::kKeyUp:
    case WindowEventType::kChar:
      return true;
    default:
      return false;
  }
}

void UIWindowImp::OnWindowEvent(const WindowEvent& e) {
  if (!native_) return;
  if (IsInput(e.type)) {
    lastMods_ = e.mods;
    if (e.type != WindowEventType::kKeyDown && e.type != WindowEventType::kKeyUp &&
        e.type != WindowEventType::kChar) {
      lastScreen_ = e.screenPos;
    }
    if (!inputEnabled_) return;
  }
  HoldSelf();
  switch (e.type) {
    case WindowEventType::kMouseMove:
      TranslateMouse(e);
      break;
    case WindowEventType::kButtonDown:
    case WindowEventType::kButtonUp:
      TranslateButton(e, e.type == WindowEventType::kButtonDown);
      break;
    case WindowEventType::kWheel:
    case WindowEventType::kHWheel: {
      // Win32 packing: the signed delta in the high 16 bits, buttons and
      // modifiers below; the position in screen coordinates.
      const uintptr_t wparam = (static_cast<uint32_t>(e.wheelDelta & 0xFFFF) << 16) | (e.mods & winmod::kMouseMask);
      SendWindowMessage(e.type == WindowEventType::kWheel ? uimsg::kMouseWheel : uimsg::kMouseHWheel, wparam,
                        PointLParam(e.screenPos));
      break;
    }
    case WindowEventType::kMouseEnter:
      break;
    case WindowEventType::kMouseLeave:
      SendWindowMessage(uimsg::kMouseLeave);
      break;
    case WindowEventType::kKeyDown:
    case WindowEventType::kKeyUp:
      TranslateKey(e);
      break;
    case WindowEventType::kChar:
      SendWindowMessage(uimsg::kChar, static_cast<uintptr_t>(e.codePoint), 1);
      break;
    case WindowEventType::kFocusIn:
      SendWindowMessage(uimsg::kSetFocus);
      break;
    case WindowEventType::kFocusOut:
      SendWindowMessage(uimsg::kKillFocus);
      break;
    case WindowEventType::kActivate:
      SendWindowMessage(uimsg::kActivate, wndmsg::kActive);
      break;
    case WindowEventType::kDeactivate:
      SendWindowMessage(uimsg::kActivate, wndmsg::kInactive);
      break;
    case WindowEventType::kMoved:
      SendWindowMessage(wndmsg::kMove, 0, MakeLParam(e.bounds.left, e.bounds.top));
      break;
    case WindowEventType::kResized:
      SendWindowMessage(uimsg::kSize, 0, MakeLParam(e.bounds.Width(), e.bounds.Height()));
      break;
    case WindowEventType::kShown:
    case WindowEventType::kHidden:
      SendWindowMessage(uimsg::kShowWindow, e.type == WindowEventType::kShown ? 1 : 0);
      break;
    case WindowEventType::kCloseRequest:
      SendWindowMessage(wndmsg::kClose);
      break;
    case WindowEventType::kExpose:
      // lparam: the exposed client rectangle, valid during the call.
      SendWindowMessage(uimsg::kPaint, 0, reinterpret_cast<intptr_t>(&e.rect));
      break;
    case WindowEventType::kCaptureLost:
      if (drag_.active) {
        drag_.active = false;
        SendWindowMessage(wndmsg::kExitSizeMove);
      }
      SendWindowMessage(uimsg::kCaptureChanged);
      break;
  }
  ReleaseSelf();  // may delete this object
}

void UIWindowImp::TranslateMouse(const WindowEvent& e) {
  if (drag_.active) {
    const WinRect b = native_->Bounds();
    native_->SetBounds(WinRect::FromXYWH(e.screenPos.x - drag_.offset.x, e.screenPos.y - drag_.offset.y,
                                         b.Width(), b.Height()));
    return;
  }
  const intptr_t lparam = PointLParam(e.pos);
  SendWindowMessage(uimsg::kSetCursor, wndmsg::kSetCursorClient, lparam);
  if (native_) SendWindowMessage(uimsg::kMouseMove, e.mods & winmod::kMouseMask, lparam);
}

void UIWindowImp::TranslateButton(const WindowEvent& e, bool down) {
  if (e.button == MouseButton::kLeft) {
    if (!down && drag_.active) {
      FinishCaptionDrag();
      return;
    }
    if (down && e.clicks < 2 &&
        SendWindowMessage(wndmsg::kNcHitTest, 0, PointLParam(e.screenPos)) == wndmsg::kHitCaption) {
      if (native_) {
        BeginCaptionDrag(e.screenPos);
        return;
      }
    }
  }
  const uint32_t msg = ButtonMessage(e.button, down, e.clicks >= 2);
  if (msg && native_) SendWindowMessage(msg, e.mods & winmod::kMouseMask, PointLParam(e.pos));
}

void UIWindowImp::BeginCaptionDrag(WinPoint screenPos) {
  if (!native_ || drag_.active) return;
  // A window manager moves the window itself; without one the window follows
  // the pointer while it holds the capture, as the system move loop does.
  if (native_->BeginMoveDrag(screenPos, MouseButton::kLeft)) return;
  const WinRect b = native_->Bounds();
  drag_.active = true;
  drag_.offset = WinPoint{screenPos.x - b.left, screenPos.y - b.top};
  native_->SetCapture();
}

void UIWindowImp::FinishCaptionDrag() {
  drag_.active = false;
  if (native_) native_->ReleaseCapture();
  SendWindowMessage(wndmsg::kExitSizeMove);
}

void UIWindowImp::TranslateKey(const WindowEvent& e) {
  const bool down = e.type == WindowEventType::kKeyDown;
  const bool system = (e.mods & winmod::kAlt) != 0;
  const uint32_t msg = system ? (down ? uimsg::kSysKeyDown : uimsg::kSysKeyUp)
                              : (down ? uimsg::kKeyDown : uimsg::kKeyUp);
  intptr_t lparam = 1;  // repeat count
  if (e.repeat) lparam |= wndmsg::kKeyRepeatBit;
  SendWindowMessage(msg, static_cast<uintptr_t>(e.virtualKey), lparam);
}

// --- Placement ---------------------------------------------------------------------------

WinRect UIWindowImp::WorkAreaFor(const WinRect& rect) const {
  const std::vector<MonitorInfo> monitors = system_.Monitors();
  if (monitors.empty()) return rect;
  return monitors[NearestMonitor(monitors, rect)].workArea;
}

void UIWindowImp::CenterWindow(const UIWindowImp* reference) {
  if (!native_) return;
  if (!reference && !ownerAlive_.expired()) reference = owner_;
  const bool overWindow = reference && reference->native_ && reference->native_->IsVisible();
  const WinRect self = native_->Bounds();
  const WinRect work = WorkAreaFor(overWindow ? reference->native_->Bounds() : self);
  const WinRect center = overWindow ? reference->native_->Bounds() : work;
  const int w = self.Width(), h = self.Height();
  int left = center.left + (center.Width() - w) / 2;
  int top = center.top + (center.Height() - h) / 2;
  if (left + w > work.right) left = work.right - w;
  if (top + h > work.bottom) top = work.bottom - h;
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  native_->SetBounds(WinRect::FromXYWH(left, top, w, h));
}

void UIWindowImp::KeepInWorkArea() {
  if (!native_) return;
  const WinRect b = native_->Bounds();
  const WinRect work = WorkAreaFor(b);
  const int w = b.Width(), h = b.Height();
  int left = std::max(b.left, work.left);
  int top = std::max(b.top, work.top);
  if (left + w > work.right) left = work.right - w;
  if (top + h > work.bottom) top = work.bottom - h;
  if (left != b.left || top != b.top) native_->SetBounds(WinRect::FromXYWH(left, top, w, h));
}

void UIWindowImp::EnableBlurBehind(NativeWindow* window, uint32_t) {
  if (window) window->SetBlurBehind(true);
}

void UIWindowImp::BringToFront() {
  if (!native_) return;
  native_->SetLayer(WindowLayer::kAbove);
  native_->BringToFront();
  native_->SetLayer(layer_);
}

}  // namespace vr
