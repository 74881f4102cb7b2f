// Host windows on the headless window system: creation from documents,
// input routing, focus, timers, modal loops, tasks, placement and painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "ui/ControlRegistry.h"
#include "ui/FactoryRegistry.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/ThreadTask.h"
#include "ui/UIHostWnd.h"
#include "ui/WindowMessages.h"

namespace vr {
namespace {

using std::chrono::milliseconds;

// A control that records the messages it receives. Optionally focusable,
// capturing on a left press, and raising "click" on a left release.
class Probe : public UIControl {
 public:
  explicit Probe(bool focusable = false, bool captures = false) : focusable_(focusable), captures_(captures) {}
  const char* ClassName() const override { return "Probe"; }
  bool IsFocusable() const override { return focusable_; }
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override {
    messages.push_back(msg);
    if (msg == uimsg::kTimer) timerIndexes.push_back(static_cast<int>(wparam));
    if (msg == uimsg::kLButtonDown && captures_ && Host()) Host()->SetCaptureId(Serial());
    if (msg == uimsg::kLButtonUp) {
      if (Host() && Host()->GetCaptureId() == Serial()) Host()->ReleaseCaptureId();
      FireEvent("click");
    }
    return UIControl::HandleMessage(msg, wparam, lparam, result);
  }
  int Count(uint32_t msg) const { return static_cast<int>(std::count(messages.begin(), messages.end(), msg)); }

  std::vector<uint32_t> messages;
  std::vector<int> timerIndexes;

 private:
  bool focusable_;
  bool captures_;
};

// A page that keeps its children's events for itself, noting their ids in
// `seen` (owned by the test: the page goes with its window).
class Page : public UIControl {
 public:
  explicit Page(std::vector<std::string>* seen) : seen_(seen) { SetReceivesChildEvents(true); }
  bool OnChildEvent(const UIEvent& e) override {
    seen_->push_back(e.id);
    return true;
  }

 private:
  std::vector<std::string>* seen_;
};

// A window that records what its root control receives.
class TestWnd : public UIHostWnd {
 public:
  using UIHostWnd::UIHostWnd;
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override {
    rootMessages.push_back(msg);
    return UIHostWnd::HandleMessage(msg, wparam, lparam, result);
  }
  int RootCount(uint32_t msg) const {
    return static_cast<int>(std::count(rootMessages.begin(), rootMessages.end(), msg));
  }
  std::vector<uint32_t> rootMessages;
};

template <typename T>
T* Add(UIControl* parent, T* child, const std::string& pos, const std::string& id = "") {
  parent->AddChild(child);
  child->SetAttribute("pos", pos);
  if (!id.empty()) child->SetAttribute("id", id);
  return child;
}

class HostWindowTest : public ::testing::Test {
 protected:
  explicit HostWindowTest(HeadlessOptions options = {}) : sys_(std::move(options)) {}

  UIRefPtr<TestWnd> MakeWindow(WinRect bounds, const std::string& doc = "") {
    UIRefPtr<TestWnd> w(new TestWnd(sys_, doc));
    WindowParams params;
    params.bounds = bounds;
    EXPECT_TRUE(w->CreateNative(params));
    return w;
  }
  void ShowAndSettle(TestWnd* w) {
    w->ShowHost(true);
    sys_.RunUntilIdle();
  }
  WinPoint Screen(TestWnd* w, int x, int y) {
    const WinRect b = w->Native()->Bounds();
    return WinPoint{b.left + x, b.top + y};
  }
  HeadlessWindow* Headless(TestWnd* w) { return sys_.Find(w->Native()->Id()); }

  HeadlessWindowSystem sys_;
  TaskWindow tasks_{sys_.Loop()};
};

// --- Creation ---------------------------------------------------------------------

TEST_F(HostWindowTest, Document_CreateNative_WindowTakesDocumentRootSize) {
  RegisterBuiltinFactories();
  const std::string doc = R"(<UIWnd width="320" height="240"><UIControl id="inner" pos="10,10,50,20"/></UIWnd>)";
  ResLoaderMgr loader(respack::Write({{"xml\\dlg.xml", std::vector<uint8_t>(doc.begin(), doc.end())}}));
  SetResLoader(&loader);
  {
    auto w = MakeWindow(WinRect::FromXYWH(40, 50, 100, 100), "xml\\dlg.xml");
    EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(40, 50, 320, 240));
    EXPECT_EQ(w->Rect(), (UIRect{0, 0, 320, 240}));
    ASSERT_NE(w->GetRelative(UIControl::kFirstChild), nullptr);
    EXPECT_EQ(w->GetRelative(UIControl::kFirstChild)->Rect(), (UIRect{0, 0, 320, 240}));
    EXPECT_NE(w->FindById("inner"), nullptr);
    EXPECT_EQ(w->RootCount(uimsg::kNull), 1);  // every control gets the null message after creation
  }
  SetResLoader(nullptr);
}

TEST_F(HostWindowTest, MissingDocument_CreateNative_KeepsGivenSizeWithRootOnly) {
  SetResLoader(nullptr);
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 120, 90), "xml\\absent.xml");
  EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(0, 0, 120, 90));
  EXPECT_TRUE(w->Children().empty());
}

