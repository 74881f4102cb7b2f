#include "ui/MenuLoader.h"

#include <pugixml.hpp>

#include <charconv>

#include "ui/MenuTracker.h"
#include "ui/UIResLoader.h"
#include "ui/UIWindowImp.h"

namespace vr {
namespace {

int32_t ParseId(const char* text) {
  int32_t value = 0;
  const std::string_view s(text);
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

void ReadItems(const pugi::xml_node& parent, SkinMenu& menu, int depth) {
  for (const pugi::xml_node& node : parent.children("menu")) {
    SkinMenuItem item;
    const std::string type = node.attribute("type").as_string("item");
    if (type == "sep") {
      item.type = SkinMenuItem::Type::kSeparator;
    } else {
      item.id = ParseId(node.attribute("id").as_string());
      item.text = node.attribute("txt").as_string();
      item.image = node.attribute("img").as_string();
      if (type == "sub") {
        if (depth + 1 >= MenuLoader::kMaxDepth) continue;
        item.type = SkinMenuItem::Type::kSubMenu;
        item.sub.reset(new SkinMenu());
        ReadItems(node, *item.sub, depth + 1);
      }
    }
    menu.Items().push_back(std::move(item));
  }
}

}  // namespace

SkinMenuItem* SkinMenu::FindById(int32_t id) {
  for (SkinMenuItem& item : items_) {
    if (item.type != SkinMenuItem::Type::kSeparator && item.id == id) return &item;
    if (item.sub) {
      if (SkinMenuItem* found = item.sub->FindById(id)) return found;
    }
  }
  return nullptr;
}

bool SkinMenu::SetItemState(int32_t id, uint32_t bit, bool on) {
  bool any = false;
  for (SkinMenuItem& item : items_) {
    if (item.type != SkinMenuItem::Type::kSeparator && item.id == id) {
      item.state = on ? (item.state | bit) : (item.state & ~bit);
      any = true;
    }
    if (item.sub) any = item.sub->SetItemState(id, bit, on) || any;
  }
  return any;
}

UIRefPtr<SkinMenu> MenuLoader::Build(std::string_view documentText) {
  pugi::xml_document doc;
  if (!doc.load_buffer(documentText.data(), documentText.size())) return {};
  const pugi::xml_node root = doc.child("menu");
  if (!root) return {};
  UIRefPtr<SkinMenu> menu(new SkinMenu());
  ReadItems(root, *menu, 0);
  return menu;
}

UIRefPtr<SkinMenu> MenuLoader::BuildFromPack(const std::string& path) {
  UIResLoader* loader = GetResLoader();
  if (!loader) return {};
  const std::vector<uint8_t> bytes = loader->GetData(path);
  if (bytes.empty()) return {};
  return Build(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int MenuLoader::TrackSkinMenu(UIWindowImp* owner, int x, int y, const std::string& documentPath) {
  UIRefPtr<SkinMenu> menu = BuildFromPack(documentPath);
  if (!menu) return -1;
  return TrackMenu(owner, x, y, *menu);
}

int MenuLoader::TrackMenu(UIWindowImp* owner, int x, int y, SkinMenu& menu) {
  if (!owner || !owner->Native()) return 0;
  owner->BringToFront();
  if (callback_) callback_(menu);
  MenuTracker tracker(owner->System(), owner->Native()->Id());
  return tracker.Track(menu, WinPoint{x, y});
}

}  // namespace vr
