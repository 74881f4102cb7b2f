#include "ui/UIControl.h"

#include <algorithm>

#include "ui/ControlRegistry.h"
#include "ui/CssTable.h"
#include "ui/HighlightMarkup.h"
#include "ui/IUIContainer.h"
#include "ui/StyleParser.h"
#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UILayout.h"
#include "ui/UIRender.h"

namespace vr {

namespace {
// A css entry may name another css entry; deeper nesting than this is a loop.
constexpr uint8_t kMaxCssDepth = 8;
}  // namespace

UIControl::UIControl() { serial_ = ControlRegistry::Instance().Register(this); }

UIControl::~UIControl() {
  // A tree released without the destroy message still frees its children.
  RemoveAllChildren();
  ControlRegistry::Instance().Unregister(serial_);
  if (layout_) layout_->Release();
  if (back_) back_->Release();
}

// --- Messages ----------------------------------------------------------------

bool UIControl::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kCreate:
      handled_ = true;
      *result = OnCreate(lparam);
      break;
    case uimsg::kDestroy:
      handled_ = true;
      RemoveAllChildren();
      break;
    case uimsg::kSize:
      handled_ = true;
      Relayout();
      break;
    case uimsg::kSetFocus:
    case uimsg::kKillFocus:
      handled_ = true;
      Invalidate(nullptr);
      break;
    case uimsg::kEnable:
      handled_ = true;
      HandleEnable(wparam != 0, lparam == 1);
      break;
    case uimsg::kSetText: {
      handled_ = true;
      const char* text = reinterpret_cast<const char*>(lparam);
      text_ = text ? text : "";
      Invalidate(nullptr);
      *result = CountCodePoints(text_);
      break;
    }
    case uimsg::kShowWindow:
      handled_ = true;
      HandleShow(wparam != 0, lparam == 1);
      break;
    case uimsg::kMouseMove:
    case uimsg::kRButtonDown:
      handled_ = true;
      break;
    case uimsg::kRButtonUp:
      handled_ = true;
      OnRButtonUp(LParamLow(lparam), LParamHigh(lparam));
      break;
    case uimsg::kMouseWheel:
      handled_ = true;
      *result = parent_ ? parent_->SendMsg(msg, wparam, lparam) : 0;
      break;
    case uimsg::kMouseHover:
      handled_ = true;
      HandleHover(true);
      break;
    case uimsg::kMouseLeave:
      handled_ = true;
      HandleHover(false);
      break;
    default:
      break;
  }
  if (handled_) return true;
  return DefHandleMessage(msg, wparam, lparam, result);
}

intptr_t UIControl::OnCreate(intptr_t) { return 0; }

bool UIControl::DefHandleMessage(uint32_t msg, uintptr_t, intptr_t, intptr_t*) {
  if (msg == uimsg::kSize) Relayout();
  return false;
}

void UIControl::DispatchMsg(UIMsg* m) {
  intptr_t result = 0;
  if (HandleMessage(m->msg, m->wparam, m->lparam, &result)) handled_ = true;
  m->result = result;
}

intptr_t UIControl::SendMsg(uint32_t msg, uintptr_t wparam, intptr_t lparam, bool* handled) {
  UIMsg m;
  m.hwnd = host_ ? host_->GetHWND() : 0;
  m.msg = msg;
  m.wparam = wparam;
  m.lparam = lparam;
  m.x = LParamLow(lparam);
  m.y = LParamHigh(lparam);
  UIRefHold<UIControl> hold(this);  // the handler may remove this control
  UIMsg* previous = currentMsg_;
  currentMsg_ = &m;
  handled_ = false;
  DispatchMsg(&m);
  if (handled) *handled = handled_;
  currentMsg_ = previous;
  handled_ = false;
  return m.result;
}

// --- Hooks with trivial base behaviour ---------------------------------------

