// Combo boxes with their drop-down list, skinned pop-up menus and the
// message box on the headless window system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "ui/FactoryRegistry.h"
#include "ui/MenuLoader.h"
#include "ui/ResLoaderMgr.h"
#include "ui/UIComboBox.h"
#include "ui/UIComboBoxItem.h"
#include "ui/UIComboListWidget.h"
#include "ui/UIEditCtrl.h"
#include "platform/Clipboard.h"
#include "ui/UIHostWnd.h"
#include "ui/UIMessageBox.h"
#include "ui/UIButton.h"
#include "ui/UIScrollVertView.h"

namespace vr {
namespace {

class PopupTest : public ::testing::Test {
 protected:
  PopupTest() : loader_(EmbeddedPack()) {
    RegisterBuiltinFactories();
    SetResLoader(&loader_);
    owner_.reset(new UIHostWnd(sys_, ""));
    WindowParams params;
    params.bounds = WinRect::FromXYWH(100, 100, 400, 300);
    EXPECT_TRUE(owner_->CreateNative(params));
    owner_->ShowHost(true);
    sys_.RunUntilIdle();
  }
  ~PopupTest() override {
    sys_.SetIdleHook(nullptr);
    owner_->CloseHost();
    owner_.reset();
    SetResLoader(nullptr);
  }
  UIComboBox* AddCombo(const std::string& data, int x = 10, int y = 10) {
    auto* combo = new UIComboBox();
    owner_->AddChild(combo);
    combo->SetAttribute("pos", std::to_string(x) + "," + std::to_string(y) + ",150,28");
    if (!data.empty()) combo->SetAttribute("data", data);
    combo->AddListener(&changes_, [](void* counter, const UIEvent& e) {
      if (e.name == "comboselectchanged") ++*static_cast<int*>(counter);
    });
    return combo;
  }
  // Runs `steps` one per idle turn; the last one must end the loop under test.
  void Script(std::vector<std::function<void()>> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    sys_.SetIdleHook([this] {
      if (next_ >= steps_.size()) return false;
      steps_[next_++]();
      return true;
    });
  }

