#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <thread>

#include "platform/linux/X11BackBuffer.h"
#include "platform/linux/X11Window.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XvfbServer.h"
#include "WindowTestSupport.h"

namespace vr {
namespace {

using T = WindowEventType;
using std::chrono::milliseconds;

// Upper bound for any wait on the server; a healthy run needs milliseconds.
constexpr milliseconds kWatchdog{10000};

class X11WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!XvfbServer::Available()) return;
    std::string error;
    server_ = XvfbServer::Start(&error).release();
    if (!server_) startError_ = new std::string(error);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
    delete startError_;
    startError_ = nullptr;
  }

  void SetUp() override {
    if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_NE(server_, nullptr) << *startError_;
    sys_ = X11WindowSystem::Open(server_->DisplayName().c_str());
    ASSERT_NE(sys_, nullptr);
    probe_ = XOpenDisplay(server_->DisplayName().c_str());
    ASSERT_NE(probe_, nullptr);
  }
  void TearDown() override {
    if (probe_) XCloseDisplay(probe_);
  }

  // Runs the window loop until `done` says so; false when the watchdog fired.
  bool RunUntil(RecordingHandler& h, std::function<bool()> done) {
    bool running = !done();
    bool timedOut = false;
    WindowLoop& loop = sys_->Loop();
    h.react = [&](const WindowEvent&) {
      if (done()) running = false;
    };
    EventLoop::TimerId watchdog = loop.AddTimer(kWatchdog, [&] {
      timedOut = true;
      running = false;
    });
    loop.RunWhile(running);
    loop.KillTimer(watchdog);
    h.react = nullptr;
    return !timedOut;
  }

  static size_t Count(const RecordingHandler& h, T type) { return h.OfType(type).size(); }

  // Pixel of a window as the server holds it, without alpha.
  uint32_t ServerPixel(Window w, int x, int y) {
    XImage* img = XGetImage(probe_, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0xDEADBEEF;
    uint32_t p = static_cast<uint32_t>(XGetPixel(img, 0, 0)) & 0xFFFFFF;
    XDestroyImage(img);
    return p;
  }

  static void Fill(cairo_surface_t* s, double r, double g, double b) {
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, r, g, b, 1);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
  }

  static XvfbServer* server_;
  static std::string* startError_;
  std::unique_ptr<X11WindowSystem> sys_;
  Display* probe_ = nullptr;
};

XvfbServer* X11WindowTest::server_ = nullptr;
std::string* X11WindowTest::startError_ = nullptr;

TEST_F(X11WindowTest, ArgbWindow_MappedPushedAndClicked_ShowsColourAndGetsClick) {
  RecordingHandler h;
  WindowParams p;
  p.bounds = WinRect::FromXYWH(50, 60, 64, 48);
  p.title = "smoke";
  auto w = sys_->CreateWindow(p, h);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->HasAlpha());
  w->Show(true);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kShown) && Count(h, T::kExpose); }));

  cairo_surface_t* back = w->BackBuffer();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(cairo_image_surface_get_width(back), 64);
  Fill(back, 0x20 / 255.0, 0x80 / 255.0, 0xC0 / 255.0);
  w->Present(WinRect{0, 0, 64, 48});
  XSync(sys_->GetDisplay(), False);
  Window xid = static_cast<Window>(w->Id());
  EXPECT_EQ(ServerPixel(xid, 0, 0), 0x2080C0u);
  EXPECT_EQ(ServerPixel(xid, 63, 47), 0x2080C0u);

  XTestFakeMotionEvent(probe_, DefaultScreen(probe_), 50 + 10, 60 + 20, CurrentTime);
  XTestFakeButtonEvent(probe_, 1, True, CurrentTime);
  XTestFakeButtonEvent(probe_, 1, False, CurrentTime);
  XFlush(probe_);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kButtonUp) > 0; }));
  auto downs = h.OfType(T::kButtonDown);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].pos, (WinPoint{10, 20}));
  EXPECT_EQ(downs[0].screenPos, (WinPoint{60, 80}));
  EXPECT_EQ(downs[0].button, MouseButton::kLeft);
  EXPECT_EQ(downs[0].clicks, 1);
  // Without a window manager the click gives the window the focus itself.
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kFocusIn) > 0; }));
  EXPECT_TRUE(w->HasKeyboardFocus());
}