void UIControl::OnStateChanged(uint32_t, uint32_t) {}
bool UIControl::NeedsHoverRedraw() const { return true; }
void UIControl::OnRButtonUp(int, int) {}
bool UIControl::IsTrack() const { return (flagsB_ & kFlagTrack) != 0; }
const char* UIControl::ClassName() const { return "UIControl"; }
bool UIControl::OnChildEvent(const UIEvent&) { return false; }
void UIControl::NativeSync() {}
void UIControl::OnPosChanged() {}
void UIControl::GetTips(std::string* tips) const { *tips = tips_; }
int UIControl::GetDlgCode() const { return 0; }
bool UIControl::IsArrowGroup() const { return false; }
bool UIControl::IsFocusable() const { return (flagsB_ & kFlagFocusable) != 0; }
UIControl* UIControl::GetFocusTarget() { return nullptr; }
void UIControl::GetPadding(UIRect* padding) const { *padding = padding_; }

bool UIControl::OnSetCursor(int, int) {
  if (host_) host_->SetSystemCursor(cursor_);
  handled_ = true;
  return true;
}

// --- Painting -----------------------------------------------------------------

void UIControl::Paint(UIGraphics& g) {
  if (back_) back_->Draw(this, g);
}

void UIControl::ClipRegion(UIGraphics& g) {
  if (rgnRadius_ > 0) g.ClipRoundRect(Width(), Height(), rgnRadius_);
}

// --- Geometry and layout -------------------------------------------------------

void UIControl::ClientRect(UIRect* rect) const {
  *rect = UIRect{padding_.left, padding_.top, Width() - padding_.right, Height() - padding_.bottom};
}

void UIControl::GetDesiredSize(UISize* size) {
  if (flagsB_ & kFlagAdj) {
    *size = UISize{};
    return;
  }
  *size = UISize{Width(), Height()};
  if (!parent_) return;
  UIRect client;
  parent_->ClientRect(&client);
  if (flagsA_ & kFlagPosParent) {
    *size = UISize{client.Width(), client.Height()};
    return;
  }
  if (flagsB_ & kFlagHeightParent) size->cy = client.Height();
  if (flagsB_ & kFlagWidthParent) size->cx = client.Width();
}

void UIControl::Relayout() {
  if (layout_) {
    layout_->Arrange(this);
  } else {
    UIRect client;
    ClientRect(&client);
    const bool all = (flagsB_ & kFlagContainer) != 0;
    std::vector<UIControl*> children(children_);
    for (UIControl* child : children) child->AddRef();
    for (UIControl* child : children) {
      if (all || (child->flagsA_ & kFlagPosParent)) {
        child->SetPos(client.left, client.top, client.Width(), client.Height());
      }
    }
    for (UIControl* child : children) child->Release();
  }
  Invalidate(nullptr);
}

void UIControl::SetPos(int x, int y, int w, int h) {
  const UIRect next = UIRect::FromXYWH(x, y, w, h);
  if (next == rc_) {
    Relayout();
    Invalidate(nullptr);
    return;
  }
  Invalidate(nullptr);
  rc_ = next;
  SendMsg(uimsg::kSize, 0, MakeLParam(w, h));
  Invalidate(nullptr);
}

void UIControl::SetPosDirect(int x, int y, int w, int h) {
  const UIRect next = UIRect::FromXYWH(x, y, w, h);
  if (next == rc_) return;
  Invalidate(nullptr);
  const bool sizeChanged = next.Width() != rc_.Width() || next.Height() != rc_.Height();
  rc_ = next;
  if (sizeChanged || (flagsB_ & kFlagNeedsLayout)) {
    flagsB_ &= static_cast<uint8_t>(~kFlagNeedsLayout);
    Relayout();
  }
  OnPosChanged();
  Invalidate(nullptr);
}

void UIControl::WindowRect(UIRect* rect) const {
  UIRect r = rc_;
  for (const UIControl* p = parent_; p; p = p->parent_) r = r.Offset(p->rc_.left, p->rc_.top);
  *rect = r;
}

void UIControl::ScreenOrigin(UIPoint* point) const {
  UIRect r;
  WindowRect(&r);
  *point = host_ ? host_->ClientToScreen(UIPoint{r.left, r.top}) : UIPoint{r.left, r.top};
}

