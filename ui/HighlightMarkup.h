#pragma once
#include <string>
#include <vector>

namespace vr {

// One run of highlight markup: its text, and its own colour and font spec
// (empty when the run uses the defaults of the `text` element).
struct HighlightRun {
  std::string text;
  std::string clr;
  std::string font;
  bool operator==(const HighlightRun&) const = default;
};

struct HighlightDoc {
  std::string font;  // default font spec of the runs
  std::string clr;   // default colour of the runs
  std::vector<HighlightRun> runs;
};

// Turns "距离 %s 还有 {%d天}" into <text font=".." clr=".."><p>距离 %s 还有 </p>
// <p clr="#ffff0000">%d天</p></text> (no white space between elements).
// The parts in braces are highlighted; empty runs are dropped. Text and
// attribute values are escaped, so "&" or "<" in a message survive.
std::string BuildHighlightMarkup(const std::string& text, const std::string& fontSpec,
                                 const std::string& colour);

// Reads highlight markup; false when it is not a `text` document.
bool ParseHighlightMarkup(const std::string& markup, HighlightDoc* doc);

}  // namespace vr
