// Feeds arbitrary bytes to the resource pack reader and the loader over it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/ResLoaderMgr.h"
#include "ui/SkinBitmap.h"
#include "ui/UIAttr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vr::ResLoaderMgr loader(std::vector<uint8_t>(data, data + size));
  int images = 0;
  for (const auto& [name, span] : loader.Directory()) {
    const std::vector<uint8_t> bytes = loader.GetData(name);
    // Look-ups lower-case the path, so only lower-case names must find themselves.
    if (vr::LowerAscii(name) == name && bytes.size() != span.size) __builtin_trap();
    // Decoding is the slow part; a few entries per input cover it.
    if (images++ < 2) loader.GetImage(name);
  }
  return 0;
}
