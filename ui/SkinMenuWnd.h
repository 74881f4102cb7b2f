#pragma once
#include <memory>
#include <vector>

#include "platform/NativeWindow.h"
#include "platform/WindowSystem.h"
#include "ui/SkinMenu.h"

namespace vr {

class FontCache;
class MenuTracker;

// One open level of a skinned pop-up menu: a layered pop-up window showing
// the items of one SkinMenu. Input it receives goes to the tracker, which
// runs the menu as a whole; the window only lays out, hit-tests and paints.
class SkinMenuWnd final : public WindowHandler {
 public:
  // Metrics in pixels.
  static constexpr int kItemHeight = 24;
  static constexpr int kSeparatorHeight = 9;
  static constexpr int kTop = 10;          // first item's y; the same margin below the last
  static constexpr int kInset = 8;         // items' left and right inset
  static constexpr int kTextExtra = 47;    // item width beyond its text
  static constexpr int kSubExtra = 22;     // more for the sub-menu arrow
  static constexpr int kMinItemWidth = 100;
  static constexpr int kImageColumn = 26;  // the image column at an item's left

  SkinMenuWnd(MenuTracker& tracker, SkinMenu& menu, FontCache& fonts);
  ~SkinMenuWnd() override;

  // Lays the items out and creates the window, hidden, with its top-left at
  // `origin` (screen). False when the platform refuses the window.
  bool Create(WindowSystem& system, uint64_t owner, WinPoint origin);
  int MenuWidth() const { return width_; }
  int MenuHeight() const { return height_; }
  NativeWindow* Native() const { return native_.get(); }
  SkinMenu& Menu() const { return *menu_.get(); }

  // Index of the item under the screen point, or -1.
  int ItemAt(WinPoint screen) const;
  WinRect ItemScreenRect(int index) const;
  int Highlight() const { return highlight_; }
  // -1 clears; repaints when it changed.
  void SetHighlight(int index);
  void Paint();

  // --- WindowHandler ---
  void OnWindowEvent(const WindowEvent& event) override;

  // The display text: "&x" loses its ampersand, "&&" becomes "&".
  static std::string DisplayText(const std::string& text);
  // The mnemonic character (lower-cased ASCII), or 0.
  static char32_t Mnemonic(const std::string& text);

 private:
  void Layout();
  void PaintItem(cairo_t* cr, int index);

  MenuTracker& tracker_;
  UIRefHold<SkinMenu> menu_;
  FontCache& fonts_;
  std::unique_ptr<NativeWindow> native_;
  std::vector<WinRect> items_;  // client coordinates, parallel to the menu's items
  int width_ = 0;
  int height_ = 0;
  int highlight_ = -1;
};

}  // namespace vr
