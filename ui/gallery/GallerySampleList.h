#pragma once
#include "ui/UIScrollVertView.h"

namespace vr {

// A scrolling list that fills itself, as the program's pages do, with one
// item built from a layout document per row: `itemdoc` names the document,
// `items` the number of rows, `scrollto` a pixel position to show. Item i
// gets the text "第 i 项". Only the gallery registers it.
class GallerySampleList : public UIScrollVertView {
 public:
  static constexpr int kMaxItems = 200;

  GallerySampleList() = default;

  intptr_t OnCreate(intptr_t param) override;
  const char* ClassName() const override { return "GallerySampleList"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  ~GallerySampleList() override = default;

 private:
  std::string itemDoc_;
  int items_ = 0;
  int scrollTo_ = 0;
};

}  // namespace vr
