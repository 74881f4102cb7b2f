#include "ui/StyleParser.h"

#include "ui/CssTable.h"
#include "ui/UIAttr.h"
#include "ui/UIGradientColor.h"
#include "ui/UIRenderColor.h"
#include "ui/UIRenderImg.h"
#include "ui/UIRenderText.h"

namespace vr {

namespace {

UIRender* MakeRenderer(std::string_view prefix) {
  if (prefix == "img:") return new UIRenderImg();
  if (prefix == "txt:") return new UIRenderText();
  if (prefix == "clr:") return new UIRenderColor();
  if (prefix == "grd:") return new UIGradientColor();
  return nullptr;
}

}  // namespace

UIRender* ParseStyleDescriptor(const std::string& descriptor) {
  std::string_view text(descriptor);
  UIRender* render = MakeRenderer(text.substr(0, 4));
  if (!render) return nullptr;
  text.remove_prefix(4);
  for (std::string_view item : SplitAttr(text, '|')) {
    auto kv = SplitAttr(item, '=');
    if (kv.size() != 2) continue;
    std::string key(kv[0]);
    std::string value(kv[1]);
    if (key == "css") {
      if (const auto* entry = CssTable::Instance().Find(value)) {
        for (const auto& [k, v] : *entry) render->SetProp(k, v);
      }
      continue;
    }
    render->SetProp(key, value);
  }
  return render;
}

}  // namespace vr
