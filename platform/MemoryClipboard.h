#pragma once
#include "platform/Clipboard.h"

namespace vr {

// A clipboard that lives in this process only: the headless backend's, and
// the fallback where no system clipboard can be reached.
class MemoryClipboard final : public Clipboard {
 public:
  bool SetText(const std::string& utf8) override;
  std::optional<std::string> GetText() override { return text_; }
  bool MayHaveText() override { return text_.has_value(); }
  void Clear() { text_.reset(); }

 private:
  std::optional<std::string> text_;
};

}  // namespace vr
