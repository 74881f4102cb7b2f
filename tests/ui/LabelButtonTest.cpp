#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/UIButton.h"
#include "ui/UILabel.h"
#include "ui/UILink.h"
#include "ui/UIRenderImg.h"
#include "ui/UIRenderText.h"

namespace vr::controls_test {
namespace {

using Attrs = std::vector<std::pair<std::string, std::string>>;

// --- Label -----------------------------------------------------------------------

struct TextRectCase {
  const char* name;
  Attrs attrs;
  UIRect expected;
};

class LabelTextRect : public ControlFixture, public ::testing::WithParamInterface<TextRectCase> {};

TEST_P(LabelTextRect, Insets_TextRect_ShrinksAndNeverInverts) {
  auto* label = Add<UILabel>({{"pos", "0,0,100,30"}});
  for (const auto& [k, v] : GetParam().attrs) label->SetAttribute(k, v);
  UIRect r;
  label->TextRect(&r);
  EXPECT_EQ(r, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelTextRect,
    ::testing::Values(TextRectCase{"plain", {}, {0, 0, 100, 30}},
                      TextRectCase{"xstart_xend", {{"xstart", "10"}, {"xend", "5"}}, {10, 0, 95, 30}},
                      TextRectCase{"inset_adds", {{"xstart", "10"}, {"inset", "2,3,4,5"}}, {12, 3, 96, 25}},
                      TextRectCase{"crossed_clamped", {{"xstart", "80"}, {"xend", "40"}, {"inset", "0,20,0,20"}},
                                   {80, 20, 80, 20}},
                      TextRectCase{"txtattr_inset", {{"txtattr", "inset=1,1,1,1|clr=#ff112233"}}, {1, 1, 99, 29}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, Label_TextAttributes_ReachTheTextRendererAndTheMap) {
  auto* label = Add<UILabel>({{"clr", "#ff102030"}, {"font", "16B"}, {"horz", "2"}, {"multi", "1"},
                              {"txtattr", "clr3=#ff445566|vert=0"}});
  UIRenderText* text = label->TextRender();
  EXPECT_EQ(text->Colour(UIRender::kNormal), 0xFF102030u);
  EXPECT_EQ(text->Colour(UIRender::kDisabled), 0xFF445566u);
  EXPECT_EQ(text->Font(UIRender::kHover), "16B");
  EXPECT_EQ(text->HorzAlign(), 2);
  EXPECT_EQ(text->VertAlign(), 0);
  EXPECT_FALSE(text->SingleLine());
  EXPECT_EQ(label->GetAttribute("clr"), "#ff102030");
  EXPECT_EQ(label->GetAttribute("txtattr"), "clr3=#ff445566|vert=0");
}

TEST_F(ControlFixture, NewLabel_Defaults_SingleLineCentredBlack) {
  auto* label = Add<UILabel>({});
  EXPECT_TRUE(label->TextRender()->SingleLine());
  EXPECT_EQ(label->TextRender()->VertAlign(), 1);
  EXPECT_EQ(label->TextRender()->HorzAlign(), 0);
  EXPECT_EQ(label->TextRender()->Colour(UIRender::kNormal), 0xFF000000u);
  EXPECT_EQ(label->TextRender()->Colour(UIRender::kDisabled), 0xFF3C3C3Cu);
  EXPECT_FALSE(label->IsFocusable());
}

TEST_F(ControlFixture, Label_Paint_DrawsBackThenTextInsideTextRect) {
  auto* label = Add<UILabel>({{"pos", "0,0,120,30"}, {"back", "clr:clr=#ffffffff"}, {"clr", "#ff000000"},
                              {"font", "20B"}, {"xstart", "60"}, {"txt", "字字"}});
  ASSERT_NE(label, nullptr);
  host_->RenderAll();
  int darkLeft = 0;
  int darkRight = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) {
      const bool dark = (host_->PixelAt(x, y) & 0xFF) < 0x80;
      (x < 60 ? darkLeft : darkRight) += dark ? 1 : 0;
    }
  }
  EXPECT_EQ(darkLeft, 0);  // nothing left of xstart
  EXPECT_GT(darkRight, 20);
  EXPECT_EQ(host_->PixelAt(5, 5), kWhite);
}

// --- Button state images ------------------------------------------------------------

TEST_F(ControlFixture, Btn96Wide_Load_FourTwentyFourPixelFrames) {
  auto* b = Add<UIButton>({{"btn", "img\\strip96.png"}});
  for (int i = 0; i < 4; ++i) {
    auto* frame = dynamic_cast<UIRenderImg*>(b->StateImages().At(i));
    ASSERT_NE(frame, nullptr) << i;
    EXPECT_EQ(frame->Src(), UIRect::FromXYWH(24 * i, 0, 24, 20)) << i;
    EXPECT_EQ(frame->Type(), 0);
  }
}

TEST_F(ControlFixture, Vbtn_Load_FourStackedBands) {
  auto* b = Add<UIButton>({{"vbtn", "img\\vstrip.png"}});
  for (int i = 0; i < 4; ++i) {
    auto* frame = dynamic_cast<UIRenderImg*>(b->StateImages().At(i));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Src(), UIRect::FromXYWH(0, 10 * i, 20, 10)) << i;
  }
}

TEST_F(ControlFixture, MissingBtnImage_Load_EmptiesAllFour) {
  auto* b = Add<UIButton>({{"btn", "img\\strip96.png"}, {"btn", "img\\nothing.png"}});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b->StateImages().At(i), nullptr);
  EXPECT_EQ(b->GetStateImage(2), nullptr);
}

struct StateCase {
  const char* name;
  bool enabled;
  bool select;
  uint32_t stateBits;
  int expectedIndex;
};

class ButtonStateIndex : public ControlFixture, public ::testing::WithParamInterface<StateCase> {};

TEST_P(ButtonStateIndex, Flags_Render_ShowsFrameOfStateIndex) {
  const StateCase& tc = GetParam();
  auto* b = Add<UIButton>({{"pos", "0,0,24,20"}, {"btn", "img\\strip96.png"}});
  if (!tc.enabled) b->SetAttribute("enable", "false");
  if (tc.select) b->SetAttribute("select", "true");
  if (tc.stateBits & UIControl::kStateHover) b->SendMsg(uimsg::kMouseHover, 0, 0);
  if (tc.stateBits & UIControl::kStatePressed) Down(b, 5, 5);
  EXPECT_EQ(b->StateIndex(), tc.expectedIndex);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(12, 10), kLooks[tc.expectedIndex]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonStateIndex,
    ::testing::Values(StateCase{"normal", true, false, 0, 0},
                      StateCase{"hover", true, false, UIControl::kStateHover, 1},
                      StateCase{"pressed", true, false, UIControl::kStatePressed, 2},
                      StateCase{"hover_and_pressed", true, false, UIControl::kStateHover | UIControl::kStatePressed, 2},
                      StateCase{"selected", true, true, 0, 2},
                      StateCase{"disabled_wins", false, true, UIControl::kStateHover, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, StateDescriptors_Replace_OneLookEachAndFallBackToNormal) {
  auto* b = Add<UIButton>({{"pos", "0,0,30,20"}, {"bkn", "clr:clr=#ffff0000"}, {"bkp", "clr:clr=#ff0000ff"}});
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(3, 3), kRed);
  b->SendMsg(uimsg::kMouseHover, 0, 0);  // no hover look: the normal one
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(3, 3), kRed);
  Down(b, 3, 3);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(3, 3), kBlue);
}

