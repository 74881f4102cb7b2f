// veskorili-gallery: builds a layout document from the linked resource pack
// with every renderer and style of the framework and renders it headless.
//   veskorili-gallery --png FILE [--size WxH] [--doc xml\gallery.xml]
// Not installed for users; a tool for looking at the framework's drawing.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/CssTable.h"
#include "ui/FactoryRegistry.h"
#include "ui/ResLoaderMgr.h"
#include "ui/UIAttr.h"
#include "ui/UIHeadlessHost.h"

namespace {

struct Options {
  std::string png;
  std::string doc = "xml\\gallery.xml";
  int width = 0;
  int height = 0;
};

bool ParseSize(const std::string& text, int* w, int* h) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  *w = vr::ParseAttrInt(text.substr(0, x));
  *h = vr::ParseAttrInt(text.substr(x + 1));
  return *w > 0 && *h > 0 && *w <= 8192 && *h <= 8192;
}

bool ParseArgs(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--png" && hasValue) {
      o->png = argv[++i];
    } else if (arg == "--doc" && hasValue) {
      o->doc = argv[++i];
    } else if (arg == "--size" && hasValue) {
      if (!ParseSize(argv[++i], &o->width, &o->height)) return false;
    } else {
      return false;
    }
  }
  return !o->png.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, &options)) {
    std::fprintf(stderr, "usage: veskorili-gallery --png FILE [--size WxH] [--doc PACKPATH]\n");
    return 2;
  }
  vr::RegisterBuiltinFactories();
  vr::ResLoaderMgr loader(vr::EmbeddedPack());
  vr::SetResLoader(&loader);
  const std::vector<uint8_t> css = loader.GetData("cssData.json");
  vr::CssTable::Instance().Load(std::string(css.begin(), css.end()));
  int status = 0;
  {
    auto host = vr::UIHeadlessHost::Create(options.width > 0 ? options.width : 100,
                                           options.height > 0 ? options.height : 100);
    if (!host->LoadDocument(options.doc)) {
      std::fprintf(stderr, "veskorili-gallery: %s builds nothing\n", options.doc.c_str());
      status = 1;
    } else {
      if (options.width > 0) {
        host->Resize(options.width, options.height);
        if (vr::UIControl* first = host->GetRelative(vr::UIControl::kFirstChild)) {
          first->SetPos(0, 0, options.width, options.height);
        }
      }
      host->RenderAll();
      if (!host->SavePng(options.png)) {
        std::fprintf(stderr, "veskorili-gallery: cannot write %s\n", options.png.c_str());
        status = 1;
      }
    }
  }
  vr::SetResLoader(nullptr);
  return status;
}

// fontconfig's internal pattern cache is never freed; see tests/ui.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
