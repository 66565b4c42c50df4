#include "online/http.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "core/strutil.h"
#include "online/texts.h"

namespace korvane {

namespace {

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct UrlParts {
  std::string scheme;
  std::string host;
};

std::optional<UrlParts> SplitUrl(const std::string& url) {
  GlobalInit();
  CURLU* u = curl_url();
  if (u == nullptr) return std::nullopt;
  std::optional<UrlParts> parts;
  if (curl_url_set(u, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
    char* scheme = nullptr;
    char* host = nullptr;
    if (curl_url_get(u, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(u, CURLUPART_HOST, &host, 0) == CURLUE_OK)
      parts = UrlParts{LowerUtf8(scheme), LowerUtf8(host)};
    curl_free(scheme);
    curl_free(host);
  }
  curl_url_cleanup(u);
  return parts;
}

bool IsLoopbackHost(const std::string& host) {
  return host == "localhost" || host == "[::1]" || host == "::1" || host.rfind("127.", 0) == 0;
}

using Clock = std::chrono::steady_clock;

// The state of one transfer, seen by the callbacks.
struct Transfer {
  std::string body;
  std::string statusLine;
  size_t maxBody = 0;
  bool tooLarge = false;
  Clock::time_point lastActivity;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  t->lastActivity = Clock::now();
  if (t->body.size() + n > t->maxBody) {
    t->tooLarge = true;
    return 0;  // stops the transfer with a write error
  }
  t->body.append(data, n);
  return n;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  t->lastActivity = Clock::now();
  const std::string_view line(data, n);
  if (line.rfind("HTTP/", 0) == 0) t->statusLine = std::string(Trim(line));
  return n;
}

class CurlClient final : public HttpClient {
 public:
  explicit CurlClient(const HttpOptions& options) : options_(options) {
    GlobalInit();
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
    if (easy_ == nullptr || multi_ == nullptr) throw Error("libcurl: curl_easy_init failed");
    headers_ = curl_slist_append(headers_, (std::string("Accept: ") + HttpAccept).c_str());
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(easy_, CURLOPT_ACCEPT_ENCODING, HttpAcceptEncoding);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, HttpUserAgent);
    curl_easy_setopt(easy_, CURLOPT_COOKIEFILE, "");      // cookies kept in memory
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);  // each hop is checked here
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy_, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!options_.caFile.empty()) curl_easy_setopt(easy_, CURLOPT_CAINFO, options_.caFile.c_str());
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options_.connectTimeoutMs));
    curl_easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(options_.maxBodyBytes));
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, OnHeader);
    SetProxy(std::nullopt);
  }

  ~CurlClient() override {
    curl_multi_cleanup(multi_);
    curl_easy_cleanup(easy_);
    curl_slist_free_all(headers_);
  }

  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;

  std::string Get(const std::string& url, const KeepGoing& keepGoing) override {
    return Request(url, nullptr, keepGoing);
  }

  std::string PostForm(const std::string& url,
                       const std::vector<std::pair<std::string, std::string>>& fields,
                       const KeepGoing& keepGoing) override {
    std::string form;
    for (const auto& [name, value] : fields) {
      if (!form.empty()) form += '&';
      form += Escape(name) + '=' + Escape(value);
    }
    return Request(url, &form, keepGoing);
  }

  void SetProxy(const std::optional<HttpProxy>& proxy) override {
    // An empty proxy text also keeps the environment's proxy variables out.
    if (!proxy || proxy->host.empty()) {
      curl_easy_setopt(easy_, CURLOPT_PROXY, "");
      return;
    }
    curl_easy_setopt(easy_, CURLOPT_PROXY, proxy->host.c_str());
    curl_easy_setopt(easy_, CURLOPT_PROXYPORT, static_cast<long>(proxy->port));
    curl_easy_setopt(easy_, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    curl_easy_setopt(easy_, CURLOPT_PROXYUSERNAME, proxy->user.c_str());
    curl_easy_setopt(easy_, CURLOPT_PROXYPASSWORD, proxy->password.c_str());
  }

 private:
  std::string Escape(const std::string& s) {
    char* e = curl_easy_escape(easy_, s.data(), static_cast<int>(s.size()));
    std::string out = e != nullptr ? e : "";
    curl_free(e);
    return out;
  }

  std::string Request(std::string url, const std::string* form, const KeepGoing& keepGoing) {
    for (int hop = 0;; ++hop) {
      CheckAllowedUrl(url);
      if (hop > options_.maxRedirects)
        throw Error(Format(texts::HttpTooManyRedirects, options_.maxRedirects));
      curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
      if (form != nullptr) {
        curl_easy_setopt(easy_, CURLOPT_COPYPOSTFIELDS, form->c_str());
      } else {
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
      }
      Transfer t;
      t.maxBody = options_.maxBodyBytes;
      Perform(t, keepGoing);
      long code = 0;
      curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &code);
      if (code >= 200 && code < 300) return std::move(t.body);
      char* location = nullptr;
      if (code >= 300 && code < 400 &&
          curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
          location != nullptr) {
        url = location;
        // A form answered by a redirect is followed by a plain GET, as browsers do.
        if (code != 307 && code != 308) form = nullptr;
        continue;
      }
      throw Error(t.statusLine.empty() ? Format("HTTP %ld", code) : t.statusLine);
    }
  }

  void Perform(Transfer& t, const KeepGoing& keepGoing) {
    errorBuffer_[0] = '\0';
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, &t);
    curl_multi_add_handle(multi_, easy_);
    bool cancelled = false;
    bool timedOut = false;
    bool connected = false;
    int running = 1;
    while (running > 0) {
      if (curl_multi_perform(multi_, &running) != CURLM_OK || running == 0) break;
      curl_multi_poll(multi_, nullptr, 0, 50, nullptr);
      if (options_.onProgress) {
        curl_off_t total = 0;
        curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
        options_.onProgress(static_cast<int64_t>(t.body.size()), std::max<int64_t>(total, 0));
      }
      if (keepGoing && !keepGoing()) {
        cancelled = true;
        break;
      }
      // The read time-out counts from the moment the request could be sent.
      curl_off_t pretransfer = 0;
      curl_easy_getinfo(easy_, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
      if (!connected && pretransfer > 0) {
        connected = true;
        t.lastActivity = Clock::now();
      }
      if (connected &&
          Clock::now() - t.lastActivity > std::chrono::milliseconds(options_.readTimeoutMs)) {
        timedOut = true;
        break;
      }
    }
    if (options_.onProgress && !cancelled && !timedOut)
      options_.onProgress(static_cast<int64_t>(t.body.size()), static_cast<int64_t>(t.body.size()));
    CURLcode result = CURLE_OK;
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi_, &queued))
      if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy_) result = msg->data.result;
    curl_multi_remove_handle(multi_, easy_);
    if (cancelled) throw Cancelled(texts::HttpCancelled);
    if (timedOut) throw Error(Format(texts::HttpReadTimeout, options_.readTimeoutMs));
    if (t.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
      throw Error(Format(texts::HttpBodyTooLarge, static_cast<int>(options_.maxBodyBytes >> 20)));
    if (result != CURLE_OK) {
      std::string text = curl_easy_strerror(result);
      if (errorBuffer_[0] != '\0') text += std::string(": ") + errorBuffer_;
      throw Error(text);
    }
  }

  HttpOptions options_;
  CURL* easy_ = nullptr;
  CURLM* multi_ = nullptr;
  curl_slist* headers_ = nullptr;
  char errorBuffer_[CURL_ERROR_SIZE] = {};
};

}  // namespace

bool IsAllowedUrl(const std::string& url) {
  const auto parts = SplitUrl(url);
  if (!parts) return false;
  if (parts->scheme == "https") return true;
  return parts->scheme == "http" && IsLoopbackHost(parts->host);
}

void CheckAllowedUrl(const std::string& url) {
  if (!IsAllowedUrl(url)) throw Error(Format(texts::HttpRefusedScheme, url.c_str()));
}

std::unique_ptr<HttpClient> MakeCurlClient(const HttpOptions& options) {
  return std::make_unique<CurlClient>(options);
}

void GetToFile(HttpClient& client, const std::string& url, const fs::path& file,
               const KeepGoing& keepGoing) {
  WriteFileAtomic(file, client.Get(url, keepGoing));
}

}  // namespace korvane
