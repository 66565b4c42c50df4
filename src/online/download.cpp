#include "online/download.h"

#include <algorithm>

#include "core/dates.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "online/markup.h"
#include "online/texts.h"

namespace korvane {

namespace {

constexpr std::string_view SectionOpen = "<section class=\"winningNumbersResults\">";
constexpr std::string_view SectionClose = "<footer id=\"footerMain\">";
constexpr std::string_view TableOpen = "</thead><tbody>";
constexpr std::string_view TableClose = "</tbody></table>";
// The page text quoted in the message of a missing marker is cut to this length.
constexpr size_t QuotedTextLimit = 300;

std::string QuotedPage(std::string_view text) {
  if (text.size() <= QuotedTextLimit) return std::string(text);
  return std::string(text.substr(0, QuotedTextLimit)) + "…";
}

[[noreturn]] void MarkerMissing(std::string_view text, std::string_view open,
                                std::string_view close) {
  throw Error(Format(texts::MarkerPairMissing, std::string(open).c_str(),
                     std::string(close).c_str(), QuotedPage(text).c_str()));
}

std::string Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return std::string(s);
}

int DaysBetween(int from, int to) {
  try {
    return static_cast<int>((IntToDate(to).seconds - IntToDate(from).seconds) / SecondsPerDay);
  } catch (const Error&) {
    return 0;
  }
}

std::string RangeDateText(int yyyymmdd) {
  try {
    return DrawDateToText(IntToDate(yyyymmdd));
  } catch (const Error&) {
    return std::to_string(yyyymmdd);
  }
}

int NewestDate(const TDrawsArray& recent) {
  if (recent.empty()) return FirstDrawDate;
  try {
    return DateToInt(TextToDrawDate(recent.back().DateText()));
  } catch (const Error&) {
    return DateToInt(DateTime{});
  }
}

bool HasDateText(const TDrawsArray& draws, const std::string& text) {
  return std::any_of(draws.begin(), draws.end(),
                     [&](const TDrawRec& d) { return SameText(d.DateText(), text); });
}

}  // namespace

std::string ResultsQueryUrl(const std::string& resultsUrl, int first, int last) {
  std::string base = resultsUrl;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + "/site/winningNumberSearch?" +
         Format(
             "searchTypeIn=range&gameNameIn=PICK3&singleDateIn=&fromDateIn=%02d%%2F%02d%%2F%04d"
             "&toDateIn=%02d%%2F%02d%%2F%04d&n1In=&n2In=&n3In=&n4In=&n5In=&submitForm=Submit",
             first / 100 % 100, first % 100, first / 10000, last / 100 % 100, last % 100,
             last / 10000);
}

std::optional<std::string_view> ExtractResultsTable(std::string_view page) {
  const MarkedPiece section = FindBetween(page, SectionOpen, SectionClose);
  if (!section.opened) return std::nullopt;
  if (!section.closed) MarkerMissing(page, SectionOpen, SectionClose);
  const MarkedPiece table = FindBetween(section.inner, TableOpen, TableClose);
  if (!table.opened) return std::nullopt;
  if (!table.closed) MarkerMissing(section.inner, TableOpen, TableClose);
  return Trim(table.inner);
}

std::vector<ResultRow> ReadResultRows(std::string_view table) {
  std::vector<ResultRow> rows;
  size_t pos = 0;
  while (true) {
    const MarkedPiece row = FindBetween(table, "<tr", "</tr>", pos);
    if (!row.closed) break;
    pos = row.end;
    std::string cells[3];
    size_t at = 0;
    for (std::string& cell : cells) {
      const MarkedPiece div = FindBetween(row.inner, "<div>", "</div>", at);
      if (!div.closed) break;
      cell = Unquote(div.inner);
      at = div.end;
    }
    rows.push_back({cells[0], cells[1], cells[2]});
  }
  return rows;
}

std::optional<TComb> ReadResult(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text == "-") return std::nullopt;
  TComb comb{};
  size_t i = 0;
  size_t start = 0;
  while (true) {
    const size_t dash = text.find('-', start);
    const std::string_view word = Trim(
        text.substr(start, dash == std::string_view::npos ? std::string_view::npos : dash - start));
    if (i >= comb.size() || word.size() != 1 || word[0] < '0' || word[0] > '9') return std::nullopt;
    comb[i++] = static_cast<uint8_t>(word[0] - '0');
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }
  if (i != comb.size()) return std::nullopt;
  return comb;
}

std::optional<int> ReadRowDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
  const auto m = ParseInt32(text.substr(0, 2));
  const auto d = ParseInt32(text.substr(3, 2));
  const auto y = ParseInt32(text.substr(6, 4));
  for (char c : text)
    if (c != '/' && (c < '0' || c > '9')) return std::nullopt;
  if (!m || !d || !y || !IsValidDate(*y, *m, *d)) return std::nullopt;
  return *y * 10000 + *m * 100 + *d;
}

