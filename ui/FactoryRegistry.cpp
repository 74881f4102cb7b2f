#include "ui/FactoryRegistry.h"

#include "ui/UIControl.h"

namespace vr {

FactoryRegistry& FactoryRegistry::Instance() {
  static FactoryRegistry registry;
  return registry;
}

void FactoryRegistry::Register(const std::string& elementName, ControlFactory factory) {
  if (factory) factories_[elementName] = factory;
}

UIControl* FactoryRegistry::Create(const std::string& elementName) const {
  auto it = factories_.find(elementName);
  return it == factories_.end() ? nullptr : it->second();
}

namespace {
UIControl* MakePlainControl() { return new UIControl(); }
}  // namespace

void RegisterBuiltinFactories() {
  FactoryRegistry& registry = FactoryRegistry::Instance();
  if (!registry.Empty()) return;
  // The controls of the later layers (buttons, labels, edits, ...) add their
  // element names here as they are built.
  registry.Register("UIWnd", &MakePlainControl);
  registry.Register("UIControl", &MakePlainControl);
}

}  // namespace vr
