#include "platform/headless/HeadlessWindow.h"

#include <algorithm>
#include <cstring>

#include "platform/headless/HeadlessWindowSystem.h"

namespace vr {

HeadlessWindow::HeadlessWindow(HeadlessWindowSystem& system, uint64_t id, const WindowParams& params,
                               WindowHandler& handler)
    : system_(system),
      handler_(handler),
      id_(id),
      bounds_(params.bounds),
      perPixelAlpha_(params.perPixelAlpha),
      kind_(params.kind),
      layer_(params.layer),
      owner_(params.owner),
      acceptsFocus_(params.acceptsFocus),
      title_(params.title ? params.title : "") {}

HeadlessWindow::~HeadlessWindow() {
  system_.Forget(id_);
  if (back_) cairo_surface_destroy(back_);
  if (screen_) cairo_surface_destroy(screen_);
}

void HeadlessWindow::SetBounds(const WinRect& bounds) {
  WinRect old = bounds_;
  if (bounds == old) return;
  bounds_ = bounds;
  WindowEvent e;
  e.bounds = bounds;
  if (bounds.left != old.left || bounds.top != old.top) {
    e.type = WindowEventType::kMoved;
    system_.Queue(id_, e);
  }
  if (bounds.Width() != old.Width() || bounds.Height() != old.Height()) {
    e.type = WindowEventType::kResized;
    system_.Queue(id_, e);
    if (visible_) {
      WindowEvent expose;
      expose.type = WindowEventType::kExpose;
      expose.rect = WinRect{0, 0, bounds.Width(), bounds.Height()};
      system_.Queue(id_, expose);
    }
  }
  system_.QueueHover();
}

void HeadlessWindow::Show(bool activate) {
  if (!visible_) {
    visible_ = true;
    system_.Raise(id_);
    WindowEvent e;
    e.type = WindowEventType::kShown;
    system_.Queue(id_, e);
    e.type = WindowEventType::kExpose;
    e.rect = WinRect{0, 0, bounds_.Width(), bounds_.Height()};
    system_.Queue(id_, e);
    system_.QueueHover();
  }
  if (activate && acceptsFocus_) system_.Activate(id_, /*deliverNow=*/false);
}

void HeadlessWindow::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (system_.capture_ == id_) system_.DropCapture(id_);
  if (system_.active_ == id_) system_.Activate(0, /*deliverNow=*/false);
  WindowEvent e;
  e.type = WindowEventType::kHidden;
  system_.Queue(id_, e);
  system_.QueueHover();
}

void HeadlessWindow::BringToFront() {
  system_.Raise(id_);
  if (visible_ && acceptsFocus_) system_.Activate(id_, /*deliverNow=*/false);
  system_.QueueHover();
}

void HeadlessWindow::TakeKeyboardFocus() {
  if (visible_) system_.Activate(id_, /*deliverNow=*/false);
}

bool HeadlessWindow::HasKeyboardFocus() const { return system_.active_ == id_; }

void HeadlessWindow::SetCapture() { system_.TakeCapture(id_); }

void HeadlessWindow::ReleaseCapture() {
  if (system_.capture_ == id_) {
    system_.capture_ = 0;
    system_.QueueHover();
  }
}

bool HeadlessWindow::HasCapture() const { return system_.capture_ == id_; }

cairo_surface_t* HeadlessWindow::BackBuffer() {
  int w = std::max(0, bounds_.Width()), h = std::max(0, bounds_.Height());
  if (back_ && cairo_image_surface_get_width(back_) == w && cairo_image_surface_get_height(back_) == h)
    return back_;
  if (back_) cairo_surface_destroy(back_);
  back_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(back_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(back_);
    back_ = nullptr;
  }
  return back_;
}

void HeadlessWindow::Present(const WinRect& rect) {
  if (!back_) return;
  int w = cairo_image_surface_get_width(back_), h = cairo_image_surface_get_height(back_);
  WinRect r = WinRect::Intersect(rect, WinRect{0, 0, w, h});
  if (r.IsEmpty()) return;
  if (!screen_ || cairo_image_surface_get_width(screen_) != w || cairo_image_surface_get_height(screen_) != h) {
    if (screen_) cairo_surface_destroy(screen_);
    screen_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);  // starts transparent
  }
  cairo_surface_flush(back_);
  cairo_surface_flush(screen_);
  const unsigned char* src = cairo_image_surface_get_data(back_);
  unsigned char* dst = cairo_image_surface_get_data(screen_);
  if (!src || !dst) return;
  int srcStride = cairo_image_surface_get_stride(back_), dstStride = cairo_image_surface_get_stride(screen_);
  for (int y = r.top; y < r.bottom; ++y)
    std::memcpy(dst + static_cast<size_t>(y) * dstStride + r.left * 4,
                src + static_cast<size_t>(y) * srcStride + r.left * 4, static_cast<size_t>(r.Width()) * 4);
  cairo_surface_mark_dirty(screen_);
  ++presentCount_;
  lastPresented_ = r;
}

}  // namespace vr
