#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/UICheckBox.h"
#include "ui/UIRadioBox.h"
#include "ui/UISwitch.h"

namespace vr::controls_test {
namespace {

// A check box subclass under a class name of its own.
class OtherCheck : public UICheckBox {
 public:
  const char* ClassName() const override { return "UIOtherCheck"; }
};

// Counts OnCheckChanged calls of a radio box.
class CountingRadio : public UIRadioBox {
 public:
  void OnCheckChanged(bool checked) override {
    ++changes;
    UIRadioBox::OnCheckChanged(checked);
  }
  int changes = 0;
};

// --- Check box ------------------------------------------------------------------------

TEST_F(ControlFixture, NewCheckBox_Defaults_UncheckedBoxAtOriginLabelAt24) {
  auto* ck = Add<UICheckBox>({{"pos", "0,0,100,30"}});
  EXPECT_FALSE(ck->IsChecked());
  EXPECT_EQ(ck->BoxRect(), (UIRect{0, 0, 20, 20}));
  EXPECT_EQ(ck->XLabel(), 24);
  EXPECT_EQ(ck->YLabel(), 0);
  UIRect text;
  ck->TextRect(&text);
  EXPECT_EQ(text, (UIRect{24, 0, 100, 30}));
  EXPECT_STREQ(ck->ClassName(), "UICheckBox");
}

TEST_F(ControlFixture, CheckBox_ClickTwice_TogglesAndRaisesCheckChangedEachTime) {
  auto* ck = Add<UICheckBox>({{"pos", "0,0,100,30"}, {"id", "ck_a"}});
  Click(ck, 5, 5);
  EXPECT_TRUE(ck->IsChecked());
  Click(ck, 5, 5);
  EXPECT_FALSE(ck->IsChecked());
  ASSERT_EQ(host_->Events().size(), 2u);
  EXPECT_EQ(host_->Events()[0].name, "checkchanged");
  EXPECT_EQ(host_->Events()[0].value2, 1);
  EXPECT_EQ(host_->Events()[0].id, "ck_a");
  EXPECT_EQ(host_->Events()[1].value2, 0);
  EXPECT_EQ(CountEvents("click"), 0);
}

TEST_F(ControlFixture, CheckAttribute_Set_ChecksWithoutEvent) {
  auto* ck = Add<UICheckBox>({{"check", "true"}});
  EXPECT_TRUE(ck->IsChecked());
  ck->SetAttribute("check", "True");  // only the exact spellings are true
  EXPECT_FALSE(ck->IsChecked());
  EXPECT_TRUE(host_->Events().empty());
}

TEST_F(ControlFixture, CheckBoxSubclassOfOtherName_Click_ChangesNothing) {
  auto* ck = Add<OtherCheck>({{"pos", "0,0,100,30"}});
  Click(ck, 5, 5);
  EXPECT_FALSE(ck->IsChecked());
  EXPECT_TRUE(host_->Events().empty());
}

struct BoxPaintCase {
  const char* name;
  bool checked;
  bool hover;
  uint32_t expected;
};

class CheckBoxPaint : public ControlFixture, public ::testing::WithParamInterface<BoxPaintCase> {};

TEST_P(CheckBoxPaint, State_Render_FrameOfCheckedOrUncheckedSetCentred) {
  const BoxPaintCase& tc = GetParam();
  auto* ck = Add<UICheckBox>({{"pos", "0,0,100,40"}, {"ckimg", "img\\ck.png"}, {"unckimg", "img\\unck.png"}});
  ck->SetChecked(tc.checked);
  if (tc.hover) ck->SendMsg(uimsg::kMouseHover, 0, 0);
  host_->RenderAll();
  // The 20-pixel box is centred in the 40-pixel height: rows 10..29.
  EXPECT_EQ(host_->PixelAt(10, 20), tc.expected);
  EXPECT_EQ(host_->PixelAt(10, 9), 0u);
  EXPECT_EQ(host_->PixelAt(10, 30), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckBoxPaint,
                         ::testing::Values(BoxPaintCase{"unchecked", false, false, kLooks[0]},
                                           BoxPaintCase{"unchecked_hover", false, true, kLooks[1]},
                                           BoxPaintCase{"checked", true, false, kCheckedLooks[0]},
                                           BoxPaintCase{"checked_hover", true, true, kCheckedLooks[1]}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, CheckBoxRcbox_Render_BoxAtItsXAndSize) {
  Add<UICheckBox>({{"pos", "0,0,100,40"}, {"unckimg", "img\\unck.png"}, {"rcbox", "30,0,10,10"}});
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(35, 20), kLooks[0]);  // rows 15..24
  EXPECT_EQ(host_->PixelAt(25, 20), 0u);
  EXPECT_EQ(host_->PixelAt(35, 14), 0u);
}

// --- Radio boxes ------------------------------------------------------------------------

TEST_F(ControlFixture, RadioGroup_ClickUnchecked_ChecksItAndSilentlyUnchecksSiblings) {
  auto* box = Add<UIControl>({{"pos", "0,0,300,100"}});
  auto* a = Add<CountingRadio>({{"pos", "0,0,80,20"}, {"group", "g"}, {"check", "1"}}, box);
  auto* b = Add<CountingRadio>({{"pos", "0,20,80,20"}, {"group", "g"}}, box);
  auto* other = Add<CountingRadio>({{"pos", "0,40,80,20"}, {"group", "h"}, {"check", "1"}}, box);
  Click(b, 5, 25);
  EXPECT_FALSE(a->IsChecked());
  EXPECT_TRUE(b->IsChecked());
  EXPECT_TRUE(other->IsChecked());
  EXPECT_EQ(a->changes, 1);  // told, without an event
  EXPECT_EQ(other->changes, 0);
  ASSERT_EQ(host_->Events().size(), 1u);
  EXPECT_EQ(host_->Events()[0].name, "checkchanged");
  EXPECT_EQ(host_->Events()[0].sender, b);
  EXPECT_EQ(host_->Events()[0].value2, 1);
}

TEST_F(ControlFixture, CheckedRadio_Click_RaisesNothing) {
  auto* a = Add<UIRadioBox>({{"pos", "0,0,80,20"}, {"check", "1"}});
  Click(a, 5, 5);
  EXPECT_TRUE(a->IsChecked());
  EXPECT_TRUE(host_->Events().empty());
}

TEST_F(ControlFixture, RadioGroupAttribute_Set_NotStoredInAttributes) {
  auto* a = Add<UIRadioBox>({{"group", "g1"}});
  EXPECT_EQ(a->RadioGroup(), "g1");
  EXPECT_EQ(a->GetAttribute("group"), "");
  EXPECT_EQ(a->Group(), "");
}

TEST_F(ControlFixture, RadiosUnderDifferentParents_Click_KeepEachOther) {
  auto* left = Add<UIControl>({{"pos", "0,0,100,100"}});
  auto* right = Add<UIControl>({{"pos", "100,0,100,100"}});
  auto* a = Add<UIRadioBox>({{"pos", "0,0,80,20"}, {"group", "g"}, {"check", "1"}}, left);
  auto* b = Add<UIRadioBox>({{"pos", "0,0,80,20"}, {"group", "g"}}, right);
  Click(b, 105, 5);
  EXPECT_TRUE(a->IsChecked());
  EXPECT_TRUE(b->IsChecked());
}

// --- Switch -----------------------------------------------------------------------------

TEST_F(ControlFixture, Switch_Click_TogglesAndRaisesCheckChangedThenClick) {
  auto* sw = Add<UISwitch>({{"pos", "0,0,40,20"}});
  Click(sw, 5, 5);
  EXPECT_TRUE(sw->IsOn());
  Click(sw, 5, 5);
  EXPECT_FALSE(sw->IsOn());
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"checkchanged", "click", "checkchanged", "click"}));
  EXPECT_EQ(host_->Events()[0].value2, 1);
  EXPECT_EQ(host_->Events()[2].value2, 0);
}

TEST_F(ControlFixture, SwitchOn_Render_UsesSecondSetFallingBackToItsNormal) {
  auto* sw = Add<UISwitch>({{"pos", "0,0,24,20"}, {"btn", "img\\strip96.png"}, {"bkn2", "clr:clr=#ff808080"}});
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(5, 5), kLooks[0]);
  sw->SetOn(true);
  sw->SendMsg(uimsg::kMouseHover, 0, 0);  // no hover look in the second set
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(5, 5), kGrey);
  sw->SetAttribute("btn2", "img\\ck.png");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(5, 5), kCheckedLooks[1]);
}

}  // namespace
}  // namespace vr::controls_test
