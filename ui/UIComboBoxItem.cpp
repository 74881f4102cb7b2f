#include "ui/UIComboBoxItem.h"

#include "ui/UIComboBox.h"
#include "ui/UIGraphics.h"

namespace vr {

UIComboBoxItem::UIComboBoxItem(UIComboBox* owner, int index) : owner_(owner), index_(index) {
  SetAttribute("clr", "#ff60656f");
  SetAttribute("font", "14");
  SetAttribute("xstart", "3");
  SetAttribute("xend", "12");
  SetAttribute("cursor", "arrow");
}

uint32_t UIComboBoxItem::BackgroundColour() const {
  uint32_t colour = 0;
  if (index_ % 2 == 1) colour = kOddColour;
  if (State() & kStateHover) colour = kHoverColour;
  if (owner_ && owner_->GetCurSel() == index_) colour = kSelectedColour;
  return colour;
}

void UIComboBoxItem::Paint(UIGraphics& g) {
  if (const uint32_t c = BackgroundColour()) {
    cairo_t* cr = g.Cairo();
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                          ((c >> 24) & 0xFF) / 255.0);
    cairo_rectangle(cr, 0, 0, Width(), Height());
    cairo_fill(cr);
  }
  UIButton::Paint(g);
}

}  // namespace vr
