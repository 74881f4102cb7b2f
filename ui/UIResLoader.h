#pragma once
#include <string>
#include <vector>

namespace vr {

class SkinBitmap;

// Serves the bytes and decoded images of the resource pack. Paths such as
// img\msgbox\war.png are compared in lower case.
class UIResLoader {
 public:
  virtual ~UIResLoader() = default;
  // A copy of the entry's bytes; empty when absent.
  virtual std::vector<uint8_t> GetData(const std::string& path) = 0;
  // The cached image (owned by the loader, alive until it goes); null when absent.
  virtual SkinBitmap* GetImage(const std::string& path) = 0;
};

// The process-wide loader every part of the framework reaches; null until
// start-up installs one. Not owned.
UIResLoader* GetResLoader();
void SetResLoader(UIResLoader* loader);

}  // namespace vr
