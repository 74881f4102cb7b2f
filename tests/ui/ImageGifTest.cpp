#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "platform/headless/FakeLoopTime.h"
#include "ui/GifAnimation.h"
#include "ui/SkinBitmap.h"
#include "ui/UIGif.h"
#include "ui/UIImage.h"

namespace vr::controls_test {
namespace {

using std::chrono::milliseconds;

// --- Image ------------------------------------------------------------------------------

TEST_F(ControlFixture, ImageBack_Render_PackImageStretchedOverControl) {
  auto* img = Add<UIImage>({{"pos", "0,0,40,30"}, {"back", "img\\GREEN.png"}});
  ASSERT_NE(img->Image(), nullptr);
  EXPECT_EQ(img->Back(), nullptr);  // a path, not a style descriptor
  EXPECT_EQ(img->GetAttribute("back"), "img\\GREEN.png");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(1, 1), kGreen);
  EXPECT_EQ(host_->PixelAt(38, 28), kGreen);
  EXPECT_EQ(host_->PixelAt(41, 28), 0u);
}

TEST_F(ControlFixture, ImageBackMissing_Render_DrawsNothing) {
  auto* img = Add<UIImage>({{"pos", "0,0,40,30"}, {"back", "img\\red.png"}, {"back", "img\\none.png"}});
  EXPECT_EQ(img->Image(), nullptr);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(5, 5), 0u);
}

TEST_F(ControlFixture, OwnedImages_ReplacedAndDestroyed_AreDeleted) {
  // Leak checking under the sanitizers fails this test if either owned
  // image survives.
  auto* img = Add<UIImage>({{"pos", "0,0,8,8"}});
  const auto png = SolidPng(4, 4, kBlue);
  img->SetImage(new SkinBitmap(png), true);
  img->SetImage(new SkinBitmap(png), true);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(2, 2), kBlue);
  img->SetImage(loader_->GetImage("img\\red.png"), false);  // the owned one goes now
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(2, 2), kRed);
  img->SetImage(new SkinBitmap(png), true);
  img->RemoveSelf();
}

// --- Frame path formatting ------------------------------------------------------------

struct FormatCase {
  const char* name;
  const char* pattern;
  long long value;
  bool ok;
  const char* expected;
};

class FramePathFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FramePathFormat, Pattern_Format_OnlyIntegerConversions) {
  const FormatCase& tc = GetParam();
  std::string out;
  EXPECT_EQ(UIGif::FormatFramePath(tc.pattern, tc.value, &out), tc.ok);
  if (tc.ok) EXPECT_EQ(out, tc.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FramePathFormat,
    ::testing::Values(FormatCase{"plain_d", "img\\a%d.png", 7, true, "img\\a7.png"},
                      FormatCase{"zero_padded", "img\\a%02d.png", 7, true, "img\\a07.png"},
                      FormatCase{"hex_and_percent", "%x%%", 255, true, "ff%"},
                      FormatCase{"no_conversion", "img\\same.png", 3, true, "img\\same.png"},
                      FormatCase{"length_modifier", "%ld", -4, true, "-4"},
                      FormatCase{"string_refused", "img\\%s.png", 1, false, ""},
                      FormatCase{"pointer_refused", "%p", 1, false, ""},
                      FormatCase{"store_refused", "%n", 1, false, ""},
                      FormatCase{"two_conversions_refused", "%d_%d", 1, false, ""},
                      FormatCase{"trailing_percent_refused", "img%", 1, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FramePathFormatLimits, HugeWidth_Format_CutTo260Bytes) {
  std::string out;
  ASSERT_TRUE(UIGif::FormatFramePath("%999d", 1, &out));
  EXPECT_EQ(out.size(), UIGif::kMaxPathBytes);
}

// --- Frame lists ----------------------------------------------------------------------

struct GifValueCase {
  const char* name;
  const char* value;
  std::vector<std::string> expected;
};

class GifValue : public ControlFixture, public ::testing::WithParamInterface<GifValueCase> {};

TEST_P(GifValue, Attribute_Parse_ListsFramePaths) {
  auto* gif = Add<UIGif>({{"gif", GetParam().value}});
  EXPECT_EQ(gif->FramePaths(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GifValue,
    ::testing::Values(GifValueCase{"range", "0|3|img\\f%d.png", {"img\\f0.png", "img\\f1.png", "img\\f2.png", "img\\f3.png"}},
                      GifValueCase{"single", "2|2|img\\f%d.png", {"img\\f2.png"}},
                      GifValueCase{"reversed_range", "3|1|img\\f%d.png", {}},
                      GifValueCase{"two_parts", "0|img\\f%d.png", {}},
                      GifValueCase{"four_parts", "0|1|img\\f%d.png|x", {}},
                      GifValueCase{"bad_pattern", "0|1|img\\%s.png", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, HugeGifRange_Parse_StopsAtFrameLimit) {
  auto* gif = Add<UIGif>({{"gif", "0|2147483647|img\\f%d.png"}});
  EXPECT_EQ(gif->FrameCount(), UIGif::kMaxFrames);
}

// --- Playing ------------------------------------------------------------------------------

class GifPlay : public ControlFixture {
 protected:
  UIGif* MakeGif(const std::string& value, bool autoShowHide = false) {
    auto* gif = new UIGif();
    gif->SetLoopTime(&time_);
    host_->AddChild(gif);
    gif->SetAttribute("pos", "0,0,30,30");
    if (autoShowHide) gif->SetAttribute("autoshowhide", "true");
    gif->SetAttribute("gif", value);
    return gif;
  }
  uint32_t TimerId(UIGif* gif) const { return UIControl::ControlTimerId(UIGif::kTimerIndex, gif->Serial()); }
  void Tick(UIGif* gif, int ms) {
    time_.Set(time_.Now() + milliseconds(ms));
    host_->FireTimer(TimerId(gif));
  }
  FakeLoopTime time_;
};

TEST_F(GifPlay, Startgif_Attribute_StartsTenMillisecondTimerThree) {
  auto* gif = MakeGif("0|3|img\\f%d.png");
  gif->SetAttribute("startgif", "");
  ASSERT_EQ(host_->Timers().count(TimerId(gif)), 1u);
  EXPECT_EQ(host_->Timers().at(TimerId(gif)), 10u);
  gif->SetAttribute("stopgif", "1");
  EXPECT_EQ(host_->Timers().count(TimerId(gif)), 0u);
  EXPECT_FALSE(gif->Running());
}

TEST_F(GifPlay, Running_TimerTicks_AdvanceOnlyAfterThirtyMillisecondsSincePaint) {
  auto* gif = MakeGif("0|3|img\\f%d.png");
  gif->SetAttribute("startgif", "");
  host_->RenderAll();  // paint: frame 0 shown now
  EXPECT_EQ(host_->PixelAt(15, 15), kLooks[0]);
  Tick(gif, 10);
  Tick(gif, 10);
  Tick(gif, 10);  // exactly 30 ms: not more than the interval
  EXPECT_EQ(gif->FrameIndex(), 0);
  Tick(gif, 10);
  EXPECT_EQ(gif->FrameIndex(), 1);
  host_->Render();
  EXPECT_EQ(host_->PixelAt(15, 15), kLooks[1]);
  // Natural size, centred: the 10 x 10 frame covers 10..19.
  EXPECT_EQ(host_->PixelAt(9, 15), 0u);
  EXPECT_EQ(host_->PixelAt(19, 19), kLooks[1]);
}

TEST_F(GifPlay, LastFrame_Advance_WrapsToFirst) {
  auto* gif = MakeGif("0|1|img\\f%d.png");
  for (int i = 0; i < 3; ++i) {
    time_.Set(time_.Now() + milliseconds(31));
    gif->SetAttribute("fresh", "x");
  }
  EXPECT_EQ(gif->FrameIndex(), 1);  // 0 -> 1 -> 0 -> 1
}

TEST_F(GifPlay, HiddenGif_Tick_DoesNotAdvance) {
  auto* gif = MakeGif("0|3|img\\f%d.png");
  gif->SetVisible(false, true);
  Tick(gif, 100);
  EXPECT_EQ(gif->FrameIndex(), 0);
}

TEST_F(GifPlay, AutoShowHide_StartAndStop_ShowAndHideControl) {
  auto* gif = MakeGif("0|3|img\\f%d.png", true);
  gif->SetVisible(false, true);
  gif->Start();
  EXPECT_TRUE(gif->IsVisibleSelf());
  gif->Stop();
  EXPECT_FALSE(gif->IsVisibleSelf());
}

TEST_F(GifPlay, TreeTornDownWhileRunning_Destroy_KillsItsTimer) {
  auto* box = Add<UIControl>({{"pos", "0,0,50,50"}});
  auto* gif = new UIGif();
  box->AddChild(gif);
  gif->SetAttribute("gif", "0|3|img\\f%d.png");
  gif->Start();
  const uint32_t id = TimerId(gif);
  ASSERT_EQ(host_->Timers().count(id), 1u);
  box->RemoveAllChildren();
  EXPECT_EQ(host_->Timers().count(id), 0u);
}

TEST_F(GifPlay, RemovedSelfWhileRunning_NextTick_TimerKilled) {
  auto* gif = MakeGif("0|3|img\\f%d.png");
  gif->Start();
  const uint32_t id = TimerId(gif);
  gif->RemoveSelf();
  host_->FireTimer(id);
  EXPECT_EQ(host_->Timers().count(id), 0u);
}

TEST_F(GifPlay, AnimatedGifFile_Play_FramesWithTheirOwnDelays) {
  auto* gif = MakeGif("0|0|img\\anim.gif");
  ASSERT_TRUE(gif->PlaysGifFile());
  ASSERT_EQ(gif->FrameCount(), 4);
  gif->Start();
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(15, 15), kRed);
  Tick(gif, 40);  // the frames last 50 ms
  EXPECT_EQ(gif->FrameIndex(), 0);
  Tick(gif, 20);
  EXPECT_EQ(gif->FrameIndex(), 1);
  host_->Render();
  EXPECT_EQ(host_->PixelAt(15, 15), kGreen);
  EXPECT_EQ(host_->PixelAt(8, 15), 0u);  // 12 x 12 centred: 9..20
}

// --- GIF decoding ---------------------------------------------------------------------------

TEST(GifAnimationDecode, FourFrameGif_Decode_CompositedFramesAndDelays) {
  const auto bytes = AnimatedGif(6, 4, {1, 2, 3, 2}, 7);
  EXPECT_EQ(GifAnimation::CountFrames(bytes), 4);
  auto anim = GifAnimation::Decode(bytes);
  ASSERT_NE(anim, nullptr);
  ASSERT_EQ(anim->Frames().size(), 4u);
  EXPECT_EQ(anim->Width(), 6);
  EXPECT_EQ(anim->Height(), 4);
  const uint32_t expected[] = {kRed, kGreen, kBlue, kGreen};
  for (size_t i = 0; i < 4; ++i) {
    cairo_surface_t* s = anim->Frames()[i].surface;
    cairo_surface_flush(s);
    const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s));
    EXPECT_EQ(px[0], expected[i]) << i;
    EXPECT_EQ(anim->Frames()[i].delayMs, 70) << i;
  }
}

struct BadGifCase {
  const char* name;
  std::vector<uint8_t> bytes;
};

class GifAnimationRefuses : public ::testing::TestWithParam<BadGifCase> {};

TEST_P(GifAnimationRefuses, BrokenOrStillBytes_Decode_Null) {
  EXPECT_EQ(GifAnimation::Decode(GetParam().bytes), nullptr);
}

std::vector<uint8_t> Truncated(std::vector<uint8_t> v, size_t keep) {
  v.resize(keep);
  return v;
}

std::vector<uint8_t> WithScreenSize(std::vector<uint8_t> v, int w, int h) {
  v[6] = static_cast<uint8_t>(w & 0xFF);
  v[7] = static_cast<uint8_t>(w >> 8);
  v[8] = static_cast<uint8_t>(h & 0xFF);
  v[9] = static_cast<uint8_t>(h >> 8);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GifAnimationRefuses,
    ::testing::Values(BadGifCase{"empty", {}},
                      BadGifCase{"png", SolidPng(4, 4, kRed)},
                      BadGifCase{"one_frame", AnimatedGif(4, 4, {1}, 5)},
                      BadGifCase{"header_only", Truncated(AnimatedGif(4, 4, {1, 2}, 5), 13)},
                      BadGifCase{"cut_in_first_frame", Truncated(AnimatedGif(4, 4, {1, 2}, 5), 40)},
                      BadGifCase{"giant_screen", WithScreenSize(AnimatedGif(4, 4, {1, 2, 3}, 5), 65535, 65535)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vr::controls_test
