#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/FactoryRegistry.h"
#include "ui/LayoutBuilder.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"

namespace vr {
namespace {

// Inputs the fuzz targets once failed on (and their seeds), replayed through
// the same paths under the sanitizers of the test build.
std::vector<std::vector<uint8_t>> Corpus(const std::string& name) {
  std::vector<std::vector<uint8_t>> inputs;
  const std::filesystem::path dir = std::filesystem::path(VR_SOURCE_DIR) / "tests/ui/fuzz/corpus" / name;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return inputs;
}

TEST(FuzzRegression, PackInputs_ReadAndLoad_NoFault) {
  const auto inputs = Corpus("pack_reader");
  ASSERT_FALSE(inputs.empty());
  for (const auto& bytes : inputs) {
    ResLoaderMgr loader(bytes);
    for (const auto& [name, span] : loader.Directory()) {
      EXPECT_LE(static_cast<size_t>(span.offset) + span.size, bytes.size());
      loader.GetImage(name);
    }
  }
}

TEST(FuzzRegression, LayoutInputs_Build_NoFaultAndBounded) {
  RegisterBuiltinFactories();
  const auto inputs = Corpus("layout_builder");
  ASSERT_FALSE(inputs.empty());
  for (const auto& bytes : inputs) {
    ResLoaderMgr loader(respack::Write({{"xml\\fuzz.xml", bytes}}));
    SetResLoader(&loader);
    {
      auto host = UIHeadlessHost::Create(64, 64);
      BuildFromText(UIBuilder{host.get()}, host.get(), std::string(bytes.begin(), bytes.end()));
      host->Render();
    }
    SetResLoader(nullptr);
  }
}

TEST(FuzzRegression, StyleInputs_ParseAndDraw_NoFault) {
  const auto inputs = Corpus("style_parser");
  ASSERT_FALSE(inputs.empty());
  for (const auto& bytes : inputs) {
    auto host = UIHeadlessHost::Create(32, 32);
    host->SetText("农历");
    host->SetAttribute("back", std::string(bytes.begin(), bytes.end()));
    host->RenderAll();
    EXPECT_NE(host->Back(), nullptr);
  }
}

}  // namespace
}  // namespace vr
