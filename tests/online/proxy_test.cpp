#include "online/proxy.h"

#include <gtest/gtest.h>

#include "core/strutil.h"
#include "online/fake_http.h"

namespace korvane {
namespace {

// A row of the proxy list as the page writes it: the first part of the host reversed, the
// second part in Base64 written as \xHH escapes, the port less the page's offset.
std::string Row(const std::string& first, const std::string& base64Escaped, int port) {
  return "<tr><td><script>var h = '" + std::string(first.rbegin(), first.rend()) +
         "'.split('').reverse().join(''); var g = atob('" + base64Escaped +
         "'); var pp = " + std::to_string(port) + " (1);</script></td></tr>";
}

std::string Escaped(const std::string& base64) {
  std::string out;
  for (char c : base64) out += Format("\\x%02x", static_cast<unsigned char>(c));
  return out;
}

std::string ListPage(const std::vector<std::string>& rows, int offset = 1000) {
  std::string page =
      Format("<div style=\"display:none\" data-p=\"%d\"></div><table><tbody>", offset);
  for (const std::string& r : rows) page += r;
  return page + "</tbody></table>";
}

TEST(ProxyList, Query) {
  const ProxyListQuery https = CandidateQuery("HTTPS://results.example/x");
  EXPECT_EQ(ProxyListPageUrl("https://list.example/p", https, 1),
            "https://list.example/p?protocol=https&min_uptime=75&max_response_time=0");
  EXPECT_EQ(ProxyListPageUrl("https://list.example/p", CandidateQuery("http://127.0.0.1/"), 3),
            "https://list.example/p?protocol=http&protocol=https&min_uptime=75&"
            "max_response_time=0&offset=30");
  ProxyListQuery q;
  q.protocols = {"socks5"};
  q.anonymity = {1, 4};
  q.countries = {"DE"};
  q.minUptime = 0;
  q.maxResponseMs = 2500;
  EXPECT_EQ(ProxyListPageUrl("u", q, 2),
            "u?protocol=socks5&anonlvl=1&anonlvl=4&country=DE&max_response_time=2&offset=15");
  q = ProxyListQuery{};
  q.minUptime = 0;
  q.maxResponseMs = 0;
  EXPECT_EQ(ProxyListPageUrl("u", q, 1), "u");
}

TEST(ProxyList, Rows) {
  // "MC4wLjE=" is "0.0.1"; "bG9jYWw=" is "local".
  const ProxyListPage p = ParseProxyListPage(ListPage({
      Row("127.", Escaped("MC4wLjE="), 2128),    // 127.0.0.1:3128
      Row("proxy-", Escaped("bG9jYWw="), 7080),  // proxy-local:8080
      Row("evil;", Escaped("bG9jYWw="), 1),      // a host with a bad character
      Row("10.", Escaped("MC4wLjE="), 65000),    // port 66000: out of range
      "<tr><td>no script</td></tr>",
  }));
  EXPECT_EQ(p.candidates, (std::vector<std::string>{"127.0.0.1:3128", "proxy-local:8080"}));
  EXPECT_EQ(p.rows, 5);
  EXPECT_TRUE(ParseProxyListPage("<html>nothing</html>").candidates.empty());
}

TEST(ProxyList, ProxyTexts) {
  EXPECT_TRUE(ParseProxyText("10.1.2.3:8080"));
  EXPECT_TRUE(ParseProxyText("[::1]:3128"));
  EXPECT_EQ(ParseProxyText("host.example:1")->host, "host.example");
  for (const char* bad : {"host:0", "host:65536", "host", ":80", "ho st:80", "a/b:80", "host:80x",
                          "h\r\nX-Evil: 1:80"})
    EXPECT_FALSE(ParseProxyText(bad)) << bad;
}

TEST(ProxyList, CandidatesCollectedPageByPage) {
  // Pages of 15 rows go on to the next page; a shorter page ends the list.
  std::vector<std::string> asked;
  const PageFetcher fetch = [&](const std::string& url) {
    asked.push_back(url);
    std::vector<std::string> rows;
    const int n = asked.size() == 1 ? 15 : 4;
    for (int i = 0; i < n; ++i)
      rows.push_back(
          Row(Format("10.%d.", static_cast<int>(asked.size())), Escaped("MC4wLjE="), i + 1));
    return ListPage(rows);
  };
  ProxyChooser chooser(ProxySettings{ProxyMode::Automatic, "", 80, "u", "p"}, "https://l.example/");
  test::FakeHttp http;
  std::vector<std::string> errors, statuses;
  ASSERT_TRUE(chooser.PrepareProxy(
      "https://results.example/", http, fetch, [&](const std::string& e) { errors.push_back(e); },
      [&](const std::string& s) { statuses.push_back(s); }));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(chooser.Candidates().size(), 19u);
  EXPECT_EQ(http.proxy, "10.1.0.0.1:1001");
  EXPECT_EQ(chooser.Settings().username, "");  // a picked proxy has no user
  EXPECT_FALSE(chooser.Saved());
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(statuses,
            std::vector<std::string>{"Загрузка архива тиражей...\r\rПоиск proxy-серверов"});
  ASSERT_TRUE(chooser.InEffect());
  EXPECT_EQ(chooser.InEffect()->second, 1001);
  // A failing list page is reported, and no request follows.
  ProxyChooser failing(ProxySettings{ProxyMode::Automatic, "", 80, "", ""}, "https://l.example/");
  EXPECT_FALSE(failing.PrepareProxy(
      "https://r.example/", http,
      [](const std::string&) -> std::string { throw Error("HTTP/1.1 503"); },
      [&](const std::string& e) { errors.push_back(e); }, [](const std::string&) {}));
  EXPECT_EQ(errors,
            std::vector<std::string>{"Ошибка получения списка proxy-серверов!\r\rHTTP/1.1 503"});
}

}  // namespace
}  // namespace korvane
