#include "platform/linux/X11WindowSystem.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <clocale>

#include "platform/MonitorLayout.h"
#include "platform/linux/X11ErrorTrap.h"
#include "platform/linux/X11KeyMap.h"
#include "platform/linux/X11Window.h"

namespace vr {
namespace {

// Win32 wheel units: one notch is 120.
constexpr int kWheelNotch = 120;

uint32_t ModsFromState(unsigned state) {
  uint32_t m = 0;
  if (state & ShiftMask) m |= winmod::kShift;
  if (state & ControlMask) m |= winmod::kControl;
  if (state & Mod1Mask) m |= winmod::kAlt;
  if (state & Mod4Mask) m |= winmod::kSuper;
  if (state & Button1Mask) m |= winmod::kLButton;
  if (state & Button2Mask) m |= winmod::kMButton;
  if (state & Button3Mask) m |= winmod::kRButton;
  return m;
}

MouseButton ButtonOf(unsigned xButton) {
  switch (xButton) {
    case Button1: return MouseButton::kLeft;
    case Button2: return MouseButton::kMiddle;
    case Button3: return MouseButton::kRight;
    default: return MouseButton::kNone;
  }
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

// Appends code point `cp` to `out` as UTF-8.
void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes UTF-8 produced by Xlib; malformed bytes are skipped.
std::vector<char32_t> DecodeUtf8(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += len;
  }
  return out;
}

void InternAtoms(Display* d, X11Atoms& a) {
  const char* names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "WM_TRANSIENT_FOR", "UTF8_STRING",
                         "_MOTIF_WM_HINTS", "_NET_WM_NAME", "_NET_WM_PID", "_NET_WM_PING", "_NET_WM_STATE",
                         "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY", "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_NET_WM_WINDOW_TYPE_UTILITY", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
                         "_NET_WM_WINDOW_TYPE_TOOLTIP", "_NET_WM_WINDOW_TYPE_SPLASH", "_NET_WORKAREA",
                         "_NET_CURRENT_DESKTOP", "_NET_ACTIVE_WINDOW", "_NET_SUPPORTED",
                         "_NET_SUPPORTING_WM_CHECK", "_NET_WM_MOVERESIZE", "_KDE_NET_WM_BLUR_BEHIND_REGION"};
  Atom* slots[] = {&a.wmProtocols, &a.wmDeleteWindow, &a.wmTransientFor, &a.utf8String, &a.motifWmHints,
                   &a.netWmName, &a.netWmPid, &a.netWmPing, &a.netWmState, &a.netWmStateAbove,
                   &a.netWmStateBelow, &a.netWmStateSkipTaskbar, &a.netWmStateSkipPager,
                   &a.netWmStateSticky, &a.netWmWindowType, &a.netWmWindowTypeNormal,
                   &a.netWmWindowTypeDialog, &a.netWmWindowTypeUtility, &a.netWmWindowTypePopupMenu,
                   &a.netWmWindowTypeTooltip, &a.netWmWindowTypeSplash, &a.netWorkarea,
                   &a.netCurrentDesktop, &a.netActiveWindow, &a.netSupported, &a.netSupportingWmCheck,
                   &a.netWmMoveresize, &a.kdeBlurBehindRegion};
  static_assert(std::size(names) == std::size(slots));
  constexpr int n = static_cast<int>(std::size(names));
  Atom atoms[n];
  XInternAtoms(d, const_cast<char**>(names), n, False, atoms);
  for (int i = 0; i < n; ++i) *slots[i] = atoms[i];
}

// Reads a 32-bit property as longs (Xlib's format-32 representation).
std::vector<long> ReadLongs(Display* d, Window w, Atom property, Atom type) {
  Atom actualType;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<long> out;
  if (XGetWindowProperty(d, w, property, 0, 1024, False, type, &actualType, &format, &count, &after, &data) ==
          Success &&
      data && format == 32) {
    const long* v = reinterpret_cast<const long*>(data);
    out.assign(v, v + count);
  }
  if (data) XFree(data);
  return out;
}

// Xlib hands input-method text over in the locale's encoding and converts
// it to UTF-8 from there: in the "C" locale Chinese commits arrive empty.
// Character handling (LC_CTYPE only; numbers and messages stay as they were)
// therefore moves to a UTF-8 locale: the environment's if it names one, else
// C.UTF-8.
void EnsureUtf8CharacterLocale() {
  auto isUtf8 = [](const char* name) {
    if (!name) return false;
    std::string n(name);
    for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return n.find("utf-8") != std::string::npos || n.find("utf8") != std::string::npos;
  };
  if (isUtf8(setlocale(LC_CTYPE, nullptr))) return;
  if (isUtf8(setlocale(LC_CTYPE, ""))) return;
  setlocale(LC_CTYPE, "C.UTF-8");  // where even that is missing, nothing changes
}

}  // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open(const char* displayName) {
  Display* display = XOpenDisplay(displayName);
  if (!display) return nullptr;
  return std::unique_ptr<X11WindowSystem>(new X11WindowSystem(display));
}

