#include "ui/UIContainer.h"

#include <algorithm>

#include "platform/NativeWindow.h"
#include "ui/ControlRegistry.h"
#include "ui/UIMessages.h"
#include "ui/WindowMessages.h"

namespace vr {

namespace {

bool IsAncestorOrSelf(const UIControl* ancestor, const UIControl* control) {
  for (const UIControl* c = control; c; c = c->Parent()) {
    if (c == ancestor) return true;
  }
  return false;
}

bool IsButtonMessage(uint32_t msg) {
  return (msg >= uimsg::kLButtonDown && msg <= wndmsg::kMButtonDblClk) || (msg >= 523 && msg <= 525) ||
         msg == uimsg::kMouseHover;
}

bool IsFocusedInput(uint32_t msg) {
  return (msg > uimsg::kKeyDown && msg <= 265) ||
         (msg >= wndmsg::kImeStartComposition && msg <= wndmsg::kImeComposition) || msg == wndmsg::kImeChar;
}

}  // namespace

UIContainer::UIContainer() = default;
UIContainer::~UIContainer() = default;

UIControl* UIContainer::Find(int serial) const { return ControlRegistry::Instance().Find(serial); }

// --- Focus and capture -------------------------------------------------------

void UIContainer::SetFocusId(int serial) {
  NativeWindow* native = HostNative();
  if (serial != 0 && native && !native->HasKeyboardFocus()) native->TakeKeyboardFocus();
  focus_.SetFocus(serial, UIFocusManager::kReasonDirect);
}

int UIContainer::SetCaptureId(int serial) {
  if (serial == capture_) return 0;
  UIControl* c = Find(serial);
  if (!c || c->IsDisabled()) return 0;
  if (NativeWindow* native = HostNative()) native->SetCapture();
  const int previous = capture_;
  capture_ = serial;
  return previous;
}

void UIContainer::ReleaseCaptureId() {
  capture_ = 0;
  NativeWindow* native = HostNative();
  if (native && native->HasCapture()) native->ReleaseCapture();
  PostPointerMove();
}

// --- Events and invalidation ---------------------------------------------------

int UIContainer::RaiseEvent(UIControl* sender, const std::string& name, int value1, int value2) {
  const UIEvent event{sender, name, sender ? sender->Id() : std::string(), value1, value2};
  return OnNotify(event);
}

int UIContainer::OnNotify(const UIEvent&) { return 1; }

void UIContainer::InvalidateInParent(const UIRect& rect) {
  if (!IsVisibleSelf() || !Parent()) return;
  const UIRect moved = rect.Offset(Rect().left, Rect().top);
  Parent()->Invalidate(&moved);
}

// --- Hover and leave tracking ----------------------------------------------------

void UIContainer::AddLeaveTracking(int serial) {
  if (std::find(tracking_.begin(), tracking_.end(), serial) == tracking_.end()) tracking_.push_back(serial);
}

void UIContainer::RemoveLeaveTracking(int serial) {
  tracking_.erase(std::remove(tracking_.begin(), tracking_.end(), serial), tracking_.end());
}

void UIContainer::SetHover(UIControl* control) {
  const int serial = control ? control->Serial() : 0;
  if (serial == hover_) return;
  UIControl* previous = Find(hover_);
  hover_ = serial;
  if (previous && !previous->IsTrack()) previous->SendMsg(uimsg::kMouseLeave, 0, 0);
  if (!control) return;
  if (control->IsTrack()) AddLeaveTracking(serial);
  control->SendMsg(uimsg::kMouseHover, 0, 0);
}

void UIContainer::CheckTracked(UIControl* target, UIPoint point) {
  const std::vector<int> tracked = tracking_;
  for (int serial : tracked) {
    UIControl* c = Find(serial);
    if (!c) {
      RemoveLeaveTracking(serial);
      continue;
    }
    if (!c->IsVisibleSelf() || c->IsHidden()) continue;
    const bool inside = target ? IsAncestorOrSelf(c, target) : c->PtInControl(point);
    const bool hovered = (c->State() & kStateHover) != 0;
    if (inside && !hovered) c->SendMsg(uimsg::kMouseHover, 0, 0);
    if (!inside && hovered) c->SendMsg(uimsg::kMouseLeave, 0, 0);
  }
}

// --- Routing --------------------------------------------------------------------------

intptr_t UIContainer::RouteMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled) {
  UIRefHold<UIControl> hold(this);  // a handler may close the window
  bool took = false;
  intptr_t result = 0;
  if (msg == uimsg::kSetFocus || (msg == uimsg::kActivateApp && wparam)) {
    focus_.Activate();
    took = true;
  } else if (msg == uimsg::kKillFocus || (msg == uimsg::kActivateApp && !wparam) ||
             (msg == uimsg::kActivate && wparam == wndmsg::kInactive)) {
    focus_.Deactivate();
    took = true;
  } else if (msg == uimsg::kSetCursor) {
    took = RouteSetCursor(lparam);
    result = took ? 1 : 0;
  } else if (msg == uimsg::kKeyDown) {
    took = focus_.HandleKeyDown(static_cast<int>(wparam), InputModifiers());
    if (!took) result = RouteToFocused(msg, wparam, lparam, &took);
  } else if (IsFocusedInput(msg)) {
    result = RouteToFocused(msg, wparam, lparam, &took);
  } else if (msg == uimsg::kMouseMove) {
    result = RouteMouseMove(wparam, lparam);
    took = true;
  } else if (IsButtonMessage(msg)) {
    result = RouteButton(msg, wparam, lparam, &took);
  } else if (msg == uimsg::kMouseWheel || msg == uimsg::kMouseHWheel) {
    result = RouteWheel(msg, wparam, lparam, &took);
  } else if (msg == uimsg::kMouseLeave) {
    RouteMouseLeave();
    took = true;
  }
  if (handled) *handled = took;
  return result;
}