TEST_F(HostWindowTest, CloseRequest_Destroy_TearsTreeDownAndLeavesNoNativeWindow) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 120, 90));
  auto* probe = Add(w.get(), new Probe(), "0,0,10,10");
  const int serial = probe->Serial();
  ShowAndSettle(w.get());
  w->SendWindowMessage(wndmsg::kClose);
  EXPECT_EQ(w->Native(), nullptr);
  EXPECT_EQ(ControlRegistry::Instance().Find(serial), nullptr);
  EXPECT_EQ(w->GetHWND(), 0u);
}

// --- Caption drag ------------------------------------------------------------------------

TEST_F(HostWindowTest, PressWhereOnlyRootAnswers_Drag_MovesWindowInsteadOfReachingRoot) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  Add(w.get(), new Probe(), "10,10,50,30");
  ShowAndSettle(w.get());
  sys_.MoveMouse(Screen(w.get(), 150, 100));
  sys_.PressButton(MouseButton::kLeft);
  sys_.MoveMouse(WinPoint{100 + 150 + 30, 100 + 100 + 20});
  sys_.ReleaseButton(MouseButton::kLeft);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(130, 120, 200, 150));
  EXPECT_EQ(w->RootCount(uimsg::kLButtonDown), 0);
  EXPECT_FALSE(w->Native()->HasCapture());
}

TEST_F(HostWindowTest, CaptionDragOff_PressWhereOnlyRootAnswers_ReachesRoot) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  Add(w.get(), new Probe(), "10,10,50,30");
  w->SetCaptionDrag(false);
  ShowAndSettle(w.get());
  sys_.MoveMouse(Screen(w.get(), 150, 100));
  sys_.PressButton(MouseButton::kLeft);
  sys_.MoveMouse(WinPoint{100 + 150 + 30, 100 + 100 + 20});
  sys_.ReleaseButton(MouseButton::kLeft);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(100, 100, 200, 150));
  EXPECT_EQ(w->RootCount(uimsg::kLButtonDown), 1);
}

TEST_F(HostWindowTest, PressOnControl_CaptionDragOn_ReachesControlAndWindowStays) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  auto* probe = Add(w.get(), new Probe(), "10,10,50,30");
  ShowAndSettle(w.get());
  sys_.Click(Screen(w.get(), 20, 20));
  sys_.RunUntilIdle();
  EXPECT_EQ(probe->Count(uimsg::kLButtonDown), 1);
  EXPECT_EQ(probe->Count(uimsg::kLButtonUp), 1);
  EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(100, 100, 200, 150));
}

// --- Pressed button and deactivation ---------------------------------------------------------

class PressOutDeactivate : public HostWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PressOutDeactivate, PressMoveOutDeactivate_Deactivation_ButtonGetsItsButtonUp) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  auto* button = Add(w.get(), new Probe(false, /*captures=*/GetParam()), "10,10,50,30");
  ShowAndSettle(w.get());
  sys_.MoveMouse(Screen(w.get(), 20, 20));
  sys_.PressButton(MouseButton::kLeft);
  sys_.MoveMouse(WinPoint{900, 700});  // far outside the window
  sys_.RunUntilIdle();
  ASSERT_EQ(button->Count(uimsg::kLButtonDown), 1);
  ASSERT_EQ(button->Count(uimsg::kLButtonUp), 0);
  sys_.ActivateOtherApplication();
  sys_.RunUntilIdle();
  EXPECT_EQ(button->Count(uimsg::kLButtonUp), 1);
  EXPECT_EQ(w->GetCaptureId(), 0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutCapture, PressOutDeactivate, ::testing::Bool());

