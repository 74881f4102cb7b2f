#include "ui/UIScrollBar.h"

#include <algorithm>

#include "ui/IUIContainer.h"
#include "ui/UIColor.h"
#include "ui/UIGraphics.h"

namespace vr {

int UIScrollBar::MaxPosition() const { return std::max(0, range_ - page_); }

void UIScrollBar::SetPosQuiet(int position) { position_ = std::clamp(position, 0, MaxPosition()); }

void UIScrollBar::SetScrollPos(int position) {
  const int p = std::clamp(position, 0, MaxPosition());
  if (p == position_) return;
  position_ = p;
  Invalidate(nullptr);
  FireEvent("scollposchanged", 0, position_);
}

void UIScrollBar::SetRange(int range, int page) {
  range = std::max(0, range);
  page = std::max(0, page);
  if (range == range_ && page == page_) return;
  range_ = range;
  page_ = page;
  Invalidate(nullptr);
}

UIRect UIScrollBar::ThumbRect() const {
  if (!HasThumb()) return UIRect{};
  const long long h = Height();
  const long long thumb = std::max<long long>(kMinThumbHeight, page_ * h / range_);
  long long top = h * position_ / range_;
  if (top + thumb > h) top = h - thumb;  // ends at the bottom edge, never past it
  return UIRect::FromXYWH(0, ClampCoord(top), Width(), ClampCoord(thumb));
}

uint32_t UIScrollBar::ThumbColour() const {
  if (State() & kStatePressed) return kThumbPressed;
  return thumbHover_ ? kThumbHover : kThumbNormal;
}

void UIScrollBar::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  const UIRect t = ThumbRect();
  if (t.IsEmpty()) return;
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
  cairo_new_path(cr);
  const double radius = std::min(t.Width(), t.Height()) / 2.0;
  RoundRectPath(cr, t.left, t.top, t.Width(), t.Height(), radius);
  SetSourceArgb(cr, ThumbColour());
  cairo_fill(cr);
  cairo_restore(cr);
}

// --- Mouse ---------------------------------------------------------------------

UIPoint UIScrollBar::ToLocal(intptr_t lparam) const {
  UIRect r;
  WindowRect(&r);
  return UIPoint{LParamLow(lparam) - r.left, LParamHigh(lparam) - r.top};
}

void UIScrollBar::SetThumbHover(bool hover) {
  if (hover == thumbHover_) return;
  thumbHover_ = hover;
  Invalidate(nullptr);
}

void UIScrollBar::OnLeftDown(UIPoint p) {
  const UIRect t = ThumbRect();
  if (!t.Contains(p.x, p.y)) return;  // the track does nothing
  SetFlagA(kFlagDragging, true);
  dragStartPos_ = position_;
  dragStartPoint_ = p;
  thumbOffset_ = p.y - t.top;
  if (Host()) Host()->SetCaptureId(Serial());
  SetStateBits(State() | kStatePressed);
  Invalidate(nullptr);
}

void UIScrollBar::OnMove(UIPoint p) {
  SetThumbHover(ThumbRect().Contains(p.x, p.y));
  if (!Dragging()) return;
  const long long h = Height() > 0 ? Height() : 1;
  const long long pos = std::max<long long>(0, (static_cast<long long>(p.y) - thumbOffset_) * range_ / h);
  SetScrollPos(static_cast<int>(std::min<long long>(pos, MaxPosition())));
  if (Parent()) Parent()->Invalidate(nullptr);
}

void UIScrollBar::EndDrag() {
  SetFlagA(kFlagDragging, false);
  SetStateBits(State() & ~kStatePressed);
  Invalidate(nullptr);
}

void UIScrollBar::OnLeftUp() {
  if (!Dragging()) return;
  EndDrag();
  if (Host() && Host()->GetCaptureId() == Serial()) Host()->ReleaseCaptureId();
  FireEvent("scollposchanged", 0, position_);
  FireEvent("scollendtrack", 0, position_);
}

bool UIScrollBar::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kLButtonDown:
    case uimsg::kLButtonDblClk:
      SetHandled(true);
      OnLeftDown(ToLocal(lparam));
      return true;
    case uimsg::kMouseMove:
      OnMove(ToLocal(lparam));
      break;
    case uimsg::kLButtonUp:
      SetHandled(true);
      OnLeftUp();
      return true;
    case uimsg::kCaptureChanged:
      if (Dragging()) EndDrag();
      SetHandled(true);
      return true;
    case uimsg::kMouseLeave:
      SetThumbHover(false);
      break;
    default:
      break;
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

}  // namespace vr
