#pragma once
#include <string>

namespace vr {

// The HTTP client's configuration, from net.ini beside the executable
// (section "VeskoSoft"). Written once at start-up, before any worker thread
// runs; read by every request.
struct NetSettings {
  // Passed to libcurl's DNS-servers option: "addr[:port][,addr[:port]...]".
  // Empty means the system resolver. Builds of libcurl without that option
  // ignore it.
  std::string dnsServers;
  // A PEM file of extra certificate authorities trusted on top of the
  // system's store, for a private server. Empty means the system store only.
  std::string caFile;
};

inline constexpr const char* kNetSettingsSection = "VeskoSoft";

// Reads net.ini from the program folder. A missing file leaves everything empty.
void LoadNetSettings();
// Reads the given file: keys "dns" and "cafile" (a relative cafile is taken
// from the file's own folder). Values longer than 1023 characters are cut.
void LoadNetSettingsFrom(const std::string& iniPath);

// A copy of the current settings; safe from any thread.
NetSettings CurrentNetSettings();
void SetNetSettings(const NetSettings& settings);

}  // namespace vr