// --- Hover and leave -------------------------------------------------------------------------

TEST_F(HostWindowTest, PointerOverControlThenOut_MouseMoves_HoverThenLeave) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  auto* probe = Add(w.get(), new Probe(), "10,10,50,30");
  ShowAndSettle(w.get());
  sys_.MoveMouse(Screen(w.get(), 20, 20));
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetHoverId(), probe->Serial());
  EXPECT_TRUE(probe->State() & UIControl::kStateHover);
  sys_.MoveMouse(WinPoint{900, 700});
  sys_.RunUntilIdle();
  EXPECT_EQ(probe->Count(uimsg::kMouseLeave), 1);
  EXPECT_FALSE(probe->State() & UIControl::kStateHover);
  EXPECT_EQ(w->GetHoverId(), 0);
}

TEST_F(HostWindowTest, TrackedParent_PointerMovesToChild_KeepsHoverUntilLeavingBoth) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* panel = Add(w.get(), new Probe(), "10,10,100,100");
  panel->SetAttribute("track", "1");
  auto* inner = Add(panel, new Probe(), "10,10,20,20");
  ShowAndSettle(w.get());
  sys_.MoveMouse(WinPoint{15, 15});
  sys_.MoveMouse(WinPoint{25, 25});  // onto the child
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetHoverId(), inner->Serial());
  EXPECT_TRUE(panel->State() & UIControl::kStateHover);
  EXPECT_EQ(panel->Count(uimsg::kMouseLeave), 0);
  sys_.MoveMouse(WinPoint{150, 140});  // out of both, still in the window
  sys_.RunUntilIdle();
  EXPECT_EQ(panel->Count(uimsg::kMouseLeave), 1);
  EXPECT_FALSE(panel->State() & UIControl::kStateHover);
}

TEST_F(HostWindowTest, WheelOverControl_Wheel_ReachesControlUnderPointer) {
  auto w = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  auto* probe = Add(w.get(), new Probe(), "10,10,50,30");
  ShowAndSettle(w.get());
  sys_.MoveMouse(Screen(w.get(), 20, 20));
  sys_.Wheel(120);
  sys_.RunUntilIdle();
  EXPECT_EQ(probe->Count(uimsg::kMouseWheel), 1);
}

// --- Focus -----------------------------------------------------------------------------------

TEST_F(HostWindowTest, FocusedControlHidden_Tab_ClearsFocusAndRestartsFromStart) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* a = Add(w.get(), new Probe(true), "0,0,10,10");
  auto* b = Add(w.get(), new Probe(true), "20,0,10,10");
  auto* c = Add(w.get(), new Probe(true), "40,0,10,10");
  ShowAndSettle(w.get());
  b->RequestFocus();
  ASSERT_EQ(w->GetFocusId(), b->Serial());
  b->SetVisible(false, true);
  EXPECT_EQ(w->GetFocusId(), 0);
  sys_.PressKey(vk::kTab);
  sys_.ReleaseKey(vk::kTab);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetFocusId(), a->Serial());
  sys_.PressKey(vk::kTab);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetFocusId(), c->Serial());  // the hidden one is skipped
  sys_.PressKey(vk::kShift);
  sys_.PressKey(vk::kTab);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetFocusId(), a->Serial());
  EXPECT_EQ(a->Count(uimsg::kSetFocus), 2);
}

TEST_F(HostWindowTest, FocusedControl_WindowDeactivatedAndActivated_FocusComesBack) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* a = Add(w.get(), new Probe(true), "0,0,10,10");
  ShowAndSettle(w.get());
  a->RequestFocus();
  sys_.ActivateOtherApplication();
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetFocusId(), 0);
  EXPECT_EQ(w->Focus().Saved(), a->Serial());
  w->Native()->TakeKeyboardFocus();
  sys_.RunUntilIdle();
  EXPECT_EQ(w->GetFocusId(), a->Serial());
  EXPECT_EQ(w->Focus().LastReason(), UIFocusManager::kReasonActivate);
}

TEST_F(HostWindowTest, KeysAndCharacters_Typing_ReachFocusedControl) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* a = Add(w.get(), new Probe(true), "0,0,10,10");
  ShowAndSettle(w.get());
  a->RequestFocus();
  sys_.PressKey('A');
  sys_.TypeText("农历");
  sys_.RunUntilIdle();
  EXPECT_EQ(a->Count(uimsg::kKeyDown), 1);
  EXPECT_EQ(a->Count(uimsg::kChar), 2);
}

