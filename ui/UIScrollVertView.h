#pragma once
#include "ui/UIControl.h"

namespace vr {

class UIScrollBar;

// The scrolling list of the program: a viewport holding a column of items
// (the content), a scroll bar at the right edge shown only while the items
// are taller than the viewport, an optional "header" child above the
// viewport, and the mouse wheel.
class UIScrollVertView : public UIControl {
 public:
  static constexpr int kDefaultBarWidth = 8;
  static constexpr int kWheelStep = 30;  // pixels per wheel notch

  UIScrollVertView();

  // --- Added operations ---
  // Places the header, the viewport, the content and the bar for the
  // current size and content height.
  virtual void UpdateScroll();

  // --- Items ---
  // Appends an item to the content column (takes over the caller's reference).
  void AddItem(UIControl* item);
  // Scrolls so that item `index` is in view, centring it when it is not.
  void ScrollToIndex(int index);
  // Sum of the desired heights of the visible items.
  int ContentHeight();

  UIControl* Viewport() const { return viewport_; }
  UIControl* Content() const { return content_; }
  UIScrollBar* Bar() const { return bar_; }
  int BarWidth() const { return barWidth_; }

  // --- UIControl ---
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UIScrollVertView"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Relayout() override;

 protected:
  ~UIScrollVertView() override = default;

 private:
  static void OnBarEvent(void* self, const UIEvent& event);
  UIControl* Header() const;

  UIControl* viewport_;  // children of this control; the tree owns them
  UIControl* content_;
  UIScrollBar* bar_;
  int barWidth_ = kDefaultBarWidth;
};

}  // namespace vr