TDrawsArray NewDrawsOfRows(const std::vector<ResultRow>& rows, int first, int last,
                           const TDrawsArray& recent, int32_t nextNumber,
                           std::vector<std::string>& warnings) {
  // The archive's last three draws and every draw taken from this page so far.
  TDrawsArray seen(recent.end() - static_cast<std::ptrdiff_t>(std::min<size_t>(3, recent.size())),
                   recent.end());
  const size_t firstNew = seen.size();
  for (const ResultRow& row : rows) {
    const auto date = ReadRowDate(row.date);
    if (!date) {
      warnings.push_back("Строка с датой \"" + row.date + "\" пропущена: дата не распознана");
      continue;
    }
    if (*date < first || *date > last) {
      warnings.push_back("Строка с датой " + row.date +
                         " пропущена: дата вне запрошенного периода");
      continue;
    }
    for (const auto& [suffix, result] : {std::pair{" M", &row.midday}, {" E", &row.evening}}) {
      const std::string text = row.date + suffix;
      if (HasDateText(seen, text)) continue;
      const auto comb = ReadResult(*result);
      if (!comb) {
        if (!result->empty() && *result != "-")
          warnings.push_back("Тираж " + text + " пропущен: результат \"" + *result +
                             "\" не распознан");
        continue;
      }
      TDrawRec draw;
      draw.number = nextNumber++;
      draw.nums = *comb;
      draw.SetDateText(text);
      seen.push_back(draw);
    }
  }
  return TDrawsArray(seen.begin() + static_cast<std::ptrdiff_t>(firstNew), seen.end());
}

int DownloadProgress::DaysDone() const { return std::max(0, DaysBetween(start, first)); }
int DownloadProgress::DaysTotal() const { return std::max(1, DaysBetween(start, today)); }

DownloadResult DownloadDraws(HttpClient& http, ProxyChooser& proxy, const PageFetcher& listFetch,
                             const DownloadRequest& request, DownloadEvents& events) {
  DownloadResult result;
  TDrawsArray recent = request.recent;
  int32_t nextNumber = recent.empty() ? 1 : recent.back().number + 1;
  const int today = request.today;
  DownloadProgress progress;
  progress.start = NewestDate(recent);
  progress.today = today;
  progress.waitText = texts::Downloading;
  int attempt = 1;
  const KeepGoing keepGoing = [&] { return events.KeepGoing(); };
  const Notice notice = [&](const std::string& text) { events.Notice(text); };
  const Notice status = [&](const std::string& text) {
    progress.waitText = text;
    events.Progress(progress);
  };
  while (true) {
    try {
      const int first = NewestDate(recent);
      if (today < first) break;
      int last = IncDateInt(first, RangeDays - 1);
      if (today < last) last = today;
      if (last < first) last = first;
      progress.first = first;
      progress.last = last;
      progress.status = Format(texts::DownloadingRange, RangeDateText(first).c_str(),
                               RangeDateText(last).c_str());
      progress.waitText = texts::Downloading;
      events.Progress(progress);
      if (!events.KeepGoing()) throw Cancelled(texts::DownloadCancelled);

      const std::string url = ResultsQueryUrl(request.resultsUrl, first, last);
      std::string page;
      if (proxy.PrepareProxy(url, http, listFetch, notice, status)) {
        if (const auto used = proxy.InEffect()) {
          const std::string attemptText =
              Format(texts::DownloadAttempt, attempt, used->first.c_str(), used->second);
          progress.waitText = Format(texts::DownloadingWithProxy, attemptText.c_str());
        } else {
          progress.waitText = texts::Downloading;
        }
        events.Progress(progress);
        page = http.Get(url, keepGoing);
      }
      DownloadedRange range{first, last, 0, {}};
      TDrawsArray draws;
      if (const auto table = ExtractResultsTable(page))
        draws =
            NewDrawsOfRows(ReadResultRows(*table), first, last, recent, nextNumber, range.warnings);
      if (!draws.empty()) {
        progress.status = texts::SavingDraws;
        events.Progress(progress);
        events.CommitRange(draws);
      }
      range.added = static_cast<int>(draws.size());
      events.RangeDone(range);
      result.ranges.push_back(std::move(range));
      if (!proxy.Saved()) {
        events.SaveProxy(proxy.Settings());
        proxy.MarkSaved();
      }
      if (draws.empty()) break;
      result.total += static_cast<int>(draws.size());
      nextNumber += static_cast<int32_t>(draws.size());
      recent.insert(recent.end(), draws.begin(), draws.end());
      if (recent.size() > 3) recent.erase(recent.begin(), recent.end() - 3);
      if (last >= today) break;
    } catch (const Cancelled&) {
      result.cancelled = true;
      break;
    } catch (const std::exception& e) {
      result.failure = e.what();
      ++attempt;
      if (proxy.Settings().mode == ProxyMode::Automatic && proxy.NextProxy()) continue;
      if (!events.AskRetry(result.failure)) {
        result.failed = true;
        break;
      }
    }
  }
  proxy.DiscardCandidates();
  return result;
}

}  // namespace korvane
