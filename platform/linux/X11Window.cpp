#include "platform/linux/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/linux/X11WindowSystem.h"

namespace vr {
namespace {

// _NET_WM_STATE client message actions and _NET_WM_MOVERESIZE's "move".
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kMoveResizeMove = 8;
constexpr long kSourceApplication = 1;

// The Motif hints record: flags, functions, decorations, input mode, status.
// Flag 2 says "decorations are given"; decorations 0 means none.
constexpr long kMotifDecorationsFlag = 2;

}  // namespace

X11Window::X11Window(X11WindowSystem& system, Window xid, Visual* visual, int depth, bool alpha,
                     const WindowParams& params, WindowHandler& handler)
    : system_(system),
      display_(system.GetDisplay()),
      handler_(handler),
      xid_(xid),
      alpha_(alpha),
      bounds_(params.bounds),
      reported_(params.bounds),
      layer_(params.layer),
      params_(params),
      acceptsFocus_(params.acceptsFocus),
      buffer_(system.GetDisplay(), visual, depth, system.ShmUsable()) {
  params_.title = nullptr;  // not kept: it points into the caller's memory
  const X11Atoms& a = system.Atoms();
  // A GC made on the window itself: a 32-bit window cannot use the root's.
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, xid_, GCGraphicsExposures, &values);

  XClassHint hint{const_cast<char*>("veskorili"), const_cast<char*>("VeskoRiLi")};
  XSetClassHint(display_, xid_, &hint);
  Atom protocols[] = {a.wmDeleteWindow, a.netWmPing};
  XSetWMProtocols(display_, xid_, protocols, 2);
  long pid = getpid();
  XChangeProperty(display_, xid_, a.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&pid), 1);
  long motif[5] = {kMotifDecorationsFlag, 0, 0, 0, 0};
  XChangeProperty(display_, xid_, a.motifWmHints, a.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(motif), 5);
  Atom type = a.netWmWindowTypeNormal;
  switch (params.kind) {
    case WindowKind::kNormal: type = a.netWmWindowTypeNormal; break;
    case WindowKind::kDialog: type = a.netWmWindowTypeDialog; break;
    case WindowKind::kUtility: type = a.netWmWindowTypeUtility; break;
    case WindowKind::kPopupMenu: type = a.netWmWindowTypePopupMenu; break;
    case WindowKind::kTooltip: type = a.netWmWindowTypeTooltip; break;
    case WindowKind::kSplash: type = a.netWmWindowTypeSplash; break;
  }
  XChangeProperty(display_, xid_, a.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  if (params.owner) XSetTransientForHint(display_, xid_, static_cast<Window>(params.owner));

  XWMHints wmHints{};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = params.acceptsFocus ? True : False;
  wmHints.initial_state = NormalState;
  XSetWMHints(display_, xid_, &wmHints);
  // Our own position counts: without USPosition window managers place it.
  XSizeHints size{};
  size.flags = USPosition | PPosition | USSize | PSize;
  size.x = bounds_.left;
  size.y = bounds_.top;
  size.width = bounds_.Width();
  size.height = bounds_.Height();
  XSetWMNormalHints(display_, xid_, &size);
  SetTitle(params.title ? params.title : "");
  WriteInitialState();

  CreateInputContext();
}

// Typed text, including what an input method composes, comes through it.
void X11Window::CreateInputContext() {
  XIM im = system_.InputMethod();
  if (!im) return;
  if (system_.InputStyle() == (XIMPreeditPosition | XIMStatusNothing)) {
    XPoint spot{0, 0};
    XVaNestedList preedit =
        XVaCreateNestedList(0, XNSpotLocation, &spot, XNFontSet, system_.PreeditFontSet(), nullptr);
    ic_ = XCreateIC(im, XNInputStyle, XIMPreeditPosition | XIMStatusNothing, XNClientWindow, xid_, XNFocusWindow,
                    xid_, XNPreeditAttributes, preedit, nullptr);
    XFree(preedit);
    overTheSpot_ = ic_ != nullptr;
  }
  if (!ic_)
    ic_ = XCreateIC(im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, xid_, XNFocusWindow,
                    xid_, nullptr);
}

