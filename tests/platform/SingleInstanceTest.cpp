#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/EventLoop.h"
#include "platform/SingleInstance.h"

namespace vr {
namespace {

class TempFolder {
 public:
  TempFolder() {
    char tmpl[] = "/tmp/vr-si-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(SingleInstance, SecondAcquire_WhileFirstHolds_Fails) {
  TempFolder dir;
  SingleInstance first(dir.path());
  ASSERT_TRUE(first.Acquire());
  SingleInstance second(dir.path());
  EXPECT_FALSE(second.Acquire());
}

TEST(SingleInstance, LockReleased_NextAcquireSucceeds) {
  TempFolder dir;
  {
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.Acquire());
  }
  SingleInstance again(dir.path());
  EXPECT_TRUE(again.Acquire());
}

TEST(SingleInstance, StaleLockAndSocketFiles_DoNotBlock) {
  TempFolder dir;
  auto loop = MakePollLoop(false);
  SingleInstance probe(dir.path());
  // What a crashed instance leaves: a lock file nobody holds and a socket
  // file nobody listens on.
  close(open(probe.LockPath().c_str(), O_CREAT | O_RDWR, 0644));
  int s = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strcpy(addr.sun_path, probe.SocketPath().c_str());
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  close(s);

  ASSERT_TRUE(probe.Acquire());
  int shows = 0;
  probe.ListenForShow(*loop, [&] {
    ++shows;
    loop->Quit();
  });
  SingleInstance second(dir.path());
  EXPECT_FALSE(second.Acquire());
  EXPECT_TRUE(second.SendShow());
  loop->Run();
  EXPECT_EQ(shows, 1);
}

TEST(SingleInstance, ShowWithNoListener_ReportsUnreachable) {
  TempFolder dir;
  SingleInstance nobody(dir.path());
  EXPECT_FALSE(nobody.SendShow());
}

}  // namespace
}  // namespace vr
