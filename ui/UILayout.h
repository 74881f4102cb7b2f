#pragma once
#include <string>

#include "ui/UIRefObj.h"

namespace vr {

class UIControl;

// Places a control's children. The plain layout ("hzvt") gives every
// non-float child the whole client rectangle; UIHLayout and UIVLayout
// arrange rows and columns. h and v are spacing options the layouts accept
// but do not use.
class UILayout : public UIRefObj {
 public:
  UILayout(int h, int v) : h_(h), v_(v) {}

  // "horz", "vert" or "hzvt" by the first four characters, then optional
  // "key=value|..." options from the sixth character on; null otherwise.
  static UILayout* Create(const std::string& value);

  virtual void Arrange(UIControl* control);
  virtual void SetLayoutOption(const std::string& key, const std::string& value);

  int H() const { return h_; }
  int V() const { return v_; }

 protected:
  // Stops re-entry when a child's SetPos leads back into the same Arrange.
  bool Enter();
  void Leave() { busy_ = false; }

 private:
  bool busy_ = false;
  int h_;
  int v_;
};

}  // namespace vr
