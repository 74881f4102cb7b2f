#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include "platform/MonitorLayout.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "WindowTestSupport.h"

namespace vr {
namespace {

using T = WindowEventType;

WindowParams At(int x, int y, int w, int h) {
  WindowParams p;
  p.bounds = WinRect::FromXYWH(x, y, w, h);
  return p;
}

class HeadlessWindowTest : public ::testing::Test {
 protected:
  // Two overlapping windows, B above A: A spans (100,100)-(300,300), B (200,200)-(400,400).
  void SetUp() override {
    a_ = sys_.CreateWindow(At(100, 100, 200, 200), ha_);
    b_ = sys_.CreateWindow(At(200, 200, 200, 200), hb_);
    a_->Show(false);
    b_->Show(false);
    sys_.RunUntilIdle();
    ha_.events.clear();
    hb_.events.clear();
  }

  HeadlessWindowSystem sys_;
  RecordingHandler ha_, hb_;
  std::unique_ptr<NativeWindow> a_, b_;
};

TEST_F(HeadlessWindowTest, ClickWhereWindowsOverlap_ReachesTopWindowInClientCoordinates) {
  sys_.Click({250, 260});
  sys_.RunUntilIdle();
  auto downs = hb_.OfType(T::kButtonDown);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].pos, (WinPoint{50, 60}));
  EXPECT_EQ(downs[0].screenPos, (WinPoint{250, 260}));
  EXPECT_EQ(downs[0].mods, winmod::kLButton);
  EXPECT_EQ(hb_.OfType(T::kButtonUp).size(), 1u);
  EXPECT_EQ(hb_.OfType(T::kButtonUp)[0].mods, 0u);
  EXPECT_TRUE(ha_.OfType(T::kButtonDown).empty());
}

TEST_F(HeadlessWindowTest, ClickOnInactiveWindow_ActivatesBeforeButtonDown) {
  sys_.Click({120, 120});
  sys_.RunUntilIdle();
  EXPECT_EQ(ha_.Types(), (std::vector<T>{T::kMouseEnter, T::kMouseMove, T::kActivate, T::kFocusIn,
                                          T::kButtonDown, T::kButtonUp}));
  EXPECT_TRUE(a_->HasKeyboardFocus());
  sys_.Click({390, 390});
  sys_.RunUntilIdle();
  // A loses activation before B hears of its click.
  EXPECT_EQ(ha_.events.back().type, T::kFocusOut);
  EXPECT_EQ(ha_.events[ha_.events.size() - 2].type, T::kDeactivate);
  EXPECT_EQ(sys_.ActiveWindow(), b_->Id());
}

TEST_F(HeadlessWindowTest, PointerMovesBetweenWindows_LeaveThenEnter) {
  sys_.MoveMouse({150, 150});
  sys_.MoveMouse({350, 350});
  sys_.MoveMouse({10, 10});
  sys_.RunUntilIdle();
  EXPECT_EQ(ha_.Types(), (std::vector<T>{T::kMouseEnter, T::kMouseMove, T::kMouseLeave}));
  EXPECT_EQ(hb_.Types(), (std::vector<T>{T::kMouseEnter, T::kMouseMove, T::kMouseLeave}));
}

TEST_F(HeadlessWindowTest, CaptureHeld_PointerOverOtherWindow_EventsGoToCapturer) {
  sys_.MoveMouse({150, 150});
  sys_.RunUntilIdle();
  a_->SetCapture();
  sys_.MoveMouse({350, 350});
  sys_.PressButton(MouseButton::kLeft);
  sys_.RunUntilIdle();
  EXPECT_TRUE(hb_.events.empty());
  auto moves = ha_.OfType(T::kMouseMove);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[1].pos, (WinPoint{250, 250}));  // outside its own client area
  EXPECT_EQ(ha_.OfType(T::kMouseLeave).size(), 0u);
  a_->ReleaseCapture();
  sys_.RunUntilIdle();
  // The crossing it missed is reported once it lets go.
  EXPECT_EQ(ha_.events.back().type, T::kMouseLeave);
  EXPECT_EQ(hb_.events.back().type, T::kMouseEnter);
}

