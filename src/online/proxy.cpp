#include "online/proxy.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>

#include "core/strutil.h"
#include "online/library.h"
#include "online/markup.h"
#include "online/texts.h"

namespace korvane {

namespace {

constexpr int PageRows = 15;
constexpr int WantedCandidates = 30;

// The characters that the \xHH escapes stand for.
std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i + 4 <= s.size() && s[i] == '\\' && (s[i + 1] == 'x' || s[i + 1] == 'X');
       i += 4) {
    const auto hex = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    const int hi = hex(s[i + 2]);
    const int lo = hex(s[i + 3]);
    if (hi < 0 || lo < 0) return {};
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::optional<int> LeadingInt(std::string_view s) {
  s = Trim(s);
  size_t n = 0;
  if (n < s.size() && s[n] == '-') ++n;
  while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
  return ParseInt32(s.substr(0, n));
}

// One row of the list: the host in two parts and the port, from the row's script.
std::optional<std::string> ReadRow(std::string_view row, int portOffset) {
  const auto script = Between(row, "<script>", "</script>");
  if (!script) return std::nullopt;
  const auto var = Between(*script, "var", "split");
  if (!var) return std::nullopt;
  const auto quoted = Between(*var, "'", "'");
  if (!quoted) return std::nullopt;
  std::string host(quoted->rbegin(), quoted->rend());
  const auto encoded = Between(*script, "atob('", "'");
  if (!encoded) return std::nullopt;
  host += DecodeBase64(Unescape(*encoded));
  const auto pp = Between(*script, "pp =", ";");
  if (!pp) return std::nullopt;
  const size_t space = pp->find(' ');
  const size_t paren = pp->find('(', space == std::string_view::npos ? 0 : space + 1);
  if (space == std::string_view::npos || paren == std::string_view::npos) return std::nullopt;
  const auto port = LeadingInt(pp->substr(space + 1, paren - space - 1));
  if (!port) return std::nullopt;
  const std::string text = Format("%s:%d", host.c_str(), portOffset + *port);
  if (!ParseProxyText(text)) return std::nullopt;
  return text;
}

}  // namespace

ProxyListQuery CandidateQuery(const std::string& forUrl) {
  ProxyListQuery q;
  if (FindNoCase(forUrl, "https://") == 0)
    q.protocols = {"https"};
  else
    q.protocols = {"http", "https"};
  return q;
}

std::string ProxyListPageUrl(const std::string& listUrl, const ProxyListQuery& query, int page) {
  std::vector<std::string> parts;
  for (const std::string& p : query.protocols) parts.push_back("protocol=" + p);
  for (int a : query.anonymity) parts.push_back(Format("anonlvl=%d", a));
  for (const std::string& c : query.countries) parts.push_back("country=" + c);
  if (query.minUptime > 0) parts.push_back(Format("min_uptime=%d", query.minUptime));
  if (query.maxResponseMs > 0)
    parts.push_back(Format("max_response_time=%d", query.maxResponseMs / 1000));
  if (page > 1) parts.push_back(Format("offset=%d", (page - 1) * PageRows));
  return parts.empty() ? listUrl : listUrl + "?" + Join(parts, "&");
}

ProxyListPage ParseProxyListPage(std::string_view page) {
  ProxyListPage result;
  const auto table = Between(page, "<tbody>", "</tbody>");
  if (!table) return result;
  int portOffset = 0;
  if (const auto div = Between(page, "<div style=\"display:none\" data-", "</div>"))
    if (const auto value = Between(*div, "=\"", "\"")) portOffset = LeadingInt(*value).value_or(0);
  size_t pos = FindNoCase(*table, "<tr>");
  while (pos != std::string_view::npos) {
    const size_t start = pos + 4;
    const size_t next = FindNoCase(*table, "<tr>", start);
    const std::string_view row = table->substr(
        start, next == std::string_view::npos ? std::string_view::npos : next - start);
    ++result.rows;
    if (auto candidate = ReadRow(row, portOffset)) result.candidates.push_back(*candidate);
    pos = next;
  }
  return result;
}

bool IsValidProxyHost(std::string_view host) {
  if (host.empty() || host.size() > 253) return false;
  if (host.front() == '[')
    return host.size() > 2 && host.back() == ']' &&
           std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
             return std::isxdigit(static_cast<unsigned char>(c)) || c == ':';
           });
  return std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
  });
}

std::optional<HttpProxy> ParseProxyText(std::string_view text) {
  const size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view host = Trim(text.substr(0, colon));
  const auto port = ParseInt32(Trim(text.substr(colon + 1)));
  if (!IsValidProxyHost(host) || !port || *port < 1 || *port > 65535) return std::nullopt;
  HttpProxy proxy;
  proxy.host = std::string(host);
  proxy.port = *port;
  return proxy;
}

void ProxyChooser::FetchCandidates(const std::string& url, const PageFetcher& fetch,
                                   const Notice& status) {
  status(Format(texts::DownloadingWithProxy, texts::ProxySearching));
  if (listUrl_.empty()) throw Error(texts::ProxyListNotConfigured);
  const ProxyListQuery query = CandidateQuery(url);
  std::vector<std::string> found;
  for (int page = 1; static_cast<int>(found.size()) < WantedCandidates; ++page) {
    const ProxyListPage p = ParseProxyListPage(fetch(ProxyListPageUrl(listUrl_, query, page)));
    for (const std::string& c : p.candidates)
      if (std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
    if (p.rows < PageRows) break;
  }
  if (found.empty()) throw Error(texts::ProxyNoneFound);
  candidates_ = std::move(found);
}

bool ProxyChooser::PrepareProxy(const std::string& url, HttpClient& client,
                                const PageFetcher& fetch, const Notice& error,
                                const Notice& status) {
  inEffect_ = false;
  std::optional<HttpProxy> proxy;
  if (settings_.mode == ProxyMode::Automatic) {
    if (settings_.server.empty()) {
      if (candidates_.empty()) {
        try {
          FetchCandidates(url, fetch, status);
        } catch (const Cancelled&) {
          throw;
        } catch (const std::exception& e) {
          error(Format(texts::ProxyListError, e.what()));
        }
      }
      if (candidates_.empty()) return false;
      const auto picked = ParseProxyText(candidates_.front());
      if (!picked) {
        error(Format(texts::ProxyPickError, candidates_.front().c_str()));
        return false;
      }
      settings_.server = picked->host;
      settings_.port = picked->port;
      settings_.username.clear();
      settings_.password.clear();
      saved_ = false;
    }
    proxy = HttpProxy{settings_.server, settings_.port, settings_.username, settings_.password};
  } else if (settings_.mode == ProxyMode::Manual) {
    proxy = HttpProxy{settings_.server, settings_.port, settings_.username, settings_.password};
  }
  client.SetProxy(proxy);
  inEffect_ = proxy && !proxy->host.empty();
  return true;
}

bool ProxyChooser::NextProxy() {
  if (settings_.mode != ProxyMode::Automatic) return false;
  if (!candidates_.empty()) candidates_.erase(candidates_.begin());
  // The failed proxy is forgotten, so the next request takes the next candidate.
  settings_.server.clear();
  return !candidates_.empty();
}

std::optional<std::pair<std::string, int>> ProxyChooser::InEffect() const {
  if (!inEffect_) return std::nullopt;
  return std::make_pair(settings_.server, settings_.port);
}

}  // namespace korvane
