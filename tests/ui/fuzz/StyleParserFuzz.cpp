// Parses arbitrary style descriptors and colours and draws the result.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/FontSpec.h"
#include "ui/StyleParser.h"
#include "ui/UIColor.h"
#include "ui/UIGraphics.h"
#include "ui/UIHeadlessHost.h"
#include "ui/UIRender.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vr::ParseColor(text);
  vr::FontSpec::Parse(text);
  auto host = vr::UIHeadlessHost::Create(32, 32);
  host->SetText("农历 Fuzz");
  host->SetAttribute("back", text);
  host->RenderAll();
  return 0;
}
