#pragma once
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace vr::testing {

// A fresh folder under /tmp, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    char tmpl[] = "/tmp/vr-app-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Sets (or unsets, with nullptr) an environment variable for one scope.
class EnvGuard {
 public:
  EnvGuard(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~EnvGuard() {
    if (old_) setenv(name_.c_str(), old_->c_str(), 1);
    else unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace vr::testing
