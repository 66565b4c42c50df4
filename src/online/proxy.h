#pragma once

// The proxy of the draw download: none, a manual one, or one picked from a public proxy list.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"
#include "online/http.h"

namespace korvane {

// The filter of the proxy list's query.
struct ProxyListQuery {
  std::vector<std::string> protocols;  // "http", "https", "socks4", "socks5"
  std::vector<int> anonymity;          // levels 1..4
  std::vector<std::string> countries;
  int minUptime = 75;
  int maxResponseMs = 10;
};

// The query of the download's candidates for an address: https proxies for an https address,
// else http and https ones.
ProxyListQuery CandidateQuery(const std::string& forUrl);
// The address of page k (from 1) of the list.
std::string ProxyListPageUrl(const std::string& listUrl, const ProxyListQuery& query, int page);

struct ProxyListPage {
  std::vector<std::string> candidates;  // "host:port"
  int rows = 0;                         // rows of the table, usable or not
};
// Reads one page of the list; rows whose host or port is not usable are left out.
ProxyListPage ParseProxyListPage(std::string_view page);

// A host name or address a proxy may have: letters, digits, dots, hyphens (or an IPv6 address
// in brackets), at most 253 characters.
bool IsValidProxyHost(std::string_view host);
// "host:port" with a valid host and a port 1..65535.
std::optional<HttpProxy> ParseProxyText(std::string_view text);

// Fetches a page of the proxy list (a request without a proxy).
using PageFetcher = std::function<std::string(const std::string& url)>;
// Tells the person something (an error box) or shows a status text.
using Notice = std::function<void(const std::string& text)>;

class ProxyChooser {
 public:
  ProxyChooser(ProxySettings settings, std::string listUrl)
      : settings_(std::move(settings)), listUrl_(std::move(listUrl)) {}

  const ProxySettings& Settings() const { return settings_; }
  // False after an automatic pick that is not stored yet.
  bool Saved() const { return saved_; }
  void MarkSaved() { saved_ = true; }
  const std::vector<std::string>& Candidates() const { return candidates_; }
  void SetCandidates(std::vector<std::string> candidates) { candidates_ = std::move(candidates); }
  void DiscardCandidates() { candidates_.clear(); }

  // Applies the settings to the client before a request to `url`. False when the automatic
  // mode found no proxy: no request is to be made. Errors of the list are told through
  // `error`, the search through `status`.
  bool PrepareProxy(const std::string& url, HttpClient& client, const PageFetcher& fetch,
                    const Notice& error, const Notice& status);
  // Automatic mode: drops the failed candidate; true when another remains.
  bool NextProxy();
  // The proxy host and port in effect after PrepareProxy (none for a direct connection).
  std::optional<std::pair<std::string, int>> InEffect() const;

 private:
  void FetchCandidates(const std::string& url, const PageFetcher& fetch, const Notice& status);

  ProxySettings settings_;
  std::string listUrl_;
  bool saved_ = true;
  std::vector<std::string> candidates_;
  bool inEffect_ = false;
};

}  // namespace korvane
