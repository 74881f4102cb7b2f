#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace vr {
namespace {

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ResolveLink(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path;  // a dangling link is replaced by the file itself
  std::string resolved(real);
  free(real);
  return resolved;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& data, unsigned newMode) {
  std::string target = ResolveLink(path);
  mode_t mode = static_cast<mode_t>(newMode & 07777);
  struct stat st {};
  if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;

  std::string tmp = target + ".XXXXXX";
  int fd = mkstemp(tmp.data());
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(tmp.c_str());
    return false;
  }
  // The rename itself lives in the folder; flush it so it survives a crash too.
  int dir = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

}  // namespace vr
