#pragma once
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vr::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the guard goes out of scope.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vr-calendar-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return (std::filesystem::path(path_) / name).string(); }

  // Writes `content` to a file of the folder and returns its path.
  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(File(name), std::ios::binary) << content;
    return File(name);
  }
  std::string CopyIn(const std::string& source, const std::string& name) const {
    std::filesystem::copy_file(source, File(name), std::filesystem::copy_options::overwrite_existing);
    return File(name);
  }

 private:
  std::string path_;
};

inline std::string Fixture(const std::string& name) { return std::string(VR_TEST_FIXTURES) + "/calendar/" + name; }

}  // namespace vr::test
