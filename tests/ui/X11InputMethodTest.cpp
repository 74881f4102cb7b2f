#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/X11Window.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XvfbServer.h"
#include "ui/ThreadTask.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIHostWnd.h"

extern char** environ;

namespace vr {
namespace {

// Upper bound for each step the input method takes; a healthy run needs well
// under a second per step.
constexpr std::chrono::seconds kWatchdog{20};
// Where ibus finds its pinyin engine (Debian's ibus-libpinyin).
constexpr const char* kPinyinComponent = "/usr/share/ibus/component/libpinyin.xml";

bool OnPath(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

// A process group we started (the daemon and whatever it starts itself);
// terminated and reaped with the object.
struct ProcessGroup {
  pid_t pid = -1;
  ProcessGroup() = default;
  ProcessGroup(const ProcessGroup&) = delete;
  ProcessGroup& operator=(const ProcessGroup&) = delete;
  ~ProcessGroup() { Stop(); }
  void Stop() {
    if (pid <= 0) return;
    kill(-pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        break;
      }
      usleep(10000);
    }
    kill(-pid, SIGKILL);  // members that outlived the leader
    pid = -1;
  }
};

// Starts `args` in a new process group with stderr discarded; stdout goes to
// a pipe when `out` is given, else to /dev/null.
bool Spawn(const std::vector<std::string>& args, ProcessGroup* group, int* out = nullptr) {
  int fds[2] = {-1, -1};
  if (out && pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out)
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc = posix_spawnp(&group->pid, argv[0], &actions, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (out) {
    close(fds[1]);
    *out = fds[0];
  }
  if (rc != 0) group->pid = -1;
  return rc == 0;
}

// Runs a short command to its end (bounded) and returns its stdout.
std::optional<std::string> RunCommand(const std::vector<std::string>& args) {
  ProcessGroup child;
  int out = -1;
  if (!Spawn(args, &child, &out)) return std::nullopt;
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{out, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char buf[4096];
    const ssize_t n = read(out, buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  close(out);
  return text;
}

// Reads the first line a child writes (bounded), without the line break.
std::optional<std::string> FirstLine(int fd) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char buf[512];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return std::nullopt;
    text.append(buf, static_cast<size_t>(n));
  }
  return text.substr(0, text.find('\n'));
}

// Sets environment variables for the test's lifetime; restores them after.
class ScopedEnv {
 public:
  void Set(const std::string& name, const std::string& value) {
    if (!saved_.count(name)) {
      const char* old = getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
  ~ScopedEnv() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// Whether an XIM server has announced itself on the root window (XIM_SERVERS
// lists "@server=NAME" atoms).
bool XimServerRegistered(Display* d, const std::string& name) {
  const Atom servers = XInternAtom(d, "XIM_SERVERS", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(d, DefaultRootWindow(d), servers, 0, 1024, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data && format == 32) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) {
      char* atomName = XGetAtomName(d, atoms[i]);
      found = atomName && std::string(atomName) == "@server=" + name;
      if (atomName) XFree(atomName);
    }
  }
  if (data) XFree(data);
  return found;
}

// Presses and releases the key of `keysym` through XTest.
void TapKey(Display* d, KeySym keysym) {
  const KeyCode code = XKeysymToKeycode(d, keysym);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XFlush(d);
}

// Xlib waits without limit for an input method's replies, so a server that
// died mid-test would hang it. After kTestLimit this kills the processes the
// test started, the X server last: the blocked connection then ends in an X
// I/O error, which exits the test program with a failure.
class HangGuard {
 public:
  explicit HangGuard(std::vector<pid_t> groups, pid_t xServer)
      : thread_([this, groups, xServer] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (done_.wait_for(lock, kTestLimit, [this] { return finished_; })) return;
          std::fprintf(stderr, "input method test hung; stopping its servers\n");
          for (pid_t g : groups)
            if (g > 0) kill(-g, SIGKILL);
          if (xServer > 0) kill(xServer, SIGKILL);
        }) {}
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;
  ~HangGuard() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    thread_.join();
  }

 private:
  static constexpr std::chrono::seconds kTestLimit{180};
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

// A real pinyin input method (ibus with its libpinyin engine and its XIM
// bridge) on a private X server and D-Bus session bus, all started here.
class X11InputMethodTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* program : {"Xvfb", "dbus-daemon", "ibus-daemon", "ibus"})
      if (!OnPath(program)) GTEST_SKIP() << program << " is not installed (scripts/packages.txt lists it)";
    if (!std::filesystem::exists(kPinyinComponent))
      GTEST_SKIP() << "the ibus pinyin engine is not installed (no " << kPinyinComponent
                   << "; scripts/packages.txt lists ibus-libpinyin)";
    char dir[] = "/tmp/vr-xim-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    home_ = dir;
    std::string error;
    server_ = XvfbServer::Start(&error);
    ASSERT_NE(server_, nullptr) << error;
    // Everything the input method reads or writes stays in the private home.
    env_.Set("HOME", home_);
    env_.Set("XDG_CONFIG_HOME", home_ + "/config");
    env_.Set("XDG_CACHE_HOME", home_ + "/cache");
    env_.Set("XDG_DATA_HOME", home_ + "/data");
    env_.Set("XDG_RUNTIME_DIR", home_);
    env_.Set("GSETTINGS_BACKEND", "memory");
    env_.Set("NO_AT_BRIDGE", "1");  // no accessibility bus for the daemon's GTK parts
    env_.Set("DISPLAY", server_->DisplayName());
    env_.Set("XMODIFIERS", "@im=ibus");
    int out = -1;
    ASSERT_TRUE(Spawn({"dbus-daemon", "--session", "--nofork", "--print-address=1"}, &bus_, &out));
    const std::optional<std::string> address = FirstLine(out);
    close(out);
    ASSERT_TRUE(address && !address->empty()) << "dbus-daemon printed no address";
    env_.Set("DBUS_SESSION_BUS_ADDRESS", *address);
    std::vector<std::string> ibus = {"ibus-daemon", "--xim", "--replace", "--panel=disable"};
    // The in-memory settings store keeps the test away from dconf.
    for (const char* memconf : {"/usr/libexec/ibus-memconf", "/usr/lib/ibus/ibus-memconf"})
      if (access(memconf, X_OK) == 0) ibus.push_back(std::string("--config=") + memconf);
    ASSERT_TRUE(Spawn(ibus, &ibus_));
    guard_ = std::make_unique<HangGuard>(std::vector<pid_t>{ibus_.pid, bus_.pid}, server_->Pid());
  }

