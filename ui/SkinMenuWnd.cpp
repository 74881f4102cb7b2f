#include "ui/SkinMenuWnd.h"

#include <algorithm>

#include "ui/FontCache.h"
#include "ui/MenuTracker.h"
#include "ui/SkinBitmap.h"
#include "ui/StyleParser.h"
#include "ui/TextDraw.h"
#include "ui/UIControl.h"
#include "ui/UIGraphics.h"
#include "ui/UIRender.h"
#include "ui/UIRenderImg.h"
#include "ui/UIResLoader.h"
#include "ui/Utf8Text.h"

namespace vr {
namespace {

constexpr uint32_t kHighlightFill = 0xFFF0F5F9;
constexpr uint32_t kSeparatorColour = 0xFFB1CBB6;
constexpr uint32_t kTextColour = 0xFE66666D;
constexpr uint32_t kDisabledTextColour = 0xFEACA899;
constexpr const char* kFontSpec = "13";
constexpr const char* kBackground = "img:file=img\\menu\\bg.png|type=3";
constexpr const char* kCheckImage = "img\\menu\\check.png";

void SetSource(cairo_t* cr, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                        ((argb >> 24) & 0xFF) / 255.0);
}

// A detached control of the menu's size, so style renderers can draw over it.
class Canvas final : public UIControl {
 public:
  Canvas(int w, int h) { SetPosDirect(0, 0, w, h); }

 private:
  ~Canvas() override = default;
};

}  // namespace

SkinMenuWnd::SkinMenuWnd(MenuTracker& tracker, SkinMenu& menu, FontCache& fonts)
    : tracker_(tracker), menu_(&menu), fonts_(fonts) {}

SkinMenuWnd::~SkinMenuWnd() = default;

std::string SkinMenuWnd::DisplayText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&x" -> "x", "&&" -> "&"
    out += text[i];
  }
  return out;
}

char32_t SkinMenuWnd::Mnemonic(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    const unsigned char c = static_cast<unsigned char>(text[i + 1]);
    if (c == '&') {
      ++i;
      continue;
    }
    return c < 0x80 ? static_cast<char32_t>(std::tolower(c)) : 0;
  }
  return 0;
}

void SkinMenuWnd::Layout() {
  UIFont* font = fonts_.Get(kFontSpec);
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  int itemWidth = kMinItemWidth;
  int y = kTop;
  items_.clear();
  for (const SkinMenuItem& item : Menu().Items()) {
    if (item.type == SkinMenuItem::Type::kSeparator) {
      items_.push_back(WinRect{kInset, y, 0, y + kSeparatorHeight});
      y += kSeparatorHeight;
      continue;
    }
    int w = (font ? MeasureTextWidth(cr, *font, DisplayText(item.text)) : 0) + kTextExtra;
    if (item.type == SkinMenuItem::Type::kSubMenu) w += kSubExtra;
    itemWidth = std::max(itemWidth, w);
    items_.push_back(WinRect{kInset, y, 0, y + kItemHeight});
    y += kItemHeight;
  }
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  for (WinRect& r : items_) r.right = kInset + itemWidth;
  width_ = itemWidth + 2 * kInset;
  height_ = y + kTop;
}

bool SkinMenuWnd::Create(WindowSystem& system, uint64_t owner, WinPoint origin) {
  Layout();
  WindowParams params;
  params.bounds = WinRect::FromXYWH(origin.x, origin.y, width_, height_);
  params.kind = WindowKind::kPopupMenu;
  params.layer = WindowLayer::kAbove;
  params.owner = owner;
  params.skipTaskbar = true;
  params.skipPager = true;
  params.title = "VeskoSkinMenuWnd";
  native_ = system.CreateWindow(params, *this);
  return native_ != nullptr;
}

int SkinMenuWnd::ItemAt(WinPoint screen) const {
  if (!native_) return -1;
  const WinRect b = native_->Bounds();
  const WinPoint p{screen.x - b.left, screen.y - b.top};
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Contains(p)) return static_cast<int>(i);
  }
  return -1;
}

WinRect SkinMenuWnd::ItemScreenRect(int index) const {
  if (!native_ || index < 0 || index >= static_cast<int>(items_.size())) return {};
  const WinRect b = native_->Bounds();
  return items_[index].Offset(b.left, b.top);
}

void SkinMenuWnd::SetHighlight(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == highlight_) return;
  highlight_ = index;
  Paint();
}

void SkinMenuWnd::Paint() {
  if (!native_) return;
  cairo_surface_t* back = native_->BackBuffer();
  if (!back) return;
  {
    UIGraphics g(back);
    cairo_t* cr = g.Cairo();
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    UIRefPtr<Canvas> canvas(new Canvas(width_, height_));
    if (UIRender* bg = ParseStyleDescriptor(kBackground)) {
      bg->Draw(canvas.get(), g);
      bg->Release();
    } else {
      SetSource(cr, 0xFFFFFFFF);
      cairo_paint(cr);
    }
    for (size_t i = 0; i < items_.size(); ++i) PaintItem(cr, static_cast<int>(i));
  }
  cairo_surface_flush(back);
  native_->Present(WinRect{0, 0, width_, height_});
}

void SkinMenuWnd::PaintItem(cairo_t* cr, int index) {
  const SkinMenuItem& item = Menu().Items()[index];
  const WinRect& r = items_[index];
  if (item.type == SkinMenuItem::Type::kSeparator) {
    SetSource(cr, kSeparatorColour);
    cairo_rectangle(cr, r.left + 5, r.top + r.Height() / 2, r.Width() - 10, 1);
    cairo_fill(cr);
    return;
  }
  if (index == highlight_) {
    SetSource(cr, kHighlightFill);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr);
  }
  std::string imagePath = item.image;
  if (imagePath.empty() && (item.state & SkinMenuItem::kChecked)) imagePath = kCheckImage;
  UIResLoader* loader = GetResLoader();
  if (SkinBitmap* image = (!imagePath.empty() && loader) ? loader->GetImage(imagePath) : nullptr; image && image->Ok()) {
    const int w = image->Width(), h = image->Height();
    const UIRect dst = UIRect::FromXYWH(r.left + (kImageColumn - w) / 2, r.top + (r.Height() - h) / 2, w, h);
    DrawImagePart(cr, image->Surface(), UIRect::FromXYWH(0, 0, w, h), dst);
  }
  const bool disabled = (item.state & SkinMenuItem::kDisabled) != 0;
  const uint32_t colour = disabled ? kDisabledTextColour : kTextColour;
  const bool sub = item.type == SkinMenuItem::Type::kSubMenu;
  if (UIFont* font = fonts_.Get(kFontSpec)) {
    TextFormat format;
    format.vert = 1;
    const UIRect text{r.left + kImageColumn + 4, r.top, r.right - (sub ? kSubExtra : 4), r.bottom};
    DrawTextInRect(cr, *font, DisplayText(item.text), colour, text, format);
  }
  if (sub) {  // a small chevron pointing right
    const double cx = r.right - 12, cy = r.top + r.Height() / 2.0;
    SetSource(cr, colour);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, cx - 2, cy - 4);
    cairo_line_to(cr, cx + 2, cy);
    cairo_line_to(cr, cx - 2, cy + 4);
    cairo_stroke(cr);
  }
}

void SkinMenuWnd::OnWindowEvent(const WindowEvent& event) {
  if (event.type == WindowEventType::kExpose || event.type == WindowEventType::kShown) {
    Paint();
    return;
  }
  tracker_.OnEvent(*this, event);
}

}  // namespace vr
