#pragma once

// HTTP requests of the online services: one client interface, and its libcurl form.
// A request either gives the whole body of a 2xx reply or throws Error; it never gives the
// page of a failed reply.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/error.h"
#include "core/fileio.h"

namespace korvane {

// The transfer was stopped because the caller asked to stop.
class Cancelled : public Error {
 public:
  using Error::Error;
};

struct HttpProxy {
  std::string host;
  int port = 0;
  std::string user;
  std::string password;
};

struct HttpOptions {
  int connectTimeoutMs = 5000;
  // Longest wait for the next bytes of a reply.
  int readTimeoutMs = 10000;
  // Largest body, after gzip/deflate decoding.
  size_t maxBodyBytes = size_t{10} << 20;
  int maxRedirects = 10;
  // A certificate authority file used in place of the system store (tests).
  std::string caFile;
  // Told while a reply arrives: the body bytes so far and the announced length (0: unknown).
  std::function<void(int64_t received, int64_t total)> onProgress;
};

// Asked while a request waits; false stops it (the request throws Cancelled).
using KeepGoing = std::function<bool()>;

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // A GET; redirects are followed. The body as single-byte text, as received.
  virtual std::string Get(const std::string& url, const KeepGoing& keepGoing) = 0;
  // A POST of name=value pairs as a form.
  virtual std::string PostForm(const std::string& url,
                               const std::vector<std::pair<std::string, std::string>>& fields,
                               const KeepGoing& keepGoing) = 0;
  // The proxy for the following requests; none: a direct connection.
  virtual void SetProxy(const std::optional<HttpProxy>& proxy) = 0;
};

// The request headers every request sends.
inline constexpr const char* HttpAccept =
    "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
inline constexpr const char* HttpAcceptEncoding = "gzip, deflate";
inline constexpr const char* HttpUserAgent =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/47.0.2526.80 Safari/537.36";

// True for an address the client may fetch: https anywhere, plain http only on this computer
// (127.0.0.1, ::1, localhost).
bool IsAllowedUrl(const std::string& url);
// Throws Error when the address is not allowed.
void CheckAllowedUrl(const std::string& url);

// The libcurl client. One object keeps its cookies across its requests; TLS certificates and
// host names are verified, TLS 1.2 at least.
std::unique_ptr<HttpClient> MakeCurlClient(const HttpOptions& options = {});

// Fetches a page into a file (replaced atomically).
void GetToFile(HttpClient& client, const std::string& url, const fs::path& file,
               const KeepGoing& keepGoing);

}  // namespace korvane
