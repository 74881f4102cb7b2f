#pragma once
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>

namespace vr {

// A private X server (Xvfb) for tests and benchmarks. Xvfb picks a free
// display number itself and reports it through -displayfd once it accepts
// connections. The server ends with the object.
class XvfbServer {
 public:
  // True when an Xvfb executable is on PATH.
  static bool Available();
  // Null (with the reason in *error) when it cannot start within `timeout`.
  static std::unique_ptr<XvfbServer> Start(std::string* error,
                                           std::chrono::milliseconds timeout = std::chrono::seconds(10),
                                           const std::string& screen = "1280x800x24");
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& DisplayName() const { return display_; }  // ":N"
  pid_t Pid() const { return pid_; }

 private:
  XvfbServer(pid_t pid, std::string display) : pid_(pid), display_(std::move(display)) {}

  pid_t pid_;
  std::string display_;
};

}  // namespace vr