X11WindowSystem::X11WindowSystem(Display* display)
    : display_(display), screen_(DefaultScreen(display)), root_(RootWindow(display, screen_)) {
  X11ErrorTrap::InstallQuietHandler();
  InternAtoms(display_, atoms_);
  XVisualInfo info;
  if (XMatchVisualInfo(display_, screen_, 32, TrueColor, &info)) {
    argbVisual_ = info.visual;
    argbColormap_ = XCreateColormap(display_, root_, argbVisual_, AllocNone);
  }
  // Shared memory needs the server on this machine; the attach test in the
  // back buffer settles it per segment.
  int major, minor;
  Bool pixmaps;
  shm_ = XShmQueryVersion(display_, &major, &minor, &pixmaps);
  int eventBase, errorBase;
  randr_ = XRRQueryExtension(display_, &eventBase, &errorBase) && XRRQueryVersion(display_, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 5));
  // Without it a held key sends release/press pairs, indistinguishable from typing.
  Bool detectable;
  XkbSetDetectableAutoRepeat(display_, True, &detectable);
  OpenInputMethod();
  XSelectInput(display_, root_, PropertyChangeMask);
}

X11WindowSystem::~X11WindowSystem() {
  for (auto& [shape, cursor] : cursors_) XFreeCursor(display_, cursor);
  if (im_) XCloseIM(im_);
  if (imFonts_) XFreeFontSet(display_, imFonts_);
  if (argbColormap_) XFreeColormap(display_, argbColormap_);
  XCloseDisplay(display_);
}

void X11WindowSystem::OpenInputMethod() {
  EnsureUtf8CharacterLocale();
  if (!XSupportsLocale()) return;
  XSetLocaleModifiers("");  // honours XMODIFIERS (@im=fcitx, @im=ibus)
  im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
  if (!im_) return;
  imStyle_ = XIMPreeditNothing | XIMStatusNothing;
  XIMStyles* styles = nullptr;
  if (XGetIMValues(im_, XNQueryInputStyle, &styles, nullptr) != nullptr || !styles) return;
  constexpr XIMStyle kOverTheSpot = XIMPreeditPosition | XIMStatusNothing;
  bool overTheSpot = false;
  for (unsigned short i = 0; i < styles->count_styles; ++i)
    overTheSpot = overTheSpot || styles->supported_styles[i] == kOverTheSpot;
  XFree(styles);
  if (!overTheSpot) return;
  // Xlib refuses an over-the-spot context without a font set; the input
  // method draws with its own fonts anyway, so any font set will do.
  char** missing = nullptr;
  int missingCount = 0;
  char* fallback = nullptr;
  imFonts_ = XCreateFontSet(display_, "-*-*-medium-r-normal--*-120-*-*-*-*-*-*,fixed,*", &missing, &missingCount,
                            &fallback);
  if (missing) XFreeStringList(missing);
  if (imFonts_) imStyle_ = kOverTheSpot;
}

