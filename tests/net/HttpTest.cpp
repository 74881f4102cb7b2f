#include "net/Http.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "TestCa.h"
#include "TestServer.h"
#include "net/NetSettings.h"
#include "tests/support/TempFolder.h"

namespace vr {
namespace {

using testing::Pem;
using testing::RefusingPort;
using testing::TestCa;
using testing::TestRequest;
using testing::TestResponse;
using testing::TestServer;
using test::TempFolder;

void Put(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TestResponse Ok(std::string body) {
  TestResponse r;
  r.body = std::move(body);
  return r;
}

TestResponse Status(int status, std::string body = "") {
  TestResponse r;
  r.status = status;
  r.body = std::move(body);
  return r;
}

TestResponse Redirect(const std::string& location) {
  TestResponse r;
  r.status = 302;
  r.headers.push_back("Location: " + location);
  return r;
}

std::vector<std::string> Paths(const TestServer& server) {
  std::vector<std::string> out;
  for (const TestRequest& r : server.Requests()) out.push_back(r.method + " " + r.path);
  return out;
}

class Http : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitHttpLibrary(); }
  void SetUp() override { SetNetSettings(NetSettings{}); }
  void TearDown() override { SetNetSettings(NetSettings{}); }
};

// ---- HttpGet over plain HTTP ----

TEST_F(Http, Answer200_Get_ReturnsTrueAndBody) {
  TestServer server([](const TestRequest&) { return Ok("hello 北京"); });
  std::string body = "stale";
  EXPECT_TRUE(HttpGet(server.Url("/weather?city=1"), body));
  EXPECT_EQ(body, "hello 北京");
  EXPECT_EQ(Paths(server), std::vector<std::string>{"GET /weather?city=1"});
}

struct StatusCase {
  int status;
  bool result;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.status; }

class HttpStatus : public Http, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(HttpStatus, Answer_Get_IsNotRetriedAndKeepsBody) {
  TestServer server([](const TestRequest&) { return Status(GetParam().status, "page"); });
  std::string body;
  EXPECT_EQ(HttpGet(server.Url("/x"), body), GetParam().result);
  EXPECT_EQ(body, "page");
  EXPECT_EQ(server.Connections(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, HttpStatus,
                         ::testing::Values(StatusCase{200, true}, StatusCase{299, true}, StatusCase{404, false},
                                           StatusCase{500, false}, StatusCase{301, false}));

TEST_F(Http, BodyFramings_Get_ReadWholeBody) {
  const std::string big(300000, 'z');
  for (auto framing : {TestResponse::Framing::kLength, TestResponse::Framing::kChunked, TestResponse::Framing::kClose}) {
    TestServer server([&](const TestRequest&) {
      TestResponse r = Ok(big);
      r.framing = framing;
      return r;
    });
    std::string body;
    EXPECT_TRUE(HttpGet(server.Url("/"), body));
    EXPECT_EQ(body, big);
  }
}

TEST_F(Http, ConnectionRefused_Get_ReturnsFalseWithEmptyBody) {
  RefusingPort port;
  std::string body = "stale";
  EXPECT_FALSE(HttpGet("http://127.0.0.1:" + std::to_string(port.Port()) + "/", body));
  EXPECT_TRUE(body.empty());
}

TEST_F(Http, ConnectionDroppedEveryTime_Get_TriesThreeTimesThenFalse) {
  TestServer server([](const TestRequest&) {
    TestResponse r;
    r.dropConnection = true;
    return r;
  });
  std::string body = "stale";
  EXPECT_FALSE(HttpGet(server.Url("/"), body));
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(server.Connections(), 3);
}

TEST_F(Http, FirstTransferCutShort_Get_RetriesAndKeepsOnlyTheWholeAnswer) {
  std::atomic<int> calls{0};
  TestServer server([&](const TestRequest&) {
    TestResponse r = Ok("0123456789abcdef");
    if (calls++ == 0) r.sendBytes = 5;  // Content-Length promises 16
    return r;
  });
  std::string body;
  EXPECT_TRUE(HttpGet(server.Url("/"), body));
  EXPECT_EQ(body, "0123456789abcdef");
  EXPECT_EQ(server.Connections(), 2);
}

TEST_F(Http, Redirect_Get_FollowsToTarget) {
  TestServer server([](const TestRequest& r) {
    if (r.path == "/start") return Redirect("/middle");
    if (r.path == "/middle") return Redirect("/final");
    return Ok("arrived");
  });
  std::string body;
  EXPECT_TRUE(HttpGet(server.Url("/start"), body));
  EXPECT_EQ(body, "arrived");
  EXPECT_EQ(Paths(server), (std::vector<std::string>{"GET /start", "GET /middle", "GET /final"}));
}

TEST_F(Http, RedirectLoop_Get_GivesUp) {
  TestServer server([](const TestRequest&) { return Redirect("/again"); });
  std::string body;
  EXPECT_FALSE(HttpGet(server.Url("/again"), body));
  EXPECT_TRUE(body.empty());
  EXPECT_LE(server.Requests().size(), static_cast<size_t>(kHttpGetAttempts * (kHttpMaxRedirects + 1)));
}

TEST_F(Http, RedirectToLocalFile_Get_IsRefused) {
  TestServer server([](const TestRequest&) { return Redirect("file:///etc/passwd"); });
  std::string body;
  EXPECT_FALSE(HttpGet(server.Url("/"), body));
  EXPECT_TRUE(body.empty());
}

TEST_F(Http, NonHttpUrl_Get_IsRefused) {
  std::string body;
  EXPECT_FALSE(HttpGet("file:///etc/passwd", body));
  EXPECT_TRUE(body.empty());
  EXPECT_FALSE(HttpGet("not a url", body));
}

TEST_F(Http, ManyThreads_Get_EachGetsItsOwnAnswer) {
  TestServer server([](const TestRequest& r) { return Ok("answer" + r.path); });
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int i = 0; i < 6; ++i)
    threads.emplace_back([&, i] {
      std::string body;
      if (HttpGet(server.Url("/" + std::to_string(i)), body) && body == "answer/" + std::to_string(i)) ++good;
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(good.load(), 6);
}

// ---- TLS ----

class HttpTls : public Http {
 protected:
  void SetUp() override {
    Http::SetUp();
    Put(dir_.File("ca.pem"), ca_.CertPem());
  }
  void TrustTestCa() { SetNetSettings(NetSettings{"", dir_.File("ca.pem")}); }

  TempFolder dir_;
  TestCa ca_;
};

TEST_F(HttpTls, CertificateFromUnknownCa_Get_IsRefused) {
  Pem pem = ca_.Issue("IP:127.0.0.1");
  TestServer server([](const TestRequest&) { return Ok("secret"); }, &pem);
  std::string body;
  EXPECT_FALSE(HttpGet(server.Url("/"), body));
  EXPECT_TRUE(body.empty());
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(server.Connections(), 3);
}

TEST_F(HttpTls, CertificateFromConfiguredCa_Get_Succeeds) {
  Pem pem = ca_.Issue("IP:127.0.0.1,DNS:localhost");
  TestServer server([](const TestRequest&) { return Ok("secret"); }, &pem);
  TrustTestCa();
  std::string body;
  EXPECT_TRUE(HttpGet(server.Url("/"), body));
  EXPECT_EQ(body, "secret");
  EXPECT_TRUE(HttpGet(server.UrlFor("localhost", "/"), body));
}

TEST_F(HttpTls, CertificateForAnotherHost_Get_IsRefusedEvenFromConfiguredCa) {
  Pem pem = ca_.Issue("DNS:other.example");
  TestServer server([](const TestRequest&) { return Ok("secret"); }, &pem);
  TrustTestCa();
  std::string body;
  EXPECT_FALSE(HttpGet(server.Url("/"), body));
  EXPECT_TRUE(body.empty());
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpTls, SelfSignedCertificate_Get_IsRefused) {
  Pem pem = TestCa::SelfSigned("IP:127.0.0.1");
  TestServer server([](const TestRequest&) { return Ok("secret"); }, &pem);
  TrustTestCa();
  std::string body;
  EXPECT_FALSE(HttpGet(server.Url("/"), body));
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpTls, MissingCaFile_Requests_StillWorkWithSystemStore) {
  SetNetSettings(NetSettings{"", dir_.File("no-such-ca.pem")});
  Pem pem = ca_.Issue("IP:127.0.0.1");
  TestServer tls([](const TestRequest&) { return Ok("secret"); }, &pem);
  TestServer plain([](const TestRequest&) { return Ok("open"); });
  std::string body;
  EXPECT_FALSE(HttpGet(tls.Url("/"), body));
  EXPECT_TRUE(HttpGet(plain.Url("/"), body));
  EXPECT_EQ(body, "open");
}

TEST_F(HttpTls, RedirectFromHttpToTrustedHttps_Get_Follows) {
  Pem pem = ca_.Issue("IP:127.0.0.1");
  TestServer tls([](const TestRequest&) { return Ok("moved here"); }, &pem);
  TestServer plain([&](const TestRequest&) { return Redirect(tls.Url("/x")); });
  TrustTestCa();
  std::string body;
  EXPECT_TRUE(HttpGet(plain.Url("/"), body));
  EXPECT_EQ(body, "moved here");
}

TEST_F(HttpTls, DownloadOverUntrustedTls_LeavesNothing) {
  Pem pem = ca_.Issue("IP:127.0.0.1");
  TestServer server([](const TestRequest&) { return Ok("forged holidays"); }, &pem);
  TempFolder out;
  EXPECT_FALSE(HttpDownload(server.Url("/holiday.xml"), nullptr, 0, out.File("holiday.xml")));
  EXPECT_TRUE(out.Names().empty());
}

// ---- net.ini ----

TEST_F(Http, NetIni_Load_ReadsDnsAndCaFile) {
  TempFolder dir;
  Put(dir.File("net.ini"), "[Other]\ndns=9.9.9.9\n[VeskoSoft]\ndns = 1.1.1.1:53,8.8.8.8 \ncafile=certs/private.pem\n");
  LoadNetSettingsFrom(dir.File("net.ini"));
  EXPECT_EQ(CurrentNetSettings().dnsServers, "1.1.1.1:53,8.8.8.8");
  EXPECT_EQ(CurrentNetSettings().caFile, dir.File("certs/private.pem"));
  Put(dir.File("net.ini"), "[VeskoSoft]\ncafile=/etc/x.pem\n");
  LoadNetSettingsFrom(dir.File("net.ini"));
  EXPECT_EQ(CurrentNetSettings().dnsServers, "");
  EXPECT_EQ(CurrentNetSettings().caFile, "/etc/x.pem");
}

TEST_F(Http, NoNetIni_Load_LeavesSettingsEmpty) {
  TempFolder dir;
  SetNetSettings(NetSettings{"1.2.3.4", "/x.pem"});
  LoadNetSettingsFrom(dir.File("net.ini"));
  EXPECT_EQ(CurrentNetSettings().dnsServers, "");
  EXPECT_EQ(CurrentNetSettings().caFile, "");
}

TEST_F(Http, DnsServersConfigured_GetByAddress_StillWorks) {
  TestServer server([](const TestRequest&) { return Ok("ok"); });
  SetNetSettings(NetSettings{"127.0.0.1:1", ""});
  std::string body;
  EXPECT_TRUE(HttpGet(server.Url("/"), body));
  EXPECT_EQ(body, "ok");
}

// ---- HttpDownload ----

std::atomic<int> gProgressCalls{0};
std::atomic<int32_t> gProgressUser{0};
std::atomic<double> gProgressMaxNow{0};

int32_t RecordProgress(int32_t user, double, double dlNow, double, double) {
  ++gProgressCalls;
  gProgressUser = user;
  if (dlNow > gProgressMaxNow) gProgressMaxNow = dlNow;
  return 0;
}

int32_t AbortOnFirstByte(int32_t, double, double dlNow, double, double) { return dlNow > 0 ? 1 : 0; }

TEST_F(Http, NewFile_Download_WritesItAndLeavesNoTemporary) {
  const std::string content(200000, 'h');
  TestServer server([&](const TestRequest&) { return Ok(content); });
  TempFolder dir;
  gProgressCalls = 0;
  gProgressMaxNow = 0;
  ASSERT_TRUE(HttpDownload(server.Url("/holiday.xml"), &RecordProgress, 4242, dir.File("holiday.xml")));
  EXPECT_EQ(Get(dir.File("holiday.xml")), content);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"holiday.xml"});
  EXPECT_GT(gProgressCalls.load(), 0);
  EXPECT_EQ(gProgressUser.load(), 4242);
  EXPECT_EQ(gProgressMaxNow.load(), static_cast<double>(content.size()));
}

TEST_F(Http, ExistingFile_Download_FailsWithoutAnyRequest) {
  TestServer server([](const TestRequest&) { return Ok("new"); });
  TempFolder dir;
  Put(dir.File("holiday.xml"), "old");
  EXPECT_FALSE(HttpDownload(server.Url("/holiday.xml"), nullptr, 0, dir.File("holiday.xml")));
  EXPECT_EQ(Get(dir.File("holiday.xml")), "old");
  EXPECT_EQ(server.Connections(), 0);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"holiday.xml"});
}