bool UIControl::PtInControl(UIPoint p) const {
  UIRect r;
  WindowRect(&r);
  return r.Contains(p.x, p.y);
}

UIControl* UIControl::HitTest(int x, int y) {
  if (!IsVisibleSelf() || !IsEnabledSelf() || !rc_.Contains(x, y)) return nullptr;
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    if (UIControl* hit = (*it)->HitTest(x - rc_.left, y - rc_.top)) return hit;
  }
  return (flagsA_ & kFlagHit) ? this : nullptr;
}

void UIControl::Invalidate(const UIRect* rect) {
  if (!IsVisibleSelf() || !parent_) return;
  // Painting clips every control to its rectangle, so an area outside it can
  // never change on screen; clipping here lets empty areas stop early.
  const UIRect own{0, 0, Width(), Height()};
  const UIRect r = rect ? UIRect::Intersect(*rect, own) : own;
  if (r.IsEmpty()) return;
  const UIRect moved = r.Offset(rc_.left, rc_.top);
  parent_->Invalidate(&moved);
}

// --- Tree ----------------------------------------------------------------------

void UIControl::AddChild(UIControl* child) {
  if (!child) return;
  child->parent_ = this;
  children_.push_back(child);
  if (host_) child->SetHost(host_);
}

void UIControl::SetHost(IUIContainer* host) {
  if (host_ == host) return;
  host_ = host;
  for (UIControl* child : children_) child->SetHost(host);
}

void UIControl::RemoveAllChildren() {
  // Taking the vector first means a child that calls RemoveSelf from its
  // destroy handler finds nothing to remove and its flag stops a second release.
  std::vector<UIControl*> doomed;
  doomed.swap(children_);
  for (UIControl* child : doomed) {
    child->flagsA_ |= kFlagTearingDown;
    child->SendMsg(uimsg::kDestroy, 0, 0);
    child->parent_ = nullptr;
    child->Release();
  }
}

void UIControl::RemoveSelf() {
  if (flagsA_ & kFlagTearingDown) return;
  flagsA_ |= kFlagTearingDown;
  RemoveAllChildren();
  if (parent_) {
    Invalidate(nullptr);
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
  }
  host_ = nullptr;
  Release();
}

void UIControl::SendToBack() {
  if (!parent_) return;
  auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it == siblings.end() || it == siblings.begin()) return;
  siblings.erase(it);
  siblings.insert(siblings.begin(), this);
  parent_->Invalidate(nullptr);
}

UIControl* UIControl::GetRelative(int kind) const {
  switch (kind) {
    case kFirstChild:
      return children_.empty() ? nullptr : children_.front();
    case kLastChild:
      return children_.empty() ? nullptr : children_.back();
    case kPrevSibling:
    case kNextSibling: {
      const int index = IndexInParent();
      if (index < 0) return nullptr;
      const int other = index + (kind == kPrevSibling ? -1 : 1);
      const auto& siblings = parent_->children_;
      if (other < 0 || other >= static_cast<int>(siblings.size())) return nullptr;
      return siblings[other];
    }
    case kParent:
      return parent_;
    default:
      return nullptr;
  }
}