std::unique_ptr<NativeWindow> X11WindowSystem::CreateWindow(const WindowParams& params, WindowHandler& handler) {
  bool alpha = params.perPixelAlpha && argbVisual_;
  Visual* visual = alpha ? argbVisual_ : DefaultVisual(display_, screen_);
  int depth = alpha ? 32 : DefaultDepth(display_, screen_);
  // Our frames are 32 bits per pixel; other depths would need conversion.
  if (depth != 24 && depth != 32) return nullptr;
  XSetWindowAttributes attrs{};
  unsigned long mask = CWBackPixel | CWBorderPixel | CWColormap | CWEventMask | CWBitGravity | CWOverrideRedirect;
  attrs.background_pixel = 0;
  attrs.border_pixel = 0;  // an ARGB window needs its own border pixel and colormap, else BadMatch
  attrs.colormap = alpha ? argbColormap_ : DefaultColormap(display_, screen_);
  attrs.bit_gravity = NorthWestGravity;
  attrs.override_redirect = params.kind == WindowKind::kPopupMenu || params.kind == WindowKind::kTooltip;
  attrs.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                     ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                     FocusChangeMask | PropertyChangeMask;
  const WinRect& b = params.bounds;
  Window xid;
  {
    X11ErrorTrap trap(display_);
    xid = XCreateWindow(display_, root_, b.left, b.top, static_cast<unsigned>(std::max(1, b.Width())),
                        static_cast<unsigned>(std::max(1, b.Height())), 0, depth, InputOutput, visual, mask,
                        &attrs);
    if (trap.Failed()) return nullptr;
  }
  auto window = std::make_unique<X11Window>(*this, xid, visual, depth, alpha, params, handler);
  windows_[xid] = window.get();
  XFlush(display_);
  return window;
}

// --- Screen ---

std::optional<WinRect> X11WindowSystem::DesktopWorkArea() {
  std::vector<long> area = ReadLongs(display_, root_, atoms_.netWorkarea, XA_CARDINAL);
  if (area.size() < 4) return std::nullopt;
  std::vector<long> current = ReadLongs(display_, root_, atoms_.netCurrentDesktop, XA_CARDINAL);
  size_t desktop = current.empty() ? 0 : static_cast<size_t>(std::max(0L, current[0]));
  if ((desktop + 1) * 4 > area.size()) desktop = 0;
  const long* r = &area[desktop * 4];
  if (r[2] <= 0 || r[3] <= 0) return std::nullopt;
  return WinRect::FromXYWH(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]),
                           static_cast<int>(r[3]));
}

std::vector<MonitorInfo> X11WindowSystem::Monitors() {
  std::vector<MonitorInfo> out;
  if (randr_) {
    int n = 0;
    XRRMonitorInfo* m = XRRGetMonitors(display_, root_, True, &n);
    for (int i = 0; m && i < n; ++i)
      if (m[i].width > 0 && m[i].height > 0)
        out.push_back({WinRect::FromXYWH(m[i].x, m[i].y, m[i].width, m[i].height), {}, m[i].primary != 0});
    if (m) XRRFreeMonitors(m);
  }
  if (out.empty())
    out.push_back({WinRect{0, 0, DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)}, {}, true});
  std::optional<WinRect> work = DesktopWorkArea();
  for (MonitorInfo& mon : out) mon.workArea = work ? MonitorWorkArea(mon.area, *work) : mon.area;
  std::stable_partition(out.begin(), out.end(), [](const MonitorInfo& m) { return m.primary; });
  if (!out.front().primary) out.front().primary = true;
  return out;
}

WinPoint X11WindowSystem::PointerPosition() {
  Window rootReturn, child;
  int rx = 0, ry = 0, wx, wy;
  unsigned mask;
  XQueryPointer(display_, root_, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask);
  return WinPoint{rx, ry};
}

// --- Window manager ---

bool X11WindowSystem::WindowManagerRunning() {
  std::vector<long> check = ReadLongs(display_, root_, atoms_.netSupportingWmCheck, XA_WINDOW);
  return !check.empty() && check[0] != 0;
}

