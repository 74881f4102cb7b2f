#include "ui/UIMessageBox.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "ui/FontSpec.h"
#include "ui/SkinBitmap.h"
#include "ui/TextEngine.h"
#include "ui/UIButton.h"
#include "ui/UIFont.h"
#include "ui/UILabel.h"
#include "ui/UIResLoader.h"

namespace vr {
namespace {

constexpr const char* kTitle = "Vesko日历";
constexpr const char* kWarnIcon = "img\\msgbox\\war.png";
constexpr const char* kQuestIcon = "img\\msgbox\\quest.png";
constexpr const char* kTextColour = "#ff60656f";
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 40;
constexpr int kButtonPitch = 140;

// Size of the message set in the default face at 16 pixels, without wrapping.
UISize MeasureMessage(const std::string& text) {
  std::unique_ptr<UIFont> font = UIFont::Create(FontSpec::Parse("16"));
  if (!font) return {};
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  UISize size;
  if (PangoLayout* layout = TextEngine::Instance().NewLayout(cr, *font, text)) {
    pango_layout_get_pixel_size(layout, &size.cx, &size.cy);
    g_object_unref(layout);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return size;
}

UISize IconSize(const std::string& path) {
  UIResLoader* loader = GetResLoader();
  SkinBitmap* image = (!path.empty() && loader) ? loader->GetImage(path) : nullptr;
  if (!image || !image->Ok()) return {};
  return UISize{image->Width(), image->Height()};
}

template <typename T>
T* AddAt(UIControl* parent, T* child, int x, int y, int w, int h) {
  parent->AddChild(child);
  child->SetPos(x, y, w, h);
  return child;
}

}  // namespace

UIMessageBox::UIMessageBox(WindowSystem& system, std::string title, std::string text, std::string iconPath,
                           std::vector<std::string> captions)
    : UIHostWnd(system, ""),
      title_(std::move(title)),
      text_(std::move(text)),
      iconPath_(std::move(iconPath)),
      captions_(std::move(captions)) {}

UISize UIMessageBox::ComputeSize() const {
  const UISize text = MeasureMessage(text_);
  int w = text.cx + 1 + 40;
  int h = text.cy + (text.cy <= 100 ? 100 : 130);
  const UISize icon = IconSize(iconPath_);
  if (icon.cx > 0) w += icon.cx + 10;
  const int n = static_cast<int>(captions_.size());
  w = std::max(w, 160 * n + 50);
  w = std::max(std::min(w, 600), 300);
  h = std::max(std::min(h, 400), 220);
  return UISize{w, h};
}

void UIMessageBox::OnCreated() {
  const int w = Width(), h = Height();
  auto* root = AddAt(this, new UIControl(), 0, 0, w, h);
  root->SetAttribute("back", "img:file=img\\msgbox\\bg.png|type=3");
  auto* appIcon = AddAt(root, new UIControl(), 10, 8, 20, 20);
  appIcon->SetAttribute("back", "img:file=img\\ico24.png");
  appIcon->SetAttribute("hit", "false");
  auto* title = AddAt(root, new UILabel(), 35, 5, w - 80, 30);
  title->SetAttribute("clr", kTextColour);
  title->SetAttribute("font", "16");
  title->SetAttribute("hit", "false");
  title->SetText(title_);
  auto* close = AddAt(root, new UIButton(), w - 30, 10, 20, 20);
  close->SetAttribute("btn", "img\\btn\\btn_close.png");
  close->SetAttribute("id", "msgbox_close");
  close_ = close;
  auto* message = AddAt(root, new UILabel(), 20, 40, w - 40, h - 100);
  message->SetAttribute("clr", kTextColour);
  message->SetAttribute("font", "16");
  message->SetAttribute("multi", "1");
  message->SetAttribute("vert", "1");
  message->SetAttribute("hit", "false");
  message->SetAttribute("id", "msgbox_text");
  message->SetText(text_);
  const UISize icon = IconSize(iconPath_);
  if (icon.cx > 0) {
    auto* iconCtrl = AddAt(root, new UIControl(), 20, h / 2 - icon.cy / 2 - 10, icon.cx, icon.cy);
    iconCtrl->SetAttribute("back", "img:file=" + iconPath_);
    iconCtrl->SetAttribute("hit", "false");
    iconCtrl->SetAttribute("id", "msgbox_icon");
    message->SetPos(icon.cx + 30, 40, w - icon.cx - 50, h - 100);
  } else {
    message->SetAttribute("horz", "1");
  }
  const int n = static_cast<int>(captions_.size());
  const int x0 = (w - kButtonPitch * n - 20) / 2 + 20;
  for (int i = 0; i < n; ++i) {
    auto* button = AddAt(root, new UIButton(), x0 + kButtonPitch * i, h - 60, kButtonWidth, kButtonHeight);
    const bool last = i == n - 1;
    button->SetAttribute("btn", last ? "img\\msgbox\\btnb.png" : "img\\msgbox\\btnw.png");
    button->SetAttribute("clr", last ? "#ffffffff" : kTextColour);
    button->SetAttribute("font", "16");
    button->SetAttribute("horz", "1");
    button->SetText(captions_[i]);
    buttons_.push_back(button);
  }
}

int UIMessageBox::OnNotify(const UIEvent& event) {
  if (event.name == "click") {
    if (event.sender && event.sender == close_) {
      EndModal(-1);
      return 1;
    }
    const auto it = std::find(buttons_.begin(), buttons_.end(), event.sender);
    if (it != buttons_.end()) {
      EndModal(static_cast<int>(it - buttons_.begin()) + 1);
      return 1;
    }
  }
  return UIHostWnd::OnNotify(event);
}

int ShowMessageBox(UIWindowImp* parent, const std::string& title, const std::string& text,
                   const std::string& iconPath, const std::vector<std::string>& captions) {
  WindowSystem* system = parent ? &parent->System() : nullptr;
  if (!system) return -1;
  UIRefPtr<UIMessageBox> box(new UIMessageBox(*system, title, text, iconPath, captions));
  const UISize size = box->ComputeSize();
  WindowParams params;
  params.bounds = WinRect::FromXYWH(0, 0, size.cx, size.cy);
  params.kind = WindowKind::kDialog;
  params.owner = parent->Native() ? parent->Native()->Id() : 0;
  params.title = title.c_str();
  if (!box->CreateNative(params)) return -1;
  box->SetOwner(parent);
  box->CenterWindow(parent);
  box->ShowHost(true);
  // A box closed by the window manager ends its loop with the initial result.
  const int result = box->DoModal(parent);
  return result == 0 ? -1 : result;
}

std::vector<std::string> SplitCaptions(const std::string& captions) {
  std::vector<std::string> out;
  if (captions.empty()) return out;
  size_t start = 0;
  while (true) {
    const size_t bar = captions.find('|', start);
    out.push_back(captions.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out;
}

int MsgBox(UIWindowImp* parent, const std::string& text, const std::string& captions) {
  return ShowMessageBox(parent, kTitle, text, "", SplitCaptions(captions));
}

int MsgBoxWarn(UIWindowImp* parent, const std::string& text, const std::string& captions) {
  return ShowMessageBox(parent, kTitle, text, kWarnIcon, SplitCaptions(captions));
}

int MsgBoxQuest(UIWindowImp* parent, const std::string& text, const std::string& captions) {
  return ShowMessageBox(parent, kTitle, text, kQuestIcon, SplitCaptions(captions));
}

}  // namespace vr
