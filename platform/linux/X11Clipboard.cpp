#include "platform/linux/X11Clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <climits>

#include "platform/linux/X11ErrorTrap.h"
#include "platform/linux/X11WindowSystem.h"

namespace vr {

namespace {

struct WaitKey {
  Window window;
  int type;
  Atom atom;
  int state;
};

Bool MatchEvent(Display*, XEvent* ev, XPointer arg) {
  const WaitKey* k = reinterpret_cast<const WaitKey*>(arg);
  if (ev->type != k->type || ev->xany.window != k->window) return False;
  if (k->type == PropertyNotify) return ev->xproperty.atom == k->atom && ev->xproperty.state == k->state;
  return True;
}

}  // namespace

std::unique_ptr<X11Clipboard> X11Clipboard::Create(X11WindowSystem& system) {
  Display* d = system.GetDisplay();
  // An unmapped input-only window: the selection's owner and the target of
  // conversions; it never shows.
  XSetWindowAttributes attrs{};
  attrs.event_mask = PropertyChangeMask;
  Window w = XCreateWindow(d, system.Root(), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &attrs);
  if (!w) return nullptr;
  std::unique_ptr<X11Clipboard> clipboard(new X11Clipboard(system, w));
  X11Clipboard* self = clipboard.get();
  system.SetRawEventFilter([self](XEvent& ev) { return self->OnEvent(ev); });
  return clipboard;
}

X11Clipboard::X11Clipboard(X11WindowSystem& system, Window window)
    : system_(system), display_(system.GetDisplay()), window_(window) {
  const char* names[] = {"CLIPBOARD", "UTF8_STRING", "TARGETS", "TIMESTAMP", "INCR", "text/plain;charset=utf-8",
                         "_VR_CLIPBOARD", "_VR_TIME_PROBE"};
  Atom atoms[std::size(names)];
  XInternAtoms(display_, const_cast<char**>(names), static_cast<int>(std::size(names)), False, atoms);
  clipboard_ = atoms[0];
  utf8_ = atoms[1];
  targets_ = atoms[2];
  timestamp_ = atoms[3];
  incr_ = atoms[4];
  textPlain_ = atoms[5];
  property_ = atoms[6];
  timeProbe_ = atoms[7];
}

X11Clipboard::~X11Clipboard() {
  system_.SetRawEventFilter(nullptr);
  for (const Transfer& t : transfers_) XSelectInput(display_, t.requestor, NoEventMask);
  if (owned_ && XGetSelectionOwner(display_, clipboard_) == window_) {
    XSetSelectionOwner(display_, clipboard_, None, ownedSince_);
  }
  XDestroyWindow(display_, window_);
  XFlush(display_);
}

// --- Waiting on our own window ---------------------------------------------------------

bool X11Clipboard::WaitFor(int type, Atom atom, int state, XEvent* out) {
  WaitKey key{window_, type, atom, state};
  const auto deadline = std::chrono::steady_clock::now() + kStepTimeout;
  XFlush(display_);
  for (;;) {
    // Only the awaited event leaves the queue; everything else stays for the
    // window system's loop.
    if (XCheckIfEvent(display_, out, &MatchEvent, reinterpret_cast<XPointer>(&key))) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{ConnectionNumber(display_), POLLIN, 0};
    poll(&p, 1, static_cast<int>(left.count()));
  }
}

Time X11Clipboard::ServerTime() {
  // A zero-length append changes nothing but makes the server report the
  // current time in a PropertyNotify.
  XChangeProperty(display_, window_, timeProbe_, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent ev;
  if (!WaitFor(PropertyNotify, timeProbe_, PropertyNewValue, &ev)) return CurrentTime;
  return ev.xproperty.time;
}

// --- Owning ----------------------------------------------------------------------------

bool X11Clipboard::SetText(const std::string& utf8) {
  const Time t = ServerTime();
  XSetSelectionOwner(display_, clipboard_, window_, t);
  if (XGetSelectionOwner(display_, clipboard_) != window_) return false;
  owned_ = utf8;
  ownedShared_ = std::make_shared<const std::string>(utf8);
  ownedSince_ = t;
  return true;
}

bool X11Clipboard::MayHaveText() { return owned_.has_value() || XGetSelectionOwner(display_, clipboard_) != None; }

bool X11Clipboard::OnEvent(XEvent& ev) {
  switch (ev.type) {
    case SelectionRequest:
      if (ev.xselectionrequest.owner != window_) return false;
      AnswerRequest(ev.xselectionrequest);
      return true;
    case SelectionClear:
      if (ev.xselectionclear.window != window_) return false;
      if (ev.xselectionclear.selection == clipboard_) {
        owned_.reset();
        ownedShared_.reset();
      }
      return true;
    case PropertyNotify:
      if (ev.xproperty.window == window_) return true;
      if (ev.xproperty.state == PropertyDelete) {
        for (const Transfer& t : transfers_) {
          if (t.requestor == ev.xproperty.window && t.property == ev.xproperty.atom) {
            ContinueTransfer(ev.xproperty);
            return true;
          }
        }
      }
      return false;
    case DestroyNotify:
      for (const Transfer& t : transfers_) {
        if (t.requestor == ev.xdestroywindow.window) {
          DropTransfersTo(t.requestor);
          return true;
        }
      }
      return false;
    default:
      return ev.xany.window == window_;
  }
}

void X11Clipboard::AnswerRequest(const XSelectionRequestEvent& req) {
  // Obsolete clients name no property: the target doubles as one.
  const Atom property = req.property == None ? req.target : req.property;
  bool ok = false;
  {
    X11ErrorTrap trap(display_);  // the requestor may be gone already
    ok = req.selection == clipboard_ && ownedShared_ &&
         (req.time == CurrentTime || req.time >= ownedSince_) && ServeProperty(req, property);
    XSync(display_, False);
    if (trap.Failed()) ok = false;
  }
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = display_;
  reply.xselection.requestor = req.requestor;
  reply.xselection.selection = req.selection;
  reply.xselection.target = req.target;
  reply.xselection.property = ok ? property : None;
  reply.xselection.time = req.time;
  X11ErrorTrap trap(display_);
  XSendEvent(display_, req.requestor, False, NoEventMask, &reply);
  XFlush(display_);
}

bool X11Clipboard::ServeProperty(const XSelectionRequestEvent& req, Atom property) {
  if (req.target == targets_) {
    const Atom offered[] = {targets_, timestamp_, utf8_, textPlain_};
    XChangeProperty(display_, req.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), static_cast<int>(std::size(offered)));
    return true;
  }
  if (req.target == timestamp_) {
    const long t = static_cast<long>(ownedSince_);
    XChangeProperty(display_, req.requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&t), 1);
    return true;
  }
  if (req.target != utf8_ && req.target != textPlain_) return false;
  const std::string& text = *ownedShared_;
  if (text.size() <= kChunkBytes) {
    XChangeProperty(display_, req.requestor, property, req.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    return true;
  }
  // INCR: announce the size; each deletion of the property by the requestor
  // asks for the next chunk (ContinueTransfer), a zero-length one ends it.
  DropTransfersTo(req.requestor);
  XSelectInput(display_, req.requestor, PropertyChangeMask | StructureNotifyMask);
  const long size = static_cast<long>(text.size());
  XChangeProperty(display_, req.requestor, property, incr_, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  transfers_.push_back(Transfer{req.requestor, property, ownedShared_, 0});
  return true;
}

void X11Clipboard::ContinueTransfer(const XPropertyEvent& p) {
  auto it = std::find_if(transfers_.begin(), transfers_.end(),
                         [&](const Transfer& t) { return t.requestor == p.window && t.property == p.atom; });
  if (it == transfers_.end()) return;
  const std::string& data = *it->data;
  const size_t n = std::min(kChunkBytes, data.size() - it->offset);
  X11ErrorTrap trap(display_);
  XChangeProperty(display_, it->requestor, it->property, utf8_, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data() + it->offset), static_cast<int>(n));
  it->offset += n;
  XSync(display_, False);
  if (n == 0 || trap.Failed()) {
    const Window requestor = it->requestor;
    transfers_.erase(it);
    XSelectInput(display_, requestor, NoEventMask);
  }
  XFlush(display_);
}

void X11Clipboard::DropTransfersTo(Window requestor) {
  transfers_.erase(std::remove_if(transfers_.begin(), transfers_.end(),
                                  [&](const Transfer& t) { return t.requestor == requestor; }),
                   transfers_.end());
}

// --- Reading ---------------------------------------------------------------------------

bool X11Clipboard::ReadProperty(std::string* out, Atom* type) {
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  // Reading with delete tells an INCR owner to send the next chunk.
  const int status = XGetWindowProperty(display_, window_, property_, 0, LONG_MAX / 4, True, AnyPropertyType, type,
                                        &format, &count, &after, &data);
  if (status != Success) return false;
  if (data && format == 8) {
    const size_t room = kMaxReadBytes > out->size() ? kMaxReadBytes - out->size() : 0;
    out->append(reinterpret_cast<const char*>(data), std::min<size_t>(count, room));
  }
  if (data) XFree(data);
  return true;
}

std::optional<std::string> X11Clipboard::GetText() {
  const Window owner = XGetSelectionOwner(display_, clipboard_);
  if (owner == None) return std::nullopt;
  if (owner == window_ && owned_) return owned_;
  XDeleteProperty(display_, window_, property_);
  XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
  XEvent ev;
  if (!WaitFor(SelectionNotify, None, 0, &ev) || ev.xselection.property == None) return std::nullopt;
  // The owner's writing of the answer was reported before the answer itself;
  // that report must not count as the first INCR chunk below.
  WaitKey stale{window_, PropertyNotify, property_, PropertyNewValue};
  XEvent old;
  while (XCheckIfEvent(display_, &old, &MatchEvent, reinterpret_cast<XPointer>(&stale))) {
  }
  std::string text;
  Atom type = None;
  if (!ReadProperty(&text, &type)) return std::nullopt;
  if (type == incr_) {
    text.clear();
    for (;;) {
      if (!WaitFor(PropertyNotify, property_, PropertyNewValue, &ev)) return std::nullopt;
      const size_t before = text.size();
      Atom chunkType = None;
      if (!ReadProperty(&text, &chunkType)) return std::nullopt;
      if (chunkType == None) continue;  // not written yet
      if (text.size() == before) break;  // the empty chunk ends it (or the read limit was reached)
    }
  } else if (type != utf8_ && type != textPlain_) {
    return std::nullopt;
  }
  return text;
}

}  // namespace vr
