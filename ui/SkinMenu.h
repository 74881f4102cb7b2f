#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/UIRefObj.h"

namespace vr {

class SkinMenu;

// One entry of a skinned pop-up menu.
struct SkinMenuItem {
  enum class Type { kString, kSeparator, kSubMenu };
  static constexpr uint32_t kHighlighted = 1u << 0;
  static constexpr uint32_t kDisabled = 1u << 1;
  static constexpr uint32_t kChecked = 1u << 2;

  Type type = Type::kString;
  int32_t id = 0;
  std::string text;   // UTF-8; "&x" marks x as the mnemonic
  std::string image;  // pack path, empty for none
  uint32_t state = 0;
  UIRefPtr<SkinMenu> sub;  // kSubMenu only

  bool Selectable() const { return type != Type::kSeparator && (state & kDisabled) == 0; }
};

// A menu as built from a menu document: reference-counted, so a sub-menu can
// be handed out while its parent is still being shown.
class SkinMenu : public UIRefObj {
 public:
  std::vector<SkinMenuItem>& Items() { return items_; }
  const std::vector<SkinMenuItem>& Items() const { return items_; }

  // The first item with `id`, searched through sub-menus too; null when none.
  SkinMenuItem* FindById(int32_t id);
  // Sets or clears a state bit of every item with `id`; false when none has it.
  bool SetItemState(int32_t id, uint32_t bit, bool on);
  bool EnableItem(int32_t id, bool enable) { return SetItemState(id, SkinMenuItem::kDisabled, !enable); }
  bool CheckItem(int32_t id, bool check) { return SetItemState(id, SkinMenuItem::kChecked, check); }

 protected:
  ~SkinMenu() override = default;

 private:
  std::vector<SkinMenuItem> items_;
};

}  // namespace vr
