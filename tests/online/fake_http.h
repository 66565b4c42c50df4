#pragma once

// An HTTP client that answers from a table, for the download and proxy tests.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "online/http.h"

namespace korvane::test {

// A date of a results address ("fromDateIn" or "toDateIn", MM%2FDD%2FYYYY) as yyyymmdd.
inline int QueryDate(const std::string& url, const std::string& key) {
  const std::string v = url.substr(url.find(key + "=") + key.size() + 1, 14);
  return std::stoi(v.substr(10, 4)) * 10000 + std::stoi(v.substr(0, 2)) * 100 +
         std::stoi(v.substr(5, 2));
}

class FakeHttp : public HttpClient {
 public:
  // Answers the request (its address and the proxy in effect); throws Error for a failure.
  std::function<std::string(const std::string& url, const std::string& proxy)> answer;
  std::vector<std::string> urls;     // every request made
  std::vector<std::string> proxies;  // "host:port" or "" for each request
  std::string proxy;

  std::string Get(const std::string& url, const KeepGoing& keepGoing) override {
    urls.push_back(url);
    proxies.push_back(proxy);
    if (keepGoing && !keepGoing()) throw Cancelled("cancelled");
    return answer(url, proxy);
  }
  std::string PostForm(const std::string& url,
                       const std::vector<std::pair<std::string, std::string>>&,
                       const KeepGoing& keepGoing) override {
    return Get(url, keepGoing);
  }
  void SetProxy(const std::optional<HttpProxy>& p) override {
    proxy = p && !p->host.empty() ? p->host + ":" + std::to_string(p->port) : "";
  }
};

}  // namespace korvane::test
