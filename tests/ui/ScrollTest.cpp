#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/UIScrollBar.h"
#include "ui/UIScrollVertView.h"
#include "ui/UIScrollView.h"

namespace vr::controls_test {
namespace {

// --- Scroll bar --------------------------------------------------------------------------

struct ThumbCase {
  const char* name;
  int range;
  int page;
  int position;
  int height;
  UIRect expected;  // empty: no thumb
};

class ScrollBarThumb : public ControlFixture, public ::testing::WithParamInterface<ThumbCase> {};

TEST_P(ScrollBarThumb, RangePagePosition_ThumbRect_SizedAndKeptInside) {
  const ThumbCase& tc = GetParam();
  auto* bar = Add<UIScrollBar>({{"pos", "0,0,8," + std::to_string(tc.height)}});
  bar->SetRange(tc.range, tc.page);
  bar->SetPosQuiet(tc.position);
  EXPECT_EQ(bar->ThumbRect(), tc.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollBarThumb,
    ::testing::Values(ThumbCase{"minimum_32_not_10", 1000, 100, 0, 100, UIRect::FromXYWH(0, 0, 8, 32)},
                      ThumbCase{"proportional", 400, 200, 0, 200, UIRect::FromXYWH(0, 0, 8, 100)},
                      ThumbCase{"middle", 400, 200, 100, 200, UIRect::FromXYWH(0, 50, 8, 100)},
                      ThumbCase{"end_pulled_up", 1000, 100, 900, 100, UIRect::FromXYWH(0, 68, 8, 32)},
                      ThumbCase{"page_equals_range", 300, 300, 0, 200, UIRect{}},
                      ThumbCase{"empty_range", 0, 100, 0, 200, UIRect{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, ScrollBar_SetScrollPos_LimitedAndEventOnlyOnChange) {
  auto* bar = Add<UIScrollBar>({{"pos", "0,0,8,100"}});
  bar->SetRange(1000, 100);
  bar->SetScrollPos(5000);
  EXPECT_EQ(bar->Position(), 900);
  bar->SetScrollPos(900);
  bar->SetScrollPos(-5);
  EXPECT_EQ(bar->Position(), 0);
  ASSERT_EQ(EventNames(), (std::vector<std::string>{"scollposchanged", "scollposchanged"}));
  EXPECT_EQ(host_->Events()[0].value2, 900);
  EXPECT_EQ(host_->Events()[1].value2, 0);
}

class ScrollBarDrag : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    bar_ = Add<UIScrollBar>({{"pos", "100,0,8,200"}});
    bar_->SetRange(400, 200);  // thumb 100 pixels
  }
  UIScrollBar* bar_ = nullptr;
};

TEST_F(ScrollBarDrag, DragThumb_MoveAndRelease_PositionFollowsThenEndTrack) {
  Down(bar_, 104, 30);  // 30 pixels into the thumb
  EXPECT_TRUE(bar_->Dragging());
  EXPECT_EQ(bar_->ThumbColour(), UIScrollBar::kThumbPressed);
  EXPECT_EQ(host_->GetCaptureId(), bar_->Serial());
  Move(bar_, 104, 80);  // thumb top 50 -> position 50 * 400 / 200
  EXPECT_EQ(bar_->Position(), 100);
  Move(bar_, 104, 500);
  EXPECT_EQ(bar_->Position(), 200);
  Move(bar_, 104, 0);  // above the offset: 0
  EXPECT_EQ(bar_->Position(), 0);
  Up(bar_, 104, 0);
  EXPECT_FALSE(bar_->Dragging());
  EXPECT_EQ(host_->GetCaptureId(), 0);
  EXPECT_EQ(EventNames(), (std::vector<std::string>{"scollposchanged", "scollposchanged", "scollposchanged",
                                                    "scollposchanged", "scollendtrack"}));
  EXPECT_EQ(host_->Events().back().value2, 0);
}

TEST_F(ScrollBarDrag, ClickOnTrack_Down_NothingHappens) {
  bar_->SetPosQuiet(0);
  Down(bar_, 104, 150);  // below the thumb (0..99)
  Up(bar_, 104, 150);
  EXPECT_FALSE(bar_->Dragging());
  EXPECT_EQ(bar_->Position(), 0);
  EXPECT_TRUE(host_->Events().empty());
}

TEST_F(ScrollBarDrag, PointerOverThumb_Render_HoverColour) {
  Move(bar_, 104, 10);
  EXPECT_EQ(bar_->ThumbColour(), UIScrollBar::kThumbHover);
  host_->RenderAll();
  // Premultiplied: alpha 0xD2 of 0x94A1AF.
  const uint32_t px = host_->PixelAt(104, 50);
  EXPECT_EQ(px >> 24, 0xD2u);
  bar_->SendMsg(uimsg::kMouseLeave, 0, 0);
  EXPECT_EQ(bar_->ThumbColour(), UIScrollBar::kThumbNormal);
  host_->RenderAll();
  EXPECT_EQ(host_->PixelAt(104, 50) >> 24, 0xB4u);
  EXPECT_EQ(host_->PixelAt(104, 150), 0u);  // the track is not painted
}

TEST_F(ScrollBarDrag, Dragging_CaptureLost_DragEnds) {
  Down(bar_, 104, 30);
  bar_->SendMsg(uimsg::kCaptureChanged, 0, 0);
  EXPECT_FALSE(bar_->Dragging());
  EXPECT_FALSE(bar_->State() & UIControl::kStatePressed);
}

// --- Scrolling list -----------------------------------------------------------------------

// Counts the wheel messages that reach it.
class WheelCounter : public UIControl {
 public:
  bool HandleMessage(uint32_t msg, uintptr_t wp, intptr_t lp, intptr_t* result) override {
    if (msg == uimsg::kMouseWheel) ++wheels;
    return UIControl::HandleMessage(msg, wp, lp, result);
  }
  int wheels = 0;
};

class ScrollList : public ControlFixture {
 protected:
  UIScrollVertView* MakeView(int itemCount, int itemHeight, int viewHeight = 102) {
    auto* view = Add<UIScrollVertView>({{"pos", "0,0,200," + std::to_string(viewHeight)}});
    for (int i = 0; i < itemCount; ++i) {
      auto* item = new UIControl();
      item->SetAttribute("height", std::to_string(itemHeight));
      item->SetAttribute("id", "item" + std::to_string(i));
      view->AddItem(item);
    }
    view->Relayout();
    return view;
  }
  static void Wheel(UIControl* c, int delta) {
    c->SendMsg(uimsg::kMouseWheel, static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16, MakeLParam(50, 50));
  }
};

TEST_F(ScrollList, ShortItems_Relayout_BarHiddenContentAtOne) {
  auto* view = MakeView(3, 20);  // 60 of 100
  EXPECT_EQ(view->ContentHeight(), 60);
  EXPECT_FALSE(view->Bar()->IsVisibleSelf());
  EXPECT_EQ(view->Viewport()->Rect(), UIRect::FromXYWH(1, 1, 198, 100));
  EXPECT_EQ(view->Content()->Rect(), UIRect::FromXYWH(1, 1, 196, 60));
  EXPECT_EQ(view->Bar()->Range(), 60);
  EXPECT_EQ(view->Bar()->PageSize(), 100);
  // Items stacked in the content column, full width.
  EXPECT_EQ(view->Content()->Children()[2]->Rect(), UIRect::FromXYWH(0, 40, 196, 20));
}

TEST_F(ScrollList, LongItems_Relayout_BarShownAtRightEdge) {
  auto* view = MakeView(10, 30);  // 300 of 100
  EXPECT_TRUE(view->Bar()->IsVisibleSelf());
  EXPECT_EQ(view->Bar()->Range(), 300);
  EXPECT_EQ(view->Bar()->PageSize(), 100);
  EXPECT_EQ(view->Bar()->Rect(), UIRect::FromXYWH(200 - 8 - 3, 0, 8, 102));
  EXPECT_EQ(view->Content()->Rect(), UIRect::FromXYWH(1, 0, 197, 300));
}

TEST_F(ScrollList, HiddenItems_ContentHeight_LeftOut) {
  auto* view = MakeView(4, 30);
  view->Content()->Children()[1]->SetAttribute("visible", "false");
  EXPECT_EQ(view->ContentHeight(), 90);
}

TEST_F(ScrollList, BarPositionChanged_Event_MovesContent) {
  auto* view = MakeView(10, 30);
  view->Bar()->SetScrollPos(120);
  EXPECT_EQ(view->Content()->Rect(), UIRect::FromXYWH(1, -120, 197, 300));
  EXPECT_EQ(CountEvents("scollposchanged"), 1);  // the window hears it too
}

TEST_F(ScrollList, Wheel_TurnDownAndUp_ScrollsByThirtyWithinRange) {
  auto* view = MakeView(10, 30);
  auto* item = view->Content()->Children()[0];
  Wheel(item, -120);  // reaches the view through the item's parents
  EXPECT_EQ(view->Bar()->Position(), 30);
  for (int i = 0; i < 20; ++i) Wheel(view, -120);
  EXPECT_EQ(view->Bar()->Position(), 200);
  Wheel(view, 120);
  EXPECT_EQ(view->Bar()->Position(), 170);
}

TEST_F(ScrollList, NothingToScroll_Wheel_PassedOnToParent) {
  auto* parent = new WheelCounter();
  host_->AddChild(parent);
  auto* list = Add<UIScrollVertView>({{"pos", "0,0,200,102"}}, parent);
  auto* item = new UIControl();
  item->SetAttribute("height", "30");
  list->AddItem(item);
  list->Relayout();
  Wheel(list, 120);
  Wheel(list, -120);
  EXPECT_EQ(parent->wheels, 2);
  EXPECT_EQ(list->Bar()->Position(), 0);
}

TEST_F(ScrollList, Header_Relayout_PlacedAboveViewportAndSentToBack) {
  auto* view = Add<UIScrollVertView>({{"pos", "0,0,200,102"}});
  auto* header = Add<UIControl>({{"id", "header"}, {"pos", "0,0,50,20"}}, view);
  for (int i = 0; i < 3; ++i) {
    auto* item = new UIControl();
    item->SetAttribute("height", "30");
    view->AddItem(item);
  }
  view->Relayout();
  EXPECT_EQ(view->Children().front(), header);
  EXPECT_EQ(header->Rect(), UIRect::FromXYWH(1, 1, 198, 20));
  EXPECT_EQ(view->Viewport()->Rect(), UIRect::FromXYWH(1, 21, 198, 79));
  EXPECT_EQ(view->Bar()->PageSize(), 79);
  EXPECT_TRUE(view->Bar()->IsVisibleSelf());  // 90 > 79
  header->SetAttribute("visible", "false");
  view->Relayout();
  EXPECT_EQ(view->Viewport()->Rect(), UIRect::FromXYWH(1, 1, 198, 100));
  EXPECT_FALSE(view->Bar()->IsVisibleSelf());
}

TEST_F(ScrollList, ShrinkingContent_Relayout_PositionLimited) {
  auto* view = MakeView(10, 30);
  view->Bar()->SetScrollPos(200);
  while (view->Content()->Children().size() > 5) view->Content()->Children().back()->RemoveSelf();
  view->Relayout();  // 150 of 100: at most 50
  EXPECT_EQ(view->Bar()->Position(), 50);
  EXPECT_EQ(view->Content()->Rect().top, -50);
}

struct IndexCase {
  const char* name;
  int startPos;
  int index;
  int expectedPos;
};

class ScrollToIndex : public ScrollList, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(ScrollToIndex, Item_ScrollToIndex_CentresOnlyWhenOutOfView) {
  auto* view = MakeView(20, 30);  // 600 of 100, view height 102
  view->Bar()->SetScrollPos(GetParam().startPos);
  view->ScrollToIndex(GetParam().index);
  EXPECT_EQ(view->Bar()->Position(), GetParam().expectedPos);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollToIndex,
                         ::testing::Values(IndexCase{"visible_stays", 0, 2, 0},
                                           IndexCase{"below_centred", 0, 10, 300 - 51},
                                           IndexCase{"above_centred", 400, 3, 90 - 51},
                                           IndexCase{"first_clamped", 300, 0, 0},
                                           IndexCase{"last_clamped", 0, 19, 500},
                                           IndexCase{"out_of_range_ignored", 100, 25, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlFixture, HscrollWidth_Attribute_BarWidthNotStored) {
  auto* view = Add<UIScrollVertView>({{"hscrollwidth", "12"}});
  EXPECT_EQ(view->BarWidth(), 12);
  EXPECT_EQ(view->GetAttribute("hscrollwidth"), "");
}

TEST_F(ControlFixture, ScrollView_Create_PlainContainer) {
  auto* view = Add<UIScrollView>({{"pos", "0,0,10,10"}});
  view->UpdateScroll();
  EXPECT_STREQ(view->ClassName(), "UIScrollView");
  EXPECT_TRUE(view->Children().empty());
}

}  // namespace
}  // namespace vr::controls_test
