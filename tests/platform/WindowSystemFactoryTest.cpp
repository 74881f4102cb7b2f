#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/WindowSystem.h"
#include "WindowTestSupport.h"

namespace vr {
namespace {

// Points $DISPLAY at a server that does not exist, restoring it afterwards.
class NoDisplayGuard {
 public:
  NoDisplayGuard() {
    if (const char* d = std::getenv("DISPLAY")) saved_ = d;
    setenv("DISPLAY", "unix:/nonexistent/socket:0", 1);
  }
  ~NoDisplayGuard() {
    if (saved_)
      setenv("DISPLAY", saved_->c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(WindowSystemFactory, NoXServer_X11IsNullAndAutoFallsBackToHeadless) {
  NoDisplayGuard guard;
  EXPECT_EQ(OpenWindowSystem(WindowSystemKind::kX11), nullptr);
  auto sys = OpenWindowSystem(WindowSystemKind::kAuto);
  ASSERT_NE(sys, nullptr);
  RecordingHandler h;
  auto w = sys->CreateWindow(WindowParams{}, h);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Bounds(), (WinRect{0, 0, 100, 100}));
  EXPECT_EQ(sys->Monitors().size(), 1u);
}

TEST(WindowSystemFactory, Headless_LoopRunsPostedTask) {
  auto sys = OpenWindowSystem(WindowSystemKind::kHeadless);
  ASSERT_NE(sys, nullptr);
  bool ran = false;
  sys->Loop().PostTask([&] {
    ran = true;
    sys->Loop().Quit();
  });
  sys->Loop().Run();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace vr
