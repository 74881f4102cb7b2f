#include "ui/HighlightMarkup.h"

#include <pugixml.hpp>

namespace vr {

namespace {

constexpr const char* kHighlightColour = "#ffff0000";

void AppendEscaped(std::string* out, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&': *out += "&amp;"; break;
      case '<': *out += "&lt;"; break;
      case '>': *out += "&gt;"; break;
      case '"': *out += "&quot;"; break;
      default: *out += c; break;
    }
  }
}

void AppendRun(std::string* out, const std::string& run, bool highlighted) {
  if (run.empty()) return;
  *out += highlighted ? std::string("<p clr=\"") + kHighlightColour + "\">" : std::string("<p>");
  AppendEscaped(out, run);
  *out += "</p>";
}

}  // namespace

std::string BuildHighlightMarkup(const std::string& text, const std::string& fontSpec,
                                 const std::string& colour) {
  std::string out = "<text font=\"";
  AppendEscaped(&out, fontSpec);
  out += "\" clr=\"";
  AppendEscaped(&out, colour);
  out += "\">";
  std::string run;
  for (char c : text) {
    if (c == '{') {
      AppendRun(&out, run, false);
      run.clear();
    } else if (c == '}') {
      AppendRun(&out, run, true);
      run.clear();
    } else {
      run += c;
    }
  }
  AppendRun(&out, run, false);
  out += "</text>";
  return out;
}

bool ParseHighlightMarkup(const std::string& markup, HighlightDoc* doc) {
  pugi::xml_document xml;
  if (!xml.load_buffer(markup.data(), markup.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return false;
  }
  pugi::xml_node root = xml.document_element();
  if (std::string(root.name()) != "text") return false;
  doc->font = root.attribute("font").value();
  doc->clr = root.attribute("clr").value();
  doc->runs.clear();
  for (pugi::xml_node p = root.child("p"); p; p = p.next_sibling("p")) {
    doc->runs.push_back(HighlightRun{p.text().get(), p.attribute("clr").value(), p.attribute("font").value()});
  }
  return true;
}

}  // namespace vr
