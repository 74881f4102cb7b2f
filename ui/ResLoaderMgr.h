#pragma once
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/ResPack.h"
#include "ui/UIResLoader.h"

namespace vr {

// The loader over a resource pack: the pack's bytes (not copied), its
// directory, and the image cache by lower-cased path. Each image is decoded
// at most once and lives as long as the loader.
class ResLoaderMgr : public UIResLoader {
 public:
  // Over bytes that outlive the loader (the pack linked into the program).
  explicit ResLoaderMgr(std::span<const uint8_t> pack);
  // Over bytes the loader keeps (tests, packs read from files).
  explicit ResLoaderMgr(std::vector<uint8_t> ownedPack);
  ~ResLoaderMgr() override;

  std::vector<uint8_t> GetData(const std::string& path) override;
  SkinBitmap* GetImage(const std::string& path) override;

  const respack::Directory& Directory() const { return directory_; }
  size_t CachedImages() const { return images_.size(); }

 private:
  std::vector<uint8_t> owned_;
  std::span<const uint8_t> pack_;
  respack::Directory directory_;
  std::map<std::string, std::unique_ptr<SkinBitmap>> images_;
};

// The pack linked into this program (empty when the build has none).
std::span<const uint8_t> EmbeddedPack();

}  // namespace vr