struct FailedDownloadCase {
  const char* what;
  TestResponse response;
  DownloadProgressFn progress;
};

void PrintTo(const FailedDownloadCase& c, std::ostream* os) { *os << c.what; }

class HttpFailedDownload : public Http, public ::testing::WithParamInterface<FailedDownloadCase> {};

TEST_P(HttpFailedDownload, BadTransfer_Download_LeavesNothingBehind) {
  TestServer server([](const TestRequest&) { return GetParam().response; });
  TempFolder dir;
  EXPECT_FALSE(HttpDownload(server.Url("/f"), GetParam().progress, 0, dir.File("f.xml"))) << GetParam().what;
  EXPECT_TRUE(dir.Names().empty()) << GetParam().what;
}

TestResponse CutShort() {
  TestResponse r = Ok(std::string(100000, 'c'));
  r.sendBytes = 30000;
  return r;
}

TestResponse CutShortChunked() {
  TestResponse r = CutShort();
  r.framing = TestResponse::Framing::kChunked;
  return r;
}

TestResponse StallsAfterFirstPart() {
  TestResponse r = Ok(std::string(1000000, 's'));
  r.sendBytes = 65536;
  r.holdOpen = true;
  return r;
}

TestResponse Dropped() {
  TestResponse r;
  r.dropConnection = true;
  return r;
}

