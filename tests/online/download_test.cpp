#include "online/download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/dates.h"
#include "core/strutil.h"
#include "online/fake_http.h"
#include "online/texts.h"

namespace korvane {
namespace {

struct Day {
  std::string date, midday, evening;
};

std::string Page(const std::vector<Day>& days) {
  std::string page =
      "<html><body><SECTION class=\"winningNumbersResults\"><table><thead><tr><th>x</th></tr>"
      "</thead><tbody>";
  for (const Day& d : days)
    page += "<tr class=\"r\"><td><div>" + d.date + "</div></td><td><div>" + d.midday +
            "</div></td><td><div>" + d.evening + "</div></td></tr>";
  return page + "</tbody></table></section><footer id=\"footerMain\">f</footer></body></html>";
}

// A results site over a fixture of days (keyed by yyyymmdd).
struct Site {
  std::map<int, Day> days;
  std::vector<std::pair<int, int>> asked;
  std::string operator()(const std::string& url) {
    const int first = test::QueryDate(url, "fromDateIn");
    const int last = test::QueryDate(url, "toDateIn");
    asked.emplace_back(first, last);
    std::vector<Day> rows;
    for (auto it = days.lower_bound(first); it != days.end() && it->first <= last; ++it)
      rows.push_back(it->second);
    return Page(rows);
  }
  void AddDays(int from, int to, const std::string& midday = "1-2-3",
               const std::string& evening = "4-5-6") {
    for (int d = from; d <= to; d = IncDateInt(d, 1))
      days[d] = {Format("%02d/%02d/%04d", d / 100 % 100, d % 100, d / 10000), midday, evening};
  }
};

// Days from a to b, both counted.
int DaysIn(int a, int b) {
  return static_cast<int>((IntToDate(b).seconds - IntToDate(a).seconds) / SecondsPerDay) + 1;
}

TDrawRec Draw(int32_t number, const std::string& date, TComb nums = {1, 2, 3}) {
  TDrawRec d;
  d.number = number;
  d.nums = nums;
  d.SetDateText(date);
  return d;
}

// Records what the download tells; commits into a plain array.
struct Events : DownloadEvents {
  TDrawsArray archive;
  std::vector<std::string> retries, notices, statuses, waitTexts;
  std::vector<bool> answers;  // retry answers, front first; No when empty
  int saveProxy = 0;
  int keepGoingCalls = 0;
  int stopAfterCommits = -1;
  int commits = 0;
  bool failCommit = false;
  void Progress(const DownloadProgress& p) override {
    statuses.push_back(p.status);
    waitTexts.push_back(p.waitText);
  }
  bool KeepGoing() override {
    ++keepGoingCalls;
    return stopAfterCommits < 0 || commits < stopAfterCommits;
  }
  void CommitRange(const TDrawsArray& d) override {
    if (failCommit) throw Error("disk full");
    ++commits;
    archive.insert(archive.end(), d.begin(), d.end());
  }
  bool AskRetry(const std::string& f) override {
    retries.push_back(f);
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  void Notice(const std::string& t) override { notices.push_back(t); }
  void SaveProxy(const ProxySettings&) override { ++saveProxy; }
};

DownloadResult Fetch(test::FakeHttp& http, Events& ev, int today, const TDrawsArray& recent = {},
                     ProxyChooser* chooser = nullptr, const PageFetcher& listFetch = nullptr) {
  ProxyChooser none(ProxySettings{}, "");
  ProxyChooser& proxy = chooser != nullptr ? *chooser : none;
  DownloadRequest req;
  req.resultsUrl = "https://results.example/";
  req.today = today;
  req.recent = recent;
  return DownloadDraws(http, proxy, listFetch, req, ev);
}

TEST(ResultsPage, QueryAddress) {
  EXPECT_EQ(ResultsQueryUrl("https://h.example/", 19880429, 19880806),
            "https://h.example/site/winningNumberSearch?searchTypeIn=range&gameNameIn=PICK3&"
            "singleDateIn=&fromDateIn=04%2F29%2F1988&toDateIn=08%2F06%2F1988&n1In=&n2In=&n3In=&"
            "n4In=&n5In=&submitForm=Submit");
}

TEST(ResultsPage, TableMarkers) {
  EXPECT_FALSE(ExtractResultsTable("<html>no results</html>"));
  const std::string page = Page({{"01/02/2020", "1-2-3", "4-5-6"}});
  const auto t = ExtractResultsTable(page);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->substr(0, 3), "<tr");
  // The section opens without its closing marker: an error naming both markers, quoting
  // at most the start of the page.
  const std::string open = "<section class=\"winningNumbersResults\">" + std::string(5000, 'x');
  try {
    ExtractResultsTable(open);
    FAIL();
  } catch (const Error& e) {
    const std::string m = e.what();
    EXPECT_NE(
        m.find("Не удалось найти пару идентификаторов \"<section class=\"winningNumbersResults\">\""
               " - \"<footer id=\"footerMain\">\""),
        std::string::npos);
    EXPECT_LT(m.size(), 1000u);
  }
  // A section whose table never closes is an error too; one without a table has no rows.
  EXPECT_THROW(ExtractResultsTable("<section class=\"winningNumbersResults\"></thead><tbody><tr>"
                                   "<footer id=\"footerMain\">"),
               Error);
  EXPECT_FALSE(ExtractResultsTable(
      "<section class=\"winningNumbersResults\">none<footer id=\"footerMain\">"));
}

TEST(ResultsPage, Results) {
  const std::pair<const char*, std::optional<TComb>> cases[] = {
      {"1-2-3", TComb{1, 2, 3}}, {" 0 - 9 - 5 ", TComb{0, 9, 5}}, {"-", std::nullopt},
      {"", std::nullopt},        {"1-2", std::nullopt},           {"1-2-3-4", std::nullopt},
      {"12-3-4", std::nullopt},  {"a-b-c", std::nullopt},         {"1--3", std::nullopt},
      {"-1-2", std::nullopt},    {"1-2-", std::nullopt},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(ReadResult(text), want) << text;
  EXPECT_EQ(ReadRowDate("02/29/2020"), 20200229);
  for (const char* bad : {"02/30/2020", "2/3/2020", "02-03-2020", "13/01/2020", "0a/01/2020", ""})
    EXPECT_FALSE(ReadRowDate(bad)) << bad;
}

TEST(ResultsPage, RowsAndQuotes) {
  const auto rows = ReadResultRows(
      "<tr><td><div>\"01/02/2020\"</div></td><td><div> \"1-2-3\" </div></td><td><div>-</div>"
      "</td></tr><TR><td><DIV>01/03/2020</DIV><div>4-5-6</div></td></TR><tr><div>x</div>");
  ASSERT_EQ(rows.size(), 2u);  // the last row never closes
  EXPECT_EQ(rows[0].date, "01/02/2020");
  EXPECT_EQ(rows[0].midday, "1-2-3");
  EXPECT_EQ(rows[0].evening, "-");
  EXPECT_EQ(rows[1].midday, "4-5-6");
  EXPECT_EQ(rows[1].evening, "");
}

TEST(ResultsPage, NewDraws) {
  // The archive ends with the midday draw of 01/02/2020 (number 41).
  const TDrawsArray recent = {Draw(39, "01/01/2020 M"), Draw(40, "01/01/2020 E"),
                              Draw(41, "01/02/2020 M")};
  const std::vector<ResultRow> rows = {
      {"01/02/2020", "1-2-3", "4-5-6"},  // midday known, evening new
      {"01/03/2020", "-", "7-8-9"},      // no midday result
      {"01/03/2020", "9-9-9", "0-0-0"},  // the same day again on the page: only its midday
      {"13/40/2020", "1-1-1", "2-2-2"},  // a date that does not exist
      {"01/04/2020", "1-x-1", ""},       // a malformed result, an empty one
      {"12/31/2019", "5-5-5", "6-6-6"},  // before the range asked for
  };
  std::vector<std::string> warnings;
  const TDrawsArray got = NewDrawsOfRows(rows, 20200102, 20200110, recent, 42, warnings);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], Draw(42, "01/02/2020 E", {4, 5, 6}));
  EXPECT_EQ(got[1], Draw(43, "01/03/2020 E", {7, 8, 9}));
  EXPECT_EQ(got[2], Draw(44, "01/03/2020 M", {9, 9, 9}));
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_NE(warnings[0].find("13/40/2020"), std::string::npos);
  EXPECT_NE(warnings[1].find("1-x-1"), std::string::npos);
  EXPECT_NE(warnings[2].find("12/31/2019"), std::string::npos);
}

TEST(Download, EmptyArchiveRangeByRange) {
  Site site;
  site.AddDays(19880429, 19881231);
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) { return site(url); };
  Events ev;
  const DownloadResult r = Fetch(http, ev, 19881231);
  ASSERT_GE(site.asked.size(), 3u);
  // The first range is the 100 days from 04/29/1988; each next one starts on the newest day.
  EXPECT_EQ(site.asked[0], std::make_pair(19880429, 19880806));
  EXPECT_EQ(site.asked[1], std::make_pair(19880806, 19881113));
  EXPECT_EQ(site.asked.back().second, 19881231);
  EXPECT_EQ(r.total, 2 * DaysIn(19880429, 19881231));
  ASSERT_EQ(static_cast<int>(ev.archive.size()), r.total);
  for (size_t i = 0; i < ev.archive.size(); ++i) {
    EXPECT_EQ(ev.archive[i].number, static_cast<int32_t>(i + 1));
    // Midday first, then evening, day after day.
    EXPECT_EQ(ev.archive[i].DateText().back(), i % 2 == 0 ? 'M' : 'E') << i;
  }
  EXPECT_EQ(ev.statuses[0], "Загрузка тиражей 04/29/1988 E - 08/06/1988 E...");
  EXPECT_TRUE(ev.retries.empty());
  EXPECT_FALSE(r.failed);
}

