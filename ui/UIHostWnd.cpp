#include "ui/UIHostWnd.h"

#include <algorithm>
#include <vector>

#include "ui/ControlRegistry.h"
#include "ui/ControlTimerRoute.h"
#include "ui/HostPaint.h"
#include "ui/LayoutBuilder.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIGraphics.h"
#include "ui/UIMessages.h"
#include "ui/WindowMessages.h"

namespace vr {

namespace {

// A document asking for a larger window gets this much (the back buffer of
// 8192 x 8192 pixels is already 256 MB).
constexpr int kMaxSide = 8192;

PointerShape ShapeFor(int cursorId) {
  switch (cursorId) {
    case 32513: return PointerShape::kIBeam;
    case uicursor::kWait: return PointerShape::kWait;
    case uicursor::kCross: return PointerShape::kCross;
    case uicursor::kHand: return PointerShape::kHand;
    case 32642: return PointerShape::kSizeNWSE;
    case 32643: return PointerShape::kSizeNESW;
    case 32644: return PointerShape::kSizeWE;
    case 32645: return PointerShape::kSizeNS;
    case 32646: return PointerShape::kSizeAll;
    case 32648: return PointerShape::kNo;
    default: return PointerShape::kArrow;
  }
}

void SendNullPreOrder(UIControl* control) {
  control->SendMsg(uimsg::kNull, 0, 0);
  const std::vector<UIControl*> children = control->Children();
  for (UIControl* child : children) SendNullPreOrder(child);
}

uint32_t UpMessageFor(uint32_t msg) {
  switch (msg) {
    case uimsg::kLButtonDown:
    case uimsg::kLButtonDblClk: return uimsg::kLButtonUp;
    case uimsg::kRButtonDown:
    case uimsg::kRButtonDblClk: return uimsg::kRButtonUp;
    case uimsg::kMButtonDown:
    case wndmsg::kMButtonDblClk: return uimsg::kMButtonUp;
    default: return 0;
  }
}

bool IsButtonUp(uint32_t msg) {
  return msg == uimsg::kLButtonUp || msg == uimsg::kRButtonUp || msg == uimsg::kMButtonUp;
}

}  // namespace

UIHostWnd::UIHostWnd(WindowSystem& system, std::string documentPath)
    : UIWindowImp(system), documentPath_(std::move(documentPath)) {}

UIHostWnd::~UIHostWnd() {
  // The tree goes while this object is still whole: children's destroy
  // handlers may still ask the host for focus or capture.
  KillAllHostTimers();
  RemoveAllChildren();
  DestroyNativeWindow();
}

// --- Life cycle -------------------------------------------------------------------

bool UIHostWnd::CreateNative(const WindowParams& params) {
  layered_ = params.perPixelAlpha;
  if (!CreateNativeWindow(params)) return false;
  SendNullPreOrder(this);
  Invalidate(nullptr);
  return true;
}

void UIHostWnd::ShowHost(bool activate) {
  if (Native()) Native()->Show(activate);
}

int UIHostWnd::DoModal(UIWindowImp* parent) {
  if (!Native()) return modalResult_;
  UIRefHold<UIControl> hold(this);
  std::weak_ptr<int> parentAlive = parent ? parent->AliveToken() : std::weak_ptr<int>();
  if (parent) parent->EnableInput(false);
  modalRunning_ = true;
  if (!Native()->IsVisible()) ShowHost(true);
  System().Loop().RunWhile(modalRunning_);
  modalRunning_ = false;
  if (parent && !parentAlive.expired()) {
    parent->EnableInput(true);
    if (parent->Native() && parent->Native()->IsVisible()) parent->Native()->TakeKeyboardFocus();
  }
  if (Native()) {
    Native()->Hide();
    DestroyNativeWindow();
  }
  return modalResult_;
}

void UIHostWnd::EndModal(int result) {
  modalResult_ = result;
  modalRunning_ = false;
}

void UIHostWnd::CloseHost() {
  if (Native()) Native()->Hide();
  modalRunning_ = false;
  DestroyNativeWindow();
}

int UIHostWnd::OnNotify(const UIEvent& event) {
  if (event.id == "btnclose" || event.id == "btncancel") {
    EndModal(0);
  } else if (event.id == "btnok") {
    EndModal(1);
  }
  // "btnmini" would minimise; the native window layer has no iconic state.
  return 1;
}

void UIHostWnd::OnTimer(int) {}

// --- Window commands ------------------------------------------------------------------

void UIHostWnd::Maximize() {
  if (!Native() || maximized_) return;
  restoreBounds_ = Native()->Bounds();
  maximized_ = true;
  Native()->SetBounds(WorkAreaFor(restoreBounds_));
}

void UIHostWnd::Restore() {
  if (!Native() || !maximized_) return;
  maximized_ = false;
  Native()->SetBounds(restoreBounds_);
}

void UIHostWnd::BeginCaptionMove(int x, int y) {
  const UIPoint screen = ClientToScreen(UIPoint{x, y});
  BeginCaptionDrag(WinPoint{screen.x, screen.y});
}

void UIHostWnd::SendLeftButtonUp(int x, int y) {
  if (Native()) SendWindowMessage(uimsg::kLButtonUp, 0, MakeLParam(x, y));
}
void UIHostWnd::OnCreated() {}

// --- Host interface ----------------------------------------------------------------

UIRect UIHostWnd::ClientArea() const {
  if (!Native()) return UIRect{};
  const WinRect b = Native()->Bounds();
  return UIRect{0, 0, b.Width(), b.Height()};
}

UIRect UIHostWnd::HostClientRect() const { return ClientArea(); }

UIPoint UIHostWnd::ClientToScreen(UIPoint p) const {
  if (!Native()) return p;
  const WinRect b = Native()->Bounds();
  return UIPoint{p.x + b.left, p.y + b.top};
}

UIPoint UIHostWnd::PointerInClient() const {
  const WinPoint screen = System().PointerPosition();
  const WinRect b = Native() ? Native()->Bounds() : WinRect{};
  return UIPoint{screen.x - b.left, screen.y - b.top};
}

void UIHostWnd::PostPointerMove() {
  const UIPoint p = PointerInClient();
  PostWindowMessage(uimsg::kMouseMove, LastModifiers() & winmod::kMouseMask, MakeLParam(p.x, p.y));
}

void UIHostWnd::SetSystemCursor(int cursorId) {
  if (!Native() || cursorId == cursor_) return;
  cursor_ = cursorId;
  Native()->SetCursor(ShapeFor(cursorId));
}

void UIHostWnd::SetHostTimer(uint32_t id, uint32_t milliseconds) {
  if (!Native()) return;
  KillHostTimer(id);  // setting an existing timer restarts it
  timers_[id] = System().Loop().AddTimer(std::chrono::milliseconds(milliseconds), [this, id] {
    UIRefHold<UIControl> hold(this);
    SendWindowMessage(uimsg::kTimer, id, 0);
  });
}

void UIHostWnd::KillHostTimer(uint32_t id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  System().Loop().KillTimer(it->second);
  timers_.erase(it);
}

void UIHostWnd::KillAllHostTimers() {
  for (const auto& [id, loopId] : timers_) System().Loop().KillTimer(loopId);
  timers_.clear();
}

// --- Painting --------------------------------------------------------------------------

void UIHostWnd::Invalidate(const UIRect* rect) {
  if (!Native()) return;
  const UIRect whole = ClientArea();
  invalid_ = UIRect::Union(invalid_, UIRect::Intersect(rect ? *rect : whole, whole));
  if (invalid_.IsEmpty() || paintPending_) return;
  paintPending_ = true;
  PostWindowMessage(uimsg::kPaint);
}

void UIHostWnd::PaintWindow(UIGraphics& g) { PaintWholeTree(this, g); }

void UIHostWnd::OnPaintMessage(const WinRect* exposed) {
  if (!exposed) paintPending_ = false;
  NativeWindow* native = Native();
  if (!native) return;
  UIRect area = invalid_;
  invalid_ = UIRect{};
  if (exposed) area = UIRect::Union(area, UIRect{exposed->left, exposed->top, exposed->right, exposed->bottom});
  cairo_surface_t* back = native->BackBuffer();
  if (!back) return;
  const int w = cairo_image_surface_get_width(back);
  const int h = cairo_image_surface_get_height(back);
  if (back != lastBuffer_ || w != lastWidth_ || h != lastHeight_) {
    lastBuffer_ = back;
    lastWidth_ = w;
    lastHeight_ = h;
    area = UIRect{0, 0, w, h};
  }
  area = UIRect::Intersect(area, UIRect{0, 0, w, h});
  if (area.IsEmpty()) return;
  {
    UIGraphics g(back);
    BeginHostPaint(g, area);
    PaintWindow(g);
  }
  cairo_surface_flush(back);
  native->Present(WinRect{area.left, area.top, area.right, area.bottom});
  ++paintCount_;
  ReportTextInputRect();
}

// A moving caret always repaints, so after each paint the native window
// learns where the focused edit's caret is (the input method's spot).
void UIHostWnd::ReportTextInputRect() {
  NativeWindow* native = Native();
  if (!native) return;
  WinRect caret;
  auto* edit = dynamic_cast<UIEditCtrl*>(ControlRegistry::Instance().Find(GetFocusId()));
  if (edit && edit->HasFocus()) {
    UIRect origin;
    edit->WindowRect(&origin);
    const UIRect r = edit->CaretRect();
    caret = WinRect{origin.left + r.left, origin.top + r.top, origin.left + r.right, origin.top + r.bottom};
  }
  native->SetTextInputRect(caret);
}

// --- Messages ----------------------------------------------------------------------------

bool UIHostWnd::HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  *result = 0;
  switch (msg) {
    case uimsg::kCreate:
      OnCreateMessage();
      return true;
    case uimsg::kDestroy:
      OnDestroyMessage();
      return true;
    case uimsg::kSize:
      OnSizeMessage(lparam);
      return true;
    case uimsg::kActivate:
      OnActivateMessage(wparam != wndmsg::kInactive);
      return true;
    case uimsg::kSetFocus:
    case uimsg::kKillFocus:
    case uimsg::kActivateApp:
      RouteMessage(msg, wparam, lparam);
      return true;
    case uimsg::kPaint:
      OnPaintMessage(reinterpret_cast<const WinRect*>(lparam));
      return true;
    case wndmsg::kEraseBkgnd:
      *result = 1;
      return true;
    case uimsg::kShowWindow:
      if (wparam) Invalidate(nullptr);
      return false;
    case uimsg::kSetCursor:
      if (wparam != wndmsg::kSetCursorClient) return false;
      *result = RouteMessage(uimsg::kSetCursor, 0, lparam);
      return *result != 0;
    case wndmsg::kNcHitTest:
      *result = OnNcHitTest(lparam);
      return true;
    case uimsg::kTimer:
      OnTimerMessage(static_cast<uint32_t>(wparam));
      return true;
    case uimsg::kCaptureChanged:
      if (UIControl* c = ControlRegistry::Instance().Find(GetCaptureId())) {
        ReleaseCaptureId();
        c->SendMsg(uimsg::kCaptureChanged, 0, 0);
      }
      return true;
    case wndmsg::kClose:
      CloseHost();
      return true;
    default:
      break;
  }
  if ((msg >= uimsg::kKeyDown && msg <= 265) ||
      (msg >= wndmsg::kImeStartComposition && msg <= wndmsg::kImeComposition) || msg == wndmsg::kImeChar) {
    return OnKeyMessage(msg, wparam, lparam);
  }
  if ((msg >= uimsg::kMouseMove && msg <= uimsg::kMouseHWheel) || msg == uimsg::kMouseHover ||
      msg == uimsg::kMouseLeave) {
    return OnMouseMessage(msg, wparam, lparam);
  }
  return false;
}

