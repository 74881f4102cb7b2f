#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/FactoryRegistry.h"
#include "ui/LayoutBuilder.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"

namespace vr {
namespace {

std::vector<std::string> gLog;

class LoggingControl : public UIControl {
 public:
  const char* ClassName() const override { return "LoggingControl"; }
  intptr_t OnCreate(intptr_t) override {
    gLog.push_back("create:" + Id());
    return 0;
  }
};

UIControl* MakeLogging() { return new LoggingControl(); }

void Hook(UIControl* c) {
  gLog.push_back(std::string("hook:") + c->ClassName());
  c->SetAttribute("tips", "from hook");
}

class BuilderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog.clear();
    RegisterBuiltinFactories();
    FactoryRegistry::Instance().Register("Item", &MakeLogging);
  }
  void TearDown() override {
    FactoryRegistry::Instance().SetCreationHook(nullptr);
    SetResLoader(nullptr);
  }
  void Install(std::vector<respack::Entry> entries) {
    loader_ = std::make_unique<ResLoaderMgr>(respack::Write(entries));
    SetResLoader(loader_.get());
  }
  std::unique_ptr<ResLoaderMgr> loader_;
};

std::vector<uint8_t> B(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST_F(BuilderFixture, NodeInclude_Build_IncludedRootTakesNodeId) {
  Install({{"xml\\main.xml",
            B(R"(<UIWnd width="300" height="200"><UIControl id="idrilipage" pos="0,0,300,200">)"
              R"(<node file="xml\pagerili.xml" id="page1" pos="parent"/></UIControl></UIWnd>)")},
           {"xml\\pagerili.xml", B(R"(<UIControl id="inner" tips="page"><UIControl id="cell"/></UIControl>)")}});
  auto host = UIHeadlessHost::Create(10, 10);
  UIControl* root = host->LoadDocument("XML\\Main.xml");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(host->Width(), 300);  // the window takes the document's size
  EXPECT_EQ(host->Height(), 200);
  UIControl* page = host->FindById("page1");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Parent(), host->FindById("idrilipage"));
  EXPECT_EQ(host->FindById("inner"), nullptr);
  EXPECT_EQ(page->Tips(), "page");
  EXPECT_EQ(page->Rect(), (UIRect{0, 0, 300, 200}));
  ASSERT_NE(page->FindById("cell"), nullptr);
  EXPECT_EQ(page->FindById("cell")->Host(), host.get());
}

TEST_F(BuilderFixture, UnregisteredElement_Build_SkippedWithSubtree) {
  Install({{"xml\\a.xml", B(R"(<UIWnd><Fancy id="f"><UIButton id="b"/><UIControl id="c"/></Fancy>)"
                            R"(<UIControl id="kept"/></UIWnd>)")}});
  UIRefPtr<UIControl> root(BuildFromDocument(UIBuilder{}, nullptr, "xml\\a.xml"));
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Children().size(), 1u);
  EXPECT_EQ(root->FindById("c"), nullptr);
  EXPECT_NE(root->FindById("kept"), nullptr);
}

TEST_F(BuilderFixture, Order_Build_HookBeforeAttributesAndChildrenCreatedFirst) {
  FactoryRegistry::Instance().SetCreationHook(&Hook);
  Install({{"xml\\a.xml", B(R"(<Item id="outer" tips="doc"><Item id="inner"/></Item>)")}});
  UIRefPtr<UIControl> root(BuildFromDocument(UIBuilder{}, nullptr, "xml\\a.xml"));
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Tips(), "doc");  // document attributes override the hook
  EXPECT_EQ(root->FindById("inner")->Tips(), "from hook");
  EXPECT_EQ(gLog, (std::vector<std::string>{"hook:LoggingControl", "hook:LoggingControl", "create:inner",
                                            "create:outer"}));
}