TEST(Download, TodaysEveningOnly) {
  Site site;
  site.AddDays(20261209, 20261210);
  const TDrawsArray recent = {Draw(7, "12/09/2026 E"), Draw(8, "12/10/2026 M")};
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) { return site(url); };
  Events ev;
  // The evening draw is not published yet: one request for today, nothing added.
  site.days[20261210].evening = "";
  DownloadResult r = Fetch(http, ev, 20261210, recent);
  ASSERT_EQ(site.asked.size(), 1u);
  EXPECT_EQ(site.asked[0], std::make_pair(20261210, 20261210));
  EXPECT_EQ(r.total, 0);
  // Published: the evening draw only, numbered after the newest draw.
  site.days[20261210].evening = "4-5-6";
  r = Fetch(http, ev, 20261210, recent);
  ASSERT_EQ(ev.archive.size(), 1u);
  EXPECT_EQ(ev.archive[0], Draw(9, "12/10/2026 E", {4, 5, 6}));
  // An archive newer than today asks for nothing.
  EXPECT_EQ(Fetch(http, ev, 20261209, recent).ranges.size(), 0u);
}

TEST(Download, RangeWithoutNewDrawsEnds) {
  Site site;
  site.AddDays(20200101, 20200110);
  site.AddDays(20200601, 20200610);  // after more than 100 days without results
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) { return site(url); };
  Events ev;
  const DownloadResult r = Fetch(http, ev, 20201231, {Draw(1, "12/31/2019 E")});
  EXPECT_EQ(r.total, 20);
  ASSERT_EQ(site.asked.size(), 2u);  // the second range brought nothing: the end
  EXPECT_EQ(site.asked[1].first, 20200110);
  EXPECT_TRUE(ev.retries.empty());
}

