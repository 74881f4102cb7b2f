#include "ui/gallery/GalleryPopups.h"

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "ui/MenuLoader.h"
#include "ui/UIComboBox.h"
#include "ui/UIComboListWidget.h"
#include "ui/UIHostWnd.h"
#include "ui/UIMessageBox.h"

namespace vr {

bool RenderGalleryPopups(const std::string& dir) {
  HeadlessWindowSystem sys;
  UIRefPtr<UIHostWnd> owner(new UIHostWnd(sys, ""));
  WindowParams params;
  params.bounds = WinRect::FromXYWH(100, 100, 520, 320);
  if (!owner->CreateNative(params)) return false;
  owner->SetAttribute("back", "clr:clr=#fff4f6f9");
  owner->ShowHost(true);
  sys.RunUntilIdle();
  bool ok = true;

  auto* combo = new UIComboBox();
  owner->AddChild(combo);
  combo->SetAttribute("pos", "20,20,160,28");
  combo->SetAttribute("back", "img\\combo\\body.png");
  combo->SetAttribute("thumb", "img\\combo\\arrow.png");
  combo->SetAttribute("clr", "#ff60656f");
  combo->SetAttribute("font", "14");
  combo->SetAttribute("data", "北京|上海|广州|深圳|杭州|成都|武汉|西安|南京|重庆");
  combo->SetCurSel(2);
  combo->DropDown();
  sys.RunUntilIdle();
  if (combo->Popup() && combo->Popup()->Native()) {
    ok = sys.SaveScreenPng(combo->Popup()->Native()->Id(), dir + "/combo_list.png") && ok;
  }
  ok = sys.SaveScreenPng(owner->Native()->Id(), dir + "/combo.png") && ok;
  combo->CloseUp();
  sys.RunUntilIdle();

  // The menu: hover the sub-menu item, photograph both levels, then cancel.
  int step = 0;
  sys.SetIdleHook([&] {
    switch (step++) {
      case 0:
        sys.MoveMouse(WinPoint{240, 200 + 67 + 12});
        return true;
      case 1: {
        const uint64_t top = sys.WindowAt(WinPoint{240, 279});
        ok = sys.SaveScreenPng(top, dir + "/menu.png") && ok;
        int x = 240;
        while (x < 900 && sys.WindowAt(WinPoint{x, 290}) == top) x += 4;
        if (const uint64_t sub = sys.WindowAt(WinPoint{x + 8, 290}); sub && sub != top) {
          ok = sys.SaveScreenPng(sub, dir + "/menu_sub.png") && ok;
        }
        sys.PressKey(vk::kEscape);
        sys.PressKey(vk::kEscape);
        return true;
      }
      default:
        return false;
    }
  });
  MenuLoader loader;
  loader.SetCallback([](SkinMenu& menu) { menu.CheckItem(102, true); });
  loader.TrackSkinMenu(owner.get(), 200, 200, "xml\\gallerymenu.xml");

  // The message box: photograph it, then press its close button.
  step = 0;
  sys.SetIdleHook([&] {
    if (step++ > 0) return false;
    const uint64_t box = sys.ActiveWindow();
    ok = sys.SaveScreenPng(box, dir + "/msgbox.png") && ok;
    if (HeadlessWindow* w = sys.Find(box)) {
      const WinRect r = w->Bounds();
      sys.Click(WinPoint{r.right - 20, r.top + 20});
    }
    return true;
  });
  MsgBoxWarn(owner.get(), "确定要删除这条记录吗？", "取消|删除");
  sys.SetIdleHook(nullptr);
  owner->CloseHost();
  return ok;
}

}  // namespace vr
