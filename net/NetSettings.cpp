#include "net/NetSettings.h"

#include <sys/stat.h>

#include <mutex>

#include "platform/Ini.h"
#include "platform/Paths.h"

namespace vr {
namespace {

// Written at start-up only, but tests change it between requests: a lock keeps
// every reader's copy whole.
std::mutex gMutex;
NetSettings gSettings;

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

void LoadNetSettings() { LoadNetSettingsFrom(JoinPath(ProgramFolder(), "net.ini")); }

void LoadNetSettingsFrom(const std::string& iniPath) {
  NetSettings s;
  struct stat st {};
  if (stat(iniPath.c_str(), &st) == 0) {
    s.dnsServers = ReadIniString(iniPath, kNetSettingsSection, "dns", "");
    s.caFile = ReadIniString(iniPath, kNetSettingsSection, "cafile", "");
    if (!s.caFile.empty() && s.caFile[0] != '/') s.caFile = JoinPath(FolderOf(iniPath), s.caFile);
  }
  SetNetSettings(s);
}

NetSettings CurrentNetSettings() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gSettings;
}

void SetNetSettings(const NetSettings& settings) {
  std::lock_guard<std::mutex> lock(gMutex);
  gSettings = settings;
}

}  // namespace vr
