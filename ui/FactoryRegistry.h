#pragma once
#include <map>
#include <string>

namespace vr {

class UIControl;

// Makes a new control with reference count 1.
using ControlFactory = UIControl* (*)();
// Called with every control created from an element name, before the
// element's attributes are applied.
using CreationHook = void (*)(UIControl* control);

// Element name -> control class, for layout documents. Written at start-up
// before any window is built.
class FactoryRegistry {
 public:
  static FactoryRegistry& Instance();

  void Register(const std::string& elementName, ControlFactory factory);  // insert or replace
  // Null for an unregistered name.
  UIControl* Create(const std::string& elementName) const;
  bool Has(const std::string& elementName) const { return factories_.count(elementName) != 0; }
  bool Empty() const { return factories_.empty(); }
  void Clear() { factories_.clear(); }

  void SetCreationHook(CreationHook hook) { hook_ = hook; }
  CreationHook Hook() const { return hook_; }

 private:
  FactoryRegistry() = default;
  std::map<std::string, ControlFactory> factories_;
  CreationHook hook_ = nullptr;
};

// The framework's own element names; runs only while the registry is empty.
void RegisterBuiltinFactories();

}  // namespace vr
