#pragma once
#include <optional>
#include <string>

namespace vr {

// The system clipboard's text (on X11 the CLIPBOARD selection). UI thread
// only. Text goes in and comes out as UTF-8; what another program offers is
// passed on as it came, so readers sanitise it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Makes `utf8` the clipboard's content; false when the system refused.
  virtual bool SetText(const std::string& utf8) = 0;
  // The clipboard's text; nullopt when it holds none, or when its owner did
  // not answer in time.
  virtual std::optional<std::string> GetText() = 0;
  // Cheap guess for enabling a Paste command: false only when it surely
  // holds no text (nobody owns it).
  virtual bool MayHaveText() = 0;
};

// The clipboard the UI uses. An in-memory clipboard until a window system
// installs its own with SetProcessClipboard; null puts the in-memory one
// back. The installed object must outlive its installation.
Clipboard& ProcessClipboard();
void SetProcessClipboard(Clipboard* clipboard);

}  // namespace vr