bool X11WindowSystem::WmSupports(Atom feature) {
  if (!WindowManagerRunning()) return false;
  for (long a : ReadLongs(display_, root_, atoms_.netSupported, XA_ATOM))
    if (static_cast<Atom>(a) == feature) return true;
  return false;
}

void X11WindowSystem::SendRootMessage(Window window, Atom type, long d0, long d1, long d2, long d3, long d4) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  long data[5] = {d0, d1, d2, d3, d4};
  for (int i = 0; i < 5; ++i) e.xclient.data.l[i] = data[i];
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

Cursor X11WindowSystem::CursorFor(PointerShape shape) {
  auto it = cursors_.find(shape);
  if (it != cursors_.end()) return it->second;
  unsigned glyph = XC_left_ptr;
  switch (shape) {
    case PointerShape::kArrow: glyph = XC_left_ptr; break;
    case PointerShape::kIBeam: glyph = XC_xterm; break;
    case PointerShape::kWait: glyph = XC_watch; break;
    case PointerShape::kCross: glyph = XC_crosshair; break;
    case PointerShape::kHand: glyph = XC_hand2; break;
    case PointerShape::kSizeWE: glyph = XC_sb_h_double_arrow; break;
    case PointerShape::kSizeNS: glyph = XC_sb_v_double_arrow; break;
    case PointerShape::kSizeNWSE: glyph = XC_bottom_right_corner; break;
    case PointerShape::kSizeNESW: glyph = XC_bottom_left_corner; break;
    case PointerShape::kSizeAll: glyph = XC_fleur; break;
    case PointerShape::kNo: glyph = XC_X_cursor; break;
  }
  Cursor c = XCreateFontCursor(display_, glyph);
  cursors_[shape] = c;
  return c;
}

// --- Capture ---

