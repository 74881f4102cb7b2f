#pragma once
#include <cairo.h>
#include <pango/pango.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/EditNavigator.h"
#include "ui/UIGeometry.h"

namespace vr {

class UIFont;

// The edit control's text on screen: one PangoLayout of the display text
// (with the input method's pre-edit spliced in at the caret), the scroll
// offsets and the margins. Answers hit tests, caret rectangles and display
// line navigation for the engine. Positions are the engine's code-point
// indices; coordinates are the control's own pixels.
class EditTextView final : public EditNavigator {
 public:
  static constexpr int kMarginX = 5;  // matches the hint's inset
  static constexpr int kMarginY = 3;  // multi-line only; one line is centred

  struct Geometry {
    int width = 0;
    int height = 0;
    bool multiline = false;
    bool wrap = false;  // multi-line without horizontal scrolling
    int align = 0;      // 0 left, 1 centre, 2 right
    bool operator==(const Geometry&) const = default;
  };

  EditTextView();
  ~EditTextView() override;
  EditTextView(const EditTextView&) = delete;
  EditTextView& operator=(const EditTextView&) = delete;

  // --- What to show ---
  void SetFont(const UIFont& font);
  void SetGeometry(const Geometry& geometry);
  void SetText(const std::u32string& display);
  // Pre-edit text shown underlined at `pos`; empty ends it.
  void SetPreedit(size_t pos, const std::u32string& preedit);
  bool HasPreedit() const { return !preedit_.empty(); }

  // --- Mapping ---
  size_t PosAt(int x, int y);
  // The caret at pos: 1 pixel wide, one line high (at the end of the
  // pre-edit while one is shown at pos).
  UIRect CaretRect(size_t pos);
  int LineHeight();
  int DisplayLineCount();
  int FirstVisibleLine();
  int LineOf(size_t pos) const;  // display line holding pos
  // First position of display line `line`; false past the last line.
  bool LineStartPos(int line, size_t* pos) const;

  // --- Scrolling ---
  // Scrolls so that the caret at pos is inside; true when the offsets moved.
  bool ScrollToShow(size_t pos);
  // Multi-line: by whole lines (negative: up); true when it moved.
  bool ScrollLines(int lines);
  int ScrollX() const { return scrollX_; }
  int ScrollY() const { return scrollY_; }

  // --- Painting ---
  // Text in `textArgb`, the selection [selFrom, selTo) on the highlight.
  void Draw(cairo_t* cr, uint32_t textArgb, size_t selFrom, size_t selTo);

  // --- EditNavigator ---
  size_t Home(size_t pos) const override;
  size_t End(size_t pos) const override;
  size_t Step(size_t pos, int direction) const override;
  size_t Vertical(size_t pos, int lines, int* goalX) const override;  // goalX in Pango units
  int PageLines() const override;

 private:
  PangoLayout* Layout() const;  // built on demand
  void Invalidate();
  int ByteOf(size_t pos) const;
  size_t PosOfByte(int byte) const;
  UIPoint Origin() const;  // the layout's top-left in control pixels
  int TextWidth() const;   // pixels
  int TextHeight() const;
  void ClampScroll();

  PangoContext* context_ = nullptr;
  PangoFontDescription* font_ = nullptr;
  mutable PangoLayout* layout_ = nullptr;
  Geometry geometry_;
  std::u32string text_;
  std::u32string preedit_;
  size_t preeditPos_ = 0;
  int preeditBytes_ = 0;
  mutable std::string utf8_;              // layout text
  mutable std::vector<uint32_t> offsets_;  // byte offset of each position, pre-edit left out
  int scrollX_ = 0;
  int scrollY_ = 0;
};

}  // namespace vr
