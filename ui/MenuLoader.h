#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/SkinMenu.h"

namespace vr {

class UIWindowImp;

// Builds skinned pop-up menus from menu documents of the resource pack and
// shows them. A document's root element is `menu`; each child `menu` element
// is an item with `id` (decimal), `txt`, optional `img` and `type`: "item" (a
// command), "sep" (a separator, id 0) or "sub" (a sub-menu made of its own
// `menu` children).
class MenuLoader {
 public:
  // Receives the built menu before it is shown, to enable, disable or check items.
  using Callback = std::function<void(SkinMenu& menu)>;

  // Null when the text is not a menu document. Sub-menus nest at most
  // kMaxDepth deep; deeper ones are left out.
  static UIRefPtr<SkinMenu> Build(std::string_view documentText);
  // The same for a pack path such as xml\editmenu.xml.
  static UIRefPtr<SkinMenu> BuildFromPack(const std::string& path);
  static constexpr int kMaxDepth = 8;

  void SetCallback(Callback callback) { callback_ = std::move(callback); }

  // Shows the menu of `documentPath` at screen point (x, y) over `owner` and
  // runs a nested loop until the user chose or cancelled. Returns the chosen
  // command's id, 0 when nothing was chosen or the menu could not be shown,
  // -1 when the document could not be built.
  int TrackSkinMenu(UIWindowImp* owner, int x, int y, const std::string& documentPath);
  // The same for a menu already built.
  int TrackMenu(UIWindowImp* owner, int x, int y, SkinMenu& menu);

 private:
  Callback callback_;
};

}  // namespace vr
