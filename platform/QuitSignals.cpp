#include "platform/QuitSignals.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace vr {

QuitSignals::QuitSignals(EventLoop& loop) : loop_(loop) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  // Blocked signals are delivered through the descriptor instead of an
  // asynchronous handler.
  if (pthread_sigmask(SIG_BLOCK, &set, &oldMask_) != 0) return;
  masked_ = true;
  fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
  if (fd_ < 0) return;
  loop_.WatchReadable(fd_, [this] {
    signalfd_siginfo info;
    while (read(fd_, &info, sizeof info) == sizeof info) {
    }
    loop_.Quit();
  });
}

QuitSignals::~QuitSignals() {
  if (fd_ >= 0) {
    loop_.UnwatchReadable(fd_);
    close(fd_);
  }
  if (masked_) pthread_sigmask(SIG_SETMASK, &oldMask_, nullptr);
}

}  // namespace vr
