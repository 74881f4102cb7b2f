#include <gtest/gtest.h>

#include <string>

#include "ui/PaintTree.h"
#include "ui/UIControl.h"
#include "ui/UIFont.h"
#include "ui/UIGraphics.h"
#include "ui/UIHeadlessHost.h"
#include "ui/TextDraw.h"
#include "ui/TextEngine.h"

namespace vr {
namespace {

UIControl* Add(UIControl* parent, const std::string& pos, const std::string& back) {
  auto* c = new UIControl();
  parent->AddChild(c);
  c->SetAttribute("pos", pos);
  if (!back.empty()) c->SetAttribute("back", back);
  return c;
}

uint32_t Alpha(uint32_t px) { return px >> 24; }

TEST(RenderColor, SolidFill_Render_ColourAtPoint) {
  auto host = UIHeadlessHost::Create(60, 40);
  Add(host.get(), "10,10,20,20", "clr:clr=#ff3366cc");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(15, 15), 0xFF3366CCu);
  EXPECT_EQ(host->PixelAt(5, 5), 0u);
  EXPECT_EQ(host->PixelAt(30, 30), 0u);  // right/bottom edges exclusive
}

TEST(RenderColor, AlphaOne_Render_NotFullyTransparent) {
  auto host = UIHeadlessHost::Create(20, 20);
  Add(host.get(), "0,0,20,20", "clr:clr=#01000000");
  host->RenderAll();
  EXPECT_EQ(Alpha(host->PixelAt(10, 10)), 1u);
}

TEST(RenderColor, Border_Render_OutlineOnOuterPixels) {
  auto host = UIHeadlessHost::Create(20, 20);
  Add(host.get(), "0,0,10,10", "clr:clr=#ffffffff|border=#ff000000");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(0, 0), 0xFF000000u);
  EXPECT_EQ(host->PixelAt(9, 5), 0xFF000000u);
  EXPECT_EQ(host->PixelAt(5, 9), 0xFF000000u);
  EXPECT_EQ(host->PixelAt(5, 5), 0xFFFFFFFFu);
}

TEST(RenderColor, RoundCorner_Render_AntiAliasedEdgeIsPartial) {
  auto host = UIHeadlessHost::Create(40, 40);
  Add(host.get(), "0,0,40,40", "clr:clr=#ffffffff|round=8");
  host->RenderAll();
  EXPECT_EQ(Alpha(host->PixelAt(0, 0)), 0u);       // outside the arc
  EXPECT_EQ(Alpha(host->PixelAt(20, 20)), 255u);   // inside
  const uint32_t edge = Alpha(host->PixelAt(2, 2));  // on the 8-pixel arc
  EXPECT_GT(edge, 0u);
  EXPECT_LT(edge, 255u);
}

TEST(RenderColor, Variants_Render_HoverAndSelectChooseColours) {
  auto host = UIHeadlessHost::Create(20, 20);
  UIControl* c = Add(host.get(), "0,0,20,20", "clr:clr1=#ff0000ff|clr2=#ff00ff00");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(5, 5), 0u);  // normal fill stays 0
  c->SendMsg(uimsg::kMouseHover, 0, 0);
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(5, 5), 0xFF0000FFu);
  c->SetAttribute("select", "1");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(5, 5), 0xFF00FF00u);
}

TEST(RenderGradient, Vertical_Render_RunsFromNormalToHover) {
  auto host = UIHeadlessHost::Create(10, 100);
  Add(host.get(), "0,0,10,100", "grd:clrn=#ff000000|clrh=#ffffffff|mode=1");
  host->RenderAll();
  const uint32_t top = host->PixelAt(5, 0) & 0xFF;
  const uint32_t mid = host->PixelAt(5, 50) & 0xFF;
  const uint32_t bottom = host->PixelAt(5, 99) & 0xFF;
  EXPECT_LT(top, 10u);
  EXPECT_NEAR(static_cast<int>(mid), 128, 6);
  EXPECT_GT(bottom, 245u);
  EXPECT_EQ(host->PixelAt(0, 50), host->PixelAt(9, 50));  // vertical: rows are uniform
}

TEST(PaintTree, ChildOutsideParent_Paint_ClippedToParent) {
  auto host = UIHeadlessHost::Create(60, 60);
  UIControl* panel = Add(host.get(), "10,10,20,20", "");
  Add(panel, "10,10,30,30", "clr:clr=#ffff0000");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(25, 25), 0xFFFF0000u);  // child at (20,20) in window coordinates
  EXPECT_EQ(host->PixelAt(35, 35), 0u);           // beyond the panel
}