TEST_F(ControlFixture, Backrect_Render_StateImageOnlyInsideIt) {
  Add<UIButton>({{"pos", "0,0,60,30"}, {"btn", "img\\strip96.png"}, {"backrect", "10,5,20,10"}});
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(15, 10), kRed);
  EXPECT_EQ(host_->PixelAt(5, 10), 0u);
  EXPECT_EQ(host_->PixelAt(40, 10), 0u);
}

TEST_F(ControlFixture, TranslucentBack_PaintButton_BlendedTwice) {
  Add<UIButton>({{"pos", "0,0,20,20"}, {"back", "clr:clr=#80000000"}});
  host_->RenderAll();
  // Alpha 0x80 over itself: 1 - (1 - 0.5)^2 = 0.75.
  const uint32_t alpha = host_->PixelAt(5, 5) >> 24;
  EXPECT_NEAR(static_cast<int>(alpha), 0xC0, 2);
}

TEST_F(ControlFixture, NewButton_Defaults_FocusableWithHandCursor) {
  auto* b = Add<UIButton>({});
  EXPECT_TRUE(b->IsFocusable());
  EXPECT_EQ(b->Cursor(), uicursor::kHand);
  EXPECT_STREQ(b->ClassName(), "UIButton");
}

// --- Button mouse handling --------------------------------------------------------------

struct PressCase {
  const char* name;
  std::vector<std::pair<int, int>> moves;  // pointer moves while held
  std::pair<int, int> release;
  int expectedClicks;
};

class ButtonPress : public ControlFixture, public ::testing::WithParamInterface<PressCase> {};

