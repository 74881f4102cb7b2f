#include "ui/UIScrollVertView.h"

#include <algorithm>

#include "ui/UIAttr.h"
#include "ui/UIScrollBar.h"

namespace vr {

UIScrollVertView::UIScrollVertView()
    : viewport_(new UIControl()), content_(new UIControl()), bar_(new UIScrollBar()) {
  content_->SetAttribute("layout", "vert");
  viewport_->AddChild(content_);
  AddChild(viewport_);
  AddChild(bar_);
  bar_->AddListener(this, &UIScrollVertView::OnBarEvent);
}

void UIScrollVertView::AddItem(UIControl* item) { content_->AddChild(item); }

bool UIScrollVertView::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "hscrollwidth") {
    barWidth_ = std::clamp(ParseAttrInt(value), 0, kCoordLimit);
    return true;
  }
  return UIControl::SetAttribute(name, value);
}

int UIScrollVertView::ContentHeight() {
  long long sum = 0;
  for (UIControl* item : content_->Children()) {
    if (!item->IsVisibleSelf()) continue;
    UISize size;
    item->GetDesiredSize(&size);
    sum += size.cy;
  }
  return ClampCoord(sum);
}

UIControl* UIScrollVertView::Header() const {
  for (UIControl* child : Children()) {
    if (child->Id() == "header") return child;
  }
  return nullptr;
}

void UIScrollVertView::Relayout() {
  UIControl::Relayout();
  UpdateScroll();
}

void UIScrollVertView::UpdateScroll() {
  const int w = Width();
  const int h = Height();
  const int contentHeight = ContentHeight();
  int page;
  UIControl* header = Header();
  if (header) header->SendToBack();
  if (header && header->IsVisibleSelf()) {
    const int hh = header->Height();
    header->SetPos(1, 1, w - 2, hh);
    page = std::max(0, h - 3 - hh);
    viewport_->SetPos(1, hh + 1, w - 2, page);
  } else {
    page = std::max(0, h - 2);
    viewport_->SetPos(1, 1, w - 2, page);
  }
  bar_->SetRange(contentHeight, page);
  bar_->SetPosQuiet(bar_->Position());
  if (page >= contentHeight) {
    content_->SetPos(1, 1, w - 4, contentHeight);
    bar_->SetVisible(false, true);
  } else {
    content_->SetPos(1, -bar_->Position(), w - 3, contentHeight);
    bar_->SetPos(w - barWidth_ - 3, 0, barWidth_, h);
    bar_->SetVisible(true, true);
  }
  Invalidate(nullptr);
}

void UIScrollVertView::OnBarEvent(void* self, const UIEvent& event) {
  auto* view = static_cast<UIScrollVertView*>(self);
  if (event.name != "scollposchanged") return;
  UIControl* content = view->content_;
  const UIRect& r = content->Rect();
  content->SetPos(r.left, -event.value2, r.Width(), r.Height());
  content->Invalidate(nullptr);
}

bool UIScrollVertView::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  if (msg == uimsg::kMouseWheel) {
    // The wheel delta is the signed high word of wparam; below zero is a
    // turn towards the user, which scrolls the content up.
    const int delta = static_cast<int16_t>((wparam >> 16) & 0xFFFF);
    const int pos = bar_->Position();
    const int max = bar_->Range() - bar_->PageSize();
    if (delta < 0 && pos < max) {
      bar_->SetScrollPos(pos + kWheelStep);
      SetHandled(true);
      return true;
    }
    if (delta > 0 && pos > 0) {
      bar_->SetScrollPos(pos - kWheelStep);
      SetHandled(true);
      return true;
    }
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

void UIScrollVertView::ScrollToIndex(int index) {
  const auto& items = content_->Children();
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  long long top = 0;
  for (int i = 0; i < index; ++i) {
    if (!items[i]->IsVisibleSelf()) continue;
    UISize size;
    items[i]->GetDesiredSize(&size);
    top += size.cy;
  }
  const long long inView = top - bar_->Position();
  if (inView > 0 && inView < Height()) return;
  bar_->SetScrollPos(ClampCoord(top - Height() / 2));
}

}  // namespace vr
