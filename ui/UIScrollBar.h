#pragma once
#include "ui/UIControl.h"

namespace vr {

// A vertical scroll bar drawn as a rounded thumb only. range is the content
// height, page the visible height, position the content's offset (0 ..
// range - page). The thumb exists while page < range and can be dragged;
// the track does not react to clicks.
class UIScrollBar : public UIControl {
 public:
  static constexpr uint32_t kThumbNormal = 0xB494A1AF;
  static constexpr uint32_t kThumbHover = 0xD294A1AF;
  static constexpr uint32_t kThumbPressed = 0xFF94A1AF;
  static constexpr int kMinThumbHeight = 32;
  // Flags A bit 5: a thumb drag is under way.
  static constexpr uint8_t kFlagDragging = 1u << 5;

  UIScrollBar() = default;

  // Limits p to 0 .. range - page; a change is stored, repainted and raises
  // "scollposchanged" (0, position).
  void SetScrollPos(int position);
  // Sets range and page, repainting on change; the position is not touched.
  void SetRange(int range, int page);
  // Stores a position already limited by the caller, without an event.
  void SetPosQuiet(int position);

  int Range() const { return range_; }
  int PageSize() const { return page_; }
  int Position() const { return position_; }
  int MaxPosition() const;
  bool HasThumb() const { return page_ < range_ && range_ > 0; }
  // The thumb in own coordinates; empty without one.
  UIRect ThumbRect() const;
  bool Dragging() const { return (FlagsA() & kFlagDragging) != 0; }
  bool ThumbHover() const { return thumbHover_; }
  uint32_t ThumbColour() const;

  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UIScrollBar"; }
  void Paint(UIGraphics& g) override;

 protected:
  ~UIScrollBar() override = default;

 private:
  UIPoint ToLocal(intptr_t lparam) const;
  void OnLeftDown(UIPoint p);
  void OnMove(UIPoint p);
  void OnLeftUp();
  void EndDrag();
  void SetThumbHover(bool hover);

  int range_ = 0;
  int page_ = 0;
  int position_ = 0;
  int dragStartPos_ = 0;
  UIPoint dragStartPoint_;
  int thumbOffset_ = 0;  // pointer's distance below the thumb's top at the press
  bool thumbHover_ = false;
};

}  // namespace vr