TEST_P(ButtonPress, PressMoveRelease_Click_OnlyWhenReleasedInside) {
  const PressCase& tc = GetParam();
  auto* b = Add<UIButton>({{"pos", "10,10,50,20"}, {"id", "btnx"}});
  Down(b, 20, 15);
  EXPECT_EQ(host_->GetCaptureId(), b->Serial());
  EXPECT_TRUE(b->State() & UIControl::kStatePressed);
  for (const auto& [x, y] : tc.moves) Move(b, x, y);
  Up(b, tc.release.first, tc.release.second);
  EXPECT_EQ(CountEvents("click"), tc.expectedClicks);
  EXPECT_EQ(host_->GetCaptureId(), 0);
  EXPECT_FALSE(b->State() & UIControl::kStatePressed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonPress,
    ::testing::Values(PressCase{"release_inside", {}, {30, 20}, 1},
                      PressCase{"dragged_out", {{100, 100}}, {100, 100}, 0},
                      PressCase{"dragged_out_and_back", {{100, 100}, {40, 20}}, {40, 20}, 1},
                      PressCase{"released_on_right_edge", {}, {60, 20}, 0},
                      PressCase{"released_on_last_pixel", {}, {59, 29}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, ReleaseWithoutCapture_Up_NoClick) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,20"}});
  Up(b, 5, 5);
  EXPECT_EQ(CountEvents("click"), 0);
}

TEST_F(ControlFixture, Pressed_CaptureLost_PressedBitCleared) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,20"}});
  Down(b, 5, 5);
  b->SendMsg(uimsg::kCaptureChanged, 0, 0);
  EXPECT_FALSE(b->State() & UIControl::kStatePressed);
}

TEST_F(ControlFixture, Button_HoverAndLeave_SetAndClearHoverBit) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,20"}});
  b->SendMsg(uimsg::kMouseHover, 0, 0);
  EXPECT_TRUE(b->State() & UIControl::kStateHover);
  b->SendMsg(uimsg::kMouseLeave, 0, 0);
  EXPECT_FALSE(b->State() & UIControl::kStateHover);
}

TEST_F(ControlFixture, Button_Press_RequestsFocus) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,20"}});
  Down(b, 5, 5);
  EXPECT_EQ(host_->GetFocusId(), b->Serial());
}

TEST_F(ControlFixture, QuickSecondPress_DoubleClickMessage_ClicksAgain) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,20"}});
  Click(b, 5, 5);
  Send(b, uimsg::kLButtonDblClk, 5, 5);
  Up(b, 5, 5);
  EXPECT_EQ(CountEvents("click"), 2);
}

// --- Groups and pages ---------------------------------------------------------------------

TEST_F(ControlFixture, GroupedButtonsWithPages_ClickSecond_SelectsItAndShowsItsPage) {
  auto* bar = Add<UIControl>({{"pos", "0,0,300,30"}});
  auto* b1 = Add<UIButton>({{"pos", "0,0,50,30"}, {"group", "tabs"}, {"page", "p1"}, {"select", "1"}}, bar);
  auto* b2 = Add<UIButton>({{"pos", "50,0,50,30"}, {"group", "tabs"}, {"page", "p2"}}, bar);
  auto* other = Add<UIButton>({{"pos", "100,0,50,30"}, {"group", "other"}, {"select", "1"}}, bar);
  auto* p1 = Add<UIControl>({{"id", "p1"}, {"pos", "0,40,100,100"}});
  auto* p2 = Add<UIControl>({{"id", "p2"}, {"pos", "0,40,100,100"}, {"visible", "false"}});
  auto* unnamed = Add<UIControl>({{"pos", "0,150,10,10"}});  // no id: never taken for a page
  Click(b2, 60, 10);
  EXPECT_FALSE(b1->IsSelected());
  EXPECT_TRUE(b2->IsSelected());
  EXPECT_TRUE(other->IsSelected());
  EXPECT_FALSE(p1->IsVisibleSelf());
  EXPECT_TRUE(p1->IsHidden());
  EXPECT_TRUE(p2->IsVisibleSelf());
  EXPECT_FALSE(p2->IsHidden());
  EXPECT_TRUE(unnamed->IsVisibleSelf());
  EXPECT_EQ(EventNames(), std::vector<std::string>{"click"});
}

TEST_F(ControlFixture, GroupedButtonWithoutPage_Click_HidesNoControlWithoutId) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,30"}, {"group", "g"}});
  auto* plain = Add<UIControl>({{"pos", "0,40,10,10"}});
  Click(b, 5, 5);
  EXPECT_TRUE(b->IsSelected());
  EXPECT_TRUE(plain->IsVisibleSelf());
}

TEST_F(ControlFixture, LinkInButtonGroup_ClickButton_LinkNotSelected) {
  auto* link = Add<UILink>({{"pos", "0,0,50,30"}, {"group", "g"}, {"select", "1"}});
  auto* b = Add<UIButton>({{"pos", "50,0,50,30"}, {"group", "g"}});
  Click(b, 60, 5);
  EXPECT_TRUE(link->IsSelected());  // only class "UIButton" takes part
  EXPECT_STREQ(link->ClassName(), "UILink");
  Click(link, 5, 5);
  EXPECT_EQ(CountEvents("click"), 2);
}

TEST_F(ControlFixture, ButtonRemovedInClickHandler_Click_NoCrash) {
  auto* b = Add<UIButton>({{"pos", "0,0,50,30"}});
  b->AddListener(nullptr, [](void*, const UIEvent& e) { e.sender->RemoveSelf(); });
  Click(b, 5, 5);
  EXPECT_TRUE(host_->Children().empty());
}

}  // namespace
}  // namespace vr::controls_test
