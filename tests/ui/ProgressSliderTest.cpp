#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/UIProgress.h"
#include "ui/UIRenderImg.h"
#include "ui/UISlider.h"

namespace vr::controls_test {
namespace {

// --- Progress bar -----------------------------------------------------------------------

struct ProgressCase {
  const char* name;
  const char* value;
  int expectedValue;
  int expectedFill;  // of a 200-pixel bar
};

class ProgressValue : public ControlFixture, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressValue, ValueAttribute_Set_ClampedToPercentAndFillFollows) {
  auto* p = Add<UIProgress>({{"pos", "0,0,200,10"}, {"value", GetParam().value}});
  EXPECT_EQ(p->Value(), GetParam().expectedValue);
  EXPECT_EQ(p->FillWidth(), GetParam().expectedFill);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressValue,
                         ::testing::Values(ProgressCase{"zero", "0", 0, 0}, ProgressCase{"half", "50", 50, 100},
                                           ProgressCase{"third", "33", 33, 66}, ProgressCase{"full", "100", 100, 200},
                                           ProgressCase{"over", "250", 100, 200},
                                           ProgressCase{"negative", "-20", 0, 0},
                                           ProgressCase{"huge", "99999999999", 100, 200},
                                           ProgressCase{"junk", "abc", 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, ProgressWithoutImages_Render_GreyTrackGreenFill) {
  Add<UIProgress>({{"pos", "0,0,200,10"}, {"value", "25"}});
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(10, 5), UIProgress::kFillColour);
  EXPECT_EQ(host_->PixelAt(49, 5), UIProgress::kFillColour);
  EXPECT_EQ(host_->PixelAt(50, 5), UIProgress::kTrackColour);
  EXPECT_EQ(host_->PixelAt(199, 5), UIProgress::kTrackColour);
}

TEST_F(ControlFixture, ProgressTinyValue_Render_NoFillBelowOnePixel) {
  Add<UIProgress>({{"pos", "0,0,50,10"}, {"value", "1"}});  // 0.5 pixel
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(0, 5), UIProgress::kTrackColour);
}

TEST_F(ControlFixture, ProgressImages_DefaultTypeFour_DrawtypeChangesBoth) {
  auto* p = Add<UIProgress>({{"prob", "img\\red.png"}, {"prof", "img\\blue.png"}});
  ASSERT_NE(p->Background(), nullptr);
  EXPECT_EQ(p->Background()->Type(), 4);
  EXPECT_EQ(p->Foreground()->Type(), 4);
  p->SetAttribute("drawtype", "0");
  EXPECT_EQ(p->Background()->Type(), 0);
  EXPECT_EQ(p->Foreground()->Type(), 0);
}

TEST_F(ControlFixture, ProgressTypeZeroForeground_Render_ImageCutNotSqueezed) {
  // img\strip96.png is four 24-pixel columns: red, green, blue, yellow.
  auto* p = Add<UIProgress>({{"pos", "0,0,96,20"}, {"drawtype", "0"}, {"prob", "img\\vstrip.png"},
                             {"prof", "img\\strip96.png"}, {"value", "50"}});
  host_->RenderAll();
  EXPECT_EQ(p->Foreground()->Src(), (UIRect{0, 0, 48, 20}));
  EXPECT_EQ(host_->PixelAt(10, 10), kLooks[0]);  // first 24 columns of the image, unscaled
  EXPECT_EQ(host_->PixelAt(30, 10), kLooks[1]);
  EXPECT_EQ(host_->PixelAt(60, 10), kLooks[2]);  // background (stretched bands): third band
}

// --- Slider ------------------------------------------------------------------------------

TEST_F(ControlFixture, Slider200Value50Thumb80_Geometry_TwentyPixelThumbAt90) {
  auto* s = Add<UISlider>({{"pos", "0,0,200,30"}, {"thumb", "img\\thumb.png"}});
  s->SetValue(50);
  EXPECT_EQ(s->ThumbWidth(), 20);
  EXPECT_EQ(s->ThumbRect(), UIRect::FromXYWH(90, 7, 20, 16));
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(95, 15), kLooks[0]);
  EXPECT_EQ(host_->PixelAt(89, 15), 0u);
}

struct ThumbCase {
  const char* name;
  int value;
  int expectedX;
};

class SliderThumbX : public ControlFixture, public ::testing::WithParamInterface<ThumbCase> {};

TEST_P(SliderThumbX, Value_ThumbRect_KeptInsideTrack) {
  auto* s = Add<UISlider>({{"pos", "0,0,200,20"}});  // no image: 20-pixel thumb
  s->SetValue(GetParam().value);
  EXPECT_EQ(s->ThumbRect().left, GetParam().expectedX);
}