INSTANTIATE_TEST_SUITE_P(Cases, HttpFailedDownload,
                         ::testing::Values(FailedDownloadCase{"404", Status(404, "missing"), nullptr},
                                           FailedDownloadCase{"500", Status(500, "broken"), nullptr},
                                           FailedDownloadCase{"cut short", CutShort(), nullptr},
                                           FailedDownloadCase{"chunks cut short", CutShortChunked(), nullptr},
                                           FailedDownloadCase{"no answer", Dropped(), nullptr},
                                           FailedDownloadCase{"aborted by progress", StallsAfterFirstPart(),
                                                              &AbortOnFirstByte}),
                         [](const ::testing::TestParamInfo<FailedDownloadCase>& info) {
                           return std::to_string(info.index);
                         });

TEST_F(Http, ConnectionRefused_Download_LeavesNothingBehind) {
  RefusingPort port;
  TempFolder dir;
  EXPECT_FALSE(HttpDownload("http://127.0.0.1:" + std::to_string(port.Port()) + "/f", nullptr, 0, dir.File("f")));
  EXPECT_TRUE(dir.Names().empty());
}

TEST_F(Http, MissingFolder_Download_FailsWithoutRequest) {
  TestServer server([](const TestRequest&) { return Ok("x"); });
  TempFolder dir;
  EXPECT_FALSE(HttpDownload(server.Url("/f"), nullptr, 0, dir.File("no/f")));
  EXPECT_EQ(server.Connections(), 0);
}

