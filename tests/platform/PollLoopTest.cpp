#include <gtest/gtest.h>

#include <signal.h>

#include "platform/EventLoop.h"

namespace vr {
namespace {

TEST(PollLoop, Timers_FireInTurnUntilQuit) {
  auto loop = MakePollLoop(false);
  int fast = 0, slow = 0;
  loop->AddTimer(std::chrono::milliseconds(2), [&] { ++fast; });
  loop->AddTimer(std::chrono::milliseconds(20), [&] {
    if (++slow == 2) loop->Quit();
  });
  loop->Run();
  EXPECT_EQ(slow, 2);
  EXPECT_GE(fast, 5);
}

TEST(PollLoop, KilledTimer_NeverFiresAgain) {
  auto loop = MakePollLoop(false);
  int killed = 0, atKill = -1;
  EventLoop::TimerId id = loop->AddTimer(std::chrono::milliseconds(1), [&] { ++killed; });
  loop->AddTimer(std::chrono::milliseconds(3), [&] {
    loop->KillTimer(id);
    atKill = killed;
  });
  int ticks = 0;
  loop->AddTimer(std::chrono::milliseconds(10), [&] {
    if (++ticks == 3) loop->Quit();
  });
  loop->Run();
  EXPECT_GT(atKill, 0);
  EXPECT_EQ(killed, atKill);
}

TEST(PollLoop, Sigterm_EndsTheLoop) {
  auto loop = MakePollLoop(true);
  loop->AddTimer(std::chrono::milliseconds(5), [] { kill(getpid(), SIGTERM); });
  loop->Run();  // returns only through the signal
  SUCCEED();
}

}  // namespace
}  // namespace vr
