#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ui/CssTable.h"
#include "ui/FontSpec.h"
#include "ui/HighlightMarkup.h"
#include "ui/StyleParser.h"
#include "ui/UIColor.h"
#include "ui/UIControl.h"
#include "ui/UIGradientColor.h"
#include "ui/UIRenderColor.h"
#include "ui/UIRenderImg.h"
#include "ui/UIRenderText.h"

namespace vr {
namespace {

struct ColourCase {
  const char* text;
  uint32_t expected;
};
void PrintTo(const ColourCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
class ColourText : public ::testing::TestWithParam<ColourCase> {};
TEST_P(ColourText, Text_ParseColor_GivesArgb) { EXPECT_EQ(ParseColor(GetParam().text), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(
    Examples, ColourText,
    ::testing::Values(ColourCase{"#ff60656f", 0xFF60656F}, ColourCase{"#1fffffff", 0x1FFFFFFF},
                      ColourCase{"#60656f", 0xFE60656F}, ColourCase{"#FFF", 0xFE000FFF},
                      ColourCase{"0x80112233", 0x80112233}, ColourCase{"", 0}, ColourCase{"#", 0},
                      ColourCase{"#zz0000ff", 0x000000FF}, ColourCase{"#1234567890", 0x34567890},
                      ColourCase{"10,20,30", 0xFF0A141E}, ColourCase{"128,10,20,30", 0x800A141E},
                      ColourCase{"1,2", 0xFF000000}, ColourCase{"1,2,3,4,5", 0xFF000000}));

struct FontCase {
  const char* spec;
  FontSpec expected;
};
void PrintTo(const FontCase& c, std::ostream* os) { *os << '"' << c.spec << '"'; }
class FontSpecText : public ::testing::TestWithParam<FontCase> {};
TEST_P(FontSpecText, Spec_Parse_GivesFaceSizeStyle) { EXPECT_EQ(FontSpec::Parse(GetParam().spec), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Examples, FontSpecText,
                         ::testing::Values(FontCase{"16", {"", 16, 0}}, FontCase{"16B", {"", 16, FontSpec::kBold}},
                                           FontCase{"Arial_14", {"Arial", 0, FontSpec::kItalic}},
                                           FontCase{"12ub", {"", 12, FontSpec::kBold | FontSpec::kUnderline}},
                                           FontCase{"14S", {"", 14, FontSpec::kStrikeout}}, FontCase{"", {"", 0, 0}}));

struct MarkupCase {
  const char* text;
  const char* expected;
};
void PrintTo(const MarkupCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
class HighlightText : public ::testing::TestWithParam<MarkupCase> {};
TEST_P(HighlightText, BraceText_BuildHighlightMarkup_GivesRuns) {
  EXPECT_EQ(BuildHighlightMarkup(GetParam().text, "14", "#ff333333"), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Examples, HighlightText,
    ::testing::Values(
        MarkupCase{"距离 %s 还有 {%d天}",
                   "<text font=\"14\" clr=\"#ff333333\"><p>距离 %s 还有 </p><p clr=\"#ffff0000\">%d天</p></text>"},
        MarkupCase{"还有{3}天", "<text font=\"14\" clr=\"#ff333333\"><p>还有</p><p clr=\"#ffff0000\">3</p><p>天</p></text>"},
        MarkupCase{"{}空", "<text font=\"14\" clr=\"#ff333333\"><p>空</p></text>"},
        MarkupCase{"a&b<c", "<text font=\"14\" clr=\"#ff333333\"><p>a&amp;b&lt;c</p></text>"}));

TEST(HighlightText, BuiltMarkup_Parse_RoundTripsRuns) {
  HighlightDoc doc;
  ASSERT_TRUE(ParseHighlightMarkup(BuildHighlightMarkup("x&{y}z", "12", "#ff000000"), &doc));
  EXPECT_EQ(doc.font, "12");
  ASSERT_EQ(doc.runs.size(), 3u);
  EXPECT_EQ(doc.runs[0].text, "x&");
  EXPECT_EQ(doc.runs[1].clr, "#ffff0000");
  EXPECT_FALSE(ParseHighlightMarkup("<p>x</p>", &doc));
  EXPECT_FALSE(ParseHighlightMarkup("<text", &doc));
}

TEST(HighlightText, Control_SetHighlightText_StoresMarkup) {
  UIRefPtr<UIControl> c(new UIControl());
  c->SetHighlightText("还有{3天}", "13", "#ff000000");
  EXPECT_EQ(c->Text(), "<text font=\"13\" clr=\"#ff000000\"><p>还有</p><p clr=\"#ffff0000\">3天</p></text>");
}

// --- Style descriptors --------------------------------------------------------------

template <typename T>
UIRefPtr<T> Parse(const std::string& d) {
  UIRender* r = ParseStyleDescriptor(d);
  T* typed = dynamic_cast<T*>(r);
  if (!typed && r) r->Release();
  return UIRefPtr<T>(typed);
}

TEST(StyleDescriptor, ColourKeys_Parse_FillVariants) {
  auto r = Parse<UIRenderColor>("clr:clr1=#5fc7dae9|clr2=#ffc7dae9|broken|a=b=c|round=4");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Fill(UIRender::kNormal), 0u);
  EXPECT_EQ(r->Fill(UIRender::kHover), 0x5FC7DAE9u);
  EXPECT_EQ(r->Fill(UIRender::kPressed), 0xFFC7DAE9u);
  EXPECT_EQ(r->Fill(UIRender::kDisabled), 0u);
  EXPECT_EQ(r->Round(), 4);
  auto all = Parse<UIRenderColor>("clr:clr=#ff010203|borderh=#ff0000ff|border3=#ff00ff00");
  EXPECT_EQ(all->Fill(UIRender::kDisabled), 0xFF010203u);
  EXPECT_EQ(all->Border(UIRender::kHover), 0xFF0000FFu);
  EXPECT_EQ(all->Border(UIRender::kPressed), 0xFF00FF00u);
  EXPECT_EQ(all->Border(UIRender::kNormal), 0u);
}

TEST(StyleDescriptor, Prefixes_Parse_ChooseRenderer) {
  EXPECT_TRUE(Parse<UIGradientColor>("grd:clr=#ff000000|mode=2"));
  EXPECT_TRUE(Parse<UIRenderImg>("img:file=img\\none.png|type=3"));
  EXPECT_TRUE(Parse<UIRenderText>("txt:clr=#ff000000"));
  EXPECT_EQ(ParseStyleDescriptor("box:clr=#ff000000"), nullptr);
  EXPECT_EQ(ParseStyleDescriptor("cl"), nullptr);
}

TEST(StyleDescriptor, TextKeys_Parse_SetFields) {
  auto t = Parse<UIRenderText>("txt:clr=#ff111111|clr3=#ff999999|font=14|font1=14B|horz=1|vert=2|multi=yes|"
                               "trim=1|inset=1,2,3|shadow=TRUE|keyword=1");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->Colour(UIRender::kNormal), 0xFF111111u);
  EXPECT_EQ(t->Colour(UIRender::kDisabled), 0xFF999999u);
  EXPECT_EQ(t->Font(UIRender::kHover), "14B");
  EXPECT_EQ(t->Font(UIRender::kPressed), "14");
  EXPECT_EQ(t->HorzAlign(), 1);
  EXPECT_EQ(t->VertAlign(), 2);
  EXPECT_FALSE(t->SingleLine());
  EXPECT_EQ(t->Trimming(), UIRenderText::kTrimEllipsisCharacter);
  EXPECT_EQ(t->Inset(), (UIRect{1, 2, 3, 0}));
  EXPECT_TRUE(t->Shadow());
  EXPECT_TRUE(t->Keyword());
  auto d = Parse<UIRenderText>("txt:ntrim=5");
  EXPECT_EQ(d->Trimming(), 5);
  EXPECT_EQ(d->Colour(UIRender::kDisabled), 0xFF3C3C3Cu);
  EXPECT_TRUE(d->SingleLine());
  EXPECT_EQ(d->VertAlign(), 1);
}

TEST(StyleDescriptor, ImageRects_Parse_ReadLikePos) {
  auto img = Parse<UIRenderImg>("img:dst=1,2,3,4|src=1,2,3|type=1");
  EXPECT_EQ(img->Dst(), (UIRect{1, 2, 4, 6}));
  EXPECT_TRUE(img->Src().IsEmpty());
  EXPECT_EQ(img->Type(), 1);
  EXPECT_EQ(img->Image(), nullptr);  // no loader installed
}

class CssFixture : public ::testing::Test {
 protected:
  void TearDown() override { CssTable::Instance().Clear(); }
};

TEST_F(CssFixture, CssEntry_AppliedByDescriptorAndAttribute) {
  ASSERT_EQ(CssTable::Instance().Load(R"({"box":{"clr":"#ff102030","round":"3"},
      "item":{"tips":"提示","padding":"2,2,2,2","css":"item"},
      "bad":"not an object","num":{"clr":5}})"),
            3u);
  auto r = Parse<UIRenderColor>("clr:css=box|round=6");
  EXPECT_EQ(r->Fill(UIRender::kNormal), 0xFF102030u);
  EXPECT_EQ(r->Round(), 6);
  EXPECT_EQ(CssTable::Instance().Find("bad"), nullptr);
  ASSERT_NE(CssTable::Instance().Find("num"), nullptr);
  EXPECT_TRUE(CssTable::Instance().Find("num")->empty());
  // An entry naming itself stops after a bounded depth instead of recursing forever.
  UIRefPtr<UIControl> c(new UIControl());
  c->SetAttribute("css", "item");
  EXPECT_EQ(c->Tips(), "提示");
  EXPECT_EQ(c->Padding(), (UIRect{2, 2, 2, 2}));
  c->SetAttribute("css", "unknown");
  EXPECT_EQ(c->GetAttribute("css"), "unknown");
}

TEST_F(CssFixture, BrokenJson_Load_LeavesTableEmpty) {
  CssTable::Instance().Load(R"({"a":{"clr":"#ff000000"}})");
  EXPECT_EQ(CssTable::Instance().Load("{\"a\": {"), 0u);
  EXPECT_EQ(CssTable::Instance().Size(), 0u);
  EXPECT_EQ(CssTable::Instance().Load("[1,2]"), 0u);
}

}  // namespace
}  // namespace vr