TEST_F(Http, Redirect_Download_SavesTarget) {
  TestServer server([](const TestRequest& r) { return r.path == "/f" ? Redirect("/g") : Ok("target"); });
  TempFolder dir;
  EXPECT_TRUE(HttpDownload(server.Url("/f"), nullptr, 0, dir.File("f")));
  EXPECT_EQ(Get(dir.File("f")), "target");
}

// ---- HttpEnsureFile ----

TestResponse WithFraming(TestResponse r, TestResponse::Framing framing) {
  r.framing = framing;
  return r;
}

TEST_F(Http, MissingFile_EnsureFile_DownloadsIt) {
  TestServer server([](const TestRequest&) { return Ok("<holidays/>"); });
  TempFolder dir;
  EXPECT_TRUE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/file/clock/holiday.xml?p=5")));
  EXPECT_EQ(Get(dir.File("holiday.xml")), "<holidays/>");
  EXPECT_EQ(Paths(server), std::vector<std::string>{"GET /file/clock/holiday.xml?p=5"});
}

TEST_F(Http, PresentFileAndPositiveLength_EnsureFile_KeepsItWithoutBody) {
  TestServer server([](const TestRequest&) { return Ok(std::string(5000, 'n')); });
  TempFolder dir;
  Put(dir.File("holiday.xml"), "mine");
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/h")));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "headers must not reach the console";
  EXPECT_EQ(Get(dir.File("holiday.xml")), "mine");  // kept even though the sizes differ
  EXPECT_EQ(Paths(server), std::vector<std::string>{"HEAD /h"});
  EXPECT_EQ(server.BodyBytesSent(), 0u);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"holiday.xml"});
}

