#include "TestCa.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace vr::testing {
namespace {

std::atomic<long> gSerial{1};

struct BioFree {
  void operator()(BIO* b) const { BIO_free(b); }
};
struct X509Free {
  void operator()(X509* x) const { X509_free(x); }
};
struct KeyFree {
  void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
using X509Ptr = std::unique_ptr<X509, X509Free>;
using KeyPtr = std::unique_ptr<EVP_PKEY, KeyFree>;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

KeyPtr NewKey() {
  KeyPtr key(EVP_EC_gen("P-256"));
  Check(key != nullptr, "EVP_EC_gen");
  return key;
}

void AddExt(X509* cert, X509* issuer, int nid, const char* value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
  Check(ext != nullptr, "X509V3_EXT_conf_nid");
  X509_add_ext(cert, ext, -1);
  X509_EXTENSION_free(ext);
}

// A certificate for `key`, named `cn`, signed by `issuerKey` (by `key` itself when null).
X509Ptr Make(EVP_PKEY* key, const char* cn, X509* issuerCert, EVP_PKEY* issuerKey, bool ca,
             const std::string& altNames) {
  X509Ptr cert(X509_new());
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), gSerial++);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 86400);
  X509_set_pubkey(cert.get(), key);
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(cn), -1, -1, 0);
  X509* issuer = issuerCert ? issuerCert : cert.get();
  X509_set_issuer_name(cert.get(), X509_get_subject_name(issuer));
  if (ca) {
    AddExt(cert.get(), issuer, NID_basic_constraints, "critical,CA:TRUE");
    AddExt(cert.get(), issuer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    AddExt(cert.get(), issuer, NID_basic_constraints, "CA:FALSE");
    AddExt(cert.get(), issuer, NID_ext_key_usage, "serverAuth");
    AddExt(cert.get(), issuer, NID_subject_alt_name, altNames.c_str());
  }
  AddExt(cert.get(), issuer, NID_subject_key_identifier, "hash");
  Check(X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) > 0, "X509_sign");
  return cert;
}

std::string CertText(X509* cert) {
  std::unique_ptr<BIO, BioFree> bio(BIO_new(BIO_s_mem()));
  PEM_write_bio_X509(bio.get(), cert);
  char* data = nullptr;
  long n = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<size_t>(n));
}

std::string KeyText(EVP_PKEY* key) {
  std::unique_ptr<BIO, BioFree> bio(BIO_new(BIO_s_mem()));
  PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr);
  char* data = nullptr;
  long n = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, static_cast<size_t>(n));
}

}  // namespace

TestCa::TestCa() {
  KeyPtr key = NewKey();
  X509Ptr cert = Make(key.get(), "VeskoRiLi Test CA", nullptr, nullptr, true, "");
  cert_ = CertText(cert.get());
  key_ = key.release();
  x509_ = cert.release();
}

TestCa::~TestCa() {
  X509_free(static_cast<X509*>(x509_));
  EVP_PKEY_free(static_cast<EVP_PKEY*>(key_));
}

Pem TestCa::Issue(const std::string& altNames) const {
  KeyPtr key = NewKey();
  X509Ptr cert = Make(key.get(), "test server", static_cast<X509*>(x509_), static_cast<EVP_PKEY*>(key_), false,
                      altNames);
  return Pem{CertText(cert.get()), KeyText(key.get())};
}

Pem TestCa::SelfSigned(const std::string& altNames) {
  KeyPtr key = NewKey();
  X509Ptr cert = Make(key.get(), "self-signed server", nullptr, nullptr, false, altNames);
  return Pem{CertText(cert.get()), KeyText(key.get())};
}

}  // namespace vr::testing