void X11WindowSystem::TakeCapture(X11Window& window) {
  if (capture_ == window.Id()) return;
  uint64_t old = capture_;
  capture_ = window.Id();
  // The capture holds for our own windows even if the grab fails (another
  // client grabbed first, or the window is not viewable yet).
  XGrabPointer(display_, window.Xid(), False,
               ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask,
               GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  XFlush(display_);
  if (old) PostCaptureLost(old);
}

void X11WindowSystem::DropCapture(X11Window& window) {
  if (capture_ != window.Id()) return;
  capture_ = 0;
  XUngrabPointer(display_, CurrentTime);
  XFlush(display_);
}

void X11WindowSystem::PostCaptureLost(uint64_t id) {
  loop_.PostTask([this, id] {
    auto it = windows_.find(static_cast<Window>(id));
    if (it == windows_.end()) return;
    WindowEvent e;
    e.type = WindowEventType::kCaptureLost;
    it->second->Handler().OnWindowEvent(e);
  });
}

void X11WindowSystem::Forget(Window xid) {
  windows_.erase(xid);
  if (capture_ == xid) capture_ = 0;
}

// --- Events ---

bool X11WindowSystem::DispatchOne() {
  if (XPending(display_) == 0) return false;
  XEvent ev;
  XNextEvent(display_, &ev);
  if (XFilterEvent(&ev, None)) return true;  // the input method took it
  if (rawFilter_ && rawFilter_(ev)) return true;
  if (ev.type == MotionNotify) {
    // Only the latest position of a run of motion events matters; motion
    // after another kind of event is kept, so order is preserved.
    XEvent next;
    while (XEventsQueued(display_, QueuedAlready) > 0) {
      XPeekEvent(display_, &next);
      if (next.type != MotionNotify || next.xmotion.window != ev.xmotion.window) break;
      XNextEvent(display_, &ev);
    }
  }
  auto it = windows_.find(ev.xany.window);
  if (it == windows_.end()) return true;
  Window xid = it->first;
  std::vector<WindowEvent> out;
  Translate(*it->second, ev, out);
  // A handler may destroy the window: look it up again before each event.
  for (const WindowEvent& e : out) {
    auto w = windows_.find(xid);
    if (w == windows_.end()) break;
    w->second->Handler().OnWindowEvent(e);
  }
  return true;
}

void X11WindowSystem::Translate(X11Window& w, XEvent& ev, std::vector<WindowEvent>& out) {
  WindowEvent e;
  switch (ev.type) {
    case MotionNotify:
      e.type = WindowEventType::kMouseMove;
      e.pos = {ev.xmotion.x, ev.xmotion.y};
      e.screenPos = {ev.xmotion.x_root, ev.xmotion.y_root};
      e.mods = ModsFromState(ev.xmotion.state);
      out.push_back(e);
      break;
    case ButtonPress:
    case ButtonRelease:
      TranslateButton(w, ev.xbutton, ev.type == ButtonPress, out);
      break;
    case EnterNotify:
    case LeaveNotify: {
      const XCrossingEvent& c = ev.xcrossing;
      // Crossings caused by grabs, and while we hold the capture, are not
      // pointer movements the window should see.
      if (c.mode == NotifyGrab || c.detail == NotifyInferior || capture_ == w.Id()) break;
      e.type = ev.type == EnterNotify ? WindowEventType::kMouseEnter : WindowEventType::kMouseLeave;
      e.pos = {c.x, c.y};
      e.screenPos = {c.x_root, c.y_root};
      e.mods = ModsFromState(c.state);
      out.push_back(e);
      break;
    }
    case FocusIn:
    case FocusOut: {
      const XFocusChangeEvent& f = ev.xfocus;
      if (f.mode == NotifyGrab || f.mode == NotifyUngrab || f.detail == NotifyPointer ||
          f.detail == NotifyInferior)
        break;
      bool in = ev.type == FocusIn;
      if (!w.NoteFocus(in)) break;
      e.type = in ? WindowEventType::kActivate : WindowEventType::kDeactivate;
      out.push_back(e);
      e.type = in ? WindowEventType::kFocusIn : WindowEventType::kFocusOut;
      out.push_back(e);
      break;
    }
    case KeyPress:
    case KeyRelease:
      TranslateKey(w, ev.xkey, ev.type == KeyPress, out);
      break;
    case ConfigureNotify:
      TranslateConfigure(w, ev.xconfigure, out);
      break;
    case Expose: {
      const XExposeEvent& x = ev.xexpose;
      WinRect all;
      if (w.NoteExpose(WinRect::FromXYWH(x.x, x.y, x.width, x.height), x.count == 0, &all)) {
        e.type = WindowEventType::kExpose;
        e.rect = all;
        out.push_back(e);
      }
      break;
    }
    case MapNotify:
      w.NoteMapped(true);
      e.type = WindowEventType::kShown;
      out.push_back(e);
      break;
    case UnmapNotify:
      w.NoteMapped(false);
      if (capture_ == w.Id()) {
        capture_ = 0;  // the server dropped the grab with the mapping
        e.type = WindowEventType::kCaptureLost;
        out.push_back(e);
      }
      e.type = WindowEventType::kHidden;
      out.push_back(e);
      break;
    case ClientMessage: {
      const XClientMessageEvent& m = ev.xclient;
      if (m.message_type != atoms_.wmProtocols) break;
      Atom protocol = static_cast<Atom>(m.data.l[0]);
      if (protocol == atoms_.wmDeleteWindow) {
        e.type = WindowEventType::kCloseRequest;
        out.push_back(e);
      } else if (protocol == atoms_.netWmPing) {
        XEvent reply = ev;
        reply.xclient.window = root_;
        XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &reply);
      }
      break;
    }
    default:
      break;
  }
}