void UIHostWnd::OnCreateMessage() {
  SetHost(this);
  const WinRect bounds = Native()->Bounds();
  int w = bounds.Width(), h = bounds.Height();
  if (!documentPath_.empty()) {
    if (UIControl* built = BuildFromDocument(UIBuilder{this}, this, documentPath_)) {
      if (built->Width() > 0 && built->Height() > 0) {
        w = std::min(built->Width(), kMaxSide);
        h = std::min(built->Height(), kMaxSide);
        Native()->SetBounds(WinRect::FromXYWH(bounds.left, bounds.top, w, h));
      }
    }
  }
  SetPos(0, 0, w, h);
  OnCreated();
  if (UIControl* first = GetRelative(kFirstChild)) first->SetPos(0, 0, w, h);
}

void UIHostWnd::OnDestroyMessage() {
  KillAllHostTimers();
  // During the object's own destruction no reference may be taken any more.
  if (RefCount() > 0) {
    SendMsg(uimsg::kDestroy, 0, 0);
  } else {
    RemoveAllChildren();
  }
  lastBuffer_ = nullptr;
  paintPending_ = false;  // a paint posted for this window is dropped with it
  invalid_ = UIRect{};
}

void UIHostWnd::OnSizeMessage(intptr_t lparam) {
  const int w = LParamLow(lparam), h = LParamHigh(lparam);
  if (w <= 0 || h <= 0) return;
  if (sizing_) {
    SetPos(0, 0, w, h);
    if (UIControl* first = GetRelative(kFirstChild)) first->SetPos(0, 0, w, h);
  }
  Invalidate(nullptr);
}

