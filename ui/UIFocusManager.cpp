#include "ui/UIFocusManager.h"

#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/WindowTypes.h"
#include "ui/ControlRegistry.h"
#include "ui/UIControl.h"
#include "ui/WindowMessages.h"

namespace vr {

namespace {

void PreOrder(UIControl* control, std::vector<UIControl*>* out) {
  out->push_back(control);
  for (UIControl* child : control->Children()) PreOrder(child, out);
}

bool ArrowGroupSibling(const UIControl* candidate, const UIControl* start) {
  return start && candidate != start && candidate->IsArrowGroup() && start->IsArrowGroup() &&
         candidate->Parent() == start->Parent();
}

}  // namespace

bool UIFocusManager::CanTakeFocus(const UIControl* control) {
  if (!control || !control->IsFocusable()) return false;
  // The state bits only change through messages; a control built hidden by
  // its attributes has just the own flags, so both are consulted.
  for (const UIControl* c = control; c; c = c->Parent()) {
    if (c->IsHidden() || c->IsDisabled() || !c->IsVisibleSelf() || !c->IsEnabledSelf()) return false;
  }
  return true;
}

bool UIFocusManager::InTree(const UIControl* control) const {
  for (const UIControl* c = control; c; c = c->Parent()) {
    if (c == root_) return true;
  }
  return false;
}

void UIFocusManager::SetFocus(int serial, int reason) {
  if (busy_) return;
  if (serial == focused_) {
    if (serial == 0 && !active_) saved_ = 0;
    return;
  }
  if (!active_) {
    saved_ = serial;
    return;
  }
  busy_ = true;
  reason_ = reason;
  const int old = focused_;
  focused_ = 0;
  if (UIControl* previous = ControlRegistry::Instance().Find(old)) {
    previous->SendMsg(uimsg::kKillFocus, static_cast<uintptr_t>(serial), 0);
  }
  UIControl* next = ControlRegistry::Instance().Find(serial);
  if (next && !next->IsDisabled() && next->IsFocusable()) {
    focused_ = serial;
    next->SendMsg(uimsg::kSetFocus, 0, reason);
  }
  busy_ = false;
}

void UIFocusManager::Deactivate() {
  active_ = false;
  UIControl* focused = ControlRegistry::Instance().Find(focused_);
  saved_ = focused && InTree(focused) ? focused_ : 0;
  focused_ = 0;
  if (focused) focused->SendMsg(uimsg::kKillFocus, 0, 0);
}

void UIFocusManager::Activate() {
  active_ = true;
  const int serial = saved_;
  saved_ = 0;
  UIControl* c = ControlRegistry::Instance().Find(serial);
  if (!c || c->IsDisabled() || c->IsHidden() || focused_ == serial) return;
  reason_ = kReasonActivate;
  focused_ = serial;
  c->SendMsg(uimsg::kSetFocus, 0, kReasonActivate);
}

UIControl* UIFocusManager::FocusSearch(bool reverse) const {
  std::vector<UIControl*> order;
  PreOrder(root_, &order);
  const int n = static_cast<int>(order.size());
  UIControl* start = ControlRegistry::Instance().Find(focused_);
  int from = -1;
  for (int i = 0; start && i < n; ++i) {
    if (order[i] == start) from = i;
  }
  if (from < 0) start = nullptr;  // nothing valid focused: begin at an end
  const int step = reverse ? -1 : 1;
  // One lap: from the control after the start to the end, then once more
  // from the other end; without a start, the whole tree from one end.
  int i = from < 0 ? (reverse ? n - 1 : 0) : from + step;
  for (int visited = 0; visited < (from < 0 ? n : n - 1); ++visited, i += step) {
    if (i >= n) i = 0;
    if (i < 0) i = n - 1;
    UIControl* c = order[i];
    if (!CanTakeFocus(c) || ArrowGroupSibling(c, start)) continue;
    UIControl* target = c->GetFocusTarget();
    return target ? target : c;
  }
  return nullptr;
}

bool UIFocusManager::MoveInArrowGroup(UIControl* focused, int virtualKey) {
  const bool back = virtualKey == vk::kLeft || virtualKey == vk::kUp;
  const int kind = back ? UIControl::kPrevSibling : UIControl::kNextSibling;
  for (UIControl* c = focused->GetRelative(kind); c; c = c->GetRelative(kind)) {
    if (c->IsArrowGroup() && CanTakeFocus(c)) {
      SetFocus(c->Serial(), kReasonTab);
      return true;
    }
  }
  return false;
}

bool UIFocusManager::HandleKeyDown(int virtualKey, uint32_t modifiers) {
  UIControl* focused = ControlRegistry::Instance().Find(focused_);
  if (virtualKey == vk::kTab) {
    if (focused && (focused->GetDlgCode() & dlgcode::kWantTab)) return false;
    if (modifiers & winmod::kControl) return false;
    UIControl* next = FocusSearch((modifiers & winmod::kShift) != 0);
    if (next) SetFocus(next->Serial(), kReasonTab);
    return true;
  }
  const bool arrow = virtualKey == vk::kLeft || virtualKey == vk::kUp || virtualKey == vk::kRight ||
                     virtualKey == vk::kDown;
  if (arrow && focused && focused->IsArrowGroup()) return MoveInArrowGroup(focused, virtualKey);
  return false;
}

}  // namespace vr
