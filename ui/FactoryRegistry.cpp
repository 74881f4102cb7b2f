#include "ui/FactoryRegistry.h"

#include "ui/UIButton.h"
#include "ui/UICaption.h"
#include "ui/UICheckBox.h"
#include "ui/UIControl.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIGif.h"
#include "ui/UIImage.h"
#include "ui/UILabel.h"
#include "ui/UILink.h"
#include "ui/UIProgress.h"
#include "ui/UIRadioBox.h"
#include "ui/UIComboBox.h"
#include "ui/UIScrollVertView.h"
#include "ui/UIScrollView.h"
#include "ui/UISlider.h"
#include "ui/UISwitch.h"

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

template <typename T>
UIControl* Make() {
  return new T();
}
}  // namespace

void RegisterBuiltinFactories() {
  FactoryRegistry& registry = FactoryRegistry::Instance();
  if (!registry.Empty()) return;
  // The controls of the later layers (buttons, labels, edits, ...) add their
  // element names here as they are built.
  registry.Register("UIWnd", &MakePlainControl);
  registry.Register("UIControl", &MakePlainControl);
  // The rich-edit and native edits are not used by the documents; both are
  // plain edit controls here.
  registry.Register("UIEditCtrl", &Make<UIEditCtrl>);
  registry.Register("UIEdit", &Make<UIEditCtrl>);
  registry.Register("UINativeEdit", &Make<UIEditCtrl>);
  registry.Register("UIButton", &Make<UIButton>);
  registry.Register("UILabel", &Make<UILabel>);
  registry.Register("UILink", &Make<UILink>);
  registry.Register("UIGif", &Make<UIGif>);
  registry.Register("UIScrollView", &Make<UIScrollView>);
  registry.Register("UICheckBox", &Make<UICheckBox>);
  registry.Register("UIRadioBox", &Make<UIRadioBox>);
  registry.Register("UIProgress", &Make<UIProgress>);
  registry.Register("UISwitch", &Make<UISwitch>);
  registry.Register("UIImage", &Make<UIImage>);
  registry.Register("UISlider", &Make<UISlider>);
  registry.Register("UIScrollVertView", &Make<UIScrollVertView>);
  registry.Register("UICaption", &Make<UICaption>);
  registry.Register("UIComboBox", &Make<UIComboBox>);
}

}  // namespace vr
