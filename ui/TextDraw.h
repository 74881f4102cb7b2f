#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>

#include "ui/UIGeometry.h"

namespace vr {

class UIFont;

// How text is set into a rectangle (the string-format parameters).
struct TextFormat {
  int horz = 0;  // 0 near, 1 centre, 2 far
  int vert = 0;  // 0 top, 1 centre, 2 bottom
  bool singleLine = true;
  int trimming = 0;  // UIRenderText::kTrim*
};

// Draws `text` into `rect`, clipped to it. Multi-line text wraps at the
// rectangle's width and shows only whole lines; single-line text never wraps.
void DrawTextInRect(cairo_t* cr, const UIFont& font, const std::string& text, uint32_t argb,
                    const UIRect& rect, const TextFormat& format);

// Width of one line of text including trailing spaces, in pixels.
int MeasureTextWidth(cairo_t* cr, const UIFont& font, const std::string& text);

}  // namespace vr
