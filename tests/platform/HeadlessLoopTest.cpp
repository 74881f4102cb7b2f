#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <unistd.h>

#include "platform/TaskQueue.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace vr {
namespace {

using std::chrono::milliseconds;

TEST(HeadlessLoop, TimersOfDifferentPeriods_AdvanceClock_FireInDueOrder) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  std::vector<std::pair<char, long>> fired;
  auto start = sys.Now();
  auto at = [&] { return static_cast<long>(std::chrono::duration_cast<milliseconds>(sys.Now() - start).count()); };
  loop.AddTimer(milliseconds(30), [&] { fired.emplace_back('a', at()); });
  loop.AddTimer(milliseconds(20), [&] { fired.emplace_back('b', at()); });
  loop.AddTimer(milliseconds(50), [&] { fired.emplace_back('c', at()); });
  sys.AdvanceClock(milliseconds(60));
  std::vector<std::pair<char, long>> expected = {{'b', 20}, {'a', 30}, {'b', 40}, {'c', 50}, {'a', 60}, {'b', 60}};  // ties: the older timer first
  EXPECT_EQ(fired, expected);
}

TEST(HeadlessLoop, TimerDueLater_AdvanceClockShort_DoesNotFire) {
  HeadlessWindowSystem sys;
  int ticks = 0;
  sys.Loop().AddTimer(milliseconds(100), [&] { ++ticks; });
  sys.AdvanceClock(milliseconds(99));
  EXPECT_EQ(ticks, 0);
  sys.AdvanceClock(milliseconds(1));
  EXPECT_EQ(ticks, 1);
}

TEST(HeadlessLoop, TimerKilledByEarlierCallback_SameInstant_NeverFires) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  int second = 0;
  EventLoop::TimerId victim = 0;
  loop.AddTimer(milliseconds(10), [&] { loop.KillTimer(victim); });
  victim = loop.AddTimer(milliseconds(10), [&] { ++second; });
  sys.AdvanceClock(milliseconds(100));
  EXPECT_EQ(second, 0);
}

TEST(HeadlessLoop, NoTimers_RunUntilIdle_ReturnsWithoutWork) {
  HeadlessWindowSystem sys;
  EXPECT_FALSE(sys.RunUntilIdle());
}

TEST(HeadlessLoop, NestedLoop_FlagClearedByTimer_ReturnsToOuterWhichContinues) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  bool modal = true;
  std::vector<std::string> trace;
  int depthInside = 0;
  // The idle hook plays the test's part: whenever the loop runs dry, time moves.
  sys.SetIdleHook([&] {
    sys.AdvanceClock(milliseconds(10));
    return true;
  });
  loop.AddTimer(milliseconds(10), [&] {
    if (trace.empty()) {
      trace.push_back("enter");
      loop.RunWhile(modal);
      trace.push_back("left");
    } else if (modal) {
      depthInside = loop.Depth();
      trace.push_back("end");
      modal = false;
    } else {
      trace.push_back("quit");
      loop.Quit();
    }
  });
  loop.Run();
  EXPECT_EQ(trace, (std::vector<std::string>{"enter", "end", "left", "quit"}));
  EXPECT_EQ(depthInside, 2);
  EXPECT_EQ(loop.Depth(), 0);
}

TEST(HeadlessLoop, QuitInsideNestedLoop_EndsOuterLoopToo) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  bool modal = true;
  bool outerReturned = false;
  ASSERT_TRUE(loop.PostTask([&] {
    ASSERT_TRUE(loop.PostTask([&] { loop.Quit(); }));
    loop.RunWhile(modal);
  }));
  loop.Run();
  outerReturned = true;
  EXPECT_TRUE(outerReturned);
  EXPECT_TRUE(modal);  // ended by the quit, not by the flag
}

TEST(HeadlessLoop, WorkerPostsTask_RunsOnUiThreadInOrder) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  std::vector<int> order;
  std::thread::id ranOn;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) loop.PostTask([&, i] { order.push_back(i); ranOn = std::this_thread::get_id(); });
    loop.PostTask([&] { loop.Quit(); });
  });
  loop.Run();  // sleeps on the eventfd until the worker's tasks arrive
  worker.join();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(HeadlessLoop, WorkerSendsTaskDuringNestedLoop_TaskRunsAndSendReturnsAfter) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  bool modal = true;
  std::atomic<bool> sendReturned{false};
  bool ranBeforeReturn = false;
  int depthWhenRun = 0;
  std::thread worker;
  loop.PostTask([&] {
    worker = std::thread([&] {
      bool ok = loop.SendTask([&] {
        depthWhenRun = loop.Depth();
        ranBeforeReturn = !sendReturned.load();
        modal = false;
      });
      sendReturned = ok;
    });
    loop.RunWhile(modal);  // the modal loop is what runs the sent task
    loop.Quit();
  });
  loop.Run();
  worker.join();
  EXPECT_TRUE(sendReturned.load());
  EXPECT_TRUE(ranBeforeReturn);
  EXPECT_EQ(depthWhenRun, 2);
}

TEST(HeadlessLoop, SendTaskOnUiThread_RunsAtOnce) {
  HeadlessWindowSystem sys;
  bool ran = false;
  EXPECT_TRUE(sys.Loop().SendTask([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

TEST(TaskQueue, ClosedWhileWorkerWaitsInSend_SendReturnsFalseWithoutRunning) {
  TaskQueue queue;
  std::atomic<int> result{-1};
  bool ran = false;
  std::thread worker([&] { result = queue.Send([&] { ran = true; }) ? 1 : 0; });
  while (queue.Empty()) std::this_thread::yield();  // the worker is now waiting
  queue.Close();
  worker.join();
  EXPECT_EQ(result.load(), 0);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(queue.Post([] {}));
}

TEST(HeadlessLoop, WatchedDescriptorReadable_CallbackRuns) {
  HeadlessWindowSystem sys;
  WindowLoop& loop = sys.Loop();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  int calls = 0;
  loop.WatchReadable(fds[0], [&] {
    char c;
    ASSERT_EQ(read(fds[0], &c, 1), 1);
    ++calls;
    loop.Quit();
  });
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  loop.Run();
  loop.UnwatchReadable(fds[0]);
  close(fds[0]);
  close(fds[1]);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace vr
