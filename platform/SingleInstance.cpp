#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/EventLoop.h"
#include "platform/Paths.h"

namespace vr {
namespace {

constexpr char kShow[] = "show";

std::string DefaultFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/' && access(runtime, W_OK) == 0) return runtime;
  std::string data = DataFolder();
  MakeFolders(data);
  return data;
}

bool FillAddress(const std::string& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

SingleInstance::SingleInstance(std::string folder) {
  if (folder.empty()) folder = DefaultFolder();
  lockPath_ = JoinPath(folder, "veskorili.lock");
  socketPath_ = JoinPath(folder, "veskorili.sock");
}

SingleInstance::~SingleInstance() {
  if (listenFd_ >= 0) {
    close(listenFd_);
    unlink(socketPath_.c_str());
  }
  if (lockFd_ >= 0) close(lockFd_);  // releases the lock; the file stays, harmlessly
}

bool SingleInstance::Acquire() {
  int fd = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // A lock file made by another privilege level may be readable only; a
  // shared descriptor still takes part in flock.
  if (fd < 0 && errno == EACCES) fd = open(lockPath_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno != EACCES;  // access denied: somebody else runs
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  lockFd_ = fd;

  // Holding the lock proves any socket file left here is stale.
  unlink(socketPath_.c_str());
  sockaddr_un addr;
  if (!FillAddress(socketPath_, addr)) return true;
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (s < 0) return true;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 8) != 0) {
    close(s);
    return true;  // still the only instance, just not reachable by a second start
  }
  listenFd_ = s;
  return true;
}

bool SingleInstance::SendShow() const {
  sockaddr_un addr;
  if (!FillAddress(socketPath_, addr)) return false;
  int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  bool sent = connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              send(s, kShow, sizeof kShow - 1, MSG_NOSIGNAL) == sizeof kShow - 1;
  close(s);
  return sent;
}

void SingleInstance::ListenForShow(EventLoop& loop, std::function<void()> onShow) {
  if (listenFd_ < 0) return;
  loop_ = &loop;
  onShow_ = std::move(onShow);
  loop.WatchReadable(listenFd_, [this] { AcceptOne(); });
}

void SingleInstance::StopListening() {
  if (loop_ && listenFd_ >= 0) loop_->UnwatchReadable(listenFd_);
  loop_ = nullptr;
}

void SingleInstance::AcceptOne() {
  int c = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (c < 0) return;
  // The peer writes its four bytes right after connecting; a short wait keeps
  // a stuck or hostile peer from holding up the UI thread.
  timeval tv{0, 200000};
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  char buf[16];
  ssize_t n = recv(c, buf, sizeof buf, 0);
  close(c);
  if (n == static_cast<ssize_t>(sizeof kShow - 1) && std::memcmp(buf, kShow, n) == 0 && onShow_)
    onShow_();
}

}  // namespace vr
