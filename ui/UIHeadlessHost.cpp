#include "ui/UIHeadlessHost.h"

#include <algorithm>

#include "ui/ControlRegistry.h"
#include "ui/ControlTimerRoute.h"
#include "ui/HostPaint.h"
#include "ui/LayoutBuilder.h"
#include "ui/UIGraphics.h"

namespace vr {

namespace {
// A document asking for a larger window gets this much: the back buffer of
// 8192 x 8192 pixels is already 256 MB.
constexpr int kMaxSide = 8192;
}  // namespace

UIRefPtr<UIHeadlessHost> UIHeadlessHost::Create(int width, int height) {
  return UIRefPtr<UIHeadlessHost>(new UIHeadlessHost(width, height));
}

UIHeadlessHost::UIHeadlessHost(int width, int height) {
  UIControl::SetHost(this);
  Resize(width, height);
}

UIHeadlessHost::~UIHeadlessHost() {
  // The tree goes while this object is still whole: children's destroy
  // handlers may still ask the host for focus or capture.
  RemoveAllChildren();
  if (back_) cairo_surface_destroy(back_);
}

void UIHeadlessHost::MakeBackBuffer(int width, int height) {
  if (back_) cairo_surface_destroy(back_);
  back_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void UIHeadlessHost::Resize(int width, int height) {
  width = std::clamp(width, 1, kMaxSide);
  height = std::clamp(height, 1, kMaxSide);
  MakeBackBuffer(width, height);
  SetPos(0, 0, width, height);
  invalid_ = UIRect{0, 0, width, height};
}

void UIHeadlessHost::SetFocusId(int serial) {
  if (serial == focus_) return;
  const int old = focus_;
  focus_ = 0;
  if (UIControl* previous = ControlRegistry::Instance().Find(old)) {
    previous->SendMsg(uimsg::kKillFocus, static_cast<uintptr_t>(serial), 0);
  }
  UIControl* next = ControlRegistry::Instance().Find(serial);
  if (next && !next->IsDisabled() && next->IsFocusable()) {
    focus_ = serial;
    next->SendMsg(uimsg::kSetFocus, 0, 0);
  }
}

int UIHeadlessHost::SetCaptureId(int serial) {
  if (serial == capture_) return 0;
  UIControl* c = ControlRegistry::Instance().Find(serial);
  if (!c || c->IsDisabled()) return 0;
  const int previous = capture_;
  capture_ = serial;
  return previous;
}

int UIHeadlessHost::RaiseEvent(UIControl* sender, const std::string& name, int value1, int value2) {
  UIEvent event{sender, name, sender ? sender->Id() : std::string(), value1, value2};
  events_.push_back(event);
  return notify_ ? notify_(event) : 1;
}

void UIHeadlessHost::Invalidate(const UIRect* rect) {
  if (!hwnd_) return;
  const UIRect whole{0, 0, Width(), Height()};
  invalid_ = UIRect::Union(invalid_, UIRect::Intersect(rect ? *rect : whole, whole));
}

UIRect UIHeadlessHost::Render() {
  const UIRect area = invalid_;
  invalid_ = UIRect{};
  if (area.IsEmpty() || !back_) return area;
  {
    UIGraphics g(back_);
    BeginHostPaint(g, area);
    PaintWholeTree(this, g);
  }
  cairo_surface_flush(back_);
  return area;
}

void UIHeadlessHost::RenderAll() {
  invalid_ = UIRect{0, 0, Width(), Height()};
  Render();
}

uint32_t UIHeadlessHost::PixelAt(int x, int y) const {
  if (!back_ || x < 0 || y < 0 || x >= cairo_image_surface_get_width(back_) ||
      y >= cairo_image_surface_get_height(back_)) {
    return 0;
  }
  const unsigned char* data = cairo_image_surface_get_data(back_);
  const int stride = cairo_image_surface_get_stride(back_);
  return reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
}

bool UIHeadlessHost::SavePng(const std::string& path) const {
  return back_ && cairo_surface_write_to_png(back_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void UIHeadlessHost::FireTimer(uint32_t id) {
  DeliverControlTimer(id, this, *this, [this](int index) { OnTimer(index); });
}

void UIHeadlessHost::OnTimer(int) {}

UIControl* UIHeadlessHost::LoadDocument(const std::string& path) {
  UIControl* root = BuildFromDocument(UIBuilder{this}, this, path);
  if (!root) return nullptr;
  Resize(root->Width(), root->Height());
  if (UIControl* first = GetRelative(kFirstChild)) first->SetPos(0, 0, Width(), Height());
  return root;
}

}  // namespace vr