void X11Window::SetTextInputRect(const WinRect& caret) {
  if (caret == textInputRect_) return;
  textInputRect_ = caret;
  if (!overTheSpot_ || caret.IsEmpty()) return;
  // The spot is where the pre-edit's baseline starts: the caret's foot.
  XPoint spot{static_cast<short>(std::clamp(caret.left, -32768, 32767)),
              static_cast<short>(std::clamp(caret.bottom, -32768, 32767))};
  XVaNestedList preedit = XVaCreateNestedList(0, XNSpotLocation, &spot, nullptr);
  XSetICValues(ic_, XNPreeditAttributes, preedit, nullptr);
  XFree(preedit);
  XFlush(display_);
}

X11Window::~X11Window() {
  if (system_.CaptureWindow() == xid_) XUngrabPointer(display_, CurrentTime);
  system_.Forget(xid_);
  if (ic_) XDestroyIC(ic_);
  if (gc_) XFreeGC(display_, gc_);
  XDestroyWindow(display_, xid_);
  XFlush(display_);
}

void X11Window::WriteInitialState() {
  const X11Atoms& a = system_.Atoms();
  std::vector<Atom> states;
  if (layer_ == WindowLayer::kAbove) states.push_back(a.netWmStateAbove);
  if (layer_ == WindowLayer::kBelow) states.push_back(a.netWmStateBelow);
  if (params_.skipTaskbar) states.push_back(a.netWmStateSkipTaskbar);
  if (params_.skipPager) states.push_back(a.netWmStateSkipPager);
  if (params_.sticky) states.push_back(a.netWmStateSticky);
  XChangeProperty(display_, xid_, a.netWmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(states.data()), static_cast<int>(states.size()));
}

// Before mapping the window manager reads the property; afterwards it only
// listens to requests sent to the root window.
void X11Window::ChangeState(bool add, unsigned long state1, unsigned long state2) {
  if (!mapped_) {
    WriteInitialState();
    return;
  }
  system_.SendRootMessage(xid_, system_.Atoms().netWmState, add ? kStateAdd : kStateRemove,
                          static_cast<long>(state1), static_cast<long>(state2), kSourceApplication);
}

void X11Window::SetBounds(const WinRect& b) {
  if (b == bounds_) return;
  bounds_ = b;
  XMoveResizeWindow(display_, xid_, b.left, b.top, static_cast<unsigned>(std::max(1, b.Width())),
                    static_cast<unsigned>(std::max(1, b.Height())));
  XFlush(display_);
}

void X11Window::Show(bool activate) {
  if (activate && acceptsFocus_) focusOnMap_ = true;
  if (visible_) {
    if (activate) BringToFront();
    return;
  }
  visible_ = true;
  XMapRaised(display_, xid_);
  // Some window managers place a window anew when it maps; ask again.
  XMoveWindow(display_, xid_, bounds_.left, bounds_.top);
  XFlush(display_);
}

void X11Window::Hide() {
  if (!visible_) return;
  visible_ = false;
  focusOnMap_ = false;
  if (system_.CaptureWindow() == xid_) system_.DropCapture(*this);
  XWithdrawWindow(display_, xid_, DefaultScreen(display_));
  XFlush(display_);
}

