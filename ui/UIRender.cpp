#include "ui/UIRender.h"

#include "ui/UIControl.h"

namespace vr {

void UIRender::SetDstRect(const UIRect&) {}

UIRender::Variant UIRender::VariantOf(const UIControl& c) {
  if (!c.IsEnabledSelf()) return kDisabled;
  if ((c.State() & UIControl::kStatePressed) || c.IsSelected()) return kPressed;
  if (c.State() & UIControl::kStateHover) return kHover;
  return kNormal;
}

}  // namespace vr