  HeadlessWindowSystem sys_;
  ResLoaderMgr loader_;
  UIRefPtr<UIHostWnd> owner_;
  int changes_ = 0;
  std::vector<std::function<void()>> steps_;
  size_t next_ = 0;
};

// --- Combo box ---------------------------------------------------------------------

TEST_F(PopupTest, ComboWithItems_DataAttribute_SelectsFirst) {
  UIComboBox* combo = AddCombo("北京|上海|广州");
  EXPECT_EQ(combo->Items().size(), 3u);
  EXPECT_EQ(combo->GetCurSel(), 0);
  EXPECT_EQ(combo->Text(), "北京");
}

struct DropCase {
  int items;
  int height;
};
class ComboDropHeight : public PopupTest, public ::testing::WithParamInterface<DropCase> {};
TEST_P(ComboDropHeight, Items_GetDropHeight_RowsPlusBorder) {
  UIComboBox* combo = AddCombo("");
  for (int i = 0; i < GetParam().items; ++i) combo->AddItem("x");
  EXPECT_EQ(combo->GetDropHeight(), GetParam().height);
}
INSTANTIATE_TEST_SUITE_P(Cases, ComboDropHeight,
                         ::testing::Values(DropCase{0, 32}, DropCase{1, 32}, DropCase{3, 88}, DropCase{8, 228},
                                           DropCase{20, 228}));

TEST_F(PopupTest, ComboOpen_ClickOtherRow_SelectsAndRaisesEvent) {
  UIComboBox* combo = AddCombo("北京|上海|广州");
  sys_.Click(WinPoint{100 + 10 + 140, 100 + 20});  // the arrow zone
  sys_.RunUntilIdle();
  ASSERT_NE(combo->Popup(), nullptr);
  NativeWindow* pop = combo->Popup()->Native();
  ASSERT_NE(pop, nullptr);
  EXPECT_TRUE(pop->IsVisible());
  EXPECT_EQ(pop->Bounds(), WinRect::FromXYWH(110, 138, 150, 88));
  sys_.Click(WinPoint{130, 138 + 2 + 28 * 2 + 10});  // third row
  sys_.RunUntilIdle();
  EXPECT_FALSE(pop->IsVisible());
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_EQ(combo->Text(), "广州");
  EXPECT_EQ(changes_, 1);
}

TEST_F(PopupTest, ComboOpen_ClickSelectedRow_ClosesWithoutEvent) {
  UIComboBox* combo = AddCombo("a|b");
  combo->DropDown();
  sys_.RunUntilIdle();
  sys_.Click(WinPoint{130, 138 + 2 + 10});
  sys_.RunUntilIdle();
  EXPECT_FALSE(combo->Popup()->Native()->IsVisible());
  EXPECT_EQ(changes_, 0);
}

TEST_F(PopupTest, ComboOpen_Escape_HidesWithoutChange) {
  UIComboBox* combo = AddCombo("a|b|c");
  combo->DropDown();
  sys_.RunUntilIdle();
  sys_.PressKey(vk::kEscape);
  sys_.ReleaseKey(vk::kEscape);
  sys_.RunUntilIdle();
  EXPECT_FALSE(combo->Popup()->Native()->IsVisible());
  EXPECT_EQ(combo->GetCurSel(), 0);
  EXPECT_EQ(changes_, 0);
}

TEST_F(PopupTest, ComboNearScreenBottom_DropDown_OpensAbove) {
  owner_->Native()->SetBounds(WinRect::FromXYWH(100, 700, 400, 90));
  sys_.RunUntilIdle();
  UIComboBox* combo = AddCombo("a|b|c", 10, 40);
  combo->DropDown();
  sys_.RunUntilIdle();
  EXPECT_EQ(combo->Popup()->Native()->Bounds(), WinRect::FromXYWH(110, 740 - 88, 150, 88));
}

TEST_F(PopupTest, ComboWithoutItems_DropDownAndClick_NoCrashNoEvent) {
  UIComboBox* combo = AddCombo("");
  combo->DropDown();
  sys_.RunUntilIdle();
  ASSERT_NE(combo->Popup(), nullptr);
  EXPECT_EQ(combo->Popup()->Native()->Bounds().Height(), 32);
  sys_.Click(WinPoint{130, 150});
  sys_.RunUntilIdle();
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(changes_, 0);
}

TEST_F(PopupTest, ComboRows_Colours_FollowIndexHoverAndSelection) {
  UIComboBox* combo = AddCombo("a|b|c");
  UIRefPtr<UIComboBoxItem> even(new UIComboBoxItem(combo, 2));
  UIRefPtr<UIComboBoxItem> odd(new UIComboBoxItem(combo, 1));
  UIRefPtr<UIComboBoxItem> selected(new UIComboBoxItem(combo, 0));
  EXPECT_EQ(even->BackgroundColour(), 0u);
  EXPECT_EQ(odd->BackgroundColour(), UIComboBoxItem::kOddColour);
  EXPECT_EQ(selected->BackgroundColour(), UIComboBoxItem::kSelectedColour);
}

// --- Menus ---------------------------------------------------------------------------

TEST_F(PopupTest, MenuDocument_Build_ReadsItemsSeparatorsAndSubMenus) {
  UIRefPtr<SkinMenu> menu = MenuLoader::BuildFromPack("xml\\gallerymenu.xml");
  ASSERT_TRUE(menu);
  ASSERT_EQ(menu->Items().size(), 7u);
  EXPECT_EQ(menu->Items()[0].id, 101);
  EXPECT_EQ(menu->Items()[2].type, SkinMenuItem::Type::kSeparator);
  ASSERT_EQ(menu->Items()[3].type, SkinMenuItem::Type::kSubMenu);
  EXPECT_EQ(menu->Items()[3].sub->Items().size(), 2u);
  EXPECT_TRUE(menu->CheckItem(202, true));
  EXPECT_TRUE(menu->FindById(202)->state & SkinMenuItem::kChecked);
}

TEST_F(PopupTest, BrokenDocuments_TrackSkinMenu_ReturnMinusOne) {
  MenuLoader loader;
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), 150, 150, "xml\\absent.xml"), -1);
  EXPECT_FALSE(MenuLoader::Build("<menu><menu"));
  EXPECT_FALSE(MenuLoader::Build("<other/>"));
}