INSTANTIATE_TEST_SUITE_P(Cases, SliderThumbX,
                         ::testing::Values(ThumbCase{"start", 0, 0}, ThumbCase{"near_start", 3, 0},
                                           ThumbCase{"middle", 50, 90}, ThumbCase{"end", 100, 180}),
                         [](const auto& info) { return std::string(info.param.name); });

class SliderMouse : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    // At x = 50 in the window: local x = window x - 50.
    slider_ = Add<UISlider>({{"pos", "50,0,200,20"}, {"thumb", "img\\thumb.png"}, {"id", "vol"}});
    slider_->SetValue(50);  // thumb at local 90..109
  }
  UISlider* slider_ = nullptr;
};

TEST_F(SliderMouse, ClickOnTrack_Down_JumpsWithoutEndTrack) {
  Down(slider_, 50 + 20, 10);
  EXPECT_EQ(slider_->Value(), 10);
  EXPECT_FALSE(slider_->Dragging());
  EXPECT_EQ(host_->GetCaptureId(), 0);
  Up(slider_, 50 + 20, 10);
  EXPECT_EQ(EventNames(), std::vector<std::string>{"sliderposchanged"});
}

TEST_F(SliderMouse, DragThumb_MoveAndRelease_ValueFollowsAndEndTrackOnce) {
  Down(slider_, 50 + 100, 10);
  EXPECT_TRUE(slider_->Dragging());
  EXPECT_EQ(host_->GetCaptureId(), slider_->Serial());
  EXPECT_EQ(slider_->ThumbStateIndex(), 2);
  Move(slider_, 50 + 140, 10);  // +40 px of 200 = +20
  EXPECT_EQ(slider_->Value(), 70);
  Move(slider_, 50 + 600, 10);
  EXPECT_EQ(slider_->Value(), 100);
  Move(slider_, -400, 10);
  EXPECT_EQ(slider_->Value(), 0);
  Up(slider_, -400, 10);
  EXPECT_FALSE(slider_->Dragging());
  EXPECT_EQ(host_->GetCaptureId(), 0);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"sliderposchanged", "sliderposchanged", "sliderposchanged",
                                                    "sliderendtrack"}));
  EXPECT_EQ(host_->Events().back().id, "vol");
}

TEST_F(SliderMouse, Dragging_CaptureLost_StopsWithoutEndTrack) {
  Down(slider_, 50 + 100, 10);
  slider_->SendMsg(uimsg::kCaptureChanged, 0, 0);
  EXPECT_FALSE(slider_->Dragging());
  Up(slider_, 50 + 100, 10);
  EXPECT_EQ(CountEvents("sliderendtrack"), 0);
}

TEST_F(SliderMouse, PointerOverThumb_MoveAndLeave_ThumbHoverFollows) {
  Move(slider_, 50 + 95, 10);
  EXPECT_TRUE(slider_->ThumbHover());
  EXPECT_EQ(slider_->ThumbStateIndex(), 1);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(50 + 95, 10), kLooks[1]);
  Move(slider_, 50 + 10, 10);
  EXPECT_FALSE(slider_->ThumbHover());
  Move(slider_, 50 + 95, 10);
  slider_->SendMsg(uimsg::kMouseLeave, 0, 0);
  EXPECT_FALSE(slider_->ThumbHover());
  EXPECT_TRUE(host_->Events().empty());
}

TEST_F(SliderMouse, DisabledSlider_Render_DisabledThumbFrame) {
  slider_->SetAttribute("enable", "0");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(50 + 95, 10), kLooks[3]);
}

TEST_F(ControlFixture, ZeroWidthSlider_Drag_DividesByOne) {
  auto* s = Add<UISlider>({{"pos", "0,0,0,20"}});
  Down(s, 0, 5);  // the 20-pixel thumb still lies at 0
  ASSERT_TRUE(s->Dragging());
  Move(s, 0, 5);
  EXPECT_EQ(s->Value(), 0);
  Move(s, 3, 5);
  EXPECT_EQ(s->Value(), 100);
}

TEST_F(ControlFixture, SliderImages_Render_TrackAndFillBandsCentred) {
  Add<UISlider>({{"pos", "0,0,100,20"}, {"sliderbg", "img\\red.png"}, {"sliderfg", "img\\blue.png"}});
  auto* s = dynamic_cast<UISlider*>(host_->Children().back());
  s->SetValue(30);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(10, 10), kBlue);  // fill up to 30
  EXPECT_EQ(host_->PixelAt(50, 10), kRed);   // track
  EXPECT_EQ(host_->PixelAt(50, 5), 0u);      // 8-pixel bands: rows 6..13
  EXPECT_EQ(host_->PixelAt(50, 14), 0u);
}

}  // namespace
}  // namespace vr::controls_test
