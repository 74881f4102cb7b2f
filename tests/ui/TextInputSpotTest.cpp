#include <gtest/gtest.h>

#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "ui/ThreadTask.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIHostWnd.h"

namespace vr {
namespace {

// The host tells its native window where the focused edit's caret is, so an
// input method can put its pre-edit and candidates there.
class TextInputSpotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = UIRefPtr<UIHostWnd>(new UIHostWnd(sys_, ""));
    WindowParams params;
    params.bounds = WinRect::FromXYWH(100, 100, 300, 120);
    ASSERT_TRUE(window_->CreateNative(params));
    edit_ = new UIEditCtrl();
    window_->AddChild(edit_);
    edit_->SetAttribute("pos", "40,30,200,30");
    other_ = new UIEditCtrl();
    window_->AddChild(other_);
    other_->SetAttribute("pos", "40,70,200,30");
    window_->ShowHost(true);
    sys_.RunUntilIdle();
  }
  void TearDown() override {
    if (window_) window_->CloseHost();
    sys_.RunUntilIdle();
  }

  WinRect Reported() { return sys_.Find(window_->Native()->Id())->TextInputRect(); }
  // The edit's caret moved into window coordinates.
  static WinRect Expected(UIEditCtrl* edit) {
    UIRect origin;
    edit->WindowRect(&origin);
    const UIRect r = edit->CaretRect();
    return WinRect{origin.left + r.left, origin.top + r.top, origin.left + r.right, origin.top + r.bottom};
  }

  HeadlessWindowSystem sys_;
  TaskWindow tasks_{sys_.Loop()};
  UIRefPtr<UIHostWnd> window_;
  UIEditCtrl* edit_ = nullptr;
  UIEditCtrl* other_ = nullptr;
};

TEST_F(TextInputSpotTest, NoTextControlFocused_Painted_ReportsNoCaret) {
  EXPECT_GT(window_->PaintCount(), 0);
  EXPECT_TRUE(Reported().IsEmpty());
}

TEST_F(TextInputSpotTest, EditFocused_Painted_ReportsItsCaretInsideIt) {
  edit_->RequestFocus();
  sys_.RunUntilIdle();
  const WinRect r = Reported();
  ASSERT_FALSE(r.IsEmpty());
  EXPECT_EQ(r, Expected(edit_));
  EXPECT_GE(r.left, 40);
  EXPECT_GE(r.top, 30);
  EXPECT_LE(r.bottom, 60);
}

TEST_F(TextInputSpotTest, EditFocused_TypeText_ReportedCaretMovesRight) {
  edit_->RequestFocus();
  sys_.RunUntilIdle();
  const WinRect before = Reported();
  sys_.TypeText("你好");
  sys_.RunUntilIdle();
  ASSERT_EQ(edit_->EditText(), "你好");
  const WinRect after = Reported();
  EXPECT_GT(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after, Expected(edit_));
}

TEST_F(TextInputSpotTest, FocusMovesToOtherEdit_Painted_ReportsOtherCaret) {
  edit_->RequestFocus();
  sys_.RunUntilIdle();
  other_->RequestFocus();
  sys_.RunUntilIdle();
  const WinRect r = Reported();
  EXPECT_EQ(r, Expected(other_));
  EXPECT_GE(r.top, 70);
}

TEST_F(TextInputSpotTest, EditFocused_OtherApplicationActivated_ReportsNoCaret) {
  edit_->RequestFocus();
  sys_.RunUntilIdle();
  ASSERT_FALSE(Reported().IsEmpty());
  sys_.ActivateOtherApplication();
  sys_.RunUntilIdle();
  EXPECT_TRUE(Reported().IsEmpty());
}

}  // namespace
}  // namespace vr
