#pragma once
#include <cstdint>
#include <string>

namespace vr {

// A saved password of the vault. Texts are plain in memory; `user` and `pass`
// are stored through StoredTextCodec.
struct PassData {
  std::string guid;
  std::string name;
  std::string user;
  std::string pass;
  std::string url;
  int32_t category = 0;  // the `class` column: 0 local, 1 internet, 2 private, 3 other
};

}  // namespace vr
