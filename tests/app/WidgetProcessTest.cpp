// Runs the real program as separate processes: the single-instance handshake
// and the role switch are about processes, so they are tested as processes.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>
#include "tests/support/TempFolder.h"

namespace vr {
namespace {

using test::TempFolder;

const std::string kProgram = std::string(VR_BIN_DIR) + "/veskorili";

// A child running the program with its stdout on a pipe.
class Child {
 public:
  Child(const std::string& runtimeDir, std::vector<std::string> args) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
      setenv("XDG_DATA_HOME", (runtimeDir + "/data").c_str(), 1);
      std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(kProgram.c_str(), argv.data());
      _exit(127);
    }
    close(fds[1]);
    out_ = fds[0];
  }
  ~Child() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }

  // Reads until `lines` complete lines have arrived or the time runs out.
  int ReadLines(int lines, int timeoutMs = 5000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Count() < lines && std::chrono::steady_clock::now() < end) {
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char buf[256];
      ssize_t n = read(out_, buf, sizeof buf);
      if (n <= 0) break;
      text_.append(buf, static_cast<size_t>(n));
    }
    return Count();
  }

  // Waits for the exit; returns the exit code, or -1 on a signal or time-out.
  int Wait(int timeoutMs = 5000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10000);
    }
    return -1;
  }

  void Signal(int sig) { kill(pid_, sig); }
  const std::string& text() const { return text_; }

 private:
  int Count() const { return static_cast<int>(std::count(text_.begin(), text_.end(), '\n')); }
  pid_t pid_ = -1;
  int out_ = -1;
  bool exited_ = false;
  std::string text_;
};

TEST(WidgetProcess, SecondStart_ShowsTheRunningOneAndExitsZero) {
  TempFolder dir;
  Child first(dir.Path(), {});
  ASSERT_EQ(first.ReadLines(1), 1) << "the widget printed no date line";
  EXPECT_NE(first.text().find("年"), std::string::npos);

  Child second(dir.Path(), {});
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_EQ(second.ReadLines(1, 200), 0) << "the second start must not run a widget";
  EXPECT_EQ(first.ReadLines(2), 2) << "the running widget was not shown";

  first.Signal(SIGTERM);
  EXPECT_EQ(first.Wait(), 0) << "Ctrl-C/SIGTERM must end through the shutdown order";
}

TEST(WidgetProcess, AfterAKill_NextStartRuns) {
  TempFolder dir;
  {
    Child crashed(dir.Path(), {});
    ASSERT_EQ(crashed.ReadLines(1), 1);
    crashed.Signal(SIGKILL);
    EXPECT_EQ(crashed.Wait(), -1);
  }
  Child next(dir.Path(), {});
  EXPECT_EQ(next.ReadLines(1), 1) << "a crashed instance's files blocked the next start";
  next.Signal(SIGINT);
  EXPECT_EQ(next.Wait(), 0);
}

TEST(WidgetProcess, TypeSwitch_RunsOnlyTheBrowserRole) {
  TempFolder dir;
  Child widget(dir.Path(), {});
  ASSERT_EQ(widget.ReadLines(1), 1);
  // Even with a widget running, a --type process is not a second instance:
  // it must not signal the widget, and it ends with 0.
  Child helper(dir.Path(), {"--lang=zh", "x--type=renderer"});
  EXPECT_EQ(helper.Wait(), 0);
  EXPECT_EQ(widget.ReadLines(2, 300), 1);
  widget.Signal(SIGTERM);
  EXPECT_EQ(widget.Wait(), 0);
}

}  // namespace
}  // namespace vr
