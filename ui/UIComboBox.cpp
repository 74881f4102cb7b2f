#include "ui/UIComboBox.h"

#include <algorithm>

#include "ui/IUIContainer.h"
#include "ui/UIComboBoxItem.h"
#include "ui/UIComboListWidget.h"
#include "ui/UIGraphics.h"
#include "ui/UIHostWnd.h"
#include "ui/UIMessages.h"
#include "ui/UIRender.h"
#include "ui/UIRenderImg.h"

namespace vr {

UIComboBox::UIComboBox() = default;

UIComboBox::~UIComboBox() {
  if (popup_) {
    popup_->DetachOwner();
    popup_->CloseHost();
    popup_->Release();
  }
}

void UIComboBox::ClearItems() {
  items_.clear();
  SetCurSel(-1);
}

void UIComboBox::SetCurSel(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  selected_ = index;
  SetText(index >= 0 ? items_[index] : std::string());
  Invalidate(nullptr);
}

void UIComboBox::OnItemClicked(int index) {
  if (index == selected_ || index < 0 || index >= static_cast<int>(items_.size())) return;
  SetCurSel(index);
  FireEvent("comboselectchanged", 0, 0);
}

bool UIComboBox::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "data") {
    size_t start = 0;
    const size_t before = items_.size();
    while (start <= value.size()) {
      const size_t bar = value.find('|', start);
      items_.push_back(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
      if (bar == std::string::npos) break;
      start = bar + 1;
    }
    if (items_.size() > before && selected_ != 0) SetCurSel(0);
    return true;
  }
  if (name == "clickdrop") {
    clickDrop_ = value == "true" || value == "1";
    return true;
  }
  if (name == "back") {
    body_.LoadStrip(value, false);
    Invalidate(nullptr);
    return true;
  }
  if (name == "thumb") {
    arrow_.LoadStrip(value, false);
    Invalidate(nullptr);
    return true;
  }
  return UILabel::SetAttribute(name, value);
}

void UIComboBox::TextRect(UIRect* rect) { *rect = UIRect{marginLeft_, 0, std::max(marginLeft_, Width() - kArrowZone), Height()}; }

int UIComboBox::ArrowStateIndex() const {
  if (!IsEnabledSelf()) return 3;
  if (arrowPressed_) return 2;
  return arrowHover_ ? 1 : 0;
}

void UIComboBox::PaintBody(UIGraphics& g) {
  const int bodyIndex = !IsEnabledSelf() ? 3 : (State() & kStatePressed) ? 2 : (State() & kStateHover) ? 1 : 0;
  if (UIRender* body = body_.Get(bodyIndex)) {
    body->SetDstRect(UIRect{0, 0, Width(), Height()});
    body->Draw(this, g);
  }
  if (UIRender* arrow = arrow_.Get(ArrowStateIndex())) {
    // Frames are cut from the strip; its source rectangle gives the frame size.
    UIRect frame{0, 0, 12, 12};
    if (auto* img = dynamic_cast<UIRenderImg*>(arrow); img && !img->Src().IsEmpty()) frame = img->Src();
    const int fw = frame.Width(), fh = frame.Height();
    const int x = Width() - (kArrowZone + fw) / 2 - 2, y = (Height() - fh) / 2;
    arrow->SetDstRect(UIRect::FromXYWH(x, y, fw, fh));
    arrow->Draw(this, g);
  }
}

void UIComboBox::PaintText(UIGraphics& g) { PaintLabelText(g); }

void UIComboBox::Paint(UIGraphics& g) {
  if (UIRender* back = Back()) back->Draw(this, g);
  PaintBody(g);
  PaintText(g);
}

int UIComboBox::GetDropHeight() {
  int h = std::min(kMaxRows, static_cast<int>(items_.size())) * kItemHeight;
  if (h + 4 < kItemHeight) h = kItemHeight;
  return h + 4;
}

int UIComboBox::GetDropWidth() { return std::max(Width(), minDropWidth_); }

UIControl* UIComboBox::CreateItem(int index) {
  auto* item = new UIComboBoxItem(this, index);
  item->SetPos(0, 0, 20, kItemHeight);
  item->SetText(items_[index]);
  return item;
}

void UIComboBox::CreateItems(std::vector<UIControl*>* items) {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) items->push_back(CreateItem(i));
}

UIComboListWidget* UIComboBox::CreatePopup() {
  auto* host = dynamic_cast<UIHostWnd*>(Host());
  return host ? new UIComboListWidget(host->System(), this) : nullptr;
}

void UIComboBox::DropDown() {
  if (!popup_) popup_ = CreatePopup();
  if (popup_) popup_->Open();
}

void UIComboBox::CloseUp() {
  if (popup_) popup_->HidePopup();
}

bool UIComboBox::OnArrow(intptr_t lparam) const { return LParamLow(lparam) >= Width() - kArrowZone; }

bool UIComboBox::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kMouseMove:
      if (const bool over = OnArrow(lparam); over != arrowHover_) {
        arrowHover_ = over;
        Invalidate(nullptr);
      }
      break;
    case uimsg::kMouseLeave:
      if (arrowHover_) {
        arrowHover_ = false;
        Invalidate(nullptr);
      }
      break;
    case uimsg::kLButtonDown:
      pressOnArrow_ = OnArrow(lparam);
      arrowPressed_ = pressOnArrow_;
      if (Host()) Host()->SetCaptureId(Serial());
      Invalidate(nullptr);
      break;
    case uimsg::kLButtonUp: {
      const bool wasArrow = pressOnArrow_;
      pressOnArrow_ = arrowPressed_ = false;
      if (Host() && Host()->GetCaptureId() == Serial()) Host()->ReleaseCaptureId();
      Invalidate(nullptr);
      if (IsEnabledSelf() && (wasArrow || clickDrop_)) DropDown();
      break;
    }
    default:
      break;
  }
  return UILabel::HandleMessage(msg, wparam, lparam, result);
}

}  // namespace vr