TEST_F(BuilderFixture, BrokenInputs_Build_NothingBuilt) {
  Install({{"xml\\bad.xml", B("<UIWnd><UIControl></UIWnd>")},
           {"xml\\empty.xml", B("")},
           {"xml\\text.xml", B("just text")},
           {"xml\\missingnode.xml", B(R"(<UIWnd><node file="xml\none.xml" id="x" tips="t"/></UIWnd>)")},
           {"xml\\loop.xml", B(R"(<UIWnd><node file="xml\loop.xml"/></UIWnd>)")}});
  auto host = UIHeadlessHost::Create(50, 50);
  EXPECT_EQ(BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\bad.xml"), nullptr);
  EXPECT_EQ(BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\empty.xml"), nullptr);
  EXPECT_EQ(BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\text.xml"), nullptr);
  EXPECT_EQ(BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\nothing.xml"), nullptr);
  EXPECT_TRUE(host->Children().empty());
  UIControl* root = BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\missingnode.xml");
  ASSERT_NE(root, nullptr);
  EXPECT_TRUE(root->Children().empty());
  EXPECT_EQ(host->FindById("x"), nullptr);
  // A document that includes itself stops at a bounded depth.
  UIControl* loop = BuildFromDocument(UIBuilder{host.get()}, host.get(), "xml\\loop.xml");
  ASSERT_NE(loop, nullptr);
  int depth = 0;
  for (UIControl* c = loop; !c->Children().empty(); c = c->Children().front()) ++depth;
  EXPECT_LT(depth, 20);
}

size_t CountTree(const UIControl* c) {
  size_t n = 1;
  for (const UIControl* child : c->Children()) n += CountTree(child);
  return n;
}

TEST_F(BuilderFixture, DocumentIncludingItselfThrice_Build_StaysBounded) {
  Install({{"xml\\fan.xml", B(R"(<UIWnd layout="horz"><node file="xml\fan.xml"/><node file="xml\fan.xml"/>)"
                               R"(<node file="xml\fan.xml"/></UIWnd>)")}});
  UIRefPtr<UIControl> root(BuildFromDocument(UIBuilder{}, nullptr, "xml\\fan.xml"));
  ASSERT_TRUE(root);
  EXPECT_LE(CountTree(root.get()), static_cast<size_t>(kMaxElements));
  EXPECT_GT(CountTree(root.get()), 1000u);  // 3^k grows until a limit stops it
}

TEST_F(BuilderFixture, GalleryDocument_BuildFromEmbeddedPack_PaintsSamples) {
  loader_ = std::make_unique<ResLoaderMgr>(EmbeddedPack());
  SetResLoader(loader_.get());
  auto host = UIHeadlessHost::Create(10, 10);
  ASSERT_NE(host->LoadDocument("xml\\gallery.xml"), nullptr);
  EXPECT_GE(host->Width(), 600);
  host->RenderAll();
  // The first sample of the first row is a solid #2f7cf6 fill.
  EXPECT_EQ(host->PixelAt(40, 90), 0xFF2F7CF6u);
}

TEST_F(BuilderFixture, WrongAttributeForms_Build_Defaults) {
  Install({{"xml\\a.xml", B(R"(<UIWnd pos="1,2" width="wide" back="clr:clr=#zzqq" layout="nope" padding="x,,3"/>)")}});
  UIRefPtr<UIControl> root(BuildFromDocument(UIBuilder{}, nullptr, "xml\\a.xml"));
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Rect(), (UIRect{0, 0, 0, 0}));
  EXPECT_EQ(root->Layout(), nullptr);
  EXPECT_EQ(root->Padding(), (UIRect{0, 0, 3, 0}));
  EXPECT_NE(root->Back(), nullptr);
}

TEST(Factory, Registry_Register_ReplacesAndCreates) {
  RegisterBuiltinFactories();
  FactoryRegistry& r = FactoryRegistry::Instance();
  EXPECT_TRUE(r.Has("UIWnd"));
  EXPECT_TRUE(r.Has("UIControl"));
  UIRefPtr<UIControl> c(r.Create("UIWnd"));
  ASSERT_TRUE(c);
  EXPECT_EQ(c->RefCount(), 1);
  EXPECT_STREQ(c->ClassName(), "UIControl");
  EXPECT_EQ(r.Create("NoSuchClass"), nullptr);
}

}  // namespace
}  // namespace vr