// --- Timers ------------------------------------------------------------------------------------

TEST_F(HostWindowTest, ControlTimer_ClockAdvances_DeliversIndexThenKillsVanished) {
  EXPECT_EQ(UIControl::ControlTimerId(3, 0x42), 0x83000042u);
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* probe = Add(w.get(), new Probe(), "0,0,10,10");
  probe->SetControlTimer(3, 100);
  EXPECT_EQ(w->HostTimerCount(), 1u);
  sys_.AdvanceClock(milliseconds(250));
  EXPECT_EQ(probe->timerIndexes, (std::vector<int>{3, 3}));
  // A control that goes without killing its timer: the next tick kills it.
  probe->RemoveSelf();
  sys_.AdvanceClock(milliseconds(100));
  EXPECT_EQ(w->HostTimerCount(), 0u);
}

TEST_F(HostWindowTest, IdleWindow_ClockAdvances_NoTimerAndNoPaint) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  Add(w.get(), new Probe(), "0,0,10,10");
  ShowAndSettle(w.get());
  const int paints = w->PaintCount();
  sys_.AdvanceClock(milliseconds(10000));
  EXPECT_EQ(w->PaintCount(), paints);
  EXPECT_EQ(sys_.Loop().Depth(), 0);
  EXPECT_FALSE(static_cast<DispatchLoop&>(sys_.Loop()).NextTimerDue().has_value());
}

// --- Modal loops and events ---------------------------------------------------------------------

TEST_F(HostWindowTest, BtnOkClicked_DoModal_EndsWithOne) {
  auto dlg = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  Add(dlg.get(), new Probe(), "10,10,50,30", "btnok");
  sys_.SetIdleHook([&] {
    dlg->EndModal(-5);  // only reached when the click did not end the loop
    return true;
  });
  dlg->ShowHost(true);
  sys_.Click(WinPoint{120, 120});
  EXPECT_EQ(dlg->DoModal(nullptr), 1);
  EXPECT_EQ(dlg->Native(), nullptr);  // hidden and destroyed
  sys_.SetIdleHook(nullptr);
}

TEST_F(HostWindowTest, BtnOkInsideConsumingPage_DoModal_DoesNotEnd) {
  auto dlg = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  std::vector<std::string> seen;
  auto* page = Add(dlg.get(), new Page(&seen), "0,0,200,150");
  Add(page, new Probe(), "10,10,50,30", "btnok");
  bool clicked = false;
  sys_.SetIdleHook([&] {
    if (!clicked) {
      clicked = true;
      sys_.Click(WinPoint{120, 120});
    } else {
      dlg->EndModal(7);
    }
    return true;
  });
  dlg->ShowHost(true);
  EXPECT_EQ(dlg->DoModal(nullptr), 7);
  EXPECT_EQ(seen, std::vector<std::string>{"btnok"});
  sys_.SetIdleHook(nullptr);
}

TEST_F(HostWindowTest, ModalDialog_OwnerClicked_OwnerIgnoresInput) {
  auto owner = MakeWindow(WinRect::FromXYWH(0, 0, 300, 300));
  auto* ownerProbe = Add(owner.get(), new Probe(), "0,0,100,100");
  ShowAndSettle(owner.get());
  auto dlg = MakeWindow(WinRect::FromXYWH(500, 500, 100, 100));
  int step = 0;
  sys_.SetIdleHook([&] {
    if (step++ == 0) {
      sys_.Click(WinPoint{10, 10});
    } else {
      dlg->CloseHost();
    }
    return true;
  });
  dlg->DoModal(owner.get());
  sys_.SetIdleHook(nullptr);
  EXPECT_EQ(ownerProbe->Count(uimsg::kLButtonDown), 0);
  EXPECT_TRUE(owner->InputEnabled());
}

