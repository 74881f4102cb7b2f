#include "ui/FontCache.h"

namespace vr {

UIFont* FontCache::Get(const std::string& spec) {
  auto it = fonts_.find(spec);
  if (it == fonts_.end()) it = fonts_.emplace(spec, UIFont::Create(FontSpec::Parse(spec))).first;
  return it->second.get();
}

}  // namespace vr