intptr_t UIContainer::RouteToFocused(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled) {
  UIControl* focused = Find(focus_.Focused());
  if (!focused) return 0;
  return focused->SendMsg(msg, wparam, lparam, handled);
}

bool UIContainer::RouteSetCursor(intptr_t lparam) {
  UIControl* c = Find(capture_);
  if (!c) {
    c = Find(hover_);
    if (c && c->IsDisabled()) c = nullptr;
  }
  if (c) return c->OnSetCursor(LParamLow(lparam), LParamHigh(lparam));
  SetSystemCursor(uicursor::kArrow);
  return true;
}

intptr_t UIContainer::RouteMouseMove(uintptr_t wparam, intptr_t lparam) {
  const UIPoint point{LParamLow(lparam), LParamHigh(lparam)};
  UIControl* target = Find(capture_);
  if (!target) target = HitTest(point.x, point.y);
  UIRefHold<UIControl> holdTarget(target);
  SetHover(target);
  intptr_t result = 0;
  if (target) result = target->SendMsg(uimsg::kMouseMove, wparam, lparam);
  CheckTracked(target, point);
  return result;
}

intptr_t UIContainer::RouteButton(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled) {
  if (UIControl* captured = Find(capture_)) return captured->SendMsg(msg, wparam, lparam, handled);
  UIControl* hit = HitTest(LParamLow(lparam), LParamHigh(lparam));
  hover_ = hit ? hit->Serial() : 0;
  if (!hit) return 0;
  UIRefHold<UIControl> holdHit(hit);
  if (msg == uimsg::kLButtonDown && hit->Serial() != focus_.Focused()) {
    focus_.SetFocus(0, UIFocusManager::kReasonDirect);
  }
  if (hit->IsDisabled()) return 0;
  return hit->SendMsg(msg, wparam, lparam, handled);
}

intptr_t UIContainer::RouteWheel(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled) {
  UIControl* target = Find(capture_);
  if (!target) target = HitTest(LParamLow(lparam), LParamHigh(lparam));
  if (!target) return 0;
  UIRefHold<UIControl> holdTarget(target);
  SetHover(target);
  if (target->IsDisabled()) return 0;
  return target->SendMsg(msg, wparam, lparam, handled);
}

void UIContainer::RouteMouseLeave() {
  UIControl* captured = Find(capture_);
  if (captured) captured->SendMsg(uimsg::kMouseLeave, 0, 0);
  UIControl* hovered = Find(hover_);
  hover_ = 0;
  if (hovered && hovered != captured && !hovered->IsTrack()) hovered->SendMsg(uimsg::kMouseLeave, 0, 0);
  const std::vector<int> tracked = tracking_;
  for (int serial : tracked) {
    UIControl* c = Find(serial);
    if (!c) {
      RemoveLeaveTracking(serial);
      continue;
    }
    if (c->IsVisibleSelf() && !c->IsHidden() && (c->State() & kStateHover)) {
      c->SendMsg(uimsg::kMouseLeave, 0, 0);
    }
  }
}

}  // namespace vr