TEST_F(Http, PresentFileAndNoLength_EnsureFile_ReplacesItWithCompleteCopy) {
  for (auto framing : {TestResponse::Framing::kChunked, TestResponse::Framing::kClose}) {
    TestServer server([&](const TestRequest&) { return WithFraming(Ok("<fresh/>"), framing); });
    TempFolder dir;
    Put(dir.File("holiday.xml"), "old");
    EXPECT_TRUE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/h")));
    EXPECT_EQ(Get(dir.File("holiday.xml")), "<fresh/>");
    EXPECT_EQ(Paths(server), (std::vector<std::string>{"HEAD /h", "GET /h"}));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"holiday.xml"});
  }
}

struct KeptFileCase {
  const char* what;
  std::function<TestResponse(const TestRequest&)> answer;
};

void PrintTo(const KeptFileCase& c, std::ostream* os) { *os << c.what; }

class HttpEnsureKeeps : public Http, public ::testing::WithParamInterface<KeptFileCase> {};

TEST_P(HttpEnsureKeeps, PresentFileAndUnusableAnswer_EnsureFile_FailsAndKeepsIt) {
  TestServer server(GetParam().answer);
  TempFolder dir;
  Put(dir.File("holiday.xml"), "old");
  EXPECT_FALSE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/h"))) << GetParam().what;
  EXPECT_EQ(Get(dir.File("holiday.xml")), "old") << GetParam().what;
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"holiday.xml"}) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpEnsureKeeps,
    ::testing::Values(
        KeptFileCase{"length 0", [](const TestRequest&) { return Ok(""); }},
        KeptFileCase{"no length, empty body",
                     [](const TestRequest&) { return WithFraming(Ok(""), TestResponse::Framing::kChunked); }},
        KeptFileCase{"no length, then 404",
                     [](const TestRequest& r) {
                       return r.method == "HEAD" ? WithFraming(Ok(""), TestResponse::Framing::kChunked)
                                                 : Status(404, "gone");
                     }},
        KeptFileCase{"no length, then cut short",
                     [](const TestRequest& r) {
                       if (r.method == "HEAD") return WithFraming(Ok(""), TestResponse::Framing::kChunked);
                       return WithFraming(CutShort(), TestResponse::Framing::kChunked);
                     }},
        KeptFileCase{"no answer", [](const TestRequest&) { return Dropped(); }}),
    [](const ::testing::TestParamInfo<KeptFileCase>& info) { return std::to_string(info.index); });

TEST_F(Http, PresentFileAndServerDown_EnsureFile_FailsAndKeepsIt) {
  RefusingPort port;
  TempFolder dir;
  Put(dir.File("holiday.xml"), "old");
  EXPECT_FALSE(HttpEnsureFile(dir.File("holiday.xml"), "http://127.0.0.1:" + std::to_string(port.Port()) + "/h"));
  EXPECT_EQ(Get(dir.File("holiday.xml")), "old");
}

TEST_F(Http, StopFlagSet_EnsureFile_AbortsAndLeavesNothing) {
  TestServer server([](const TestRequest&) { return StallsAfterFirstPart(); });
  TempFolder dir;
  std::atomic<bool> stop{true};
  EXPECT_FALSE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/h"), &stop));
  EXPECT_TRUE(dir.Names().empty());
}

TEST_F(Http, StopFlagSetDuringTransfer_EnsureFile_Aborts) {
  std::atomic<bool> stop{false};
  TestServer server([&](const TestRequest&) {
    stop = true;  // the worker is told to stop while the answer is on its way
    return StallsAfterFirstPart();
  });
  TempFolder dir;
  EXPECT_FALSE(HttpEnsureFile(dir.File("holiday.xml"), server.Url("/h"), &stop));
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
}  // namespace vr