  void TearDown() override {
    if (window_) {
      window_->CloseHost();
      window_.reset();
    }
    tasks_.reset();
    sys_.reset();
    ibus_.Stop();
    bus_.Stop();
    guard_.reset();
    server_.reset();
    if (!home_.empty()) std::filesystem::remove_all(home_);
  }

  // Selects the pinyin engine once the daemon answers; false when it never did.
  bool SelectPinyin(std::string* why) {
    const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
    while (std::chrono::steady_clock::now() < deadline) {
      RunCommand({"ibus", "engine", "libpinyin"});
      const std::optional<std::string> engine = RunCommand({"ibus", "engine"});
      if (engine && engine->rfind("libpinyin", 0) == 0) return true;
      usleep(100000);
    }
    const std::optional<std::string> engines = RunCommand({"ibus", "list-engine"});
    *why = "ibus never selected the libpinyin engine; engines: " + engines.value_or("(none)");
    return false;
  }

  bool WaitForXimServer() {
    Display* d = XOpenDisplay(server_->DisplayName().c_str());
    if (!d) return false;
    bool found = false;
    const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
    while (!found && std::chrono::steady_clock::now() < deadline) {
      found = XimServerRegistered(d, "ibus");
      if (!found) usleep(50000);
    }
    XCloseDisplay(d);
    return found;
  }

  // Runs our loop until `done` holds or the watchdog runs out.
  template <typename Pred>
  bool RunUntil(Pred done) {
    WindowLoop& loop = sys_->Loop();
    const auto deadline = std::chrono::steady_clock::now() + kWatchdog;
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      bool running = true;
      const EventLoop::TimerId tick = loop.AddTimer(std::chrono::milliseconds(20), [&] { running = false; });
      loop.RunWhile(running);
      loop.KillTimer(tick);
    }
    return true;
  }

  std::string home_;
  ScopedEnv env_;
  std::unique_ptr<XvfbServer> server_;
  ProcessGroup bus_;
  ProcessGroup ibus_;
  std::unique_ptr<HangGuard> guard_;
  std::unique_ptr<X11WindowSystem> sys_;
  std::unique_ptr<TaskWindow> tasks_;
  UIRefPtr<UIHostWnd> window_;
};

TEST_F(X11InputMethodTest, PinyinTyped_SpaceCommits_ChineseInsertedInFocusedEdit) {
  std::string why;
  ASSERT_TRUE(SelectPinyin(&why)) << why;
  ASSERT_TRUE(WaitForXimServer()) << "ibus-x11 never registered as XIM server @server=ibus";

  sys_ = X11WindowSystem::Open(server_->DisplayName().c_str());
  ASSERT_NE(sys_, nullptr);
  ASSERT_NE(sys_->InputMethod(), nullptr) << "XOpenIM failed with XMODIFIERS=@im=ibus";
  tasks_ = std::make_unique<TaskWindow>(sys_->Loop());
  window_ = UIRefPtr<UIHostWnd>(new UIHostWnd(*sys_, ""));
  WindowParams params;
  params.bounds = WinRect::FromXYWH(50, 50, 320, 100);
  ASSERT_TRUE(window_->CreateNative(params));
  auto* edit = new UIEditCtrl();
  window_->AddChild(edit);
  edit->SetAttribute("pos", "20,30,280,30");
  window_->ShowHost(true);
  ASSERT_TRUE(RunUntil([&] { return window_->Native()->HasKeyboardFocus(); })) << "the window never got focus";
  edit->RequestFocus();
  ASSERT_TRUE(RunUntil([&] { return edit->HasFocus(); }));

  auto* native = static_cast<X11Window*>(window_->Native());
  ASSERT_NE(native->InputContext(), nullptr);
  // ibus offers over-the-spot: its pre-edit follows the caret we report.
  EXPECT_TRUE(native->PreeditAtCaret());
  EXPECT_TRUE(RunUntil([&] { return !native->TextInputRect().IsEmpty(); }));

  Display* keys = XOpenDisplay(server_->DisplayName().c_str());
  ASSERT_NE(keys, nullptr);
  for (KeySym k : {XK_n, XK_i, XK_h, XK_a, XK_o}) TapKey(keys, k);
  TapKey(keys, XK_space);
  const bool committed = RunUntil([&] { return edit->EditText() == "你好"; });
  XCloseDisplay(keys);
  EXPECT_TRUE(committed) << "edit holds \"" << edit->EditText() << "\"";
  // The caret moved past the committed text, and the input method was told.
  EXPECT_EQ(edit->Engine().Caret(), 2u);
  const UIRect caret = edit->CaretRect();
  EXPECT_TRUE(RunUntil([&] { return native->TextInputRect().left == 20 + caret.left; }));
}

}  // namespace
}  // namespace vr
