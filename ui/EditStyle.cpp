#include "ui/EditStyle.h"

#include <iterator>

namespace vr {

namespace {
struct StyleName {
  std::string_view name;
  uint32_t bit;
};
constexpr StyleName kStyleNames[] = {
    {"ES_CENTER", es::kCenter},         {"ES_RIGHT", es::kRight},
    {"ES_MULTILINE", es::kMultiline},   {"ES_UPPERCASE", es::kUppercase},
    {"ES_LOWERCASE", es::kLowercase},   {"ES_PASSWORD", es::kPassword},
    {"ES_AUTOVSCROLL", es::kAutoVScroll}, {"ES_AUTOHSCROLL", es::kAutoHScroll},
    {"ES_NOHIDESEL", es::kNoHideSel},   {"ES_OEMCONVERT", es::kOemConvert},
    {"ES_READONLY", es::kReadOnly},     {"ES_WANTRETURN", es::kWantReturn},
    {"ES_NUMBER", es::kNumber},
};
}  // namespace

uint32_t ParseEditStyle(std::string_view value) {
  uint32_t style = 0;
  for (const StyleName& s : kStyleNames) {
    if (value.find(s.name) != std::string_view::npos) style |= s.bit;
  }
  return style;
}

}  // namespace vr
