#include "ui/LayoutBuilder.h"

#include <pugixml.hpp>

#include <cstring>

#include "ui/FactoryRegistry.h"
#include "ui/UIControl.h"
#include "ui/UIMessages.h"
#include "ui/UIResLoader.h"

namespace vr {

namespace {

// One top-level build: the builder plus what bounds it.
struct BuildState {
  UIBuilder builder;
  int depth = 0;  // nesting of `node` includes in progress
  int elementsLeft = kMaxElements;
};

UIControl* ElementIn(BuildState& state, UIControl* parent, const pugi::xml_node& element);

UIControl* TextIn(BuildState& state, UIControl* parent, const std::string& utf8) {
  pugi::xml_document doc;
  if (!doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return nullptr;
  }
  pugi::xml_node root = doc.document_element();
  if (!root) return nullptr;
  UIControl* control = ElementIn(state, parent, root);
  if (control) control->Relayout();
  return control;
}

UIControl* DocumentIn(BuildState& state, UIControl* parent, const std::string& path) {
  UIResLoader* loader = GetResLoader();
  if (!loader || state.depth >= kMaxIncludeDepth) return nullptr;
  const std::vector<uint8_t> bytes = loader->GetData(path);
  if (bytes.empty()) return nullptr;
  ++state.depth;
  UIControl* root = TextIn(state, parent, std::string(bytes.begin(), bytes.end()));
  --state.depth;
  return root;
}

UIControl* ElementIn(BuildState& state, UIControl* parent, const pugi::xml_node& element) {
  if (state.elementsLeft <= 0) return nullptr;
  --state.elementsLeft;
  const bool isNode = std::strcmp(element.name(), "node") == 0;
  UIControl* c = nullptr;
  if (isNode) {
    c = DocumentIn(state, parent, element.attribute("file").value());
  } else {
    FactoryRegistry& registry = FactoryRegistry::Instance();
    c = registry.Create(element.name());
    if (!c) return nullptr;
    if (CreationHook hook = registry.Hook()) hook(c);
    c->SetHost(state.builder.host);
    if (parent) parent->AddChild(c);
  }
  if (!c) return nullptr;
  for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
    c->SetAttribute(a.name(), a.value());
  }
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) ElementIn(state, c, child);
  }
  if (!isNode) {
    c->SendMsg(uimsg::kCreate, 0, 0);
    if (c->Layout()) c->Relayout();
  }
  return c;
}

}  // namespace

UIControl* BuildFromText(const UIBuilder& builder, UIControl* parent, const std::string& utf8) {
  BuildState state{builder};
  return TextIn(state, parent, utf8);
}

UIControl* BuildFromDocument(const UIBuilder& builder, UIControl* parent, const std::string& path) {
  BuildState state{builder};
  return DocumentIn(state, parent, path);
}

UIControl* BuildElement(const UIBuilder& builder, UIControl* parent, const pugi::xml_node& element) {
  BuildState state{builder};
  return ElementIn(state, parent, element);
}

}  // namespace vr
