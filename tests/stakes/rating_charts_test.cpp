#include "stakes/rating_charts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/error.h"
#include "stakes/stake_store.h"
#include "support/test_support.h"

namespace korvane {

// Readable failures.
void PrintTo(const ChartSeries& s, std::ostream* os) {
  *os << "{\"" << s.title << "\" " << std::hex << s.colour << std::dec << " pointer " << s.pointer
      << " marks " << s.marks << " [";
  for (const auto& [x, y] : s.points) *os << " (" << x << ", " << y << ")";
  *os << " ]}";
}

namespace {

constexpr const char* kTooFew =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного "
    "тиража!";

TStakeData Stake(const char* comment, int32_t draw, int matches, int64_t profit,
                 bool checked = true) {
  TStakeData s;
  s.kind = StakeScenario;
  s.draw = draw;
  s.checked = checked ? 1 : 0;
  s.numbers = CombToCounted({1, 2, 3});
  s.matched.count = matches;
  s.profit = Money{profit};
  s.comment = comment;
  return s;
}

// An old-style separator: no draw, no kind.
TStakeData ZeroSeparator() {
  TStakeData s;
  s.kind = 0;
  s.draw = 0;
  s.matched.count = -1;
  return s;
}

class RatingChartsTest : public ::testing::Test {
 protected:
  // Writes the records as the stake file and opens it.
  void Make(const std::vector<TStakeData>& stakes) {
    store.Close();
    std::string bytes(stakes.size() * StakeRecSize, '\0');
    for (size_t i = 0; i < stakes.size(); ++i)
      EncodeStake(stakes[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecSize);
    test::WriteBytes(dir / "Korvane.lsk", bytes);
    store.Open(dir / "Korvane.lsk");
  }
  template <typename F>
  std::string ErrorOf(F f) {
    try {
      f();
    } catch (const Error& e) {
      return e.what();
    }
    return {};
  }
  test::TempDir dir;
  StakeStore store;
};

ChartSeries Series(const char* title, uint32_t colour, bool pointer, bool marks,
                   std::vector<std::pair<double, double>> points) {
  return ChartSeries{title, colour, pointer, marks, std::move(points)};
}

TEST(GraphAddPoint, JoinsTitlesIgnoringCaseAndKeepsTheFirstLook) {
  ChartData chart;
  GraphAddPoint(chart, 1, "Серия", 2, true, false, 0x123456);
  GraphAddPoint(chart, 2, "другая", 5, false, true);
  GraphAddPoint(chart, 3, "СЕРИЯ", 3, false, true, 0xFF0000);
  EXPECT_EQ(chart.series, (std::vector<ChartSeries>{
                              Series("Серия", 0x123456, true, false, {{1, 2}, {3, 3}}),
                              Series("другая", 0, false, true, {{2, 5}}),
                          }));
}

TEST_F(RatingChartsTest, ProfitByDrawSumsEachDrawInTheOrderOfTheFile) {
  Make({
      Stake("A", 5, 3, 39900),
      Stake("B", 3, -1, -10000, false),  // not checked yet: its cost
      MakeSeparator(),
      ZeroSeparator(),
      Stake("C", 5, 0, -10000),
      Stake("D", 7, 1, 15000),
      MakeSeparator(),
  });
  // Draws 5, 3, 7: 2.99, -1.00, 1.50; 3.49 in all.
  const double average = 3.49 / 3;
  const ChartData chart = ProfitByDrawChart(store);
  EXPECT_EQ(
      chart.series,
      (std::vector<ChartSeries>{
          Series("Суммарный профит ставок по тиражу", 0x008000, true, true,
                 {{5, 2.99}, {3, -1.0}, {7, 1.5}}),
          Series("Среднее значение", 0x0000FF, false, false,
                 {{5, average}, {3, average}, {7, average}}),
          Series("Накопленное значение", 0xFF0000, true, true, {{5, 2.99}, {3, 1.99}, {7, 3.49}}),
      }));
}

TEST_F(RatingChartsTest, ProfitByDrawNeedsAStake) {
  Make({});
  EXPECT_EQ(ErrorOf([&] { ProfitByDrawChart(store); }), kTooFew);
  Make({MakeSeparator(), ZeroSeparator()});
  EXPECT_EQ(ErrorOf([&] { ProfitByDrawChart(store); }), kTooFew);
  // One draw is enough.
  Make({Stake("A", 9, 0, -10000, false)});
  EXPECT_EQ(ProfitByDrawChart(store).series.size(), 3u);
}

TEST_F(RatingChartsTest, StakesByDrawCoverTheLast100DrawsOfTheComments) {
  std::vector<TStakeData> stakes;
  for (int d = 1; d <= 102; ++d) {
    stakes.push_back(Stake("Alpha", d, d % 4, d % 4 == 3 ? 4990000 : -10000));
    if (d >= 101) {
      stakes.push_back(Stake("бета", d, 1, -10000));
      stakes.push_back(Stake("Гамма", d, 2, -10000));
    }
    stakes.push_back(MakeSeparator());
  }
  stakes.push_back(Stake("alpha", 102, -1, 0));              // checked without a result
  stakes.push_back(Stake("alpha", 103, -1, -10000, false));  // waiting for its draw
  Make(stakes);
  const std::vector<std::string> comments = {"ALPHA", "Бета", "Дельта"};

  std::vector<std::pair<double, double>> matches, profits;
  for (int d = 3; d <= 102; ++d) {
    matches.emplace_back(d, d % 4);
    profits.emplace_back(d, d % 4 == 3 ? 499.0 : -1.0);
  }
  EXPECT_EQ(StakesByDrawChart(store, comments, false).series,
            (std::vector<ChartSeries>{Series("ALPHA", 0, true, true, matches),
                                      Series("Бета", 0, true, true, {{101, 1}, {102, 1}})}));
  EXPECT_EQ(StakesByDrawChart(store, comments, true).series,
            (std::vector<ChartSeries>{Series("ALPHA", 0, true, true, profits),
                                      Series("Бета", 0, true, true, {{101, -1}, {102, -1}})}));
}

TEST_F(RatingChartsTest, StakesByDrawNeedCommentsAndTwoDraws) {
  Make({Stake("A", 5, 1, -10000), Stake("A", 6, 2, -10000)});
  EXPECT_EQ(ErrorOf([&] { StakesByDrawChart(store, {}, false); }), kTooFew);
  EXPECT_EQ(StakesByDrawChart(store, {"a"}, false).series,
            (std::vector<ChartSeries>{Series("a", 0, true, true, {{5, 1}, {6, 2}})}));
  // Two stakes of one draw, and stakes not checked yet, are one draw.
  Make({Stake("A", 5, 1, -10000), Stake("B", 5, 2, -10000), Stake("A", 6, -1, -10000, false)});
  EXPECT_EQ(ErrorOf([&] { StakesByDrawChart(store, {"A"}, false); }), kTooFew);
}

TEST(MatchDistributionChart, ChanceForTheLargestRowThenEachRow) {
  TRatingRec a;
  a.comment = "A";
  a.stakes = 4;
  a.matchCounts = {2, 1, 1, 0};
  TRatingRec b;
  b.comment = "b";
  b.stakes = 2000;
  b.matchCounts = {1500, 400, 90, 10};
  EXPECT_EQ(MatchDistributionChart({a, b}).series,
            (std::vector<ChartSeries>{
                Series("Нормальные значения", 0x808080, true, false,
                       {{0, 1458}, {1, 486}, {2, 54}, {3, 2}}),
                Series("A", 0, true, false, {{0, 2}, {1, 1}, {2, 1}, {3, 0}}),
                Series("b", 0, true, false, {{0, 1500}, {1, 400}, {2, 90}, {3, 10}}),
            }));
  EXPECT_EQ(MatchDistributionChart({}).series,
            (std::vector<ChartSeries>{Series("Нормальные значения", 0x808080, true, false,
                                             {{0, 0}, {1, 0}, {2, 0}, {3, 0}})}));
}

}  // namespace
}  // namespace korvane
