#include "ui/MenuTracker.h"

#include "platform/VirtualKeys.h"
#include "ui/SkinMenuWnd.h"

namespace vr {

MenuTracker::MenuTracker(WindowSystem& system, uint64_t ownerWindowId) : system_(system), owner_(ownerWindowId) {}

MenuTracker::~MenuTracker() = default;

SkinMenuWnd* MenuTracker::Level(int index) const {
  return index >= 0 && index < OpenLevels() ? levels_[index].get() : nullptr;
}

WinRect MenuTracker::WorkAreaAt(WinPoint p) {
  const std::vector<MonitorInfo> monitors = system_.Monitors();
  for (const MonitorInfo& m : monitors) {
    if (m.area.Contains(p)) return m.workArea;
  }
  return monitors.empty() ? WinRect{0, 0, 1280, 800} : monitors.front().workArea;
}

// Keeps a w x h menu inside the work area: one that would pass the right
// edge opens to the left of `at` (or of the parent menu `avoid`), one that
// would pass the bottom moves up.
WinPoint MenuTracker::Place(WinPoint at, int w, int h, const WinRect* avoid) {
  const WinRect work = WorkAreaAt(at);
  WinPoint p = at;
  if (p.x + w > work.right) p.x = (avoid ? avoid->left : at.x) - w;
  if (p.x < work.left) p.x = work.left;
  if (p.y + h > work.bottom) p.y = avoid ? work.bottom - h : at.y - h;
  if (p.y < work.top) p.y = work.top;
  return p;
}

int MenuTracker::Track(SkinMenu& menu, WinPoint at) {
  if (menu.Items().empty()) return 0;
  auto top = std::make_unique<SkinMenuWnd>(*this, menu, fonts_);
  if (!top->Create(system_, owner_, at)) return 0;
  const WinPoint origin = Place(at, top->MenuWidth(), top->MenuHeight(), nullptr);
  top->Native()->SetBounds(WinRect::FromXYWH(origin.x, origin.y, top->MenuWidth(), top->MenuHeight()));
  top->Native()->Show(true);
  top->Native()->TakeKeyboardFocus();
  top->Native()->SetCapture();
  top->Paint();
  levels_.push_back(std::move(top));
  running_ = true;
  result_ = 0;
  system_.Loop().RunWhile(running_);
  running_ = false;
  if (!levels_.empty() && levels_.front()->Native()) levels_.front()->Native()->ReleaseCapture();
  for (auto& level : levels_) level->Native()->Hide();
  levels_.clear();
  closed_.clear();
  return result_;
}

void MenuTracker::Finish(int result) {
  if (!running_) return;
  result_ = result;
  running_ = false;
}

int MenuTracker::LevelAt(WinPoint screen) const {
  for (int i = OpenLevels() - 1; i >= 0; --i) {
    if (levels_[i]->Native()->Bounds().Contains(screen)) return i;
  }
  return -1;
}

void MenuTracker::CloseAbove(int level) {
  while (OpenLevels() > level + 1) {
    levels_.back()->Native()->Hide();
    closed_.push_back(std::move(levels_.back()));
    levels_.pop_back();
  }
}

bool MenuTracker::OpenSub(int level, int index) {
  SkinMenuWnd* parent = Level(level);
  if (!parent || index < 0 || index >= static_cast<int>(parent->Menu().Items().size())) return false;
  const SkinMenuItem& item = parent->Menu().Items()[index];
  if (item.type != SkinMenuItem::Type::kSubMenu || !item.Selectable() || !item.sub || item.sub->Items().empty()) {
    return false;
  }
  CloseAbove(level);
  const WinRect parentRect = parent->Native()->Bounds();
  const WinRect itemRect = parent->ItemScreenRect(index);
  auto sub = std::make_unique<SkinMenuWnd>(*this, *item.sub, fonts_);
  const WinPoint want{parentRect.right - 4, itemRect.top - SkinMenuWnd::kTop};
  if (!sub->Create(system_, owner_, want)) return false;
  const WinPoint origin = Place(want, sub->MenuWidth(), sub->MenuHeight(), &parentRect);
  sub->Native()->SetBounds(WinRect::FromXYWH(origin.x, origin.y, sub->MenuWidth(), sub->MenuHeight()));
  sub->Native()->Show(false);
  sub->Paint();
  levels_.push_back(std::move(sub));
  return true;
}

void MenuTracker::Activate(int level, int index) {
  SkinMenuWnd* wnd = Level(level);
  if (!wnd || index < 0 || index >= static_cast<int>(wnd->Menu().Items().size())) return;
  const SkinMenuItem& item = wnd->Menu().Items()[index];
  if (!item.Selectable()) return;
  if (item.type == SkinMenuItem::Type::kString) {
    Finish(item.id);
  } else if (OpenSub(level, index)) {
    MoveHighlight(+1);  // the first item of the new menu
  }
}

void MenuTracker::MoveHighlight(int step) {
  SkinMenuWnd* wnd = levels_.back().get();
  const auto& items = wnd->Menu().Items();
  const int n = static_cast<int>(items.size());
  int i = wnd->Highlight();
  for (int tries = 0; tries < n; ++tries) {
    i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
    if (items[i].Selectable()) {
      wnd->SetHighlight(i);
      return;
    }
  }
}

void MenuTracker::OnMouseMove(WinPoint screen) {
  const int level = LevelAt(screen);
  if (level < 0) return;
  SkinMenuWnd* wnd = levels_[level].get();
  int index = wnd->ItemAt(screen);
  if (index >= 0 && !wnd->Menu().Items()[index].Selectable()) index = -1;
  if (index == wnd->Highlight()) return;
  wnd->SetHighlight(index);
  CloseAbove(level);
  if (index >= 0) OpenSub(level, index);
}

void MenuTracker::OnButtonDown(WinPoint screen) {
  if (LevelAt(screen) < 0) Finish(0);  // a click outside every menu cancels
}

void MenuTracker::OnButtonUp(WinPoint screen) {
  const int level = LevelAt(screen);
  if (level < 0) return;
  const int index = levels_[level]->ItemAt(screen);
  if (index < 0) return;
  const SkinMenuItem& item = levels_[level]->Menu().Items()[index];
  if (item.type == SkinMenuItem::Type::kString && item.Selectable()) Finish(item.id);
}

void MenuTracker::OnKey(int virtualKey) {
  const int deepest = OpenLevels() - 1;
  switch (virtualKey) {
    case vk::kDown:
      MoveHighlight(+1);
      break;
    case vk::kUp:
      MoveHighlight(-1);
      break;
    case vk::kRight:
    case vk::kReturn:
      if (virtualKey == vk::kReturn) {
        Activate(deepest, levels_.back()->Highlight());
      } else if (OpenSub(deepest, levels_.back()->Highlight())) {
        MoveHighlight(+1);
      }
      break;
    case vk::kLeft:
      if (deepest > 0) CloseAbove(deepest - 1);
      break;
    case vk::kEscape:
      if (deepest > 0) {
        CloseAbove(deepest - 1);
      } else {
        Finish(0);
      }
      break;
    default:
      break;
  }
}

void MenuTracker::OnChar(char32_t c) {
  if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
  const int deepest = OpenLevels() - 1;
  const auto& items = levels_.back()->Menu().Items();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].Selectable() && SkinMenuWnd::Mnemonic(items[i].text) == c) {
      levels_.back()->SetHighlight(static_cast<int>(i));
      Activate(deepest, static_cast<int>(i));
      return;
    }
  }
}

void MenuTracker::OnEvent(SkinMenuWnd&, const WindowEvent& event) {
  if (!running_ || levels_.empty()) return;
  switch (event.type) {
    case WindowEventType::kMouseMove:
      OnMouseMove(event.screenPos);
      break;
    case WindowEventType::kButtonDown:
      OnButtonDown(event.screenPos);
      break;
    case WindowEventType::kButtonUp:
      OnButtonUp(event.screenPos);
      break;
    case WindowEventType::kKeyDown:
      OnKey(event.virtualKey);
      break;
    case WindowEventType::kChar:
      OnChar(event.codePoint);
      break;
    case WindowEventType::kDeactivate:
    case WindowEventType::kCaptureLost:
    case WindowEventType::kCloseRequest:
      // Only the top menu holds focus and capture; sub-menus never take them.
      Finish(0);
      break;
    default:
      break;
  }
}

}  // namespace vr