void X11Window::SetTitle(const std::string& utf8) {
  const X11Atoms& a = system_.Atoms();
  XChangeProperty(display_, xid_, a.netWmName, a.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
  XStoreName(display_, xid_, utf8.c_str());  // for window managers without EWMH
}

void X11Window::SetLayer(WindowLayer layer) {
  if (layer == layer_) return;
  const X11Atoms& a = system_.Atoms();
  WindowLayer old = layer_;
  layer_ = layer;
  if (!mapped_) {
    WriteInitialState();
    return;
  }
  if (old != WindowLayer::kNormal)
    ChangeState(false, old == WindowLayer::kAbove ? a.netWmStateAbove : a.netWmStateBelow, 0);
  if (layer != WindowLayer::kNormal)
    ChangeState(true, layer == WindowLayer::kAbove ? a.netWmStateAbove : a.netWmStateBelow, 0);
  if (layer == WindowLayer::kAbove && !system_.WindowManagerRunning()) XRaiseWindow(display_, xid_);
  XFlush(display_);
}

void X11Window::BringToFront() {
  XRaiseWindow(display_, xid_);
  if (system_.WindowManagerRunning())
    system_.SendRootMessage(xid_, system_.Atoms().netActiveWindow, kSourceApplication, CurrentTime, 0);
  else if (mapped_ && acceptsFocus_)
    XSetInputFocus(display_, xid_, RevertToParent, CurrentTime);
  XFlush(display_);
}

bool X11Window::BeginMoveDrag(WinPoint p, MouseButton button) {
  if (!system_.WmSupports(system_.Atoms().netWmMoveresize)) return false;
  int xButton = button == MouseButton::kRight ? 3 : button == MouseButton::kMiddle ? 2 : 1;
  // The window manager must be able to grab the pointer itself.
  XUngrabPointer(display_, CurrentTime);
  system_.SendRootMessage(xid_, system_.Atoms().netWmMoveresize, p.x, p.y, kMoveResizeMove, xButton,
                          kSourceApplication);
  XFlush(display_);
  return true;
}

void X11Window::SetBlurBehind(bool enable) {
  Atom region = system_.Atoms().kdeBlurBehindRegion;
  // An empty region asks for the whole window.
  if (enable)
    XChangeProperty(display_, xid_, region, XA_CARDINAL, 32, PropModeReplace, nullptr, 0);
  else
    XDeleteProperty(display_, xid_, region);
  XFlush(display_);
}

void X11Window::TakeKeyboardFocus() {
  if (!acceptsFocus_) return;
  if (!mapped_) {
    focusOnMap_ = true;
    return;
  }
  XSetInputFocus(display_, xid_, RevertToParent, CurrentTime);
  XFlush(display_);
}

void X11Window::SetCapture() { system_.TakeCapture(*this); }
void X11Window::ReleaseCapture() { system_.DropCapture(*this); }
bool X11Window::HasCapture() const { return system_.CaptureWindow() == xid_; }

void X11Window::SetCursor(PointerShape shape) {
  XDefineCursor(display_, xid_, system_.CursorFor(shape));
  XFlush(display_);
}

cairo_surface_t* X11Window::BackBuffer() { return buffer_.Surface(bounds_.Width(), bounds_.Height()); }

void X11Window::Present(const WinRect& rect) { buffer_.Push(xid_, gc_, rect); }

bool X11Window::NoteGeometry(const WinRect& actual, WinRect* reportedBefore) {
  bounds_ = actual;
  if (actual == reported_) return false;
  *reportedBefore = reported_;
  reported_ = actual;
  return true;
}

void X11Window::NoteMapped(bool mapped) {
  mapped_ = mapped;
  if (mapped && focusOnMap_) {
    focusOnMap_ = false;
    XSetInputFocus(display_, xid_, RevertToParent, CurrentTime);
  }
  if (!mapped) focused_ = false;
}

bool X11Window::NoteFocus(bool focused) {
  if (focused == focused_) return false;
  focused_ = focused;
  if (ic_) {
    if (focused)
      XSetICFocus(ic_);
    else
      XUnsetICFocus(ic_);
  }
  return true;
}

bool X11Window::NoteExpose(const WinRect& rect, bool last, WinRect* all) {
  exposed_ = WinRect::Union(exposed_, rect);
  if (!last) return false;
  *all = exposed_;
  exposed_ = WinRect{};
  return true;
}

}  // namespace vr
