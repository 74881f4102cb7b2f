#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ui/ControlRegistry.h"
#include "ui/UIAttr.h"
#include "ui/UIControl.h"
#include "ui/UIHeadlessHost.h"
#include "ui/UILayout.h"

namespace vr {
namespace {

UIControl* AddPlain(UIControl* parent, const std::vector<std::pair<std::string, std::string>>& attrs) {
  auto* c = new UIControl();
  parent->AddChild(c);
  for (const auto& [k, v] : attrs) c->SetAttribute(k, v);
  return c;
}

// --- Row and column layout -----------------------------------------------------

struct RowCase {
  const char* name;
  const char* layout;
  int size;  // width of a row, height of a column
  std::vector<std::string> children;  // "adj", "hidden:W", "float:W" or a fixed extent "W"
  std::vector<std::pair<int, int>> expected;  // (start, extent) along the line per child
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class LineLayout : public ::testing::TestWithParam<RowCase> {};

TEST_P(LineLayout, Children_Relayout_GetExpectedSlots) {
  const RowCase& tc = GetParam();
  const bool row = std::string(tc.layout) == "horz";
  UIRefPtr<UIControl> box(new UIControl());
  box->SetAttribute("layout", tc.layout);
  box->SetPos(0, 0, row ? tc.size : 50, row ? 50 : tc.size);
  std::vector<UIControl*> kids;
  for (const std::string& spec : tc.children) {
    auto* c = new UIControl();
    box->AddChild(c);
    if (spec == "adj") {
      c->SetAttribute("adj", "1");
    } else {
      const auto colon = spec.find(':');
      const std::string extent = colon == std::string::npos ? spec : spec.substr(colon + 1);
      const std::string preset = row ? "500,7," + extent + ",20" : "7,500,20," + extent;
      c->SetAttribute("pos", preset);
      if (spec.rfind("hidden", 0) == 0) c->SetAttribute("visible", "false");
      if (spec.rfind("float", 0) == 0) c->SetAttribute("float", "true");
    }
    kids.push_back(c);
  }
  box->Relayout();
  ASSERT_EQ(kids.size(), tc.expected.size());
  for (size_t i = 0; i < kids.size(); ++i) {
    const UIRect& r = kids[i]->Rect();
    EXPECT_EQ(row ? r.left : r.top, tc.expected[i].first) << tc.name << " child " << i;
    EXPECT_EQ(row ? r.Width() : r.Height(), tc.expected[i].second) << tc.name << " child " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LineLayout,
    ::testing::Values(
        RowCase{"two adj share 200", "horz", 300, {"60", "adj", "40", "adj"}, {{0, 60}, {60, 100}, {160, 40}, {200, 100}}},
        RowCase{"three adj get 66", "horz", 300, {"60", "adj", "40", "adj", "adj"},
                {{0, 60}, {60, 66}, {126, 40}, {166, 66}, {232, 66}}},
        RowCase{"fixed wider than row", "horz", 100, {"80", "adj", "50"}, {{0, 80}, {80, 0}, {80, 50}}},
        // Hidden and float children keep the place they had (x = 500).
        RowCase{"hidden takes no space", "horz", 300, {"hidden:70", "60", "adj"}, {{500, 70}, {0, 60}, {60, 240}}},
        RowCase{"float takes no space", "horz", 300, {"60", "float:70", "adj"}, {{0, 60}, {500, 70}, {60, 240}}},
        RowCase{"column two adj", "vert", 300, {"60", "adj", "40", "adj"}, {{0, 60}, {60, 100}, {160, 40}, {200, 100}}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& c : n) if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return n;
    });

TEST(LineLayout, ColumnChild_Arrange_StretchedToClientWidth) {
  UIRefPtr<UIControl> box(new UIControl());
  box->SetAttribute("layout", "vert");
  box->SetAttribute("padding", "5,3,7");
  box->SetPos(0, 0, 120, 200);
  UIControl* c = AddPlain(box.get(), {{"pos", "0,0,30,40"}});
  box->Relayout();
  EXPECT_EQ(c->Rect(), (UIRect{5, 3, 113, 43}));
}

TEST(LineLayout, RowChild_Arrange_KeepsDesiredHeight) {
  UIRefPtr<UIControl> box(new UIControl());
  box->SetAttribute("layout", "horz");
  box->SetPos(0, 0, 120, 200);
  UIControl* c = AddPlain(box.get(), {{"pos", "9,9,30,40"}});
  box->Relayout();
  EXPECT_EQ(c->Rect(), (UIRect{0, 0, 30, 40}));
}

TEST(Layout, LayoutValues_Create_RecogniseFirstFourCharacters) {
  UIRefPtr<UILayout> h(UILayout::Create("horz"));
  UIRefPtr<UILayout> v(UILayout::Create("vert|h=3|v=4"));
  UIRefPtr<UILayout> p(UILayout::Create("hzvt"));
  UIRefPtr<UILayout> bad(UILayout::Create("grid"));
  ASSERT_TRUE(h && v && p);
  EXPECT_FALSE(bad);
  EXPECT_EQ(h->H(), 0);
  EXPECT_EQ(h->V(), -1);
  EXPECT_EQ(v->H(), 3);
  EXPECT_EQ(v->V(), 4);
  EXPECT_EQ(p->V(), 0);
}

TEST(Layout, PlainLayout_Arrange_GivesEveryNonFloatChildTheClientRect) {
  UIRefPtr<UIControl> box(new UIControl());
  box->SetAttribute("layout", "hzvt");
  box->SetAttribute("padding", "1,2,3,4");
  box->SetPos(0, 0, 100, 50);
  UIControl* hidden = AddPlain(box.get(), {{"visible", "0"}});
  UIControl* floating = AddPlain(box.get(), {{"float", "1"}, {"pos", "5,5,5,5"}});
  box->Relayout();
  EXPECT_EQ(hidden->Rect(), (UIRect{1, 2, 97, 46}));
  EXPECT_EQ(floating->Rect(), (UIRect{5, 5, 10, 10}));
}

TEST(Layout, ContainerWithoutLayout_Relayout_PlacesEveryChildOnClientRect) {
  UIRefPtr<UIControl> box(new UIControl());
  box->SetAttribute("container", "true");
  box->SetAttribute("padding", "4,4,4,4");
  box->SetPos(0, 0, 40, 30);
  UIControl* c = AddPlain(box.get(), {});
  box->Relayout();
  EXPECT_EQ(c->Rect(), (UIRect{4, 4, 36, 26}));
}

// --- Attributes ----------------------------------------------------------------

struct PosCase {
  const char* value;
  UIRect expected;
};
void PrintTo(const PosCase& c, std::ostream* os) { *os << '"' << c.value << '"'; }
class PosAttribute : public ::testing::TestWithParam<PosCase> {};
TEST_P(PosAttribute, Value_SetAttribute_GivesRect) {
  UIRefPtr<UIControl> c(new UIControl());
  c->SetPosDirect(5, 5, 5, 5);
  c->SetAttribute("pos", GetParam().value);
  EXPECT_EQ(c->Rect(), GetParam().expected);
  EXPECT_EQ(c->GetAttribute("pos"), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(Examples, PosAttribute,
                         ::testing::Values(PosCase{"10,20,30,40", {10, 20, 40, 60}}, PosCase{"1,2,3", {0, 0, 0, 0}},
                                           PosCase{"1,2,3,4,5", {0, 0, 0, 0}}, PosCase{"a,2,b,4", {0, 2, 0, 6}},
                                           PosCase{" -3,+4,10,10", {-3, 4, 7, 14}}));

struct BoolCase {
  const char* value;
  bool expected;
};
void PrintTo(const BoolCase& c, std::ostream* os) { *os << '"' << c.value << '"'; }
class BoolAttribute : public ::testing::TestWithParam<BoolCase> {};
TEST_P(BoolAttribute, VisibleValue_SetAttribute_SetsOwnFlagOnly) {
  UIRefPtr<UIControl> c(new UIControl());
  c->SetAttribute("visible", "false");
  c->SetAttribute("visible", GetParam().value);
  EXPECT_EQ(c->IsVisibleSelf(), GetParam().expected);
  EXPECT_EQ(c->State(), 0u);  // no message: the effective hidden bit is untouched
}
INSTANTIATE_TEST_SUITE_P(Examples, BoolAttribute,
                         ::testing::Values(BoolCase{"True", false}, BoolCase{"yes", true}, BoolCase{"TRUE", true},
                                           BoolCase{"true", true}, BoolCase{"1", true}, BoolCase{"Yes", false},
                                           BoolCase{"", false}, BoolCase{"0", false}));

TEST(Attributes, IntegerText_ParseAttrInt_StopsAtFirstOtherCharacter) {
  EXPECT_EQ(ParseAttrInt("  42px"), 42);
  EXPECT_EQ(ParseAttrInt("-7"), -7);
  EXPECT_EQ(ParseAttrInt("x1"), 0);
  EXPECT_EQ(ParseAttrInt("99999999999999"), 2147483647);
}

TEST(Attributes, UnknownName_SetAttribute_StoredAndReadBack) {
  UIRefPtr<UIControl> c(new UIControl());
  EXPECT_TRUE(c->SetAttribute("theme", "1"));
  EXPECT_EQ(c->GetAttribute("theme"), "1");
  EXPECT_EQ(c->GetAttribute("never"), "");
}

TEST(Attributes, CursorPaddingTxtRgn_SetAttribute_ApplyEffects) {
  UIRefPtr<UIControl> c(new UIControl());
  c->SetAttribute("cursor", "hand");
  EXPECT_EQ(c->Cursor(), 32649);
  c->SetAttribute("cursor", "beam");
  EXPECT_EQ(c->Cursor(), 32512);
  c->SetAttribute("padding", "1,2");
  EXPECT_EQ(c->Padding(), (UIRect{1, 2, 0, 0}));
  c->SetAttribute("txt", "你好");
  EXPECT_EQ(c->Text(), "你好");
  c->SetAttribute("rgn", "6");
  EXPECT_EQ(c->RgnRadius(), 6);
}

TEST(Attributes, WidthHeightParent_SetAttribute_FollowParentSize) {
  UIRefPtr<UIControl> parent(new UIControl());
  parent->SetPos(0, 0, 200, 80);
  UIControl* c = AddPlain(parent.get(), {{"pos", "10,5,1,1"}, {"width", "parent"}, {"height", "30"}});
  EXPECT_EQ(c->Rect(), (UIRect{10, 5, 210, 35}));
  c->SetAttribute("pos", "parent");
  EXPECT_EQ(c->Rect(), (UIRect{0, 0, 200, 80}));
}

TEST(Attributes, LayoutValueUnknown_SetAttribute_RemovesLayout) {
  UIRefPtr<UIControl> c(new UIControl());
  c->SetAttribute("layout", "horz");
  ASSERT_NE(c->Layout(), nullptr);
  c->SetAttribute("layout", "diagonal");
  EXPECT_EQ(c->Layout(), nullptr);
}

TEST(DesiredSize, AdjAndParentFlags_GetDesiredSize_FollowRules) {
  UIRefPtr<UIControl> parent(new UIControl());
  parent->SetAttribute("padding", "10,10,10,10");
  parent->SetPos(0, 0, 100, 60);
  UIControl* adj = AddPlain(parent.get(), {{"pos", "0,0,30,30"}, {"adj", "1"}});
  UIControl* tall = AddPlain(parent.get(), {{"pos", "0,0,30,30"}, {"height", "parent"}});
  UISize s;
  adj->GetDesiredSize(&s);
  EXPECT_EQ(s, (UISize{0, 0}));
  tall->GetDesiredSize(&s);
  EXPECT_EQ(s, (UISize{30, 40}));
}

// --- Tree, registry, hit testing ---------------------------------------------------

TEST(Registry, NewControls_Register_SerialsGrowAndVanishOnDelete) {
  auto* a = new UIControl();
  auto* b = new UIControl();
  const int sa = a->Serial();
  const int sb = b->Serial();
  EXPECT_GT(sb, sa);
  EXPECT_EQ(ControlRegistry::Instance().Find(sa), a);
  EXPECT_EQ(ControlRegistry::Instance().Find(0), nullptr);
  a->Release();
  b->Release();
  EXPECT_EQ(ControlRegistry::Instance().Find(sa), nullptr);
  EXPECT_EQ(ControlRegistry::Instance().Find(sb), nullptr);
}

TEST(Tree, TwoControlsSameId_FindById_ReturnsFirstInPreOrder) {
  UIRefPtr<UIControl> root(new UIControl());
  UIControl* a = AddPlain(root.get(), {});
  UIControl* deep = AddPlain(a, {{"id", "x"}});
  AddPlain(root.get(), {{"id", "x"}});
  EXPECT_EQ(root->FindById("x"), deep);
  EXPECT_EQ(root->FindById("X"), nullptr);
}

TEST(Tree, Siblings_GetRelativeAndSendToBack_Navigate) {
  UIRefPtr<UIControl> root(new UIControl());
  UIControl* a = AddPlain(root.get(), {});
  UIControl* b = AddPlain(root.get(), {});
  EXPECT_EQ(a->GetRelative(UIControl::kNextSibling), b);
  EXPECT_EQ(b->GetRelative(UIControl::kPrevSibling), a);
  EXPECT_EQ(a->GetRelative(UIControl::kPrevSibling), nullptr);
  EXPECT_EQ(root->GetRelative(UIControl::kLastChild), b);
  b->SendToBack();
  EXPECT_EQ(b->IndexInParent(), 0);
  EXPECT_EQ(root->GetRelative(UIControl::kFirstChild), b);
  EXPECT_EQ(root->IndexInParent(), -1);
}

TEST(Tree, Subtree_RemoveSelf_UnregistersWholeSubtree) {
  UIRefPtr<UIControl> root(new UIControl());
  UIControl* a = AddPlain(root.get(), {});
  UIControl* b = AddPlain(a, {});
  const int sa = a->Serial();
  const int sb = b->Serial();
  a->RemoveSelf();
  EXPECT_TRUE(root->Children().empty());
  EXPECT_EQ(ControlRegistry::Instance().Find(sa), nullptr);
  EXPECT_EQ(ControlRegistry::Instance().Find(sb), nullptr);
}

TEST(HitTest, OverlappingChildren_HitTest_LaterChildWins) {
  UIRefPtr<UIControl> root(new UIControl());
  root->SetPos(0, 0, 100, 100);
  UIControl* under = AddPlain(root.get(), {{"pos", "10,10,50,50"}});
  UIControl* over = AddPlain(root.get(), {{"pos", "30,30,50,50"}});
  UIControl* inner = AddPlain(over, {{"pos", "0,0,10,10"}, {"hit", "false"}});
  (void)inner;
  EXPECT_EQ(root->HitTest(40, 40), over);  // inner is not hit-able: its parent answers
  EXPECT_EQ(root->HitTest(15, 15), under);
  EXPECT_EQ(root->HitTest(5, 5), root.get());
  EXPECT_EQ(root->HitTest(100, 50), nullptr);  // right edge is exclusive
  over->SetAttribute("enable", "0");
  EXPECT_EQ(root->HitTest(40, 40), under);
}

// --- Host interplay: visibility, focus, events, timers, invalidation -----------------

class Focusable : public UIControl {
 public:
  Focusable() { SetFlagB(kFlagFocusable, true); }
};

TEST(Visibility, FocusedDescendant_HideParent_ClearsFocusAndHidesAll) {
  auto host = UIHeadlessHost::Create(200, 100);
  UIControl* panel = AddPlain(host.get(), {{"pos", "0,0,100,100"}});
  auto* edit = new Focusable();
  panel->AddChild(edit);
  edit->RequestFocus();
  ASSERT_EQ(host->GetFocusId(), edit->Serial());
  panel->SetVisible(false, true);
  EXPECT_TRUE(panel->IsHidden());
  EXPECT_TRUE(edit->IsHidden());
  EXPECT_TRUE(edit->IsVisibleSelf());  // its own flag is untouched
  EXPECT_EQ(host->GetFocusId(), 0);
  panel->SetVisible(true, true);
  EXPECT_FALSE(edit->IsHidden());
}

TEST(Enable, DisabledParent_EnableChild_StaysDisabled) {
  UIRefPtr<UIControl> parent(new UIControl());
  UIControl* child = AddPlain(parent.get(), {});
  parent->SendMsg(uimsg::kEnable, 0, 0);
  EXPECT_TRUE(parent->IsDisabled());
  EXPECT_FALSE(child->IsDisabled());  // children are not told
  child->SendMsg(uimsg::kEnable, 1, 0);
  EXPECT_TRUE(child->IsDisabled());
  EXPECT_TRUE(child->IsEnabledSelf());
  parent->SendMsg(uimsg::kEnable, 1, 0);
  child->SendMsg(uimsg::kEnable, 1, 1);
  EXPECT_FALSE(child->IsDisabled());
}

TEST(Hover, HoverAndLeave_Messages_SetAndClearStateBits) {
  auto host = UIHeadlessHost::Create(100, 100);
  UIControl* c = AddPlain(host.get(), {{"pos", "0,0,10,10"}});
  host->SetCaptureId(c->Serial());
  c->SendMsg(uimsg::kMouseHover, 0, 0);
  EXPECT_EQ(c->State() & 3u, 3u);
  c->SendMsg(uimsg::kMouseLeave, 0, 0);
  EXPECT_EQ(c->State() & 3u, 0u);
}

struct Recorder {
  std::vector<std::string> calls;
};

class ConsumingPage : public UIControl {
 public:
  ConsumingPage() { SetReceivesChildEvents(true); }
  bool OnChildEvent(const UIEvent& e) override {
    seen.push_back(e.name + ":" + e.id);
    return consume;
  }
  std::vector<std::string> seen;
  bool consume = true;
};

TEST(Events, PageConsumes_FireEvent_NeverReachesWindow) {
  auto host = UIHeadlessHost::Create(100, 100);
  auto* page = new ConsumingPage();
  host->AddChild(page);
  UIControl* btn = AddPlain(page, {{"id", "btnok"}});
  Recorder rec;
  btn->AddListener(&rec, [](void* o, const UIEvent& e) { static_cast<Recorder*>(o)->calls.push_back(e.name); });
  EXPECT_EQ(btn->FireEvent("click", 0, 0), 0);
  EXPECT_EQ(rec.calls, std::vector<std::string>{"click"});
  EXPECT_EQ(page->seen, std::vector<std::string>{"click:btnok"});
  EXPECT_TRUE(host->Events().empty());

  page->consume = false;
  host->SetNotifyHandler([](const UIEvent&) { return 7; });
  EXPECT_EQ(btn->FireEvent("click", 1, 2), 7);
  ASSERT_EQ(host->Events().size(), 1u);
  EXPECT_EQ(host->Events()[0].id, "btnok");
  EXPECT_EQ(host->Events()[0].value2, 2);
}

TEST(Events, NoNativeWindow_FireEvent_ReturnsZero) {
  auto host = UIHeadlessHost::Create(100, 100);
  UIControl* btn = AddPlain(host.get(), {});
  host->SetHwnd(0);
  EXPECT_EQ(btn->FireEvent("click"), 0);
  EXPECT_TRUE(host->Events().empty());
}

struct SelfRemoval {
  UIControl* target = nullptr;
  int serial = 0;
  bool aliveAfterRemove = false;
};

TEST(Events, ControlRemovesItselfInHandler_FireEvent_AliveUntilReturn) {
  auto host = UIHeadlessHost::Create(100, 100);
  UIControl* btn = AddPlain(host.get(), {{"id", "gone"}});
  SelfRemoval state{btn, btn->Serial(), false};
  btn->AddListener(&state, [](void* o, const UIEvent&) {
    auto* s = static_cast<SelfRemoval*>(o);
    s->target->RemoveSelf();
    // Still registered: FireEvent holds a reference for the length of the call.
    s->aliveAfterRemove = ControlRegistry::Instance().Find(s->serial) == s->target;
  });
  btn->FireEvent("click");
  EXPECT_TRUE(state.aliveAfterRemove);
  EXPECT_EQ(ControlRegistry::Instance().Find(state.serial), nullptr);
  EXPECT_TRUE(host->Children().empty());
}

class TimerProbe : public UIControl {
 public:
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override {
    if (msg == uimsg::kTimer) ticks.push_back(static_cast<int>(wparam));
    return UIControl::HandleMessage(msg, wparam, lparam, result);
  }
  std::vector<int> ticks;
};

TEST(Timers, ControlTimer_Fire_DeliversIndexAndKillsVanished) {
  EXPECT_EQ(UIControl::ControlTimerId(3, 0x42), 0x83000042u);
  auto host = UIHeadlessHost::Create(100, 100);
  auto* probe = new TimerProbe();
  host->AddChild(probe);
  probe->SetControlTimer(3, 500);
  const uint32_t id = UIControl::ControlTimerId(3, probe->Serial());
  ASSERT_EQ(host->Timers().count(id), 1u);
  EXPECT_EQ(host->Timers().at(id), 500u);
  host->FireTimer(id);
  EXPECT_EQ(probe->ticks, std::vector<int>{3});
  probe->RemoveSelf();
  host->FireTimer(id);
  EXPECT_EQ(host->Timers().count(id), 0u);
}

TEST(Invalidation, NestedChild_Invalidate_ReachesWindowInWindowCoordinates) {
  auto host = UIHeadlessHost::Create(200, 200);
  UIControl* panel = AddPlain(host.get(), {{"pos", "10,20,100,100"}});
  UIControl* c = AddPlain(panel, {{"pos", "5,6,7,8"}});
  host->Render();  // consume what building invalidated
  c->Invalidate(nullptr);
  EXPECT_EQ(host->InvalidRect(), (UIRect{15, 26, 22, 34}));
  host->Render();
  c->SetAttribute("visible", "0");
  c->Invalidate(nullptr);
  EXPECT_TRUE(host->InvalidRect().IsEmpty());
}

TEST(Messages, SetText_SendMsg_ReturnsCodePointCountAndHandled) {
  UIRefPtr<UIControl> c(new UIControl());
  const std::string text = "农历三月";
  bool handled = false;
  EXPECT_EQ(c->SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>(text.c_str()), &handled), 4);
  EXPECT_TRUE(handled);
  EXPECT_FALSE(c->Handled());
  EXPECT_EQ(c->SendMsg(9999, 0, 0, &handled), 0);
  EXPECT_FALSE(handled);
}

TEST(Messages, Wheel_SendMsg_PassedToParent) {
  UIRefPtr<UIControl> parent(new UIControl());
  auto* probe = new TimerProbe();
  parent->AddChild(probe);
  UIControl* child = AddPlain(probe, {});
  bool handled = false;
  child->SendMsg(uimsg::kMouseWheel, 120 << 16, MakeLParam(3, -4), &handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(LParamLow(MakeLParam(3, -4)), 3);
  EXPECT_EQ(LParamHigh(MakeLParam(3, -4)), -4);
}

TEST(Geometry, NestedControl_WindowRectAndScreenOrigin_AddAncestors) {
  auto host = UIHeadlessHost::Create(200, 200);
  host->SetOrigin(UIPoint{1000, 500});
  UIControl* panel = AddPlain(host.get(), {{"pos", "10,20,100,100"}});
  UIControl* c = AddPlain(panel, {{"pos", "5,6,7,8"}});
  UIRect r;
  c->WindowRect(&r);
  EXPECT_EQ(r, (UIRect{15, 26, 22, 34}));
  UIPoint p;
  c->ScreenOrigin(&p);
  EXPECT_EQ(p, (UIPoint{1015, 526}));
  EXPECT_TRUE(c->PtInControl(UIPoint{15, 26}));
  EXPECT_FALSE(c->PtInControl(UIPoint{22, 26}));
}

}  // namespace
}  // namespace vr