void UIHostWnd::OnActivateMessage(bool active) {
  if (active) {
    if (!Native()->HasKeyboardFocus()) Native()->TakeKeyboardFocus();
    return;
  }
  // A button still held when another window takes over would never see its
  // release: deliver it now, so no control stays pressed.
  const HeldButton held = held_;
  held_ = HeldButton{};
  if (held.upMsg) SendWindowMessage(held.upMsg, held.wparam, held.lparam);
}

intptr_t UIHostWnd::OnNcHitTest(intptr_t lparam) {
  if (!captionDrag_ || !Native()) return wndmsg::kHitClient;
  const WinRect b = Native()->Bounds();
  const int x = LParamLow(lparam) - b.left, y = LParamHigh(lparam) - b.top;
  return HitTest(x, y) == this ? wndmsg::kHitCaption : wndmsg::kHitClient;
}

void UIHostWnd::OnTimerMessage(uint32_t id) {
  DeliverControlTimer(id, this, *this, [this](int index) { OnTimer(index); });
}

bool UIHostWnd::OnKeyMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == uimsg::kSysKeyDown || msg == uimsg::kSysKeyUp) {
    UIControl* focused = ControlRegistry::Instance().Find(GetFocusId());
    if (!focused || !(focused->GetDlgCode() & dlgcode::kWantSysKeys)) return false;
  }
  bool handled = false;
  RouteMessage(msg, wparam, lparam, &handled);
  return handled;
}

bool UIHostWnd::OnMouseMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  if (msg == uimsg::kMouseMove) {
    trackingArmed_ = true;  // the platform reports every leave; nothing to request
  } else if (msg == uimsg::kMouseLeave) {
    trackingArmed_ = false;
  } else if (const uint32_t up = UpMessageFor(msg)) {
    held_ = HeldButton{up, wparam, lparam};
  } else if (IsButtonUp(msg)) {
    held_ = HeldButton{};
  }
  if (msg == uimsg::kMouseWheel || msg == uimsg::kMouseHWheel) {
    const WinRect b = Native()->Bounds();
    lparam = MakeLParam(LParamLow(lparam) - b.left, LParamHigh(lparam) - b.top);
  }
  bool handled = false;
  RouteMessage(msg, wparam, lparam, &handled);
  MouseMovedHook();
  return true;
}

}  // namespace vr
