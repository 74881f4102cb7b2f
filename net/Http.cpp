#include "net/Http.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "net/NetSettings.h"

namespace vr {
namespace {

constexpr std::chrono::milliseconds kGetRetryGap{10};
constexpr const char* kAllowedProtocols = "http,https";

struct CurlDeleter {
  void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

std::once_flag gLibraryOnce;
std::once_flag gClientOnce;

// Adds the extra CA file to the store libcurl has already filled from the
// system's certificates, so a private server is trusted in addition to, not
// instead of, the public ones. A file that cannot be read adds nothing.
CURLcode AddExtraCa(CURL*, void* sslCtx, void* caFile) {
  X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslCtx));
  if (store && X509_STORE_load_file(store, static_cast<const std::string*>(caFile)->c_str()) != 1) {
    // Leave no stale error on this thread's queue for the handshake to trip over.
    ERR_clear_error();
  }
  return CURLE_OK;
}

// Options shared by every request. `settings` must outlive the handle's use
// (the CA callback reads its caFile during the transfer).
void SetCommonOptions(CURL* h, const std::string& url, const NetSettings& settings) {
  // Builds without c-ares refuse this option; the system resolver then answers.
  if (!settings.dnsServers.empty()) curl_easy_setopt(h, CURLOPT_DNS_SERVERS, settings.dnsServers.c_str());
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // resolver timeouts must not raise signals in workers
  curl_easy_setopt(h, CURLOPT_POST, 0L);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, kAllowedProtocols);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!settings.caFile.empty()) {
    curl_easy_setopt(h, CURLOPT_SSL_CTX_DATA, &settings.caFile);
    if (curl_easy_setopt(h, CURLOPT_SSL_CTX_FUNCTION, &AddExtraCa) != CURLE_OK)
      curl_easy_setopt(h, CURLOPT_CAINFO, settings.caFile.c_str());  // TLS back end without the hook
  }
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, kHttpMaxRedirects);
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, kAllowedProtocols);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kHttpConnectTimeoutSeconds);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, kHttpStallSeconds);
}

bool IsSuccess(CURLcode rc, CURL* h) {
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  return rc == CURLE_OK && status / 100 == 2;
}

