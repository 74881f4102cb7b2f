#include "ui/ResLoaderMgr.h"

#include "ui/SkinBitmap.h"
#include "ui/UIAttr.h"

namespace vr {

ResLoaderMgr::ResLoaderMgr(std::span<const uint8_t> pack)
    : pack_(pack), directory_(respack::ReadDirectory(pack)) {}

ResLoaderMgr::ResLoaderMgr(std::vector<uint8_t> ownedPack)
    : owned_(std::move(ownedPack)), pack_(owned_), directory_(respack::ReadDirectory(pack_)) {}

ResLoaderMgr::~ResLoaderMgr() = default;

std::vector<uint8_t> ResLoaderMgr::GetData(const std::string& path) {
  auto it = directory_.find(LowerAscii(path));
  if (it == directory_.end()) return {};
  const auto bytes = pack_.subspan(it->second.offset, it->second.size);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

SkinBitmap* ResLoaderMgr::GetImage(const std::string& path) {
  const std::string key = LowerAscii(path);
  auto cached = images_.find(key);
  if (cached != images_.end()) return cached->second.get();
  auto it = directory_.find(key);
  if (it == directory_.end()) return nullptr;
  auto image = std::make_unique<SkinBitmap>(pack_.subspan(it->second.offset, it->second.size));
  SkinBitmap* result = image.get();
  images_.emplace(key, std::move(image));
  return result;
}

}  // namespace vr
