// Builds the resource pack from a folder tree at build time:
//   vr_respack OUTPUT FOLDER
// Every regular file below FOLDER becomes one entry named by its relative
// path, lower-cased, with backslash separators (img\btn\close.png). Entries
// are written in sorted name order so the pack is reproducible. README files
// and names starting with "." are documentation and tooling, not resources.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/ResPack.h"

namespace fs = std::filesystem;

namespace {

std::string PackName(const fs::path& relative) {
  std::string name;
  for (const auto& part : relative) {
    if (!name.empty()) name += '\\';
    name += part.string();
  }
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

bool Skipped(const fs::path& relative) {
  for (const auto& part : relative) {
    const std::string s = part.string();
    if (s.empty() || s[0] == '.') return true;
  }
  return relative.filename().string().rfind("README", 0) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vr_respack OUTPUT FOLDER\n");
    return 2;
  }
  const fs::path root = argv[2];
  std::vector<vr::respack::Entry> entries;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it); it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const fs::path relative = fs::relative(it->path(), root);
    if (Skipped(relative)) continue;
    std::ifstream in(it->path(), std::ios::binary);
    vr::respack::Entry e{PackName(relative), std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
    entries.push_back(std::move(e));
  }
  if (ec) {
    std::fprintf(stderr, "vr_respack: cannot read %s: %s\n", argv[2], ec.message().c_str());
    return 1;
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  const std::vector<uint8_t> pack = vr::respack::Write(entries);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
  if (!out) {
    std::fprintf(stderr, "vr_respack: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
