#include <gtest/gtest.h>

#include <cairo.h>

#include <string>
#include <vector>

#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/SkinBitmap.h"

namespace vr {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// A real PNG made with Cairo: w x h filled with one colour.
std::vector<uint8_t> MakePng(int w, int h, double r, double g, double b) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_paint(cr);
  cairo_destroy(cr);
  std::vector<uint8_t> out;
  cairo_surface_write_to_png_stream(
      s,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* v = static_cast<std::vector<uint8_t>*>(closure);
        v->insert(v->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out);
  cairo_surface_destroy(s);
  return out;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(ResPack, FirstNameOf42Bytes_Write_OffsetsAsSpecified) {
  const std::string name = "img\\msgbox\\warn12.png";  // 21 characters = 42 bytes
  ASSERT_EQ(name.size(), 21u);
  const auto pack = respack::Write({{name, Bytes("PNGDATA")}});
  EXPECT_EQ(U32At(pack, 0), 1u);
  EXPECT_EQ(U32At(pack, 4), 42u);
  EXPECT_EQ(pack[8], 'i');
  EXPECT_EQ(pack[9], 0);
  EXPECT_EQ(pack[48], 'g');
  EXPECT_EQ(pack[49], 0);
  EXPECT_EQ(U32At(pack, 50), 58u);  // data right after the directory
  EXPECT_EQ(U32At(pack, 54), 7u);
  EXPECT_EQ(pack.size(), 65u);
  const auto dir = respack::ReadDirectory(pack);
  ASSERT_EQ(dir.count(name), 1u);
  EXPECT_EQ(dir.at(name), (respack::Span{58, 7}));
}

TEST(ResPack, ChineseName_RoundTrip_Utf16Le) {
  const auto pack = respack::Write({{"xml\\农历.xml", Bytes("x")}});
  EXPECT_EQ(U32At(pack, 4), 20u);  // 10 UTF-16 units
  EXPECT_EQ(respack::ReadDirectory(pack).count("xml\\农历.xml"), 1u);
}

TEST(ResPack, TruncatedDirectory_Read_EmptyDirectory) {
  auto pack = respack::Write({{"a.xml", Bytes("1")}, {"b.xml", Bytes("22")}});
  pack.resize(20);  // cuts into the second entry
  EXPECT_TRUE(respack::ReadDirectory(pack).empty());
  const std::vector<uint8_t> hugeCount = {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0};
  EXPECT_TRUE(respack::ReadDirectory(hugeCount).empty());
  EXPECT_TRUE(respack::ReadDirectory(std::vector<uint8_t>{1, 0}).empty());
}

TEST(ResPack, EntryPastEnd_Read_OnlyThatEntryDropped) {
  auto pack = respack::Write({{"a.xml", Bytes("1")}, {"b.xml", Bytes("22")}});
  // b's size field: count(4) + a's entry(4+10+8) + b's length(4) + name(10) + offset(4).
  const size_t bSize = 4 + 22 + 4 + 10 + 4;
  pack[bSize] = 0xFF;
  pack[bSize + 3] = 0x7F;
  const auto dir = respack::ReadDirectory(pack);
  EXPECT_EQ(dir.count("a.xml"), 1u);
  EXPECT_EQ(dir.count("b.xml"), 0u);
}

TEST(ResPack, DuplicateName_Read_LaterEntryWins) {
  const auto pack = respack::Write({{"a.xml", Bytes("old")}, {"a.xml", Bytes("newer")}});
  ResLoaderMgr loader(pack);
  EXPECT_EQ(loader.GetData("a.xml"), Bytes("newer"));
}

TEST(ResLoader, MixedCasePath_GetData_FindsLowerCaseEntryOnly) {
  ResLoaderMgr loader(respack::Write({{"xml\\main.xml", Bytes("<UIWnd/>")}, {"IMG\\Up.png", Bytes("u")}}));
  EXPECT_EQ(loader.GetData("XML\\Main.XML"), Bytes("<UIWnd/>"));
  EXPECT_TRUE(loader.GetData("IMG\\Up.png").empty());  // stored upper-case: never found
  EXPECT_TRUE(loader.GetData("xml\\none.xml").empty());
}

TEST(ResLoader, Image_GetImage_DecodedOnceAndSameObject) {
  ResLoaderMgr loader(respack::Write({{"img\\red.png", MakePng(6, 4, 1, 0, 0)}, {"img\\junk.png", Bytes("junk")}}));
  SkinBitmap* a = loader.GetImage("IMG\\Red.png");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, loader.GetImage("img\\red.png"));
  ASSERT_TRUE(a->Ok());
  EXPECT_EQ(a->Width(), 6);
  EXPECT_EQ(a->Height(), 4);
  const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a->Surface()));
  EXPECT_EQ(px[0], 0xFFFF0000u);
  SkinBitmap* junk = loader.GetImage("img\\junk.png");
  ASSERT_NE(junk, nullptr);  // a bitmap that draws nothing
  EXPECT_FALSE(junk->Ok());
  EXPECT_EQ(loader.GetImage("img\\missing.png"), nullptr);
  EXPECT_EQ(loader.CachedImages(), 2u);
}

TEST(ResLoader, NoPack_GetData_Empty) {
  ResLoaderMgr loader(std::span<const uint8_t>{});
  EXPECT_TRUE(loader.GetData("xml\\main.xml").empty());
  EXPECT_EQ(loader.GetImage("img\\a.png"), nullptr);
}

TEST(ResLoader, EmbeddedPack_Directory_HoldsResourceFolder) {
  ResLoaderMgr loader(EmbeddedPack());
  EXPECT_FALSE(loader.GetData("cssData.json").empty());
  EXPECT_FALSE(loader.GetData("xml\\gallery.xml").empty());
  for (const auto& [name, span] : loader.Directory()) {
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    for (char c : name) EXPECT_FALSE(c >= 'A' && c <= 'Z') << name;
  }
}

}  // namespace
}  // namespace vr