TEST(PaintTree, RgnRadius_Paint_CornersClipped) {
  auto host = UIHeadlessHost::Create(40, 40);
  UIControl* panel = Add(host.get(), "0,0,40,40", "");
  panel->SetAttribute("rgn", "10");
  Add(panel, "0,0,40,40", "clr:clr=#ff00ff00");
  host->RenderAll();
  EXPECT_LT(Alpha(host->PixelAt(0, 0)), 255u);
  EXPECT_EQ(host->PixelAt(20, 20), 0xFF00FF00u);
}

TEST(PaintTree, HiddenChild_Paint_Skipped) {
  auto host = UIHeadlessHost::Create(20, 20);
  UIControl* c = Add(host.get(), "0,0,20,20", "clr:clr=#ffff0000");
  c->SetAttribute("visible", "false");
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(10, 10), 0u);
}

TEST(PaintTree, Render_OnlyInvalidAreaRepainted) {
  auto host = UIHeadlessHost::Create(40, 20);
  UIControl* left = Add(host.get(), "0,0,20,20", "clr:clr=#ffff0000");
  UIControl* right = Add(host.get(), "20,0,20,20", "clr:clr=#ff0000ff");
  host->RenderAll();
  right->SetAttribute("back", "clr:clr=#ff00ff00");
  const UIRect area = host->Render();
  EXPECT_EQ(area, (UIRect{20, 0, 40, 20}));
  EXPECT_EQ(host->PixelAt(30, 10), 0xFF00FF00u);
  (void)left;
}

// --- Text ------------------------------------------------------------------------------

int InkColumns(UIHeadlessHost* host, int x0, int x1, int y0, int y1, int* first, int* last) {
  int count = 0;
  *first = -1;
  *last = -1;
  for (int x = x0; x < x1; ++x) {
    for (int y = y0; y < y1; ++y) {
      if (Alpha(host->PixelAt(x, y)) > 64) {
        if (*first < 0) *first = x;
        *last = x;
        ++count;
        break;
      }
    }
  }
  return count;
}

TEST(RenderText, Alignment_Render_InkMovesWithHorz) {
  int firstLeft, lastLeft, firstRight, lastRight;
  {
    auto host = UIHeadlessHost::Create(200, 30);
    UIControl* c = Add(host.get(), "0,0,200,30", "txt:clr=#ff000000|font=14|horz=0");
    c->SetText("日历");
    host->RenderAll();
    ASSERT_GT(InkColumns(host.get(), 0, 200, 0, 30, &firstLeft, &lastLeft), 0);
  }
  {
    auto host = UIHeadlessHost::Create(200, 30);
    UIControl* c = Add(host.get(), "0,0,200,30", "txt:clr=#ff000000|font=14|horz=2");
    c->SetText("日历");
    host->RenderAll();
    ASSERT_GT(InkColumns(host.get(), 0, 200, 0, 30, &firstRight, &lastRight), 0);
  }
  EXPECT_LT(firstLeft, 5);
  EXPECT_GT(lastRight, 193);
  EXPECT_NEAR(lastLeft - firstLeft, lastRight - firstRight, 1);
}

TEST(RenderText, Trimming_Render_StaysInsideRect) {
  auto host = UIHeadlessHost::Create(200, 30);
  UIControl* c = Add(host.get(), "0,0,60,30", "txt:clr=#ff000000|font=14|trim=1");
  c->SetText("二〇二六年农历丙午年腊月初一");
  host->RenderAll();
  int first, last;
  ASSERT_GT(InkColumns(host.get(), 0, 200, 0, 30, &first, &last), 0);
  EXPECT_LT(last, 60);
}

TEST(RenderText, Shadow_Render_DarkensBelowText) {
  auto plain = UIHeadlessHost::Create(100, 40);
  auto shadowed = UIHeadlessHost::Create(100, 40);
  Add(plain.get(), "0,0,100,40", "txt:clr=#ffffffff|font=20|vert=0")->SetText("阴影");
  Add(shadowed.get(), "0,0,100,40", "txt:clr=#ffffffff|font=20|vert=0|shadow=1")->SetText("阴影");
  plain->RenderAll();
  shadowed->RenderAll();
  long long plainAlpha = 0, shadowAlpha = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      plainAlpha += Alpha(plain->PixelAt(x, y));
      shadowAlpha += Alpha(shadowed->PixelAt(x, y));
    }
  }
  EXPECT_GT(shadowAlpha, plainAlpha + 1000);
}

