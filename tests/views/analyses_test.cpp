#include "views/analyses.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TDrawsArray Draws(const std::vector<TComb>& oldestFirst) {
  TDrawsArray draws;
  int32_t number = 1;
  for (const TComb& c : oldestFirst) {
    TDrawRec d;
    d.number = number++;
    d.nums = c;
    draws.push_back(d);
  }
  return draws;
}

TEST(Repeats, EachDrawAgainstTheDrawsBeforeItWithinTheDepth) {
  // Newest 1;2;3 (draw 3), then 1;5;3 (draw 2), then 7;2;9 (draw 1).
  const TDrawsArray draws = Draws({{7, 2, 9}, {1, 5, 3}, {1, 2, 3}});
  const RepeatsResult r = AnalyzeRepeats(draws, 1, 2);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0], (RepeatsRow{3, 2, 1, "2", 2}));
  EXPECT_EQ(r.rows[1], (RepeatsRow{3, 1, 1, "1", 2}));
  EXPECT_EQ(r.largest, 2);

  // Every draw, depth 1: draw 2 shares nothing with draw 1.
  const RepeatsResult all = AnalyzeRepeats(draws, 3, 1);
  ASSERT_EQ(all.rows.size(), 1u);
  EXPECT_EQ(all.rows[0], (RepeatsRow{3, 2, 1, "2", 2}));

  const ChartData chart = RepeatsChart(r);
  ASSERT_EQ(chart.series.size(), 2u);
  EXPECT_EQ(chart.series[0].title, "Совпадений: 1");
  EXPECT_EQ(chart.series[1].points, (std::vector<std::pair<double, double>>{{3, 1}}));
}

TEST(Repeats, SeveralRepeatsJoinTheirDrawNumbersAndAStopEndsTheRun) {
  const TDrawsArray draws = Draws({{1, 0, 0}, {1, 5, 5}, {1, 7, 7}, {1, 2, 3}});
  const RepeatsResult r = AnalyzeRepeats(draws, 1, 10);
  ASSERT_EQ(r.rows.size(), 1u);
  EXPECT_EQ(r.rows[0], (RepeatsRow{4, 1, 3, "3 2 1", 3}));
  int calls = 0;
  const RepeatsResult bare = AnalyzeRepeats(draws, 1, 10, {}, false);
  EXPECT_EQ(bare.rows[0].draws, "");
  EXPECT_EQ(RepeatsList(draws, bare.rows[0], 10), "3 2 1");
  EXPECT_EQ(RepeatsList(draws, bare.rows[0], 2), "3 2");
  const RepeatsResult stopped = AnalyzeRepeats(draws, 4, 10, [&](int, int) { return ++calls < 2; });
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(calls, 2);
}

TEST(Sums, TheoryBandsAndScale) {
  const SumsAnalysis s = AnalyzeSums(Draws({{1, 2, 3}, {0, 0, 6}, {9, 9, 9}}));
  ASSERT_EQ(s.theory.size(), 28u);
  EXPECT_EQ(s.theory.front().key, 0);
  EXPECT_EQ(s.theory.front().count, 1);
  EXPECT_EQ(s.theory[13].count, 75);
  EXPECT_EQ(s.theory[14].count, 75);
  EXPECT_EQ(s.tMax, 75);
  EXPECT_EQ(s.tMin, 1);
  EXPECT_EQ(s.aMax, 2);  // the sum 6 twice
  const int expected[3][3] = {{26, 6, 21}, {38, 8, 19}, {51, 9, 18}};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(s.bands[static_cast<size_t>(k)].threshold, expected[k][0]);
    EXPECT_EQ(s.bands[static_cast<size_t>(k)].lo, expected[k][1]);
    EXPECT_EQ(s.bands[static_cast<size_t>(k)].hi, expected[k][2]);
  }
  ASSERT_EQ(s.chart.series.size(), 5u);
  EXPECT_EQ(s.chart.series[0].title, "Фактическое распределение сумм (по тиражам)");
  EXPECT_EQ(s.chart.series[0].points, (std::vector<std::pair<double, double>>{{6, 2}, {27, 1}}));
  EXPECT_DOUBLE_EQ(s.chart.series[1].points[13].second, 75.0 * 2 / 75);
  EXPECT_EQ(s.chart.series[2].title, "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 6-21");
  EXPECT_EQ(s.chart.series[4].title, "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 9-18");
}

TEST(Sums, AnEmptyArchiveScalesTheTheoryByZero) {
  const SumsAnalysis s = AnalyzeSums({});
  ASSERT_EQ(s.chart.series.size(), 5u);
  EXPECT_TRUE(s.chart.series[0].points.empty());
  for (const auto& [x, y] : s.chart.series[1].points) EXPECT_EQ(y, 0.0);
}

}  // namespace
}  // namespace korvane