int UIControl::IndexInParent() const {
  if (!parent_) return -1;
  const auto& siblings = parent_->children_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

UIControl* UIControl::FindById(const std::string& id) {
  if (id_ == id) return this;
  for (UIControl* child : children_) {
    if (UIControl* found = child->FindById(id)) return found;
  }
  return nullptr;
}

// --- State -----------------------------------------------------------------------

void UIControl::SetFlagA(uint8_t bit, bool on) {
  flagsA_ = on ? static_cast<uint8_t>(flagsA_ | bit) : static_cast<uint8_t>(flagsA_ & ~bit);
}

void UIControl::SetFlagB(uint8_t bit, bool on) {
  flagsB_ = on ? static_cast<uint8_t>(flagsB_ | bit) : static_cast<uint8_t>(flagsB_ & ~bit);
}

void UIControl::SetStateBits(uint32_t newState) {
  const uint32_t old = state_;
  if (old == newState) return;
  state_ = newState;
  OnStateChanged(old, newState);
}

void UIControl::HandleShow(bool show, bool fromAncestor) {
  bool hidden;
  if (!fromAncestor) {
    SetFlagA(kFlagVisible, show);
    hidden = !show || (parent_ && parent_->IsHidden());
  } else {
    hidden = !show || !IsVisibleSelf();
  }
  SetStateBits(hidden ? (state_ | kStateHidden) : (state_ & ~kStateHidden));
  std::vector<UIControl*> children(children_);
  for (UIControl* child : children) child->AddRef();
  for (UIControl* child : children) {
    child->SendMsg(uimsg::kShowWindow, hidden ? 0 : 1, 1);
    child->Release();
  }
  if (hidden && host_) {
    if (host_->GetFocusId() == serial_) host_->SetFocusId(0);
    if (host_->GetCaptureId() == serial_) host_->ReleaseCaptureId();
  }
  Invalidate(nullptr);
}

void UIControl::HandleEnable(bool enable, bool fromAncestor) {
  if (!fromAncestor) SetFlagA(kFlagEnable, enable);
  const bool enabled =
      enable && (!fromAncestor || IsEnabledSelf()) && !(parent_ && parent_->IsDisabled());
  if (enabled) {
    SetStateBits(state_ & ~kStateDisabled);
  } else {
    SetStateBits((state_ | kStateDisabled) & ~kStateHover);
  }
}

void UIControl::HandleHover(bool entering) {
  uint32_t next = state_;
  if (host_ && host_->GetCaptureId() == serial_) {
    next = entering ? (next | kStatePressed) : (next & ~kStatePressed);
  }
  next = entering ? (next | kStateHover) : (next & ~kStateHover);
  if (next == state_) return;
  SetStateBits(next);
  if (NeedsHoverRedraw()) Invalidate(nullptr);
}

void UIControl::SetVisible(bool show, bool notify) {
  if (IsVisibleSelf() == show) return;
  if (!show) Invalidate(nullptr);
  SetFlagA(kFlagVisible, show);
  if (notify) {
    SendMsg(uimsg::kShowWindow, show ? 1 : 0, 0);
  } else {
    Invalidate(nullptr);
  }
}

void UIControl::SetText(const std::string& text) {
  if (text == text_) return;
  SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>(text.c_str()));
}

void UIControl::SetHighlightText(const std::string& text, const std::string& fontSpec,
                                 const std::string& colour) {
  SetText(BuildHighlightMarkup(text, fontSpec, colour));
}

void UIControl::RequestFocus() {
  if (state_ & (kStateHidden | kStateDisabled)) return;
  if (!IsFocusable() || !host_ || !host_->GetHWND()) return;
  host_->SetFocusId(serial_);
}

void UIControl::SetBack(UIRender* render) {
  if (back_) back_->Release();
  back_ = render;
}

void UIControl::SetLayout(UILayout* layout) {
  if (layout_) layout_->Release();
  layout_ = layout;
}

// --- Events and timers ---------------------------------------------------------------

void UIControl::AddListener(void* object, EventCallback callback) {
  if (callback) listeners_.emplace_back(object, callback);
}

int UIControl::FireEvent(const std::string& name, int value1, int value2) {
  UIEvent event{this, name, id_, value1, value2};
  UIRefHold<UIControl> hold(this);
  // Index loop: a listener may add listeners while we walk.
  for (size_t i = 0; i < listeners_.size(); ++i) {
    auto [object, callback] = listeners_[i];
    callback(object, event);
  }
  for (UIControl* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (!ancestor->receivesChildEvents_) continue;
    UIRefHold<UIControl> holdAncestor(ancestor);
    if (ancestor->OnChildEvent(event)) return 0;
  }
  if (host_ && host_->GetHWND()) return host_->RaiseEvent(this, name, value1, value2);
  return 0;
}

uint32_t UIControl::ControlTimerId(int index, int serial) {
  return ((static_cast<uint32_t>(index) | 0x80u) << 24) | (static_cast<uint32_t>(serial) & 0xFFFFFFu);
}

