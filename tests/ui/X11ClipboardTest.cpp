#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/SystemClipboard.h"
#include "platform/VirtualKeys.h"
#include "platform/linux/X11Clipboard.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XvfbServer.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIHeadlessHost.h"

extern char** environ;

namespace vr {
namespace {

// Upper bound for anything the peer does; a healthy run needs milliseconds.
constexpr std::chrono::seconds kWatchdog{20};

bool HaveXclip() { return std::system("command -v xclip >/dev/null 2>&1") == 0; }

// A child process with its stdout in a pipe (or sent to /dev/null).
struct Child {
  pid_t pid = -1;
  int out = -1;
  ~Child() {
    if (out >= 0) close(out);
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
};

bool Spawn(const std::vector<std::string>& args, bool capture, Child* child) {
  int fds[2] = {-1, -1};
  if (capture && pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (capture) {
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc = posix_spawnp(&child->pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (capture) {
    close(fds[1]);
    child->out = fds[0];
  }
  return rc == 0;
}

// Text of `bytes` bytes or more, mixing Chinese and ASCII, lines included.
std::string SampleText(size_t bytes) {
  std::string s;
  int i = 0;
  while (s.size() < bytes) s += "第" + std::to_string(i++) + "行：剪贴板往返 clipboard round trip\n";
  return s;
}

class X11ClipboardTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!XvfbServer::Available()) return;
    std::string error;
    server_ = XvfbServer::Start(&error).release();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }

  void SetUp() override {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    if (!HaveXclip()) GTEST_SKIP() << "xclip is not installed (scripts/packages.txt lists it)";
    ASSERT_NE(server_, nullptr);
    sys_ = X11WindowSystem::Open(server_->DisplayName().c_str());
    ASSERT_NE(sys_, nullptr);
    clipboard_ = X11Clipboard::Create(*sys_);
    ASSERT_NE(clipboard_, nullptr);
  }
  void TearDown() override {
    clipboard_.reset();
    sys_.reset();
  }

  // Runs our loop (which answers the peer's requests) while reading the
  // peer's stdout to its end.
  std::string RunPeerReading(Child& child) {
    std::string got;
    bool running = true;
    WindowLoop& loop = sys_->Loop();
    loop.WatchReadable(child.out, [&] {
      char buf[65536];
      const ssize_t n = read(child.out, buf, sizeof buf);
      if (n > 0) {
        got.append(buf, static_cast<size_t>(n));
      } else {
        running = false;
      }
    });
    const EventLoop::TimerId watchdog = loop.AddTimer(kWatchdog, [&] { running = false; });
    loop.RunWhile(running);
    loop.KillTimer(watchdog);
    loop.UnwatchReadable(child.out);
    return got;
  }

  // Runs our loop (so that the selection-clear reaches us) until another
  // client owns the selection; false when the watchdog ran out.
  bool WaitForForeignOwner() {
    Display* d = sys_->GetDisplay();
    const Atom clip = XInternAtom(d, "CLIPBOARD", False);
    WindowLoop& loop = sys_->Loop();
    const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
    while (std::chrono::steady_clock::now() < deadline) {
      bool running = true;
      const EventLoop::TimerId tick = loop.AddTimer(std::chrono::milliseconds(20), [&] { running = false; });
      loop.RunWhile(running);
      loop.KillTimer(tick);
      const Window owner = XGetSelectionOwner(d, clip);
      if (owner != None && !clipboard_->Owns()) return true;
    }
    return false;
  }

  std::string WriteTemp(const std::string& text) {
    char path[] = "/tmp/vr-clip-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    close(fd);
    std::ofstream(path, std::ios::binary) << text;
    temps_.push_back(path);
    return path;
  }
  ~X11ClipboardTest() override {
    for (const std::string& p : temps_) unlink(p.c_str());
  }

  static XvfbServer* server_;
  std::unique_ptr<X11WindowSystem> sys_;
  std::unique_ptr<X11Clipboard> clipboard_;
  std::vector<std::string> temps_;
};

XvfbServer* X11ClipboardTest::server_ = nullptr;

struct SizeCase {
  const char* name;
  size_t bytes;
};

class X11ClipboardSizes : public X11ClipboardTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(X11ClipboardSizes, OwnedText_PeerReads_SameBytes) {
  const std::string text = SampleText(GetParam().bytes);
  ASSERT_TRUE(clipboard_->SetText(text));
  EXPECT_TRUE(clipboard_->Owns());
  Child peer;
  ASSERT_TRUE(Spawn({"xclip", "-display", server_->DisplayName(), "-selection", "clipboard", "-o"}, true, &peer));
  const std::string got = RunPeerReading(peer);
  EXPECT_EQ(got.size(), text.size());
  EXPECT_TRUE(got == text);
  EXPECT_EQ(clipboard_->PendingTransfers(), 0u);
}

TEST_P(X11ClipboardSizes, PeerOwnsText_GetText_SameBytes) {
  const std::string text = SampleText(GetParam().bytes);
  Child peer;
  ASSERT_TRUE(Spawn({"xclip", "-display", server_->DisplayName(), "-selection", "clipboard", "-i", "-quiet",
                     WriteTemp(text)},
                    false, &peer));
  ASSERT_TRUE(WaitForForeignOwner());
  const std::optional<std::string> got = clipboard_->GetText();
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->size(), text.size());
  EXPECT_TRUE(*got == text);
}

// 64 KB and less go in one property; the larger ones in INCR chunks.
INSTANTIATE_TEST_SUITE_P(Clipboard, X11ClipboardSizes,
                         ::testing::Values(SizeCase{"Small", 100}, SizeCase{"Incr", 3u << 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(X11ClipboardTest, PeerTakesSelection_SelectionClear_NoLongerOwned) {
  ASSERT_TRUE(clipboard_->SetText("ours"));
  Child peer;
  ASSERT_TRUE(Spawn({"xclip", "-display", server_->DisplayName(), "-selection", "clipboard", "-i", "-quiet",
                     WriteTemp("theirs")},
                    false, &peer));
  ASSERT_TRUE(WaitForForeignOwner());
  EXPECT_EQ(clipboard_->GetText(), "theirs");
}

TEST_F(X11ClipboardTest, NobodyOwns_GetText_Nothing) {
  Display* d = sys_->GetDisplay();
  XSetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False), None, CurrentTime);
  XSync(d, False);
  EXPECT_FALSE(clipboard_->GetText().has_value());
}

TEST_F(X11ClipboardTest, EditCopyThenPaste_ThroughX11_RoundTrip) {
  SetProcessClipboard(clipboard_.get());
  auto host = UIHeadlessHost::Create(300, 60);
  auto* from = new UIEditCtrl();
  auto* to = new UIEditCtrl();
  host->AddChild(from);
  host->AddChild(to);
  from->SetAttribute("txt", "复制粘贴 copy");
  from->SelectAll();
  EXPECT_TRUE(from->Copy());
  // A peer reads what the edit copied...
  Child reader;
  ASSERT_TRUE(Spawn({"xclip", "-display", server_->DisplayName(), "-selection", "clipboard", "-o"}, true, &reader));
  EXPECT_EQ(RunPeerReading(reader), "复制粘贴 copy");
  // ...and the edit pastes what a peer offers.
  Child writer;
  ASSERT_TRUE(Spawn({"xclip", "-display", server_->DisplayName(), "-selection", "clipboard", "-i", "-quiet",
                     WriteTemp("来自别的程序")},
                    false, &writer));
  ASSERT_TRUE(WaitForForeignOwner());
  EXPECT_TRUE(to->Paste());
  EXPECT_EQ(to->EditText(), "来自别的程序");
  SetProcessClipboard(nullptr);
}

}  // namespace
}  // namespace vr