TEST(Download, FailuresAskAndKeepWhatWasSaved) {
  Site site;
  site.AddDays(20200101, 20200601);
  int calls = 0;
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) {
    if (++calls == 2) throw Error("HTTP/1.1 500 Internal Server Error");
    return site(url);
  };
  Events ev;
  ev.answers = {false};
  DownloadResult r = Fetch(http, ev, 20200601, {Draw(1, "12/31/2019 E")});
  ASSERT_EQ(ev.retries.size(), 1u);
  EXPECT_EQ(ev.retries[0], "HTTP/1.1 500 Internal Server Error");
  EXPECT_TRUE(r.failed);
  // The first range (12/31/2019 to 04/08/2020) stays.
  EXPECT_EQ(r.total, 2 * DaysIn(20200101, 20200408));
  EXPECT_EQ(ev.archive.size(), 198u);

  // Yes tries the same range again and goes on to the end.
  calls = 0;
  Events again;
  again.answers = {true};
  r = Fetch(http, again, 20200601, {Draw(1, "12/31/2019 E")});
  EXPECT_EQ(again.retries.size(), 1u);
  EXPECT_FALSE(r.failed);
  EXPECT_EQ(r.total, 2 * DaysIn(20200101, 20200601));

  // A table that never closes and a commit that fails go to the same question.
  test::FakeHttp broken;
  broken.answer = [](const std::string&, const std::string&) {
    return std::string("<section class=\"winningNumbersResults\"></thead><tbody><tr>");
  };
  Events ev2;
  Fetch(broken, ev2, 20200601);
  ASSERT_EQ(ev2.retries.size(), 1u);
  EXPECT_EQ(ev2.retries[0].rfind("Не удалось найти пару идентификаторов", 0), 0u);
  Events ev3;
  ev3.failCommit = true;
  r = Fetch(http, ev3, 20200601, {Draw(1, "12/31/2019 E")});
  EXPECT_EQ(ev3.retries, std::vector<std::string>{"disk full"});
  EXPECT_EQ(r.total, 0);
}

TEST(Download, PageWithoutResultsEndsQuietly) {
  test::FakeHttp http;
  http.answer = [](const std::string&, const std::string&) { return std::string("<html/>"); };
  Events ev;
  const DownloadResult r = Fetch(http, ev, 20200601);
  EXPECT_EQ(http.urls.size(), 1u);
  EXPECT_EQ(r.total, 0);
  EXPECT_TRUE(ev.retries.empty());
  EXPECT_FALSE(r.failed);
}

