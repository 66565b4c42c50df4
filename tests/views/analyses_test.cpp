#include "views/analyses.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/demo.h"

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

// The repeats taken literally: each earlier pair looked up among the rows of its draw.
std::vector<RepeatsRow> PlainRepeats(const TDrawsArray& draws, int length, int depth) {
  std::vector<RepeatsRow> rows;
  const int a = static_cast<int>(draws.size()) - 1;
  for (int p = a; p >= std::max(0, a - length + 1); --p) {
    const size_t first = rows.size();
    for (int k = p - 1; k >= std::max(0, p - depth); --k) {
      const int m = PositionMatches(draws[static_cast<size_t>(p)], draws[static_cast<size_t>(k)]);
      if (m == 0) continue;
      const std::string number = std::to_string(draws[static_cast<size_t>(k)].number);
      auto row = std::find_if(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end(),
                              [m](const RepeatsRow& r) { return r.matches == m; });
      if (row == rows.end()) {
        rows.push_back({draws[static_cast<size_t>(p)].number, m, 1, number, p});
      } else {
        ++row->repeats;
        row->draws += " " + number;
      }
    }
  }
  return rows;
}

TEST(Repeats, AgreeWithTheRowsTakenLiterally) {
  TDrawsArray draws = MakeDemoDraws(700, 5);
  // Numbers of every width, to the longest an int32 has.
  draws[3].number = -2147483647 - 1;
  draws[10].number = 2147483647;
  draws[20].number = 0;
  const struct {
    int length, depth;
  } cases[] = {{1, 1}, {1, 699}, {5, 1000}, {700, 40}, {2000, 3}, {250, 250}, {700, 700}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " x " << c.depth);
    const std::vector<RepeatsRow> expected = PlainRepeats(draws, c.length, c.depth);
    const RepeatsResult withLists = AnalyzeRepeats(draws, c.length, c.depth);
    EXPECT_EQ(withLists.rows, expected);
    int largest = 0;
    for (const RepeatsRow& r : expected) largest = std::max(largest, r.matches);
    EXPECT_EQ(withLists.largest, largest);
    EXPECT_FALSE(withLists.stopped);

    const RepeatsResult bare = AnalyzeRepeats(draws, c.length, c.depth, {}, false);
    ASSERT_EQ(bare.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      RepeatsRow row = bare.rows[i];
      EXPECT_EQ(row.draws, "");
      row.draws = RepeatsList(draws, row, c.depth);
      EXPECT_EQ(row, expected[i]);
    }

    std::vector<RepeatsRow> streamed;
    int steps = 0;
    EXPECT_TRUE(ForEachRepeatsRow(
        draws, c.length, c.depth, [&](const RepeatsRow& r) { streamed.push_back(r); },
        [&](int done, int total) {
          EXPECT_EQ(done, ++steps);
          EXPECT_EQ(total, std::min(c.length, 700));
          return true;
        }));
    EXPECT_EQ(streamed, expected);
    EXPECT_EQ(steps, std::min(c.length, 700));
  }
  EXPECT_TRUE(AnalyzeRepeats({}, 100, 100).rows.empty());
}

TEST(Repeats, TheChartVisitsTheRowsFromTheLast) {
  RepeatsResult r;
  r.rows = {{9, 1, 4, {}, 8}, {9, 3, 1, {}, 8}, {8, 1, 2, {}, 7}, {7, 3, 5, {}, 6}};
  r.largest = 3;
  const ChartData chart = RepeatsChart(r);
  ASSERT_EQ(chart.series.size(), 3u);
  const std::vector<std::pair<double, double>> points[3] = {{{8, 2}, {9, 4}}, {}, {{7, 5}, {9, 1}}};
  for (size_t m = 0; m < 3; ++m) {
    EXPECT_EQ(chart.series[m].title, "Совпадений: " + std::to_string(m + 1));
    EXPECT_EQ(chart.series[m].points, points[m]) << m;
  }
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
