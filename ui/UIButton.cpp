#include "ui/UIButton.h"

#include "ui/IUIContainer.h"
#include "ui/StyleParser.h"
#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UIRender.h"

namespace vr {

namespace {

// The attribute that replaces one state look with a style descriptor.
int StateKeyIndex(const std::string& name) {
  if (name == "bkn") return 0;
  if (name == "bkh") return 1;
  if (name == "bkp") return 2;
  if (name == "bkd") return 3;
  return -1;
}

UIControl* RootOf(UIControl* c) {
  while (c->Parent()) c = c->Parent();
  return c;
}

}  // namespace

UIButton::UIButton() {
  SetFlagB(kFlagFocusable, true);
  SetAttribute("cursor", "hand");
}

int UIButton::StateIndex() const { return static_cast<int>(UIRender::VariantOf(*this)); }

bool UIButton::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "btn" || name == "vbtn") {
    images_.LoadStrip(value, name == "vbtn");
    Invalidate(nullptr);
  } else if (const int index = StateKeyIndex(name); index >= 0) {
    images_.Replace(index, ParseStyleDescriptor(value));
    Invalidate(nullptr);
  } else if (name == "backrect") {
    ParseXYWH(value, &backRect_);
    Invalidate(nullptr);
  } else if (name == "group") {
    group_ = value;
  } else if (name == "page") {
    page_ = value;
  }
  return UILabel::SetAttribute(name, value);
}

// --- Painting ------------------------------------------------------------------

UIRender* UIButton::GetStateImage(int index) { return images_.Get(index); }

void UIButton::DrawStateRender(UIRender* render, UIGraphics& g) {
  if (!render) return;
  if (!backRect_.IsEmpty()) render->SetDstRect(backRect_);
  render->Draw(this, g);
}

void UIButton::PaintStateImage(UIGraphics& g) {
  // The back is drawn a second time here, so a translucent back is blended twice.
  UIControl::Paint(g);
  DrawStateRender(GetStateImage(StateIndex()), g);
}

void UIButton::PaintText(UIGraphics& g) { PaintLabelText(g); }

void UIButton::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  PaintStateImage(g);
  PaintText(g);
}

// --- Mouse ---------------------------------------------------------------------

void UIButton::SetPressed(bool pressed) {
  const uint32_t next = pressed ? (State() | kStatePressed) : (State() & ~kStatePressed);
  if (next == State()) return;
  SetStateBits(next);
  Invalidate(nullptr);
}

void UIButton::SetHovered(bool hovered) {
  const uint32_t next = hovered ? (State() | kStateHover) : (State() & ~kStateHover);
  if (next == State()) return;
  SetStateBits(next);
  Invalidate(nullptr);
}

void UIButton::OnLeftDown() {
  if (IsFocusable()) RequestFocus();
  if (Host()) Host()->SetCaptureId(Serial());
  SetPressed(true);
}

void UIButton::OnLeftUp(intptr_t lparam) {
  bool inside = false;
  if (Host() && Host()->GetCaptureId() == Serial()) {
    inside = PtInControl(UIPoint{LParamLow(lparam), LParamHigh(lparam)});
    Host()->ReleaseCaptureId();
  }
  SetPressed(false);
  if (inside) OnClick();
}

bool UIButton::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    // A second press within the double-click time arrives as a double click;
    // it presses the button like any other press.
    case uimsg::kLButtonDown:
    case uimsg::kLButtonDblClk:
      SetHandled(true);
      OnLeftDown();
      return true;
    case uimsg::kLButtonUp:
      SetHandled(true);
      OnLeftUp(lparam);
      return true;
    case uimsg::kCaptureChanged:
      SetHandled(true);
      SetPressed(false);
      return true;
    case uimsg::kMouseHover:
    case uimsg::kMouseLeave:
      SetHandled(true);
      SetHovered(msg == uimsg::kMouseHover);
      return true;
    default:
      return UILabel::HandleMessage(msg, wparam, lparam, result);
  }
}

// --- Click and groups ------------------------------------------------------------

void UIButton::SelectInGroup() {
  UIControl* parent = Parent();
  if (!parent) return;
  UIControl* root = RootOf(this);
  std::vector<UIControl*> siblings(parent->Children());
  for (UIControl* s : siblings) s->AddRef();
  for (UIControl* s : siblings) {
    auto* sibling = dynamic_cast<UIButton*>(s);
    if (!sibling || std::string(sibling->ClassName()) != "UIButton" || sibling->group_ != group_) {
      continue;
    }
    const bool chosen = sibling == this;
    if (sibling->IsSelected() != chosen) {
      sibling->SetFlagA(kFlagSelect, chosen);
      sibling->Invalidate(nullptr);
    }
    // An empty page names no page: looking it up would find the first
    // control without an id and hide it.
    if (sibling->page_.empty()) continue;
    if (UIControl* page = root->FindById(sibling->page_)) page->SetVisible(chosen, true);
  }
  for (UIControl* s : siblings) s->Release();
}

void UIButton::OnClick() {
  if (!group_.empty()) SelectInGroup();
  FireEvent("click", 0, 0);
}

}  // namespace vr