TEST(Download, StopKeepsTheRangesDone) {
  Site site;
  site.AddDays(20200101, 20201231);
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) { return site(url); };
  Events ev;
  ev.stopAfterCommits = 1;
  const DownloadResult r = Fetch(http, ev, 20201231, {Draw(1, "12/31/2019 E")});
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.total, 198);
  EXPECT_EQ(ev.archive.size(), 198u);
  EXPECT_TRUE(ev.retries.empty());
}

TEST(Download, AutomaticProxyMovesOnWithoutAsking) {
  Site site;
  site.AddDays(20200101, 20200105);
  test::FakeHttp http;
  std::set<std::string> dead = {"10.0.0.1:81", "10.0.0.2:82"};
  http.answer = [&](const std::string& url, const std::string& proxy) {
    if (dead.count(proxy) != 0) throw Error("Couldn't connect to proxy");
    return site(url);
  };
  ProxySettings automatic;
  automatic.mode = ProxyMode::Automatic;
  ProxyChooser chooser(automatic, "");
  chooser.SetCandidates({"10.0.0.1:81", "10.0.0.2:82", "10.0.0.3:83"});
  Events ev;
  const DownloadResult r = Fetch(http, ev, 20200105, {Draw(1, "12/31/2019 E")}, &chooser);
  EXPECT_EQ(http.proxies, (std::vector<std::string>{"10.0.0.1:81", "10.0.0.2:82", "10.0.0.3:83"}));
  EXPECT_TRUE(ev.retries.empty());
  EXPECT_EQ(r.total, 10);
  // The third attempt's wait text names it; the pick is stored once; the list is dropped.
  EXPECT_NE(std::find(ev.waitTexts.begin(), ev.waitTexts.end(),
                      "Загрузка архива тиражей...\r\rПопытка 3, proxy 10.0.0.3 : 83"),
            ev.waitTexts.end());
  EXPECT_EQ(ev.saveProxy, 1);
  EXPECT_EQ(chooser.Settings().server, "10.0.0.3");
  EXPECT_TRUE(chooser.Candidates().empty());

  // Three dead proxies: the third failure asks.
  dead.insert("10.0.0.3:83");
  ProxyChooser all(automatic, "");
  all.SetCandidates({"10.0.0.1:81", "10.0.0.2:82", "10.0.0.3:83"});
  Events ev2;
  http.proxies.clear();
  Fetch(http, ev2, 20200105, {Draw(1, "12/31/2019 E")}, &all);
  EXPECT_EQ(http.proxies.size(), 3u);
  EXPECT_EQ(ev2.retries.size(), 1u);
}

TEST(Download, ProxyModes) {
  Site site;
  site.AddDays(20200101, 20200102);
  test::FakeHttp http;
  http.answer = [&](const std::string& url, const std::string&) { return site(url); };
  int listPages = 0;
  const PageFetcher fetch = [&](const std::string&) {
    ++listPages;
    return std::string("<html/>");
  };
  // Automatic mode with a stored host uses it without looking for candidates.
  ProxySettings stored{ProxyMode::Automatic, "proxy.example", 3128, "", ""};
  ProxyChooser a(stored, "https://list.example/");
  Events ev;
  Fetch(http, ev, 20200102, {}, &a, fetch);
  EXPECT_EQ(listPages, 0);
  EXPECT_EQ(http.proxies.front(), "proxy.example:3128");
  EXPECT_EQ(ev.saveProxy, 0);
  // A manual proxy without a host is no proxy and shows no attempt.
  ProxyChooser m(ProxySettings{ProxyMode::Manual, "", 8080, "", ""}, "");
  Events ev2;
  http.proxies.clear();
  Fetch(http, ev2, 20200102, {}, &m, fetch);
  EXPECT_EQ(http.proxies.front(), "");
  for (const std::string& w : ev2.waitTexts) EXPECT_EQ(w, texts::Downloading);
  // Automatic mode that finds no candidate: the error box, and no request.
  ProxyChooser none(ProxySettings{ProxyMode::Automatic, "", 80, "", ""}, "https://list.example/");
  Events ev3;
  http.urls.clear();
  const DownloadResult r = Fetch(http, ev3, 20200102, {}, &none, fetch);
  EXPECT_EQ(listPages, 1);
  EXPECT_TRUE(http.urls.empty());
  ASSERT_EQ(ev3.notices.size(), 1u);
  EXPECT_EQ(ev3.notices[0],
            std::string("Ошибка получения списка proxy-серверов!\r\r") + texts::ProxyNoneFound);
  EXPECT_EQ(r.total, 0);
}

}  // namespace
}  // namespace korvane
