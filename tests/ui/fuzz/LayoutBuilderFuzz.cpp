// Builds arbitrary text as a layout document under a headless window. The
// input may include itself through `node`: it is installed as xml\fuzz.xml.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/FactoryRegistry.h"
#include "ui/LayoutBuilder.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vr::RegisterBuiltinFactories();
  const std::string text(reinterpret_cast<const char*>(data), size);
  vr::ResLoaderMgr loader(vr::respack::Write({{"xml\\fuzz.xml", std::vector<uint8_t>(data, data + size)}}));
  vr::SetResLoader(&loader);
  {
    auto host = vr::UIHeadlessHost::Create(64, 64);
    vr::BuildFromText(vr::UIBuilder{host.get()}, host.get(), text);
    host->Render();
  }
  vr::SetResLoader(nullptr);
  return 0;
}
