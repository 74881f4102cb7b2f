#pragma once
#include <map>
#include <memory>
#include <string>

#include "ui/UIFont.h"

namespace vr {

// A window's fonts by spec, made on first use and freed with the window.
class FontCache {
 public:
  // Null when the spec gives no usable font (remembered, not retried).
  UIFont* Get(const std::string& spec);
  size_t Size() const { return fonts_.size(); }

 private:
  std::map<std::string, std::unique_ptr<UIFont>> fonts_;
};

}  // namespace vr