TEST_F(X11WindowTest, KeyTyped_ArrivesAsVirtualKeyAndCharacter) {
  RecordingHandler h;
  WindowParams p;
  p.bounds = WinRect::FromXYWH(0, 0, 40, 40);
  auto w = sys_->CreateWindow(p, h);
  ASSERT_NE(w, nullptr);
  w->Show(true);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kFocusIn) > 0; }));
  KeyCode a = XKeysymToKeycode(probe_, XK_a);
  XTestFakeKeyEvent(probe_, a, True, CurrentTime);
  XTestFakeKeyEvent(probe_, a, False, CurrentTime);
  XFlush(probe_);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kKeyUp) > 0; }));
  ASSERT_EQ(Count(h, T::kKeyDown), 1u);
  EXPECT_EQ(h.OfType(T::kKeyDown)[0].virtualKey, 'A');
  ASSERT_EQ(Count(h, T::kChar), 1u);
  EXPECT_EQ(h.OfType(T::kChar)[0].codePoint, U'a');
}

TEST_F(X11WindowTest, PlainMemoryBuffer_PutImage_ShowsColour) {
  RecordingHandler h;
  WindowParams p;
  p.bounds = WinRect::FromXYWH(100, 100, 30, 20);
  auto w = sys_->CreateWindow(p, h);
  ASSERT_NE(w, nullptr);
  w->Show(false);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kExpose) > 0; }));
  Display* d = sys_->GetDisplay();
  XVisualInfo info;
  ASSERT_TRUE(XMatchVisualInfo(d, DefaultScreen(d), 32, TrueColor, &info));
  X11BackBuffer plain(d, info.visual, 32, /*tryShm=*/false);
  cairo_surface_t* s = plain.Surface(30, 20);
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(plain.UsesShm());
  Fill(s, 1, 0, 0);
  GC gc = XCreateGC(d, static_cast<Window>(w->Id()), 0, nullptr);
  plain.Push(static_cast<Window>(w->Id()), gc, WinRect{0, 0, 30, 20});
  XFreeGC(d, gc);
  XSync(d, False);
  EXPECT_EQ(ServerPixel(static_cast<Window>(w->Id()), 29, 19), 0xFF0000u);
}

TEST_F(X11WindowTest, OpaqueFallbackWindow_CreatedWithDefaultVisual) {
  RecordingHandler h;
  WindowParams p;
  p.perPixelAlpha = false;
  auto w = sys_->CreateWindow(p, h);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->HasAlpha());
  w->Show(false);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kExpose) > 0; }));
  Fill(w->BackBuffer(), 0, 1, 0);
  w->Present(WinRect{0, 0, 100, 100});
  XSync(sys_->GetDisplay(), False);
  EXPECT_EQ(ServerPixel(static_cast<Window>(w->Id()), 50, 50), 0x00FF00u);
}

TEST_F(X11WindowTest, SetBounds_ServerConfirms_MovedAndResizedReported) {
  RecordingHandler h;
  WindowParams p;
  p.bounds = WinRect::FromXYWH(10, 10, 50, 50);
  auto w = sys_->CreateWindow(p, h);
  ASSERT_NE(w, nullptr);
  w->Show(false);
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kShown) > 0; }));
  w->SetBounds(WinRect::FromXYWH(200, 150, 80, 70));
  ASSERT_TRUE(RunUntil(h, [&] { return Count(h, T::kResized) > 0; }));
  EXPECT_EQ(h.OfType(T::kResized)[0].bounds, WinRect::FromXYWH(200, 150, 80, 70));
  EXPECT_EQ(Count(h, T::kMoved), 1u);
  EXPECT_EQ(cairo_image_surface_get_width(w->BackBuffer()), 80);
}

TEST_F(X11WindowTest, RootWorkAreaSet_MonitorsReportIt) {
  auto before = sys_->Monitors();
  ASSERT_EQ(before.size(), 1u);
  EXPECT_EQ(before[0].area, (WinRect{0, 0, 1280, 800}));
  EXPECT_EQ(before[0].workArea, before[0].area);
  // What a window manager with a 40-pixel bottom panel publishes.
  long area[4] = {0, 0, 1280, 760};
  Atom workarea = XInternAtom(probe_, "_NET_WORKAREA", False);
  Window root = DefaultRootWindow(probe_);
  XChangeProperty(probe_, root, workarea, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(area), 4);
  XSync(probe_, False);
  auto after = sys_->Monitors();
  XDeleteProperty(probe_, root, workarea);
  XSync(probe_, False);
  EXPECT_EQ(after[0].workArea, (WinRect{0, 0, 1280, 760}));
  EXPECT_TRUE(after[0].primary);
}

TEST_F(X11WindowTest, WorkerSendsTask_LoopWakesAndRunsIt) {
  RecordingHandler h;
  bool running = true;
  bool ran = false;
  std::thread worker([&] {
    sys_->Loop().SendTask([&] {
      ran = true;
      running = false;
    });
  });
  sys_->Loop().RunWhile(running);
  worker.join();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace vr
