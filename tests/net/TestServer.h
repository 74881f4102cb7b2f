#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TestCa.h"

namespace vr::testing {

struct TestRequest {
  std::string method;
  std::string path;
};

// What the server answers to one request.
struct TestResponse {
  int status = 200;
  std::string body;
  std::vector<std::string> headers;  // extra "Name: value" lines
  // How the body's end is told: a Content-Length header (the body's size, or
  // `declaredLength` when that is set), chunked encoding, or closing the
  // connection with no length at all.
  enum class Framing { kLength, kChunked, kClose } framing = Framing::kLength;
  long long declaredLength = -1;
  // Sends only the first `sendBytes` bytes of the body, then...
  size_t sendBytes = std::numeric_limits<size_t>::max();
  // ...keeps the connection open until the client leaves (instead of closing).
  bool holdOpen = false;
  // Closes the connection at once without any answer.
  bool dropConnection = false;
};

// A real HTTP/1.1 server on 127.0.0.1 at an ephemeral port, plain or TLS,
// one thread per connection, one request per connection. It records what it
// was asked.
class TestServer {
 public:
  using Handler = std::function<TestResponse(const TestRequest&)>;

  explicit TestServer(Handler handler, const Pem* tls = nullptr);
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  uint16_t Port() const { return port_; }
  // "http://127.0.0.1:<port><path>" (https with TLS).
  std::string Url(const std::string& path) const;
  std::string UrlFor(const std::string& host, const std::string& path) const;

  std::vector<TestRequest> Requests() const;
  int Connections() const;
  int FailedHandshakes() const;
  // Body bytes written to clients (answers to HEAD carry none).
  size_t BodyBytesSent() const;

 private:
  void AcceptLoop();
  void Serve(int fd);

  Handler handler_;
  void* ssl_ = nullptr;  // SSL_CTX*
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  uint16_t port_ = 0;
  std::thread acceptThread_;
  mutable std::mutex mutex_;
  std::vector<std::thread> workers_;
  std::vector<TestRequest> requests_;
  int connections_ = 0;
  int failedHandshakes_ = 0;
  size_t bodyBytes_ = 0;
};

// A local port on which nothing listens: connecting is refused at once. The
// port stays reserved (bound) for the object's life.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  uint16_t Port() const { return port_; }

 private:
  int fd_ = -1;
  uint16_t port_ = 0;
};

}  // namespace vr::testing
