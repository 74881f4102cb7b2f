#include "platform/linux/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

extern char** environ;

namespace vr {
namespace {

using Steady = std::chrono::steady_clock;

constexpr int kChildDisplayFd = 3;
constexpr std::chrono::seconds kStopGrace{5};

bool Executable(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Ends the child: SIGTERM, then SIGKILL if it lingers past the grace time.
void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  auto deadline = Steady::now() + kStopGrace;
  while (Steady::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    timespec pause{0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

bool XvfbServer::Available() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (end > start && Executable(dirs.substr(start, end - start) + "/Xvfb")) return true;
    start = end + 1;
  }
  return false;
}

std::unique_ptr<XvfbServer> XvfbServer::Start(std::string* error, std::chrono::milliseconds timeout,
                                              const std::string& screen) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    *error = "pipe failed";
    return nullptr;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], kChildDisplayFd);  // dup2 clears close-on-exec
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string fdText = std::to_string(kChildDisplayFd);
  std::vector<std::string> args = {"Xvfb", "-displayfd", fdText, "-screen", "0", screen, "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    *error = std::string("cannot start Xvfb: ") + std::strerror(rc);
    return nullptr;
  }
  // The server writes its display number and a newline when it is ready.
  std::string text;
  auto deadline = Steady::now() + timeout;
  while (text.find('\n') == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now()).count();
    if (left <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buf[32];
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;  // the server died
    text.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  size_t nl = text.find('\n');
  if (nl == std::string::npos || nl == 0) {
    Stop(pid);
    *error = "Xvfb did not report a display in time";
    return nullptr;
  }
  std::string display = ":";
  display.append(text, 0, nl);
  return std::unique_ptr<XvfbServer>(new XvfbServer(pid, display));
}

XvfbServer::~XvfbServer() { Stop(pid_); }

}  // namespace vr