TEST(RenderText, KeywordMarkup_Render_HighlightRunIsRed) {
  auto host = UIHeadlessHost::Create(200, 30);
  UIControl* c = Add(host.get(), "0,0,200,30", "txt:clr=#ff000000|font=16|keyword=1");
  c->SetHighlightText("还有{12天}", "16", "#ff000000");
  host->RenderAll();
  int redColumns = 0, blackColumns = 0;
  for (int x = 0; x < 200; ++x) {
    for (int y = 0; y < 30; ++y) {
      const uint32_t px = host->PixelAt(x, y);
      if (Alpha(px) < 200) continue;
      if (((px >> 16) & 0xFF) > 200 && (px & 0xFF) < 40) {
        ++redColumns;
        break;
      }
      if (((px >> 16) & 0xFF) < 40) {
        ++blackColumns;
        break;
      }
    }
  }
  EXPECT_GT(redColumns, 5);
  EXPECT_GT(blackColumns, 5);
}

TEST(RenderText, KeywordWithoutMarkup_Render_DrawnAsPlainText) {
  auto host = UIHeadlessHost::Create(100, 30);
  UIControl* c = Add(host.get(), "0,0,100,30", "txt:clr=#ff000000|keyword=1");
  c->SetText("plain {text}");
  host->RenderAll();
  int first, last;
  EXPECT_GT(InkColumns(host.get(), 0, 100, 0, 30, &first, &last), 10);
}

TEST(RenderText, SameScene_RenderTwice_IdenticalPixels) {
  auto a = UIHeadlessHost::Create(120, 30);
  auto b = UIHeadlessHost::Create(120, 30);
  Add(a.get(), "0,0,120,30", "txt:clr=#ff202020|font=13")->SetText("冬至 Winter");
  Add(b.get(), "0,0,120,30", "txt:clr=#ff202020|font=13")->SetText("冬至 Winter");
  a->RenderAll();
  b->RenderAll();
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 120; ++x) ASSERT_EQ(a->PixelAt(x, y), b->PixelAt(x, y)) << x << "," << y;
  }
}

long long InkSum(UIHeadlessHost* host) {
  long long sum = 0;
  for (int y = 0; y < host->Height(); ++y) {
    for (int x = 0; x < host->Width(); ++x) sum += Alpha(host->PixelAt(x, y));
  }
  return sum;
}

TEST(RenderText, UnderlineAndStrikeout_Render_AddLines) {
  long long ink[3];
  const char* specs[3] = {"16", "16u", "16s"};
  for (int i = 0; i < 3; ++i) {
    auto host = UIHeadlessHost::Create(100, 30);
    Add(host.get(), "0,0,100,30", std::string("txt:clr=#ff000000|font=") + specs[i])->SetText("日历日历");
    host->RenderAll();
    ink[i] = InkSum(host.get());
  }
  EXPECT_GT(ink[1], ink[0] + 255 * 30);
  EXPECT_GT(ink[2], ink[0] + 255 * 30);
}

TEST(Fonts, DefaultFace_Create_IsNotoSansCjkScWhenInstalled) {
  const UIFont& f = DefaultFont();
  EXPECT_EQ(f.SizePx(), 13);
  EXPECT_TRUE(f.Family() == "Noto Sans CJK SC" || f.Family() == "sans-serif");
  auto bold = UIFont::Create(FontSpec::Parse("16B"));
  ASSERT_TRUE(bold);
  EXPECT_EQ(pango_font_description_get_weight(bold->Description()), PANGO_WEIGHT_BOLD);
  EXPECT_FALSE(UIFont::Create(FontSpec::Parse("Arial_14")));  // size 0: the default font is used instead
  auto unknown = UIFont::Create(FontSpec{"NoSuchFace", 12, 0});
  EXPECT_EQ(unknown->Family(), "sans-serif");
}

TEST(RenderText, TrailingSpaces_Measure_Counted) {
  UIGraphics g(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
  const int bare = MeasureTextWidth(g.Cairo(), DefaultFont(), "日历");
  const int spaced = MeasureTextWidth(g.Cairo(), DefaultFont(), "日历  ");
  EXPECT_GT(bare, 20);
  EXPECT_GT(spaced, bare + 4);
  cairo_surface_destroy(cairo_get_target(g.Cairo()));
}

TEST(Fonts, HostCache_GetFont_SameObjectPerSpec) {
  auto host = UIHeadlessHost::Create(10, 10);
  UIFont* a = host->GetFont("14");
  EXPECT_EQ(a, host->GetFont("14"));
  EXPECT_NE(a, host->GetFont("14B"));
  EXPECT_EQ(host->GetFont(""), nullptr);
  EXPECT_EQ(host->Fonts().Size(), 3u);
}

}  // namespace
}  // namespace vr
