// veskorili-gallery: builds a layout document from the linked resource pack
// with every renderer and style of the framework and renders it headless to a
// PNG, or shows it in a real window (X11 when $DISPLAY answers, else the
// headless backend) until the window is closed or SIGINT/SIGTERM arrives.
//   veskorili-gallery --png FILE [--size WxH] [--doc xml\gallery.xml]
//   veskorili-gallery --window [--doc xml\gallery.xml]
//   veskorili-gallery --popups DIR   (combo list, menu and message box PNGs)
// In a window it reports on stdout, one line each: "window <w> <h>" (the
// document root's size), "frame <ms>" when the
// first frame went to the screen (milliseconds since start) and
// "press <x> <y> <id or class>" for every left press a control receives.
// Not installed for users; a tool for looking at the framework's drawing.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/QuitSignals.h"
#include "platform/WindowSystem.h"

#include "ui/CssTable.h"
#include "ui/EditMessages.h"
#include "ui/FactoryRegistry.h"
#include "ui/ResLoaderMgr.h"
#include "ui/UIAttr.h"
#include "ui/UIHeadlessHost.h"
#include "ui/UIHostWnd.h"
#include "ui/gallery/GalleryPopups.h"
#include "ui/gallery/GallerySampleList.h"
#include "ui/ThreadTask.h"

namespace {

const auto kStart = std::chrono::steady_clock::now();

struct Options {
  bool window = false;
  std::string png;
  std::string popups;
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
    if (arg == "--window") {
      o->window = true;
    } else if (arg == "--png" && hasValue) {
      o->png = argv[++i];
    } else if (arg == "--popups" && hasValue) {
      o->popups = argv[++i];
    } else if (arg == "--doc" && hasValue) {
      o->doc = argv[++i];
    } else if (arg == "--size" && hasValue) {
      if (!ParseSize(argv[++i], &o->width, &o->height)) return false;
    } else {
      return false;
    }
  }
  if (!o->popups.empty()) return !o->window && o->png.empty();
  return o->window != !o->png.empty();
}

// The gallery document in a window of its own; the process ends with it.
class GalleryWindow final : public vr::UIHostWnd {
 public:
  using UIHostWnd::UIHostWnd;

  bool HandleWindowMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override {
    if (msg == vr::uimsg::kLButtonDown) ReportPress(lparam);
    if (msg == vr::uimsg::kShowWindow && wparam) shown_ = true;
    const int paints = PaintCount();
    const bool handled = UIHostWnd::HandleWindowMessage(msg, wparam, lparam, result);
    // The first frame pushed while the window is on screen.
    if (msg == vr::uimsg::kPaint && shown_ && !framed_ && PaintCount() > paints) {
      framed_ = true;
      const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kStart);
      std::printf("frame %.1f\n", ms.count());
      std::fflush(stdout);
    }
    return handled;
  }
  void OnFinalMessage() override { System().Loop().Quit(); }

 private:
  void ReportPress(intptr_t lparam) {
    const int x = vr::LParamLow(lparam), y = vr::LParamHigh(lparam);
    vr::UIControl* hit = HitTest(x, y);
    std::string what = !hit ? "none" : !hit->Id().empty() ? hit->Id() : hit->ClassName();
    std::printf("press %d %d %s\n", x, y, what.c_str());
    std::fflush(stdout);
  }

  bool shown_ = false;
  bool framed_ = false;
};

int RunWindow(const Options& options) {
  std::unique_ptr<vr::WindowSystem> system = vr::OpenWindowSystem(vr::WindowSystemKind::kAuto);
  vr::QuitSignals signals(system->Loop());
  vr::TaskWindow tasks(system->Loop());
  int status = 0;
  {
    vr::UIRefPtr<GalleryWindow> window(new GalleryWindow(*system, options.doc));
    vr::WindowParams params;
    params.title = "veskorili-gallery";
    params.kind = vr::WindowKind::kNormal;
    if (!window->CreateNative(params) || window->Children().empty()) {
      std::fprintf(stderr, "veskorili-gallery: cannot open a window for %s\n", options.doc.c_str());
      status = 1;
    } else {
      std::printf("window %d %d\n", window->Width(), window->Height());
      std::fflush(stdout);
      window->CenterWindow(nullptr);
      window->ShowHost(true);
      system->Loop().Run();
    }
    window->CloseHost();
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: veskorili-gallery --png FILE [--size WxH] [--doc PACKPATH]\n"
                 "       veskorili-gallery --window [--doc PACKPATH]\n"
                 "       veskorili-gallery --popups DIR\n");
    return 2;
  }
  vr::RegisterBuiltinFactories();
  vr::FactoryRegistry::Instance().Register("GallerySampleList",
                                           [] { return static_cast<vr::UIControl*>(new vr::GallerySampleList()); });
  vr::ResLoaderMgr loader(vr::EmbeddedPack());
  vr::SetResLoader(&loader);
  const std::vector<uint8_t> css = loader.GetData("cssData.json");
  vr::CssTable::Instance().Load(std::string(css.begin(), css.end()));
  int status = 0;
  if (!options.popups.empty()) {
    status = vr::RenderGalleryPopups(options.popups) ? 0 : 1;
  } else if (options.window) {
    status = RunWindow(options);
  } else {
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
      // One edit as it looks while the user works in it: focused, with a
      // selection and the caret at its end.
      if (vr::UIControl* edit = host->FindById("gallery_edit_sel")) {
        host->SetFocusId(edit->Serial());
        edit->SendMsg(vr::editmsg::kSetSel, 6, 15);
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
