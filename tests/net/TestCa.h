#pragma once
#include <string>

namespace vr::testing {

// Keys and certificates made at test time with OpenSSL, as PEM text.
struct Pem {
  std::string cert;
  std::string key;
};

// A throw-away certificate authority: issues server certificates for given
// subject alternative names ("IP:127.0.0.1", "DNS:localhost").
class TestCa {
 public:
  TestCa();
  ~TestCa();
  TestCa(const TestCa&) = delete;
  TestCa& operator=(const TestCa&) = delete;

  const std::string& CertPem() const { return cert_; }
  Pem Issue(const std::string& altNames) const;

  // A certificate that signs itself, for the same names, from no authority.
  static Pem SelfSigned(const std::string& altNames);

 private:
  void* key_ = nullptr;   // EVP_PKEY*
  void* x509_ = nullptr;  // X509*
  std::string cert_;
};

}  // namespace vr::testing
