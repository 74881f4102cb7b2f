#include "ui/gallery/GallerySampleList.h"

#include <algorithm>

#include "ui/LayoutBuilder.h"
#include "ui/UIAttr.h"
#include "ui/UIScrollBar.h"

namespace vr {

bool GallerySampleList::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "itemdoc") {
    itemDoc_ = value;
  } else if (name == "items") {
    items_ = std::clamp(ParseAttrInt(value), 0, kMaxItems);
  } else if (name == "scrollto") {
    scrollTo_ = ParseAttrInt(value);
  }
  return UIScrollVertView::SetAttribute(name, value);
}

intptr_t GallerySampleList::OnCreate(intptr_t param) {
  for (int i = 1; i <= items_; ++i) {
    UIControl* item = BuildFromDocument(UIBuilder{Host()}, nullptr, itemDoc_);
    if (!item) break;
    if (UIControl* title = item->FindById("title")) title->SetText("第 " + std::to_string(i) + " 项");
    AddItem(item);
  }
  Relayout();
  Bar()->SetScrollPos(scrollTo_);
  return UIScrollVertView::OnCreate(param);
}

}  // namespace vr
