#pragma once
#include <string>

namespace pugi {
class xml_node;
}

namespace vr {

class IUIContainer;
class UIControl;

// What every control built by one build gets: the host of its window.
struct UIBuilder {
  IUIContainer* host = nullptr;
};

// Limits that keep hostile documents finite: includes nested deeper than
// kMaxIncludeDepth are a cycle and build nothing; one build makes at most
// kMaxElements controls (a document including itself twice per level would
// otherwise grow exponentially). Real documents stay far below both.
inline constexpr int kMaxIncludeDepth = 8;
inline constexpr int kMaxElements = 5000;

// Builds the layout document at `path` (from the process-wide loader) as a
// child of `parent` and returns its root, or null when the document is
// missing, does not parse or its root element is not a registered class.
// With a null parent the root stays detached and the caller owns its
// reference.
UIControl* BuildFromDocument(const UIBuilder& builder, UIControl* parent, const std::string& path);

// Builds one element and its subtree. An unregistered element name gives null
// and its whole subtree is skipped; `node` includes another document in place.
UIControl* BuildElement(const UIBuilder& builder, UIControl* parent, const pugi::xml_node& element);

// The same from document text, for callers that hold it already.
UIControl* BuildFromText(const UIBuilder& builder, UIControl* parent, const std::string& utf8);

}  // namespace vr
