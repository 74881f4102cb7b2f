#pragma once
#include <string>

namespace vr {

class UIRender;

// Parses a style descriptor such as "clr:clr=#fff6fafd|border=#ffb4c2ce|round=4".
// The first four characters choose the renderer ("img:", "txt:", "clr:",
// "grd:"); the rest is "key=value" items split at "|". A `css` item applies
// that css entry's pairs; items without exactly one "=" are skipped. Returns a
// renderer holding one reference for the caller, or null for any other prefix.
UIRender* ParseStyleDescriptor(const std::string& descriptor);

}  // namespace vr
