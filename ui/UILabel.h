#pragma once
#include "ui/UIControl.h"

namespace vr {

class UIRenderText;

// A control that shows its text through its own text renderer: single-line,
// vertically centred and left aligned until its attributes say otherwise.
class UILabel : public UIControl {
 public:
  UILabel();

  // --- Added operations ---
  // The rectangle the text is set into, in own coordinates: the control less
  // `xstart`/`xend` and the renderer's inset, never inverted.
  virtual void TextRect(UIRect* rect);

  // --- UIControl ---
  const char* ClassName() const override { return "UILabel"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

  UIRenderText* TextRender() const { return text_; }
  int XStart() const { return xstart_; }
  int XEnd() const { return xend_; }
  bool Alias() const { return alias_; }

 protected:
  ~UILabel() override;
  // Draws the text (when there is any) into TextRect.
  void PaintLabelText(UIGraphics& g);

 private:
  UIRenderText* text_;  // owned reference
  int xstart_ = 0;
  int xend_ = 0;
  bool alias_ = false;
};

}  // namespace vr