TEST_F(HeadlessWindowTest, OtherWindowTakesCapture_FirstGetsCaptureLost) {
  a_->SetCapture();
  b_->SetCapture();
  sys_.RunUntilIdle();
  EXPECT_EQ(ha_.OfType(T::kCaptureLost).size(), 1u);
  EXPECT_FALSE(a_->HasCapture());
  EXPECT_TRUE(b_->HasCapture());
}

TEST_F(HeadlessWindowTest, KeysAndText_GoToActiveWindowWithVirtualKeysAndModifiers) {
  b_->TakeKeyboardFocus();
  sys_.PressKey(vk::kShift);
  sys_.PressKey('A');
  sys_.TypeText("A日");
  sys_.ReleaseKey('A');
  sys_.ReleaseKey(vk::kShift);
  sys_.RunUntilIdle();
  EXPECT_TRUE(ha_.OfType(T::kKeyDown).empty());
  auto downs = hb_.OfType(T::kKeyDown);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[1].virtualKey, 'A');
  EXPECT_EQ(downs[1].mods, winmod::kShift);
  auto chars = hb_.OfType(T::kChar);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].codePoint, U'A');
  EXPECT_EQ(chars[1].codePoint, U'日');
  EXPECT_EQ(chars[1].text, "日");
  EXPECT_EQ(hb_.OfType(T::kKeyUp).back().virtualKey, vk::kShift);
}

TEST_F(HeadlessWindowTest, KeyHeldDown_SecondPressIsRepeat) {
  b_->TakeKeyboardFocus();
  sys_.PressKey(vk::kDown);
  sys_.PressKey(vk::kDown);
  sys_.RunUntilIdle();
  auto downs = hb_.OfType(T::kKeyDown);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_FALSE(downs[0].repeat);
  EXPECT_TRUE(downs[1].repeat);
}

TEST_F(HeadlessWindowTest, TwoQuickClicksInPlace_SecondIsDoubleClickThirdIsSingle) {
  sys_.Click({350, 350});
  sys_.AdvanceClock(std::chrono::milliseconds(100));
  sys_.Click({351, 351});
  sys_.Click({351, 351});
  sys_.AdvanceClock(std::chrono::milliseconds(600));
  sys_.Click({351, 351});
  sys_.Click({360, 351});  // too far from the one before
  sys_.RunUntilIdle();
  std::vector<int> clicks;
  for (const WindowEvent& e : hb_.OfType(T::kButtonDown)) clicks.push_back(e.clicks);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 1, 1, 1}));
}

TEST_F(HeadlessWindowTest, SetBounds_ReportsMoveResizeAndExposeWhole) {
  a_->SetBounds(WinRect::FromXYWH(10, 20, 50, 40));
  sys_.RunUntilIdle();
  EXPECT_EQ(ha_.Types(), (std::vector<T>{T::kMoved, T::kResized, T::kExpose}));
  EXPECT_EQ(ha_.events[1].bounds, WinRect::FromXYWH(10, 20, 50, 40));
  EXPECT_EQ(ha_.events[2].rect, (WinRect{0, 0, 50, 40}));
  EXPECT_EQ(cairo_image_surface_get_width(a_->BackBuffer()), 50);
}

TEST_F(HeadlessWindowTest, LayerAbove_StaysOverLaterRaisedNormalWindow) {
  a_->SetLayer(WindowLayer::kAbove);
  b_->BringToFront();
  EXPECT_EQ(sys_.WindowAt({250, 250}), a_->Id());
  EXPECT_EQ(sys_.StackingOrder(), (std::vector<uint64_t>{b_->Id(), a_->Id()}));
  a_->Hide();
  EXPECT_EQ(sys_.WindowAt({250, 250}), b_->Id());
}

TEST_F(HeadlessWindowTest, WindowDestroyedByItsOwnHandler_RemainingEventsAreDropped) {
  hb_.react = [&](const WindowEvent& e) {
    if (e.type == T::kButtonDown) b_.reset();
  };
  sys_.Click({350, 350});
  sys_.MoveMouse({250, 250});  // now over A
  sys_.RunUntilIdle();
  EXPECT_FALSE(b_);
  EXPECT_EQ(hb_.events.back().type, T::kButtonDown);
  EXPECT_EQ(ha_.OfType(T::kMouseMove).size(), 1u);
}