void UIControl::SetControlTimer(int index, uint32_t milliseconds) {
  if (index < 0 || index > 127 || !host_ || !host_->GetHWND()) return;
  host_->SetHostTimer(ControlTimerId(index, serial_), milliseconds);
}

void UIControl::KillControlTimer(int index) {
  if (index < 0 || index > 127 || !host_ || !host_->GetHWND()) return;
  host_->KillHostTimer(ControlTimerId(index, serial_));
}

// --- Attributes ---------------------------------------------------------------------

std::string UIControl::GetAttribute(const std::string& name) const {
  auto it = attributes_.find(name);
  return it == attributes_.end() ? std::string() : it->second;
}

void UIControl::ApplyCss(const std::string& cssName) {
  const auto* entry = CssTable::Instance().Find(cssName);
  if (!entry || cssDepth_ >= kMaxCssDepth) return;
  ++cssDepth_;
  for (const auto& [key, value] : *entry) SetAttribute(key, value);
  --cssDepth_;
}

void UIControl::ApplyParentExtent(bool width) {
  if (!parent_) return;
  if (width) {
    rc_.right = UIRect::FromXYWH(rc_.left, 0, parent_->Width(), 0).right;
  } else {
    rc_.bottom = UIRect::FromXYWH(0, rc_.top, 0, parent_->Height()).bottom;
  }
}

bool UIControl::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "css") {
    ApplyCss(value);
  } else if (name == "tips") {
    tips_ = value;
  } else if (name == "track") {
    SetFlagB(kFlagTrack, ParseAttrBool(value));
  } else if (name == "height" || name == "width") {
    const bool width = name == "width";
    if (value == "parent") {
      SetFlagB(width ? kFlagWidthParent : kFlagHeightParent, true);
      ApplyParentExtent(width);
    } else if (width) {
      rc_.right = UIRect::FromXYWH(rc_.left, 0, ParseAttrInt(value), 0).right;
    } else {
      rc_.bottom = UIRect::FromXYWH(0, rc_.top, 0, ParseAttrInt(value)).bottom;
    }
    Relayout();
  } else if (name == "adj") {
    SetFlagB(kFlagAdj, ParseAttrBool(value));
  } else if (name == "container") {
    SetFlagB(kFlagContainer, ParseAttrBool(value));
  } else if (name == "float") {
    SetFlagA(kFlagFloat, ParseAttrBool(value));
  } else if (name == "pos") {
    if (value == "parent") {
      SetFlagA(kFlagPosParent, true);
      if (parent_) SetPosDirect(0, 0, parent_->Width(), parent_->Height());
    } else {
      UIRect r;
      ParseXYWH(value, &r);
      SetPosDirect(r.left, r.top, r.Width(), r.Height());
    }
  } else if (name == "cursor") {
    cursor_ = value == "hand"    ? uicursor::kHand
              : value == "cross" ? uicursor::kCross
              : value == "wait"  ? uicursor::kWait
                                 : uicursor::kArrow;
  } else if (name == "select") {
    SetFlagA(kFlagSelect, ParseAttrBool(value));
  } else if (name == "visible") {
    SetFlagA(kFlagVisible, ParseAttrBool(value));
  } else if (name == "enable") {
    SetFlagA(kFlagEnable, ParseAttrBool(value));
  } else if (name == "hit") {
    SetFlagA(kFlagHit, ParseAttrBool(value));
  } else if (name == "layout") {
    SetLayout(UILayout::Create(value));
  } else if (name == "back") {
    SetBack(ParseStyleDescriptor(value));
    Invalidate(nullptr);
  } else if (name == "txt") {
    SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>(value.c_str()));
  } else if (name == "id") {
    id_ = value;
  } else if (name == "rgn") {
    rgnRadius_ = ParseAttrInt(value);
  } else if (name == "padding") {
    padding_ = ParseInsets(value);
  }
  attributes_[name] = value;
  return true;
}

}  // namespace vr
