#pragma once
#include <functional>
#include <string>

namespace vr {

class EventLoop;

// One widget process per user session. The first process holds an flock on a
// lock file for its whole life and listens on a Unix socket beside it; a later
// start finds the lock taken, sends "show" on the socket and ends. The kernel
// drops the lock when a process dies, so a crash never blocks the next start.
class SingleInstance {
 public:
  // `folder` holds the lock and the socket; empty means the default
  // ($XDG_RUNTIME_DIR, else the data folder).
  explicit SingleInstance(std::string folder = {});
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process is now the running instance.
  bool Acquire();

  // For a process that lost Acquire(): asks the running instance to show
  // itself. False when it could not be reached (another user's instance, or a
  // process still starting); the caller ends quietly either way.
  bool SendShow() const;

  // For the running instance: calls `onShow` on the loop's thread for every
  // "show" received.
  void ListenForShow(EventLoop& loop, std::function<void()> onShow);
  // Leaves the loop before it goes away; the socket stays bound until destruction.
  void StopListening();

  const std::string& LockPath() const { return lockPath_; }
  const std::string& SocketPath() const { return socketPath_; }

 private:
  void AcceptOne();

  std::string lockPath_;
  std::string socketPath_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  EventLoop* loop_ = nullptr;
  std::function<void()> onShow_;
};

}  // namespace vr
