#pragma once

// The draw download: the operator's results page is asked for date ranges from the newest
// draw of the archive up to today, and the draws the archive lacks are handed over range by
// range. Nothing here talks to the person; the caller's events do.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"
#include "core/game.h"
#include "online/http.h"
#include "online/proxy.h"

namespace korvane {

inline constexpr int FirstDrawDate = 19880429;
inline constexpr int RangeDays = 100;

// The results page of a date range (yyyymmdd) on the service at `resultsUrl` (scheme and host).
std::string ResultsQueryUrl(const std::string& resultsUrl, int first, int last);

// The rows part of the results page; none when the page has no results section. Throws Error
// when a section or table opens without closing.
std::optional<std::string_view> ExtractResultsTable(std::string_view page);

struct ResultRow {
  std::string date;  // mm/dd/yyyy as on the page
  std::string midday;
  std::string evening;
};
std::vector<ResultRow> ReadResultRows(std::string_view table);
// The three numbers of a result such as "1-2-3"; none for "-", empty or malformed results.
std::optional<TComb> ReadResult(std::string_view text);
// The yyyymmdd of a valid mm/dd/yyyy text, else none.
std::optional<int> ReadRowDate(std::string_view text);

// The new draws of a page's rows: each day's midday draw, then its evening draw, in page order,
// leaving out results that are not usable, days outside first..last, and draws whose date text
// the archive's newest draws (`recent`) or the draws taken before from this page already have.
// Numbers follow `nextNumber`. What was left out for a reason other than a missing result is
// described in `warnings`.
TDrawsArray NewDrawsOfRows(const std::vector<ResultRow>& rows, int first, int last,
                           const TDrawsArray& recent, int32_t nextNumber,
                           std::vector<std::string>& warnings);

struct DownloadRequest {
  std::string resultsUrl;
  int today = 0;  // yyyymmdd
  // The newest draws of the archive, oldest first (the last three are enough).
  TDrawsArray recent;
};

struct DownloadedRange {
  int first = 0;
  int last = 0;
  int added = 0;
  std::vector<std::string> warnings;
};

struct DownloadResult {
  int total = 0;
  std::vector<DownloadedRange> ranges;  // every range fetched and read, in order
  bool cancelled = false;
  bool failed = false;  // stopped after a failure that was not retried
  std::string failure;  // the text of the last failure
};

struct DownloadProgress {
  std::string status;  // "Загрузка тиражей ... - ..."
  std::string waitText;  // "Загрузка архива тиражей..." and the attempt with a proxy
  int start = 0;         // the first day of the whole download
  int first = 0;         // the range being fetched
  int last = 0;
  int today = 0;
  // The share of the days done, for a progress bar.
  int DaysDone() const;
  int DaysTotal() const;
};

class DownloadEvents {
 public:
  virtual ~DownloadEvents() = default;
  virtual void Progress(const DownloadProgress& progress) = 0;
  // Asked while a request waits; false stops the download.
  virtual bool KeepGoing() = 0;
  // The new draws of a range, to be appended to the archive and saved; throws Error when they
  // could not be saved (the archive is then as before).
  virtual void CommitRange(const TDrawsArray& draws) = 0;
  // The retry question after a failure; true tries again.
  virtual bool AskRetry(const std::string& failure) = 0;
  // An error box of the proxy choice.
  virtual void Notice(const std::string& text) = 0;
  // The proxy settings after an automatic pick, to be stored.
  virtual void SaveProxy(const ProxySettings& settings) = 0;
  // A range was fetched and read (its draws, if any, committed).
  virtual void RangeDone(const DownloadedRange& /*range*/) {}
};

// Downloads range by range until today, a range without new draws, a refused retry or a stop.
// `listFetch` fetches the pages of the proxy list (automatic proxy mode).
DownloadResult DownloadDraws(HttpClient& http, ProxyChooser& proxy, const PageFetcher& listFetch,
                             const DownloadRequest& request, DownloadEvents& events);

}  // namespace korvane