TEST_F(HeadlessWindowTest, PaintSmallRectAndPresent_OnlyThatRectReachesScreen) {
  cairo_surface_t* back = b_->BackBuffer();
  ASSERT_NE(back, nullptr);
  cairo_t* cr = cairo_create(back);
  cairo_set_source_rgba(cr, 1, 0, 0, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
  b_->Present(WinRect{10, 10, 20, 30});
  EXPECT_EQ(sys_.ScreenPixel(b_->Id(), 15, 15), 0xFFFF0000u);
  EXPECT_EQ(sys_.ScreenPixel(b_->Id(), 25, 15), 0u);
  EXPECT_EQ(sys_.ScreenPixel(b_->Id(), 15, 35), 0u);
  auto* hw = sys_.Find(b_->Id());
  EXPECT_EQ(hw->PresentCount(), 1);
  EXPECT_EQ(hw->LastPresented(), (WinRect{10, 10, 20, 30}));
}

TEST_F(HeadlessWindowTest, PresentedFrame_SavedAsPngReadsBackSamePixels) {
  cairo_t* cr = cairo_create(a_->BackBuffer());
  cairo_set_source_rgba(cr, 0, 0.5, 0, 0.5);  // premultiplied on store
  cairo_paint(cr);
  cairo_destroy(cr);
  a_->Present(WinRect{0, 0, 200, 200});
  std::string path = testing::TempDir() + "headless_window_" + std::to_string(getpid()) + ".png";
  ASSERT_TRUE(sys_.SaveScreenPng(a_->Id(), path));
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 200);
  const uint32_t* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png));
  EXPECT_EQ(px[0], sys_.ScreenPixel(a_->Id(), 0, 0));
  EXPECT_EQ(px[0] >> 24, 0x80u);
  cairo_surface_destroy(png);
  std::remove(path.c_str());
}

TEST(HeadlessScreen, ConfiguredMonitors_ReportedPrimaryFirstWithWorkAreas) {
  HeadlessOptions options;
  options.monitors = {{WinRect{0, 0, 1920, 1080}, WinRect{0, 0, 1920, 1040}, true},
                      {WinRect{1920, 0, 3200, 1024}, WinRect{1920, 30, 3200, 1024}, false}};
  HeadlessWindowSystem sys(options);
  auto mons = sys.Monitors();
  ASSERT_EQ(mons.size(), 2u);
  EXPECT_EQ(mons[0].workArea, (WinRect{0, 0, 1920, 1040}));
  EXPECT_EQ(mons[1].workArea, (WinRect{1920, 30, 3200, 1024}));
  EXPECT_EQ(NearestMonitor(mons, WinRect::FromXYWH(1900, 100, 200, 100)), 1u);  // mostly on the second
  EXPECT_EQ(NearestMonitor(mons, WinRect::FromXYWH(-500, 100, 100, 100)), 0u);  // off screen, left
}

TEST(HeadlessScreen, NoMonitorsGiven_OneDefaultScreen) {
  HeadlessOptions options;
  options.monitors.clear();
  HeadlessWindowSystem sys(options);
  ASSERT_EQ(sys.Monitors().size(), 1u);
  EXPECT_EQ(sys.Monitors()[0].area, (WinRect{0, 0, 1280, 800}));
}

struct WorkAreaCase {
  WinRect monitor, desktop, expected;
};

class MonitorWorkAreaTest : public ::testing::TestWithParam<WorkAreaCase> {};

TEST_P(MonitorWorkAreaTest, DesktopWorkArea_ClippedToMonitor) {
  const WorkAreaCase& c = GetParam();
  EXPECT_EQ(MonitorWorkArea(c.monitor, c.desktop), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonitorWorkAreaTest,
    ::testing::Values(WorkAreaCase{{0, 0, 1280, 800}, {0, 0, 1280, 770}, {0, 0, 1280, 770}},       // bottom panel
                      WorkAreaCase{{1280, 0, 2560, 800}, {0, 30, 2560, 800}, {1280, 30, 2560, 800}},  // spans both
                      WorkAreaCase{{0, 0, 1280, 800}, {5000, 0, 6000, 10}, {0, 0, 1280, 800}}));  // bogus

}  // namespace
}  // namespace vr