TEST_F(HostWindowTest, WorkerSendTask_DuringModalLoop_RunsOnUiThreadAndReturns) {
  auto dlg = MakeWindow(WinRect::FromXYWH(100, 100, 200, 150));
  const std::thread::id ui = std::this_thread::get_id();
  std::mutex m;
  std::condition_variable cv;
  bool go = false;
  std::atomic<bool> sent{false};
  std::thread::id ranOn;
  sys_.SetIdleHook([&] {
    std::lock_guard<std::mutex> lock(m);
    go = true;  // the UI thread now sits in the modal loop
    cv.notify_all();
    return false;
  });
  std::thread worker([&] {
    {
      std::unique_lock<std::mutex> lock(m);
      cv.wait(lock, [&] { return go; });
    }
    ThreadTaskTemp task([&] {
      ranOn = std::this_thread::get_id();
      dlg->EndModal(9);
    });
    sent = SendTask(&task);
  });
  dlg->ShowHost(true);
  const int result = dlg->DoModal(nullptr);
  worker.join();
  sys_.SetIdleHook(nullptr);
  EXPECT_EQ(result, 9);
  EXPECT_TRUE(sent);
  EXPECT_EQ(ranOn, ui);
}

TEST_F(HostWindowTest, PostedTask_LoopRuns_RunsAndIsDeleted) {
  int runs = 0;
  std::thread worker([&] { EXPECT_TRUE(PostTask(new ThreadTaskPost([&] { ++runs; }))); });
  worker.join();
  sys_.RunUntilIdle();
  EXPECT_EQ(runs, 1);  // and ASan sees no leak of the task
}

TEST(ThreadTaskNoWindow, PostTask_NoTaskWindow_FailsWithoutLeaking) {
  int runs = 0;
  EXPECT_FALSE(PostTask(new ThreadTaskPost([&] { ++runs; })));
  ThreadTaskTemp temp([&] { ++runs; });
  EXPECT_FALSE(SendTask(&temp));
  EXPECT_EQ(runs, 0);
}

// --- Placement -----------------------------------------------------------------------------------

class PlacementTest : public HostWindowTest {
 protected:
  PlacementTest()
      : HostWindowTest(HeadlessOptions{{MonitorInfo{WinRect{0, 0, 1280, 800}, WinRect{0, 30, 1280, 770}, true}}}) {}
};

struct KeepCase {
  WinRect before;
  WinRect after;
};

