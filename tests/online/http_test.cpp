#include "online/http.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/strutil.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"

namespace korvane {
namespace {

const std::string Query =
    "/site/winningNumberSearch?fromDateIn=01%2F01%2F2020&toDateIn=01%2F02%2F2020";

class HttpTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    test::WriteResultDays(*dir_ / "rows.tsv",
                          {{"01/01/2020", "1-2-3", "4-5-6"}, {"01/02/2020", "7-8-9", "-"}});
    server_ = new test::LocalServer({"--rows", (*dir_ / "rows.tsv").string(), "--slow", "3"});
  }
  static void TearDownTestSuite() {
    delete server_;
    delete dir_;
  }
  static std::string Url(const std::string& mode) { return server_->Url(mode) + Query; }

  static test::TempDir* dir_;
  static test::LocalServer* server_;
};
test::TempDir* HttpTest::dir_ = nullptr;
test::LocalServer* HttpTest::server_ = nullptr;

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST_F(HttpTest, PagesPlainCompressedRedirectedAndWithCookies) {
  auto client = MakeCurlClient();
  const std::string plain = client->Get(Url("plain"), nullptr);
  EXPECT_NE(plain.find("<div>7-8-9</div>"), std::string::npos);
  for (const char* mode : {"gzip", "deflate", "redirect", "cookie"})
    EXPECT_EQ(client->Get(Url(mode), nullptr), plain) << mode;
  // The request headers; no "sdch" is offered.
  const std::string headers = client->Get(Url("echo"), nullptr);
  EXPECT_NE(headers.find("Accept-Encoding: gzip, deflate\n"), std::string::npos) << headers;
  EXPECT_NE(headers.find(std::string("User-Agent: ") + HttpUserAgent), std::string::npos);
  EXPECT_NE(headers.find(std::string("Accept: ") + HttpAccept), std::string::npos);
  // A new client has no cookie: the cookie page still works through its redirect.
  EXPECT_EQ(MakeCurlClient()->Get(Url("cookie"), nullptr), plain);
}

TEST_F(HttpTest, FailuresAreErrorsNeverPages) {
  HttpOptions o;
  o.readTimeoutMs = 500;
  auto client = MakeCurlClient(o);
  EXPECT_EQ(ErrorOf([&] { client->Get(Url("500"), nullptr); }),
            "HTTP/1.1 500 Internal Server Error");
  EXPECT_EQ(ErrorOf([&] { client->Get(server_->Url("plain") + "/nowhere", nullptr); }),
            "HTTP/1.1 404 Not Found");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf([&] { client->Get(Url("slow"), nullptr); }),
            Format(texts::HttpReadTimeout, 500));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
  EXPECT_EQ(ErrorOf([&] { client->Get(Url("huge"), nullptr); }),
            Format(texts::HttpBodyTooLarge, 10));
  // Plain http leaves this computer never; nothing is asked for.
  for (const char* url :
       {"http://example.com/x", "ftp://127.0.0.1/x", "file:///etc/passwd", "not a url"})
    EXPECT_NE(ErrorOf([&] { client->Get(url, nullptr); }).find("отклонён"), std::string::npos)
        << url;
  EXPECT_TRUE(IsAllowedUrl("https://www.example.com/"));
  EXPECT_TRUE(IsAllowedUrl("http://localhost:8080/"));
  // A port nobody listens on.
  EXPECT_FALSE(ErrorOf([&] { client->Get("http://127.0.0.1:1/", nullptr); }).empty());
  // The client still works after all that.
  EXPECT_NE(client->Get(Url("plain"), nullptr).find("1-2-3"), std::string::npos);
}

TEST_F(HttpTest, StopWhileWaiting) {
  auto client = MakeCurlClient();
  int asked = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(client->Get(Url("slow"), [&] { return ++asked < 5; }), Cancelled);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
}

TEST_F(HttpTest, TlsIsVerified) {
  test::LocalServer tls({"--rows", (*dir_ / "rows.tsv").string(), "--tls",
                         test::TlsFile("server.pem").string(),
                         test::TlsFile("server.key").string()});
  const std::string url = tls.Url("plain", "https") + Query;
  HttpOptions trusted;
  trusted.caFile = test::TlsFile("ca.pem").string();
  EXPECT_NE(MakeCurlClient(trusted)->Get(url, nullptr).find("4-5-6"), std::string::npos);
  // Without the test authority the certificate is refused.
  HttpOptions system;
  EXPECT_NE(ErrorOf([&] { MakeCurlClient(system)->Get(url, nullptr); }), "");
  // The certificate names 127.0.0.1 and localhost, not another name of this computer.
  const std::string other = "https://127.0.0.2:" + std::to_string(tls.Port()) + "/m/plain" + Query;
  EXPECT_NE(ErrorOf([&] { MakeCurlClient(trusted)->Get(other, nullptr); }), "");
}

TEST_F(HttpTest, ThroughAProxyWithAPassword) {
  test::TempDir d;
  const fs::path log = d / "proxy.log";
  test::LocalServer proxy({"--proxy", "--proxy-auth", "user:secret", "--log", log.string()});
  auto client = MakeCurlClient();
  client->SetProxy(HttpProxy{"127.0.0.1", proxy.Port(), "user", "secret"});
  EXPECT_NE(client->Get(Url("gzip"), nullptr).find("7-8-9"), std::string::npos);
  EXPECT_NE(test::ReadBytes(log).find("GET " + Url("gzip")), std::string::npos);
  client->SetProxy(HttpProxy{"127.0.0.1", proxy.Port(), "user", "wrong"});
  EXPECT_EQ(ErrorOf([&] { client->Get(Url("plain"), nullptr); }),
            "HTTP/1.1 407 Proxy Authentication Required");
  // Back to a direct connection.
  client->SetProxy(std::nullopt);
  EXPECT_NE(client->Get(Url("plain"), nullptr).find("7-8-9"), std::string::npos);
}

TEST_F(HttpTest, PageIntoAFile) {
  test::TempDir d;
  auto client = MakeCurlClient();
  GetToFile(*client, Url("gzip"), d / "page.html", nullptr);
  EXPECT_EQ(test::ReadBytes(d / "page.html"), client->Get(Url("plain"), nullptr));
  // A failed request leaves the file as it was.
  EXPECT_THROW(GetToFile(*client, Url("500"), d / "page.html", nullptr), Error);
  EXPECT_NE(test::ReadBytes(d / "page.html").find("7-8-9"), std::string::npos);
}

}  // namespace
}  // namespace korvane
