#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace vr {

class X11WindowSystem;

// The CLIPBOARD selection over the window system's own X connection, as
// UTF8_STRING. Owning it takes a real server timestamp; requests from other
// clients are answered from the window system's loop (through its raw-event
// filter), larger texts in INCR chunks. Reading waits for the owner, at most
// kStepTimeout per step of the transfer, and takes INCR transfers too.
class X11Clipboard final : public Clipboard {
 public:
  // Texts longer than this go out in INCR chunks of this size.
  static constexpr size_t kChunkBytes = 64 * 1024;
  // A read stops here; what came so far is kept.
  static constexpr size_t kMaxReadBytes = 64u << 20;
  static constexpr std::chrono::milliseconds kStepTimeout{2000};

  // Installs itself as `system`'s raw-event filter; `system` must outlive it.
  static std::unique_ptr<X11Clipboard> Create(X11WindowSystem& system);
  ~X11Clipboard() override;
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  // --- Clipboard ---
  bool SetText(const std::string& utf8) override;
  std::optional<std::string> GetText() override;
  bool MayHaveText() override;

  bool Owns() const { return owned_.has_value(); }
  size_t PendingTransfers() const { return transfers_.size(); }

 private:
  // One INCR transfer to another client, advanced by its property deletions.
  struct Transfer {
    Window requestor;
    Atom property;
    std::shared_ptr<const std::string> data;
    size_t offset = 0;
  };

  X11Clipboard(X11WindowSystem& system, Window window);
  bool OnEvent(XEvent& ev);
  void AnswerRequest(const XSelectionRequestEvent& req);
  bool ServeProperty(const XSelectionRequestEvent& req, Atom property);
  void ContinueTransfer(const XPropertyEvent& p);
  void DropTransfersTo(Window requestor);
  // Waits for an event of `type` on our window (and property `atom` for
  // PropertyNotify with state `state`); false on timeout.
  bool WaitFor(int type, Atom atom, int state, XEvent* out);
  Time ServerTime();
  bool ReadProperty(std::string* out, Atom* type);

  X11WindowSystem& system_;
  Display* display_;
  Window window_;
  Atom clipboard_, utf8_, targets_, timestamp_, incr_, textPlain_, property_, timeProbe_;
  std::optional<std::string> owned_;
  std::shared_ptr<const std::string> ownedShared_;
  Time ownedSince_ = CurrentTime;
  std::vector<Transfer> transfers_;
};

}  // namespace vr
