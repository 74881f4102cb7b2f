#include "app/AutoRun.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/AtomicFile.h"
#include "platform/Ini.h"
#include "platform/Paths.h"

namespace vr {
namespace {

constexpr const char* kGroup = "Desktop Entry";

std::string ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;  // relative values are to be ignored
  const char* home = std::getenv("HOME");
  return JoinPath(home && home[0] ? home : "/tmp", ".config");
}

std::string RunningExecutable() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// One argument of an Exec line: always quoted, with the characters that stay
// special inside quotes escaped, then the backslashes doubled once more because
// the whole value is a desktop-entry string; "%" is doubled so it never reads
// as a field code.
std::string ExecArgument(const std::string& arg) {
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string out;
  for (char c : quoted) {
    if (c == '\\') out += "\\\\";
    else if (c == '%') out += "%%";
    else if (c == '\n' || c == '\r') out += ' ';
    else out += c;
  }
  return out;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

AutoRun::AutoRun(std::string entryPath, std::string executable)
    : entryPath_(std::move(entryPath)), executable_(std::move(executable)) {}

AutoRun AutoRun::ForCurrentUser() {
  return AutoRun(JoinPath(JoinPath(ConfigFolder(), "autostart"), kEntryName), RunningExecutable());
}

std::string AutoRun::EntryText(const std::string& executable) {
  return std::string("[") + kGroup + "]\n" +
         "Type=Application\n"
         "Name=VeskoRiLi\n"
         "Exec=" + ExecArgument(executable) + "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

bool AutoRun::IsOn() const {
  if (ReadIniString(entryPath_, kGroup, "Exec", "").empty()) return false;
  if (ReadIniString(entryPath_, kGroup, "Hidden", "false") == "true") return false;
  return ReadIniString(entryPath_, kGroup, "X-GNOME-Autostart-enabled", "true") != "false";
}

bool AutoRun::Set(bool on) const {
  if (!on) return unlink(entryPath_.c_str()) == 0 || errno == ENOENT;
  if (executable_.empty() || !MakeFolders(FolderOf(entryPath_))) return false;
  return WriteFileAtomically(entryPath_, EntryText(executable_), 0644);
}

}  // namespace vr