class KeepInWorkAreaTest : public PlacementTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepInWorkAreaTest, Window_KeepInWorkArea_MovesInsideRightBottomWinning) {
  auto w = MakeWindow(GetParam().before);
  w->KeepInWorkArea();
  EXPECT_EQ(w->Native()->Bounds(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepInWorkAreaTest,
    ::testing::Values(
        // Larger than the work area: the right and bottom edges win.
        KeepCase{WinRect::FromXYWH(-50, -40, 1400, 900), WinRect::FromXYWH(1280 - 1400, 770 - 900, 1400, 900)},
        KeepCase{WinRect::FromXYWH(1200, 700, 200, 100), WinRect::FromXYWH(1080, 670, 200, 100)},
        KeepCase{WinRect::FromXYWH(-10, 0, 200, 100), WinRect::FromXYWH(0, 30, 200, 100)},
        KeepCase{WinRect::FromXYWH(300, 300, 200, 100), WinRect::FromXYWH(300, 300, 200, 100)}));

TEST_F(PlacementTest, DraggedPastEdge_KeepFlagSet_EndOfDragPullsBackIn) {
  auto w = MakeWindow(WinRect::FromXYWH(1000, 600, 200, 100));
  w->SetKeepInWorkArea(true);
  ShowAndSettle(w.get());
  sys_.MoveMouse(WinPoint{1100, 650});
  sys_.PressButton(MouseButton::kLeft);
  sys_.MoveMouse(WinPoint{1250, 780});
  sys_.ReleaseButton(MouseButton::kLeft);
  sys_.RunUntilIdle();
  EXPECT_EQ(w->Native()->Bounds(), WinRect::FromXYWH(1080, 670, 200, 100));
}

struct CenterCase {
  bool withOwner;
  WinRect owner;
  WinRect expected;
};

class CenterWindowTest : public PlacementTest, public ::testing::WithParamInterface<CenterCase> {};

TEST_P(CenterWindowTest, Dialog_CenterWindow_CentresOverOwnerOrWorkArea) {
  UIRefPtr<TestWnd> owner;
  auto dlg = MakeWindow(WinRect::FromXYWH(0, 0, 200, 100));
  if (GetParam().withOwner) {
    owner = MakeWindow(GetParam().owner);
    ShowAndSettle(owner.get());
    dlg->SetOwner(owner.get());
  }
  dlg->CenterWindow(nullptr);
  EXPECT_EQ(dlg->Native()->Bounds(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CenterWindowTest,
    ::testing::Values(
        CenterCase{true, WinRect::FromXYWH(100, 100, 400, 300), WinRect::FromXYWH(200, 200, 200, 100)},
        // An owner at the right edge: the dialog is pushed back into the work area.
        CenterCase{true, WinRect::FromXYWH(1100, 100, 400, 300), WinRect::FromXYWH(1080, 200, 200, 100)},
        CenterCase{false, WinRect{}, WinRect::FromXYWH(540, 30 + (740 - 100) / 2, 200, 100)}));

TEST_F(PlacementTest, HiddenOwner_CenterWindow_UsesWorkArea) {
  auto owner = MakeWindow(WinRect::FromXYWH(100, 100, 400, 300));
  auto dlg = MakeWindow(WinRect::FromXYWH(0, 0, 200, 100));
  dlg->CenterWindow(owner.get());
  EXPECT_EQ(dlg->Native()->Bounds(), WinRect::FromXYWH(540, 350, 200, 100));
}

TEST_F(PlacementTest, Window_BringToFrontAndBlur_RaisesKeepsLayerAndAsksForBlur) {
  auto a = MakeWindow(WinRect::FromXYWH(0, 100, 100, 100));
  auto b = MakeWindow(WinRect::FromXYWH(50, 100, 100, 100));
  ShowAndSettle(a.get());
  ShowAndSettle(b.get());
  a->BringToFront();
  sys_.RunUntilIdle();
  EXPECT_EQ(sys_.StackingOrder().back(), a->Native()->Id());
  EXPECT_EQ(Headless(a.get())->Layer(), WindowLayer::kNormal);
  UIWindowImp::EnableBlurBehind(a->Native(), 0x1000000);
  EXPECT_TRUE(Headless(a.get())->BlurBehind());
}

// --- Painting ------------------------------------------------------------------------------------

TEST_F(HostWindowTest, SmallInvalidRect_Repaint_TouchesOnlyThatRectangle) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  Add(w.get(), new UIControl(), "0,0,200,150")->SetAttribute("back", "clr:clr=#ff336699");
  auto* small = Add(w.get(), new UIControl(), "20,30,10,8");
  small->SetAttribute("back", "clr:clr=#ffff0000");
  ShowAndSettle(w.get());
  HeadlessWindow* hw = Headless(w.get());
  ASSERT_GT(hw->PresentCount(), 0);
  EXPECT_EQ(sys_.ScreenPixel(hw->Id(), 100, 100), 0xff336699u);
  EXPECT_EQ(sys_.ScreenPixel(hw->Id(), 22, 32), 0xffff0000u);
  // Scribble on the back buffer inside and outside the small control.
  cairo_surface_t* back = w->Native()->BackBuffer();
  auto pixel = [&](int x, int y) -> uint32_t& {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(back) +
                                       static_cast<size_t>(y) * cairo_image_surface_get_stride(back))[x];
  };
  cairo_surface_flush(back);
  pixel(100, 100) = 0xff00ff00u;
  pixel(22, 32) = 0xff00ff00u;
  cairo_surface_mark_dirty(back);
  const int presents = hw->PresentCount();
  small->Invalidate(nullptr);
  sys_.RunUntilIdle();
  EXPECT_EQ(hw->PresentCount(), presents + 1);
  EXPECT_EQ(hw->LastPresented(), WinRect::FromXYWH(20, 30, 10, 8));
  cairo_surface_flush(back);
  EXPECT_EQ(pixel(22, 32), 0xffff0000u);   // repainted
  EXPECT_EQ(pixel(100, 100), 0xff00ff00u);  // untouched
  EXPECT_EQ(sys_.ScreenPixel(hw->Id(), 100, 100), 0xff336699u);
}

TEST_F(HostWindowTest, ManyInvalidations_OnePass_OnePresentOfTheUnion) {
  auto w = MakeWindow(WinRect::FromXYWH(0, 0, 200, 150));
  auto* a = Add(w.get(), new UIControl(), "10,10,10,10");
  auto* b = Add(w.get(), new UIControl(), "50,60,10,10");
  ShowAndSettle(w.get());
  HeadlessWindow* hw = Headless(w.get());
  const int presents = hw->PresentCount();
  a->Invalidate(nullptr);
  b->Invalidate(nullptr);
  a->Invalidate(nullptr);
  sys_.RunUntilIdle();
  EXPECT_EQ(hw->PresentCount(), presents + 1);
  EXPECT_EQ(hw->LastPresented(), (WinRect{10, 10, 60, 70}));
}

}  // namespace
}  // namespace vr
