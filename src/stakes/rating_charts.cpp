#include "stakes/rating_charts.h"

#include <algorithm>

#include "core/error.h"
#include "core/game.h"
#include "core/strutil.h"
#include "stakes/stake_store.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGrey = 0x808080;
// How many of the last draws with checked stakes the stakes chart covers.
constexpr int kStakesChartDraws = 100;

}  // namespace

void GraphAddPoint(ChartData& chart, double x, const std::string& title, double y, bool showPointer,
                   bool showMarks, uint32_t colour) {
  const std::string key = LowerUtf8(title);
  auto it = std::find_if(chart.series.begin(), chart.series.end(),
                         [&](const ChartSeries& s) { return LowerUtf8(s.title) == key; });
  if (it == chart.series.end()) {
    ChartSeries s;
    s.title = title;
    s.colour = colour;
    s.pointer = showPointer;
    s.marks = showMarks;
    chart.series.push_back(std::move(s));
    it = chart.series.end() - 1;
  }
  it->points.emplace_back(x, y);
}

ChartData ProfitByDrawChart(const StakeStore& store) {
  TProfitDrawArray draws;
  store.ForEach(0, [&draws](int, const TStakeData& s) {
    // A separator has no draw (<= 0) and no kind.
    if (s.draw < 0 || s.IsSeparator() || s.kind == 0) return;
    AddDrawProfit(draws, s.draw, s.profit);
  });
  if (draws.empty()) throw Error(texts::ChartTooFewDraws);
  Money total;
  for (const TProfitDrawRec& d : draws) total += d.profit;
  const double average = total.ToDouble() / static_cast<double>(draws.size());
  ChartData chart;
  Money running;
  for (const TProfitDrawRec& d : draws) {
    const double x = d.drawNumber;
    running += d.profit;
    GraphAddPoint(chart, x, texts::ChartDrawProfit, d.profit.ToDouble(), true, true, kGreen);
    GraphAddPoint(chart, x, texts::ChartAverage, average, false, false, kBlue);
    GraphAddPoint(chart, x, texts::ChartAccumulated, running.ToDouble(), true, true, kRed);
  }
  return chart;
}

ChartData StakesByDrawChart(const StakeStore& store, const std::vector<std::string>& comments,
                            bool profit) {
  if (comments.empty()) throw Error(texts::ChartTooFewDraws);
  const StakeStore::CountedDraws counted = store.CountDraws(kStakesChartDraws);
  if (counted.count < 2) throw Error(texts::ChartTooFewDraws);
  std::vector<std::string> keys;
  keys.reserve(comments.size());
  for (const std::string& c : comments) keys.push_back(LowerUtf8(c));
  ChartData chart;
  store.ForEach(counted.start, [&](int, const TStakeData& s) {
    if (s.checked == 0 || s.draw <= 0 || s.matched.count < 0) return;
    const auto key = std::find(keys.begin(), keys.end(), LowerUtf8(s.comment));
    if (key == keys.end()) return;
    const std::string& title = comments[static_cast<size_t>(key - keys.begin())];
    GraphAddPoint(chart, s.draw, title, profit ? s.profit.ToDouble() : s.matched.count, true, true,
                  0);
  });
  return chart;
}

ChartData MatchDistributionChart(const std::vector<TRatingRec>& rows) {
  int32_t largest = 0;
  for (const TRatingRec& r : rows) largest = std::max(largest, r.stakes);
  ChartData chart;
  for (int m = 0; m <= NumsCount; ++m)
    GraphAddPoint(chart, m, texts::ChartNormalValues,
                  static_cast<double>(MatchCount(ValuesCount, NumsCount, m)) * largest / CombsCount,
                  true, false, kGrey);
  for (const TRatingRec& r : rows)
    for (int m = 0; m <= NumsCount; ++m)
      GraphAddPoint(chart, m, r.comment, r.matchCounts[static_cast<size_t>(m)], true, false, 0);
  return chart;
}

}  // namespace korvane
