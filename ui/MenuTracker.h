#pragma once
#include <memory>
#include <vector>

#include "platform/WindowSystem.h"
#include "ui/FontCache.h"
#include "ui/SkinMenu.h"

namespace vr {

class SkinMenuWnd;

// Runs one pop-up menu with its open sub-menus as a nested loop, the way the
// platform's own menus behave: the top menu holds the mouse capture and the
// keyboard focus, the pointer highlights items and opens sub-menus, a click
// on a command chooses it, a click outside or losing the focus cancels.
// Keys: Up/Down move through the deepest menu, Right/Enter open a sub-menu,
// Left/Escape close the deepest one (Escape on the top menu cancels), Enter
// chooses a command, a mnemonic letter chooses or opens its item.
class MenuTracker {
 public:
  MenuTracker(WindowSystem& system, uint64_t ownerWindowId);
  ~MenuTracker();
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  // Shows `menu` with its top-left at `at` (moved to stay inside the work
  // area) and returns the chosen command's id, or 0 when cancelled or when
  // there is nothing to show.
  int Track(SkinMenu& menu, WinPoint at);

  // Input from one of the menu windows.
  void OnEvent(SkinMenuWnd& from, const WindowEvent& event);

  // --- Inspection (tests) ---
  int OpenLevels() const { return static_cast<int>(levels_.size()); }
  SkinMenuWnd* Level(int index) const;

 private:
  void OnMouseMove(WinPoint screen);
  void OnButtonUp(WinPoint screen);
  void OnButtonDown(WinPoint screen);
  void OnKey(int virtualKey);
  void OnChar(char32_t c);
  // Opens the sub-menu of item `index` of level `level`; false when it has none.
  bool OpenSub(int level, int index);
  void CloseAbove(int level);  // closes every level deeper than `level`
  void Activate(int level, int index);  // chooses a command or opens its sub-menu
  void MoveHighlight(int step);
  int LevelAt(WinPoint screen) const;
  WinRect WorkAreaAt(WinPoint p);
  WinPoint Place(WinPoint at, int w, int h, const WinRect* avoid);
  void Finish(int result);

  WindowSystem& system_;
  uint64_t owner_;
  FontCache fonts_;
  std::vector<std::unique_ptr<SkinMenuWnd>> levels_;
  // Closed levels wait here until the loop ends: one of them may be the
  // window whose event is being handled.
  std::vector<std::unique_ptr<SkinMenuWnd>> closed_;
  bool running_ = false;
  int result_ = 0;
};

}  // namespace vr
