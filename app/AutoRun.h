#pragma once
#include <string>

namespace vr {

// Starting the widget with the user's desktop session, through an XDG
// autostart entry (a .desktop file in $XDG_CONFIG_HOME/autostart).
class AutoRun {
 public:
  static constexpr const char* kEntryName = "veskorili.desktop";

  AutoRun(std::string entryPath, std::string executable);

  // The entry $XDG_CONFIG_HOME/autostart/veskorili.desktop (~/.config when
  // the variable is unset or relative) for the running executable.
  static AutoRun ForCurrentUser();

  // On when the entry exists, names a command and is not hidden.
  bool IsOn() const;
  // Writes the entry (atomically, creating its folder) or removes it. True
  // when the state on disk is the one asked for.
  bool Set(bool on) const;

  const std::string& EntryPath() const { return entryPath_; }

  // The entry's text for `executable`.
  static std::string EntryText(const std::string& executable);

 private:
  std::string entryPath_;
  std::string executable_;
};

}  // namespace vr
