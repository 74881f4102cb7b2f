#pragma once
#include <string>

#include "ui/UILabel.h"
#include "ui/UIStateImages.h"

namespace vr {

class UIRender;

// A label that can be pressed: four state images (normal, hover, pressed,
// disabled), mouse capture while the left button is down, and "click" when
// the button is released over it. Buttons sharing a `group` under one parent
// act as tab headers: the clicked one is selected and shows its `page`.
class UIButton : public UILabel {
 public:
  UIButton();

  // --- Added operations ---
  virtual void PaintText(UIGraphics& g);
  virtual void PaintStateImage(UIGraphics& g);
  // The renderer for a state index (0..3), or the normal one when unset.
  virtual UIRender* GetStateImage(int index);
  virtual void OnClick();

  // --- UIControl ---
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UIButton"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

  // 3 disabled (own enable flag off), 2 pressed or selected, 1 hover, 0 normal.
  int StateIndex() const;
  const std::string& Group() const { return group_; }
  const std::string& Page() const { return page_; }
  const UIRect& BackRect() const { return backRect_; }
  const UIStateImages& StateImages() const { return images_; }

 protected:
  ~UIButton() override = default;
  // Draws `render` into backrect (or the whole control when that is empty).
  void DrawStateRender(UIRender* render, UIGraphics& g);
  // Selects this button among its group and shows its page.
  void SelectInGroup();

 private:
  void OnLeftDown();
  void OnLeftUp(intptr_t lparam);
  void SetPressed(bool pressed);
  void SetHovered(bool hovered);

  UIStateImages images_;
  UIRect backRect_;
  std::string group_;
  std::string page_;
};

}  // namespace vr
