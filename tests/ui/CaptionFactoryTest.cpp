#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/FactoryRegistry.h"
#include "ui/LayoutBuilder.h"
#include "ui/UIButton.h"
#include "ui/UICaption.h"
#include "ui/UICheckBox.h"
#include "ui/UIScrollVertView.h"
#include "ui/UIWindowCommands.h"

namespace vr::controls_test {
namespace {

// A headless window that records what its caption asks of it.
class CaptionHost : public UIHeadlessHost, public UIWindowCommands {
 public:
  CaptionHost() : UIHeadlessHost(200, 100) {}

  bool IsMaximized() const override { return maximized; }
  bool CanMaximize() const override { return canMaximize; }
  void Maximize() override {
    maximized = true;
    calls.push_back("maximize");
  }
  void Restore() override {
    maximized = false;
    calls.push_back("restore");
  }
  void BeginCaptionMove(int x, int y) override {
    calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void SendLeftButtonUp(int x, int y) override {
    calls.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }

  bool maximized = false;
  bool canMaximize = true;
  std::vector<std::string> calls;
};

class CaptionFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.reset(new CaptionHost());
    caption_ = new UICaption();
    host_->AddChild(caption_);
    caption_->SetAttribute("pos", "0,0,200,30");
  }
  UIRefPtr<CaptionHost> host_;
  UICaption* caption_ = nullptr;
};

TEST_F(CaptionFixture, Press_LeftDown_MovesWindowThenReleasesButton) {
  Down(caption_, 40, 12);
  EXPECT_EQ(host_->calls, (std::vector<std::string>{"move 40,12", "up 40,12"}));
  EXPECT_FALSE(caption_->PressedWhileMaximized());
}

TEST_F(CaptionFixture, MaximisedWindow_LeftDown_RemembersAndDoesNotMove) {
  host_->maximized = true;
  Down(caption_, 40, 12);
  EXPECT_TRUE(host_->calls.empty());
  EXPECT_TRUE(caption_->PressedWhileMaximized());
  Up(caption_, 40, 12);
  EXPECT_FALSE(caption_->PressedWhileMaximized());
}

TEST_F(CaptionFixture, DragFlagOff_LeftDown_NoMove) {
  EXPECT_TRUE(caption_->DragEnabled());
  caption_->SetDragEnabled(false);
  Down(caption_, 40, 12);
  EXPECT_TRUE(host_->calls.empty());
}

struct DoubleClickCase {
  const char* name;
  bool canMaximize;
  bool maximized;
  std::vector<std::string> expected;
};

class CaptionDoubleClick : public CaptionFixture, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(CaptionDoubleClick, Window_DoubleClick_MaximisesOrRestores) {
  host_->canMaximize = GetParam().canMaximize;
  host_->maximized = GetParam().maximized;
  Send(caption_, uimsg::kLButtonDblClk, 40, 12);
  EXPECT_EQ(host_->calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptionDoubleClick,
                         ::testing::Values(DoubleClickCase{"normal_maximises", true, false, {"maximize"}},
                                           DoubleClickCase{"maximised_restores", true, true, {"restore"}},
                                           DoubleClickCase{"fixed_size_ignores", false, false, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaptionWithoutWindowCommands, LeftDownAndDoubleClick_Send_NothingHappens) {
  auto host = UIHeadlessHost::Create(100, 50);
  auto* caption = new UICaption();
  host->AddChild(caption);
  Down(caption, 5, 5);
  Send(caption, uimsg::kLButtonDblClk, 5, 5);
  EXPECT_FALSE(caption->PressedWhileMaximized());
}

// --- Factory --------------------------------------------------------------------------------

struct FactoryCase {
  const char* element;
  const char* className;
};

class BasicControlFactory : public ::testing::TestWithParam<FactoryCase> {};

TEST_P(BasicControlFactory, ElementName_Create_ControlOfThatClass) {
  RegisterBuiltinFactories();
  UIRefPtr<UIControl> c(FactoryRegistry::Instance().Create(GetParam().element));
  ASSERT_TRUE(c);
  EXPECT_STREQ(c->ClassName(), GetParam().className);
  EXPECT_EQ(c->RefCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, BasicControlFactory,
                         ::testing::Values(FactoryCase{"UILabel", "UILabel"}, FactoryCase{"UIButton", "UIButton"},
                                           FactoryCase{"UILink", "UILink"}, FactoryCase{"UICheckBox", "UICheckBox"},
                                           FactoryCase{"UIRadioBox", "UIRadioBox"}, FactoryCase{"UISwitch", "UISwitch"},
                                           FactoryCase{"UIImage", "UIImage"}, FactoryCase{"UIGif", "UIGif"},
                                           FactoryCase{"UIProgress", "UIProgress"}, FactoryCase{"UISlider", "UISlider"},
                                           FactoryCase{"UIScrollView", "UIScrollView"},
                                           FactoryCase{"UIScrollVertView", "UIScrollVertView"},
                                           FactoryCase{"UICaption", "UICaption"}),
                         [](const auto& info) { return std::string(info.param.element); });

TEST_F(ControlFixture, DocumentOfBasicControls_Build_AttributesApplied) {
  RegisterBuiltinFactories();
  const std::string doc =
      R"(<UIWnd width="300" height="200">)"
      R"(<UIButton id="b" pos="0,0,50,20" btn="img\strip96.png" txt="确定" clr="#ff000000"/>)"
      R"(<UICheckBox id="c" pos="0,20,80,20" check="true" ckimg="img\ck.png"/>)"
      R"(<UIRadioBox id="r" pos="0,40,80,20" group="g"/>)"
      R"(<UIProgress id="p" pos="0,60,100,8" value="40"/>)"
      R"(<UIScrollVertView id="v" pos="0,80,100,100" hscrollwidth="6"/>)"
      R"(</UIWnd>)";
  loader_ = std::make_unique<ResLoaderMgr>(
      respack::Write({{"xml\\doc.xml", std::vector<uint8_t>(doc.begin(), doc.end())}, TestPack()[0],
                      TestPack()[2]}));
  SetResLoader(loader_.get());
  UIControl* root = host_->LoadDocument("xml\\doc.xml");
  ASSERT_NE(root, nullptr);
  auto* b = dynamic_cast<UIButton*>(root->FindById("b"));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Text(), "确定");
  EXPECT_NE(b->StateImages().At(3), nullptr);
  auto* c = dynamic_cast<UICheckBox*>(root->FindById("c"));
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->IsChecked());
  EXPECT_NE(dynamic_cast<UIScrollVertView*>(root->FindById("v")), nullptr);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(2, 2), kLooks[0]);
}

// --- Broken documents --------------------------------------------------------------------

TEST_F(ControlFixture, HostileAttributeValues_BuildRenderAndDrive_NoCrash) {
  RegisterBuiltinFactories();
  const std::string doc =
      R"(<UIWnd width="300" height="200" layout="vert">)"
      R"(<UILabel pos="-5,-5,0,0" xstart="-99999999999" xend="99999999999" txtattr="||=|a=b=c|inset=-9,-9" txt="x"/>)"
      R"(<UIButton pos="1,2" btn="" vbtn="img\missing.png" backrect="1,2,3" bkn="nope" group="" page=""/>)"
      R"(<UICheckBox height="20" rcbox="-10,-10,-20,-20" xlabel="abc" ckimg="img\red.png" check="yes"/>)"
      R"(<UIRadioBox height="20" group="" check="1"/><UIRadioBox height="20" group=""/>)"
      R"(<UISwitch height="20" btn2="img\red.png" bkn2="clr:" check="1"/>)"
      R"(<UIImage height="20" back=""/>)"
      R"(<UIGif height="20" gif="0|99999|%999999d" startgif="1" autoshowhide="true" fresh="1"/>)"
      R"(<UIGif height="20" gif="0|0|img\red.png" startgif="1"/>)"
      R"(<UIProgress height="8" value="-99999999999" drawtype="77" prob="img\red.png" prof="img\missing.png"/>)"
      R"(<UISlider height="0" value="99999" thumb="img\red.png"/>)"
      R"(<UIScrollVertView height="1" hscrollwidth="-5"/>)"
      R"(<UIScrollView height="5"/><UICaption height="5"/>)"
      R"(</UIWnd>)";
  loader_ = std::make_unique<ResLoaderMgr>(
      respack::Write({{"xml\\bad.xml", std::vector<uint8_t>(doc.begin(), doc.end())}, TestPack()[5]}));
  SetResLoader(loader_.get());
  UIControl* root = host_->LoadDocument("xml\\bad.xml");
  ASSERT_NE(root, nullptr);
  ASSERT_EQ(root->Children().size(), 14u);
  host_->RenderAll();
  // Drive every control with the mouse, the wheel and its timers.
  std::vector<UIControl*> all(root->Children());
  for (UIControl* c : all) {
    Down(c, 2, 2);
    Move(c, 500, -500);
    Up(c, 2, 2);
    Send(c, uimsg::kLButtonDblClk, 2, 2);
    Up(c, 2, 2);
    c->SendMsg(uimsg::kMouseWheel, 0xFF880000u, 0);
    c->SendMsg(uimsg::kCaptureChanged, 0, 0);
    c->SendMsg(uimsg::kTimer, 3, 0);
  }
  host_->RenderAll();
  EXPECT_EQ(host_->GetCaptureId(), 0);
}

}  // namespace
}  // namespace vr::controls_test
