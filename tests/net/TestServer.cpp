#include "TestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace vr::testing {
namespace {

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

// One accepted connection, plain or TLS.
class Conn {
 public:
  Conn(int fd, SSL* ssl) : fd_(fd), ssl_(ssl) {}
  ~Conn() {
    if (ssl_) {
      SSL_shutdown(ssl_);  // close_notify, so the client sees a clean end
      SSL_free(ssl_);
    }
    close(fd_);
  }
  long Read(char* buf, size_t n) {
    if (ssl_) return SSL_read(ssl_, buf, static_cast<int>(n));
    return recv(fd_, buf, n, 0);
  }
  bool Write(const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
      long n = ssl_ ? SSL_write(ssl_, data.data() + done, static_cast<int>(data.size() - done))
                    : send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }
  bool Pending() const { return ssl_ && SSL_pending(ssl_) > 0; }
  int fd() const { return fd_; }

 private:
  int fd_;
  SSL* ssl_;
};

// Waits until `fd` can be read; false when the server is stopping.
bool WaitReadable(int fd, int wakeFd) {
  pollfd p[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  for (;;) {
    int n = poll(p, 2, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (p[1].revents & POLLIN)) return false;
    if (p[0].revents) return true;
  }
}

std::string Head(const TestResponse& r) {
  std::string head = "HTTP/1.1 " + std::to_string(r.status) + " " + Reason(r.status) + "\r\n";
  for (const std::string& h : r.headers) head += h + "\r\n";
  if (r.framing == TestResponse::Framing::kLength)
    head += "Content-Length: " +
            std::to_string(r.declaredLength >= 0 ? r.declaredLength : static_cast<long long>(r.body.size())) +
            "\r\n";
  if (r.framing == TestResponse::Framing::kChunked) head += "Transfer-Encoding: chunked\r\n";
  return head + "Connection: close\r\n\r\n";
}

}  // namespace

TestServer::TestServer(Handler handler, const Pem* tls) : handler_(std::move(handler)) {
  std::signal(SIGPIPE, SIG_IGN);  // a client that leaves early must not end the test
  if (tls) {
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    BIO* certBio = BIO_new_mem_buf(tls->cert.data(), static_cast<int>(tls->cert.size()));
    BIO* keyBio = BIO_new_mem_buf(tls->key.data(), static_cast<int>(tls->key.size()));
    X509* cert = PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr);
    EVP_PKEY* key = PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr);
    bool ok = cert && key && SSL_CTX_use_certificate(ctx, cert) == 1 && SSL_CTX_use_PrivateKey(ctx, key) == 1;
    X509_free(cert);
    EVP_PKEY_free(key);
    BIO_free(certBio);
    BIO_free(keyBio);
    if (!ok) {
      SSL_CTX_free(ctx);
      throw std::runtime_error("test server: bad certificate");
    }
    ssl_ = ctx;
  }
  if (pipe(wake_) != 0) throw std::runtime_error("pipe");
  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;  // ephemeral
  socklen_t len = sizeof addr;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd_, 64) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    throw std::runtime_error("test server: cannot listen");
  port_ = ntohs(addr.sin_port);
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

TestServer::~TestServer() {
  char c = 'x';
  (void)!write(wake_[1], &c, 1);  // never drained: wakes every waiting thread
  acceptThread_.join();
  std::vector<std::thread> workers;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    workers.swap(workers_);
  }
  for (std::thread& t : workers) t.join();
  close(listenFd_);
  close(wake_[0]);
  close(wake_[1]);
  SSL_CTX_free(static_cast<SSL_CTX*>(ssl_));
}

std::string TestServer::Url(const std::string& path) const { return UrlFor("127.0.0.1", path); }

std::string TestServer::UrlFor(const std::string& host, const std::string& path) const {
  return std::string(ssl_ ? "https://" : "http://") + host + ":" + std::to_string(port_) + path;
}

std::vector<TestRequest> TestServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

int TestServer::Connections() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return connections_;
}

int TestServer::FailedHandshakes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failedHandshakes_;
}

size_t TestServer::BodyBytesSent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bodyBytes_;
}

void TestServer::AcceptLoop() {
  while (WaitReadable(listenFd_, wake_[0])) {
    int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard<std::mutex> lock(mutex_);
    ++connections_;
    workers_.emplace_back([this, fd] { Serve(fd); });
  }
}

void TestServer::Serve(int fd) {
  SSL* ssl = nullptr;
  if (ssl_) {
    ssl = SSL_new(static_cast<SSL_CTX*>(ssl_));
    SSL_set_fd(ssl, fd);
    if (SSL_accept(ssl) != 1) {
      ERR_clear_error();
      SSL_free(ssl);
      close(fd);
      std::lock_guard<std::mutex> lock(mutex_);
      ++failedHandshakes_;
      return;
    }
  }
  Conn conn(fd, ssl);

  std::string in;
  char buf[4096];
  while (in.find("\r\n\r\n") == std::string::npos && in.size() < 65536) {
    if (!conn.Pending() && !WaitReadable(fd, wake_[0])) return;
    long n = conn.Read(buf, sizeof buf);
    if (n <= 0) return;
    in.append(buf, static_cast<size_t>(n));
  }
  TestRequest req;
  size_t sp1 = in.find(' '), sp2 = in.find(' ', sp1 + 1);
  if (sp1 == std::string::npos || sp2 == std::string::npos) return;
  req.method = in.substr(0, sp1);
  req.path = in.substr(sp1 + 1, sp2 - sp1 - 1);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(req);
  }

  TestResponse r = handler_(req);
  if (r.dropConnection) return;
  if (!conn.Write(Head(r))) return;
  if (req.method != "HEAD") {
    std::string body = r.body.substr(0, std::min(r.sendBytes, r.body.size()));
    bool whole = body.size() == r.body.size();
    std::string wire = body;
    if (r.framing == TestResponse::Framing::kChunked) {
      char size[32];
      std::snprintf(size, sizeof size, "%zx\r\n", body.size());
      wire = body.empty() ? "" : size + body + "\r\n";
      if (whole) wire += "0\r\n\r\n";
    }
    if (!conn.Write(wire)) return;
    std::lock_guard<std::mutex> lock(mutex_);
    bodyBytes_ += body.size();
  }
  if (r.holdOpen) {
    // Until the client goes away (or the server stops).
    while (WaitReadable(fd, wake_[0]) && conn.Read(buf, sizeof buf) > 0) {
    }
  }
}

RefusingPort::RefusingPort() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
    throw std::runtime_error("cannot reserve a port");
  port_ = ntohs(addr.sin_port);  // bound, never listening: connections are refused
}

RefusingPort::~RefusingPort() { close(fd_); }

}  // namespace vr::testing