TEST_F(PopupTest, MenuWithoutItems_Track_ReturnsZeroAtOnce) {
  UIRefPtr<SkinMenu> menu = MenuLoader::Build("<menu/>");
  ASSERT_TRUE(menu);
  MenuLoader loader;
  EXPECT_EQ(loader.TrackMenu(owner_.get(), 150, 150, *menu), 0);
}

// Item y positions of the gallery menu at (200, 200): items from y 10, 24 high,
// separators 9 high.
constexpr int kMenuX = 200, kMenuY = 200;
int ItemCentreY(int index) {
  const int tops[] = {10, 34, 58, 67, 91, 115, 124};
  return kMenuY + tops[index] + (index == 2 || index == 5 ? 4 : 12);
}

TEST_F(PopupTest, MenuOpen_MouseClickOnCommand_ReturnsItsId) {
  MenuLoader loader;
  Script({[&] { sys_.Click(WinPoint{kMenuX + 40, ItemCentreY(1)}); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 102);
}

TEST_F(PopupTest, MenuOpen_HoverSubMenuAndClickItsItem_ReturnsSubItemId) {
  MenuLoader loader;
  Script({[&] { sys_.MoveMouse(WinPoint{kMenuX + 40, ItemCentreY(3)}); },
          [&] {
            // The sub-menu opened right of the top menu, its first item level
            // with the hovered one: walk right until another window answers.
            const uint64_t top = sys_.WindowAt(WinPoint{kMenuX + 40, ItemCentreY(3)});
            const int y = ItemCentreY(3) + 24;  // the sub-menu's second item
            int x = kMenuX + 40;
            while (x < kMenuX + 600 && sys_.WindowAt(WinPoint{x, y}) == top) x += 4;
            sys_.Click(WinPoint{x + 30, y});
          }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 202);
}

TEST_F(PopupTest, MenuOpen_KeyboardDownDownEnter_ReturnsSecondCommand) {
  MenuLoader loader;
  Script({[&] { sys_.PressKey(vk::kDown); }, [&] { sys_.PressKey(vk::kDown); },
          [&] { sys_.PressKey(vk::kReturn); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 102);
}

TEST_F(PopupTest, MenuOpen_KeyboardIntoSubMenu_ReturnsSubItem) {
  MenuLoader loader;
  // Down x3 skips the separator: new, lock, theme; Right opens it on its
  // first item; Down, Enter pick the second.
  Script({[&] { sys_.PressKey(vk::kDown); }, [&] { sys_.PressKey(vk::kDown); }, [&] { sys_.PressKey(vk::kDown); },
          [&] { sys_.PressKey(vk::kRight); }, [&] { sys_.PressKey(vk::kDown); },
          [&] { sys_.PressKey(vk::kReturn); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 202);
}

TEST_F(PopupTest, MenuOpen_MnemonicLetter_ChoosesItem) {
  MenuLoader loader;
  Script({[&] { sys_.TypeText("s"); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 103);
}

TEST_F(PopupTest, MenuOpen_EscapeOrClickOutside_ReturnsZero) {
  MenuLoader loader;
  Script({[&] { sys_.PressKey(vk::kEscape); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 0);
  Script({[&] { sys_.Click(WinPoint{5, 5}); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 0);
}

TEST_F(PopupTest, DisabledItem_CallbackDisables_ClickReturnsNothingUntilEscape) {
  MenuLoader loader;
  loader.SetCallback([](SkinMenu& menu) { menu.EnableItem(102, false); });
  Script({[&] { sys_.Click(WinPoint{kMenuX + 40, ItemCentreY(1)}); }, [&] { sys_.PressKey(vk::kEscape); }});
  EXPECT_EQ(loader.TrackSkinMenu(owner_.get(), kMenuX, kMenuY, "xml\\gallerymenu.xml"), 0);
}

// --- Message box ---------------------------------------------------------------------

TEST_F(PopupTest, ShortTextTwoCaptions_ComputeSize_MinimumsApply) {
  UIRefPtr<UIMessageBox> box(new UIMessageBox(sys_, "Vesko日历", "确定要删除这条记录吗？", "", {"取消", "删除"}));
  const UISize size = box->ComputeSize();
  EXPECT_EQ(size.cx, 370);
  EXPECT_EQ(size.cy, 220);
}

TEST(SplitCaptionsTest, Texts_Split_AtBars) {
  EXPECT_EQ(SplitCaptions("取消|确定"), (std::vector<std::string>{"取消", "确定"}));
  EXPECT_EQ(SplitCaptions(""), std::vector<std::string>{});
  EXPECT_EQ(SplitCaptions("a||b"), (std::vector<std::string>{"a", "", "b"}));
}

struct BoxCase {
  std::string captions;
  int clickButton;  // 1-based; 0 = the close button
  int expected;
};
class MessageBoxResult : public PopupTest, public ::testing::WithParamInterface<BoxCase> {};
TEST_P(MessageBoxResult, ButtonClicked_MsgBoxWarn_ReturnsPosition) {
  const BoxCase c = GetParam();
  Script({[&] {
    // The box is the active window while its loop runs.
    const uint64_t box = sys_.ActiveWindow();
    ASSERT_NE(box, owner_->Native()->Id());
    const WinRect r = sys_.Find(box)->Bounds();
    WinPoint target{r.right - 20, r.top + 20};  // the close button
    if (c.clickButton > 0) {
      const int n = static_cast<int>(SplitCaptions(c.captions).size());
      const int x0 = (r.Width() - 140 * n - 20) / 2 + 20;
      target = WinPoint{r.left + x0 + 140 * (c.clickButton - 1) + 60, r.bottom - 40};
    }
    sys_.Click(target);
  }});
  EXPECT_EQ(MsgBoxWarn(owner_.get(), "确定要删除这条记录吗？", c.captions), c.expected);
  EXPECT_TRUE(owner_->InputEnabled());
}
INSTANTIATE_TEST_SUITE_P(Cases, MessageBoxResult,
                         ::testing::Values(BoxCase{"取消|删除", 1, 1}, BoxCase{"取消|删除", 2, 2},
                                           BoxCase{"取消|删除", 0, -1}, BoxCase{"确定", 1, 1},
                                           BoxCase{"", 0, -1}));

TEST_F(PopupTest, EditRightClick_CutFromMenu_MovesSelectionToClipboard) {
  auto* edit = new UIEditCtrl();
  owner_->AddChild(edit);
  edit->SetAttribute("pos", "10,10,200,28");
  edit->CommitComposition("剪切测试");
  edit->SelectAll();
  ProcessClipboard().SetText("before");
  Script({[&] { sys_.TypeText("t"); }});  // 剪切(&T)
  sys_.Click(WinPoint{100 + 50, 100 + 20}, MouseButton::kRight);
  sys_.RunUntilIdle();
  EXPECT_EQ(edit->EditText(), "");
  EXPECT_EQ(ProcessClipboard().GetText().value_or(""), "剪切测试");
}

TEST_F(PopupTest, EditRightClick_SelectAllFromMenu_SelectsTheText) {
  auto* edit = new UIEditCtrl();
  owner_->AddChild(edit);
  edit->SetAttribute("pos", "10,10,200,28");
  edit->CommitComposition("abc");
  ASSERT_FALSE(edit->CanCut());  // nothing selected yet
  Script({[&] { sys_.TypeText("a"); }});  // 全选(&A)
  sys_.Click(WinPoint{100 + 50, 100 + 20}, MouseButton::kRight);
  sys_.RunUntilIdle();
  EXPECT_EQ(edit->EditText(), "abc");
  EXPECT_TRUE(edit->CanCut());
}

}  // namespace
}  // namespace vr
