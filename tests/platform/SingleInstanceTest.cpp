#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/EventLoop.h"
#include "platform/SingleInstance.h"
#include "tests/support/TempFolder.h"

namespace vr {
namespace {

using test::TempFolder;

TEST(SingleInstance, SecondAcquire_WhileFirstHolds_Fails) {
  TempFolder dir;
  SingleInstance first(dir.Path());
  ASSERT_TRUE(first.Acquire());
  SingleInstance second(dir.Path());
  EXPECT_FALSE(second.Acquire());
}

TEST(SingleInstance, LockReleased_NextAcquireSucceeds) {
  TempFolder dir;
  {
    SingleInstance first(dir.Path());
    ASSERT_TRUE(first.Acquire());
  }
  SingleInstance again(dir.Path());
  EXPECT_TRUE(again.Acquire());
}

TEST(SingleInstance, StaleLockAndSocketFiles_DoNotBlock) {
  TempFolder dir;
  auto loop = MakePollLoop(false);
  SingleInstance probe(dir.Path());
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
  SingleInstance second(dir.Path());
  EXPECT_FALSE(second.Acquire());
  EXPECT_TRUE(second.SendShow());
  loop->Run();
  EXPECT_EQ(shows, 1);
}

TEST(SingleInstance, ShowWithNoListener_ReportsUnreachable) {
  TempFolder dir;
  SingleInstance nobody(dir.Path());
  EXPECT_FALSE(nobody.SendShow());
}

}  // namespace
}  // namespace vr