void X11WindowSystem::TranslateButton(X11Window& w, const XButtonEvent& b, bool down,
                                      std::vector<WindowEvent>& out) {
  WindowEvent e;
  e.pos = {b.x, b.y};
  e.screenPos = {b.x_root, b.y_root};
  e.mods = ModsFromState(b.state);
  if (b.button >= 4 && b.button <= 7) {
    if (!down) return;  // a wheel notch is a press and a release; one is enough
    e.type = b.button <= 5 ? WindowEventType::kWheel : WindowEventType::kHWheel;
    e.wheelDelta = (b.button == 4 || b.button == 7) ? kWheelNotch : -kWheelNotch;
    out.push_back(e);
    return;
  }
  e.button = ButtonOf(b.button);
  if (e.button == MouseButton::kNone) return;
  // The state lists the buttons held before this event; Win32 reports the
  // state after it.
  if (down) {
    e.mods |= ButtonBit(e.button);
    e.type = WindowEventType::kButtonDown;
    e.clicks = clicks_.OnPress(w.Id(), e.button, e.screenPos,
                               ClickTracker::TimePoint{} + std::chrono::milliseconds(b.time));
    // Click to focus, as on Windows; a window manager does the same anyway.
    if (w.AcceptsFocus() && !w.HasKeyboardFocus()) XSetInputFocus(display_, w.Xid(), RevertToParent, b.time);
  } else {
    e.mods &= ~ButtonBit(e.button);
    e.type = WindowEventType::kButtonUp;
  }
  out.push_back(e);
}

void X11WindowSystem::TranslateKey(X11Window& w, XKeyEvent& k, bool down, std::vector<WindowEvent>& out) {
  WindowEvent e;
  e.mods = ModsFromState(k.state);
  e.virtualKey = KeysymToVirtualKey(XLookupKeysym(&k, 0));
  if (!down) {
    keysDown_.erase(k.keycode);
    if (e.virtualKey) {
      e.type = WindowEventType::kKeyUp;
      out.push_back(e);
    }
    return;
  }
  // Keycode 0 marks text an input method committed: never a held key.
  e.repeat = k.keycode != 0 && !keysDown_.insert(k.keycode).second;
  if (e.virtualKey) {
    e.type = WindowEventType::kKeyDown;
    out.push_back(e);
  }
  std::string text;
  if (XIC ic = w.InputContext()) {
    char buf[64];
    KeySym sym;
    Status status;
    int n = Xutf8LookupString(ic, &k, buf, sizeof buf, &sym, &status);
    if (status == XBufferOverflow) {
      std::string big(static_cast<size_t>(n), '\0');
      n = Xutf8LookupString(ic, &k, big.data(), n, &sym, &status);
      text.assign(big.data(), static_cast<size_t>(std::max(0, n)));
    } else if (status == XLookupChars || status == XLookupBoth) {
      text.assign(buf, static_cast<size_t>(std::max(0, n)));
    }
  } else {
    char buf[32];
    int n = XLookupString(&k, buf, sizeof buf, nullptr, nullptr);
    for (int i = 0; i < n; ++i) AppendUtf8(static_cast<unsigned char>(buf[i]), text);  // Latin-1
  }
  for (char32_t cp : DecodeUtf8(text)) {
    if (cp == 0x7F) continue;  // Delete types nothing on Windows
    WindowEvent c;
    c.type = WindowEventType::kChar;
    c.codePoint = cp;
    AppendUtf8(cp, c.text);
    c.mods = e.mods;
    c.repeat = e.repeat;
    out.push_back(c);
  }
}

void X11WindowSystem::TranslateConfigure(X11Window& w, const XConfigureEvent& c, std::vector<WindowEvent>& out) {
  int x = c.x, y = c.y;
  // Real events from a reparenting window manager are relative to its frame;
  // synthetic ones (ICCCM) carry root coordinates.
  if (!c.send_event) {
    Window child;
    XTranslateCoordinates(display_, w.Xid(), root_, 0, 0, &x, &y, &child);
  }
  WinRect actual = WinRect::FromXYWH(x, y, c.width, c.height);
  WinRect before;
  if (!w.NoteGeometry(actual, &before)) return;
  WindowEvent e;
  e.bounds = actual;
  if (actual.left != before.left || actual.top != before.top) {
    e.type = WindowEventType::kMoved;
    out.push_back(e);
  }
  if (actual.Width() != before.Width() || actual.Height() != before.Height()) {
    e.type = WindowEventType::kResized;
    out.push_back(e);
  }
}

}  // namespace vr
