#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"

namespace vr {
namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

std::vector<uint8_t> ToPng(cairo_surface_t* s) {
  std::vector<uint8_t> out;
  cairo_surface_write_to_png_stream(
      s,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* v = static_cast<std::vector<uint8_t>*>(closure);
        v->insert(v->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out);
  return out;
}

void Fill(cairo_t* cr, int x, int y, int w, int h, uint32_t argb) {
  cairo_set_source_rgb(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// 30 x 30: red 10 x 10 corners, green edge strips, a blue centre.
std::vector<uint8_t> NineGridPng() {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 30, 30);
  cairo_t* cr = cairo_create(s);
  Fill(cr, 0, 0, 30, 30, kGreen);
  for (int x : {0, 20}) {
    for (int y : {0, 20}) Fill(cr, x, y, 10, 10, kRed);
  }
  Fill(cr, 10, 10, 10, 10, kBlue);
  cairo_destroy(cr);
  auto png = ToPng(s);
  cairo_surface_destroy(s);
  return png;
}

// 30 x 10: red, green, blue thirds.
std::vector<uint8_t> ThirdsPng() {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 30, 10);
  cairo_t* cr = cairo_create(s);
  Fill(cr, 0, 0, 10, 10, kRed);
  Fill(cr, 10, 0, 10, 10, kGreen);
  Fill(cr, 20, 0, 10, 10, kBlue);
  cairo_destroy(cr);
  auto png = ToPng(s);
  cairo_surface_destroy(s);
  return png;
}

class ImageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    loader_ = std::make_unique<ResLoaderMgr>(
        respack::Write({{"img\\nine.png", NineGridPng()}, {"img\\thirds.png", ThirdsPng()}}));
    SetResLoader(loader_.get());
    host_ = UIHeadlessHost::Create(120, 60);
  }
  void TearDown() override {
    host_.reset();
    SetResLoader(nullptr);
  }
  UIControl* Add(const std::string& pos, const std::string& back) {
    auto* c = new UIControl();
    host_->AddChild(c);
    c->SetAttribute("pos", pos);
    c->SetAttribute("back", back);
    return c;
  }
  std::unique_ptr<ResLoaderMgr> loader_;
  UIRefPtr<UIHeadlessHost> host_;
};

TEST_F(ImageFixture, NineGrid30Into100x40_Render_KeepsTenPixelCorners) {
  Add("0,0,100,40", "img:file=img\\NINE.png|type=3");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(0, 0), kRed);
  EXPECT_EQ(host_->PixelAt(9, 9), kRed);
  EXPECT_EQ(host_->PixelAt(90, 0), kRed);
  EXPECT_EQ(host_->PixelAt(99, 39), kRed);
  EXPECT_EQ(host_->PixelAt(0, 30), kRed);
  EXPECT_EQ(host_->PixelAt(50, 5), kGreen);   // top edge stretched
  EXPECT_EQ(host_->PixelAt(5, 20), kGreen);   // left edge stretched
  EXPECT_EQ(host_->PixelAt(95, 20), kGreen);  // right edge
  EXPECT_EQ(host_->PixelAt(10, 10), kBlue);   // interior from the centre pixel
  EXPECT_EQ(host_->PixelAt(89, 29), kBlue);
  EXPECT_EQ(host_->PixelAt(100, 20), 0u);
}

TEST_F(ImageFixture, ThreeSliceWhole_Render_EndsKeptMiddleStretched) {
  Add("0,0,90,10", "img:file=img\\thirds.png|type=4");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(0, 5), kRed);
  EXPECT_EQ(host_->PixelAt(9, 5), kRed);
  EXPECT_EQ(host_->PixelAt(10, 5), kGreen);
  EXPECT_EQ(host_->PixelAt(79, 5), kGreen);
  EXPECT_EQ(host_->PixelAt(80, 5), kBlue);
  EXPECT_EQ(host_->PixelAt(89, 5), kBlue);
}

TEST_F(ImageFixture, ThreeSliceOfSource_Render_NarrowDestinationStretchesWhole) {
  Add("0,0,60,10", "img:file=img\\thirds.png|type=1");
  Add("0,20,15,10", "img:file=img\\thirds.png|type=1");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(9, 5), kRed);
  EXPECT_EQ(host_->PixelAt(30, 5), kGreen);
  EXPECT_EQ(host_->PixelAt(50, 5), kBlue);
  EXPECT_EQ(host_->PixelAt(1, 25), kRed);     // 30 px stretched into 15
  EXPECT_EQ(host_->PixelAt(13, 25), kBlue);
}

TEST_F(ImageFixture, SourceAndDestination_Render_StretchesPartIntoRect) {
  Add("0,0,40,40", "img:file=img\\thirds.png|src=20,0,10,10|dst=10,10,20,20");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(5, 5), 0u);
  EXPECT_EQ(host_->PixelAt(15, 15), kBlue);
  EXPECT_EQ(host_->PixelAt(29, 29), kBlue);
  EXPECT_EQ(host_->PixelAt(30, 30), 0u);
}

TEST_F(ImageFixture, MissingOrOutsideImage_Render_DrawsNothingAndKeepsDrawing) {
  Add("0,0,20,20", "img:file=img\\missing.png");
  Add("20,0,20,20", "img:file=img\\thirds.png|src=-50,-50,5,5");
  Add("40,0,20,20", "clr:clr=#ff0000ff");
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(10, 10), 0u);
  EXPECT_EQ(host_->PixelAt(50, 10), kBlue);  // the context survived the bad source
}

}  // namespace
}  // namespace vr
