#pragma once
#include <cairo.h>

#include <cstdint>
#include <string_view>

namespace vr {

// Reads a colour string into 32-bit ARGB (alpha in the top byte):
// "0x"/"#" prefixes are dropped; hexadecimal digits otherwise (a non-digit
// counts as 0, digits beyond eight shift earlier ones out; 1..7 digits get
// alpha 0xFE, an empty string is 0); with commas, decimal "R,G,B" (alpha 255)
// or "A,R,G,B", any other count 0xFF000000. Never fails.
uint32_t ParseColor(std::string_view text);

// Sets a solid source from ARGB.
void SetSourceArgb(cairo_t* cr, uint32_t argb);

}  // namespace vr