size_t AppendToString(char* data, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void SyncFolder(const std::string& path) {
  int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  fsync(dir);
  close(dir);
}

// A temporary file beside the destination, removed unless it was moved into
// place. Its unique name lets two downloads of one file run without mixing.
class TempFile {
 public:
  explicit TempFile(const std::string& destination) : path_(destination + ".XXXXXX.tmp") {
    fd_ = mkstemps(path_.data(), 4);
    created_ = fd_ >= 0;
    if (created_) fchmod(fd_, 0644);
  }
  ~TempFile() {
    if (fd_ >= 0) close(fd_);
    if (created_ && fd_ != kMoved) unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return fd_ >= 0; }

  // Writes everything or reports a short count (which makes libcurl stop).
  size_t Write(const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
      ssize_t n = write(fd_, data + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    written_ += done;
    return done;
  }
  uint64_t written() const { return written_; }

  // Flushes and closes; false when the data may not all be on disk.
  bool Finish() {
    bool ok = fsync(fd_) == 0;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    return ok;
  }

  // Gives the finished file the destination's name. Without `replace` an
  // existing destination is never overwritten, not even one that appeared
  // during the transfer.
  bool MoveTo(const std::string& destination, bool replace) {
    bool moved;
    if (replace) {
      moved = rename(path_.c_str(), destination.c_str()) == 0;
    } else {
      moved = renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0;
      if (!moved && (errno == EINVAL || errno == ENOSYS)) {  // file system without the flag
        moved = link(path_.c_str(), destination.c_str()) == 0;
        if (moved) unlink(path_.c_str());
      }
    }
    if (!moved) return false;
    fd_ = kMoved;
    SyncFolder(destination);
    return true;
  }

 private:
  static constexpr int kMoved = -2;
  std::string path_;
  int fd_ = -1;
  bool created_ = false;
  uint64_t written_ = 0;
};

// What the libcurl callbacks of one download need.
struct DownloadContext {
  int32_t user = 0;
  TempFile* file = nullptr;
  DownloadProgressFn progress = nullptr;
  const std::atomic<bool>* stop = nullptr;
};

size_t WriteToTemp(char* data, size_t size, size_t count, void* ctx) {
  return static_cast<DownloadContext*>(ctx)->file->Write(data, size * count);
}

int ProgressShim(void* ctx, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow) {
  auto* c = static_cast<DownloadContext*>(ctx);
  if (c->stop && c->stop->load()) return 1;
  if (!c->progress) return 0;
  return c->progress(c->user, static_cast<double>(dlTotal), static_cast<double>(dlNow),
                     static_cast<double>(ulTotal), static_cast<double>(ulNow)) != 0;
}

struct DownloadRequest {
  DownloadProgressFn progress = nullptr;
  int32_t user = 0;
  const std::atomic<bool>* stop = nullptr;
  bool replace = false;        // may overwrite an existing destination
  bool requireBytes = false;   // an empty answer does not count as a file
};

// One attempt, no retry: GET into a temporary file, then into place.
bool Download(const std::string& url, const std::string& path, const DownloadRequest& req) {
  TempFile temp(path);
  if (!temp.ok()) return false;
  NetSettings settings = CurrentNetSettings();  // outlives the handle
  CurlHandle h(curl_easy_init());
  if (!h) return false;
  DownloadContext ctx{req.user, &temp, req.progress, req.stop};
  SetCommonOptions(h.get(), url, settings);
  curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &WriteToTemp);
  curl_easy_setopt(h.get(), CURLOPT_WRITEDATA, &ctx);
  if (req.progress || req.stop) {
    curl_easy_setopt(h.get(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h.get(), CURLOPT_XFERINFOFUNCTION, &ProgressShim);
    curl_easy_setopt(h.get(), CURLOPT_XFERINFODATA, &ctx);
  }
  CURLcode rc = curl_easy_perform(h.get());
  bool ok = IsSuccess(rc, h.get());
  h.reset();
  ok = temp.Finish() && ok;
  if (ok && req.requireBytes && temp.written() == 0) ok = false;
  return ok && temp.MoveTo(path, req.replace) && Exists(path);
}

// The length a header-only request reports: -1 when unknown, nullopt when the
// request failed.
std::optional<curl_off_t> RemoteLength(const std::string& url) {
  NetSettings settings = CurrentNetSettings();  // outlives the handle
  CurlHandle h(curl_easy_init());
  if (!h) return std::nullopt;
  SetCommonOptions(h.get(), url, settings);
  curl_easy_setopt(h.get(), CURLOPT_NOBODY, 1L);
  curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &Discard);  // never onto stdout
  if (curl_easy_perform(h.get()) != CURLE_OK) return std::nullopt;
  curl_off_t length = -1;
  if (curl_easy_getinfo(h.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
  return length;
}

}  // namespace

void InitHttpLibrary() {
  std::call_once(gLibraryOnce, [] { curl_global_init(CURL_GLOBAL_ALL); });
}

void InitHttpClient() {
  InitHttpLibrary();
  std::call_once(gClientOnce, [] { LoadNetSettings(); });
}

bool HttpGet(const std::string& url, std::string& body) {
  body.clear();
  NetSettings settings = CurrentNetSettings();
  for (int attempt = 0; attempt < kHttpGetAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kGetRetryGap);
    CurlHandle h(curl_easy_init());
    if (!h) return false;
    SetCommonOptions(h.get(), url, settings);
    curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &AppendToString);
    curl_easy_setopt(h.get(), CURLOPT_WRITEDATA, &body);
    CURLcode rc = curl_easy_perform(h.get());
    if (rc == CURLE_OK) return IsSuccess(rc, h.get());
    body.clear();
  }
  return false;
}

bool HttpDownload(const std::string& url, DownloadProgressFn progress, int32_t user, const std::string& path) {
  if (Exists(path)) return false;
  DownloadRequest req;
  req.progress = progress;
  req.user = user;
  return Download(url, path, req);
}

bool HttpEnsureFile(const std::string& path, const std::string& url, const std::atomic<bool>* stop) {
  DownloadRequest req;
  req.stop = stop;
  if (!Exists(path)) return Download(url, path, req);
  std::optional<curl_off_t> length = RemoteLength(url);
  if (!length) return false;  // unreachable now: keep the file, try again later
  if (*length > 0) return true;
  req.replace = true;
  req.requireBytes = true;
  return Download(url, path, req);
}

}  // namespace vr
