#pragma once
#include <atomic>
#include <cstdint>
#include <string>

namespace vr {

// Blocking HTTP(S) requests for worker threads (never the UI thread). Every
// call uses its own libcurl handle, so calls from several threads may run at
// once. Certificates and host names are always verified against the system's
// CA store plus the optional extra CA file of NetSettings. Only http and https
// URLs are followed, with at most kHttpMaxRedirects redirects.

inline constexpr long kHttpConnectTimeoutSeconds = 10;
inline constexpr long kHttpMaxRedirects = 20;
// A transfer that moves no byte for this long is given up, so a stalled server
// cannot hold a worker thread for ever.
inline constexpr long kHttpStallSeconds = 60;
inline constexpr int kHttpGetAttempts = 3;

// Progress of a download: the caller's value, then bytes to download in all
// (0 while unknown), downloaded so far, to upload, uploaded. Non-zero aborts.
using DownloadProgressFn = int32_t (*)(int32_t user, double dlTotal, double dlNow, double ulTotal,
                                       double ulNow);

// Once per process, before any thread that makes requests starts: libcurl's
// global set-up, then LoadNetSettings. Later calls do nothing.
void InitHttpClient();
// libcurl's global set-up alone (also once), for programs without net.ini.
void InitHttpLibrary();

// Fetches `url` into `body`. Up to kHttpGetAttempts attempts 10 ms apart when
// the transfer itself fails (then `body` ends empty); an answer outside
// 200-299 is not retried, returns false and leaves what the server sent in `body`.
bool HttpGet(const std::string& url, std::string& body);

// Downloads `url` into the new file `path`. False at once, with no request
// made, when `path` already exists. The data goes to a temporary "<path>.*.tmp"
// file that becomes `path` only after a complete 200-299 answer, so a failed,
// refused or aborted transfer leaves neither `path` nor a temporary file.
bool HttpDownload(const std::string& url, DownloadProgressFn progress, int32_t user, const std::string& path);

// Makes sure `path` holds the file at `url`. A present file is kept when a
// header-only request reports a positive length for it. When the server
// answers without a usable length, the file is fetched again and replaces the
// present one only when the new copy is complete and not empty. A missing file
// is downloaded. A set `*stop` aborts a running download.
bool HttpEnsureFile(const std::string& path, const std::string& url, const std::atomic<bool>* stop = nullptr);

}  // namespace vr
