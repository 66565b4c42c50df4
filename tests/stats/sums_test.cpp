#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::DwordRec;
using test::KeyRec;

TEST(Sums, SumsListsTheRangeAndWhatOccurred) {
  test::StatFixture f({{0, 0, 1}, {9, 9, 9}});
  const auto texts = f.Texts("SUMS", f.EvaluateAll("SUMS"));
  ASSERT_EQ(texts.size(), 24u);  // 3..24 and 1, 27
  EXPECT_EQ(texts.front().first, "3");
  EXPECT_EQ(texts[21].first, "24");
  EXPECT_EQ(texts[22], (std::pair<std::string, int>{"1", 1}));
  EXPECT_EQ(texts[23], (std::pair<std::string, int>{"27", 1}));
}

TEST(Sums, Ranges) {
  test::StatFixture f({{5, 5, 9}, {0, 0, 7}});
  EXPECT_EQ(f.Texts("SUM2", f.EvaluateAll("SUM2")),
            (std::vector<std::pair<std::string, int>>{{"Остальные", 1}, {"8-19", 1}}));
  EXPECT_EQ(f.Texts("SUM1", f.EvaluateAll("SUM1"))[1].first, "6-21");
  EXPECT_EQ(f.Texts("SUM3", f.EvaluateAll("SUM3"))[1].first, "9-18");
  // Selecting "8-19" keeps exactly the sums 8..19, "Остальные" the others, both: all.
  for (int s = 0; s <= 27; ++s) {
    const TComb c{static_cast<uint8_t>(s / 3), static_cast<uint8_t>(s / 3),
                  static_cast<uint8_t>(s - 2 * (s / 3))};
    const bool inside = s >= 8 && s <= 19;
    EXPECT_EQ(f.Matches("SUM2", {KeyRec(1)}, c), inside) << s;
    EXPECT_EQ(f.Matches("SUM2", {KeyRec(0)}, c), !inside) << s;
    EXPECT_TRUE(f.Matches("SUM2", {KeyRec(0), KeyRec(1)}, c)) << s;
  }
}

TEST(Sums, SumChangeFollowsDrawsLikeTheReference) {
  // ... 4-4-4 (12), 1-2-5 (8), ..., 3-3-6 (12, the newest).
  test::StatFixture f({{0, 1, 1}, {4, 4, 4}, {1, 2, 5}, {9, 9, 0}, {3, 3, 6}});
  const auto texts = f.Texts("SUMC", f.EvaluateAll("SUMC"));
  EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{{"- 04 : 12 - 4 = 8", 1}}));
  // Selecting it keeps combinations whose sum is 8.
  const TStatDrawArray selected = f.EvaluateAll("SUMC");
  EXPECT_TRUE(f.Matches("SUMC", selected, {1, 2, 5}));
  EXPECT_TRUE(f.Matches("SUMC", selected, {0, 0, 8}));
  EXPECT_FALSE(f.Matches("SUMC", selected, {0, 0, 9}));
  auto sumc = f.registry.CreateStat(f.Entry("SUMC"));
  EXPECT_EQ(sumc->ValueToText(DwordRec(12, 15)), "+03 : 12 + 3 = 15");
  EXPECT_EQ(sumc->ValueToText(DwordRec(12, 12)), "+00 : 12 + 0 = 12");
  EXPECT_EQ(sumc->GraphValue(2, 4, false), 8 - 12);
  EXPECT_EQ(sumc->GraphValue(0, 4, false), 2);  // the zero draw before the first
}

TEST(Sums, SumChangeAtTheFirstDraw) {
  // Draw 0 follows the zero draw (sum 0): it counts only when the reference sums to 0.
  test::StatFixture f({{1, 2, 3}, {0, 0, 0}});
  EXPECT_EQ(f.Texts("SUMC", f.EvaluateAll("SUMC")),
            (std::vector<std::pair<std::string, int>>{{"+06 : 0 + 6 = 6", 1}}));
}

TEST(Sums, SumChangeSomeUsesTheTolerance) {
  // R = 12: predecessors summing to 10..14 count.
  test::StatFixture f(
      {{3, 3, 3}, {1, 1, 1}, {5, 5, 4}, {2, 2, 2}, {9, 9, 9}, {0, 0, 0}, {4, 4, 4}});
  const auto texts = f.Texts("SUMV", f.EvaluateAll("SUMV"));
  // 9 -> 3 (no: 9 is outside 10..14), 14 -> 6 (-08), 27 -> 0 (no), 12 is the newest.
  EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{{"- 08", 1}}));
  auto sumv = f.registry.CreateStat(f.Entry("SUMV"));
  EXPECT_EQ(sumv->ValueToText(DwordRec(3)), "+03");
  EXPECT_EQ(sumv->ValueToText(DwordRec(0)), "+00");
  // A combination matches by its change from the reference sum 12.
  EXPECT_TRUE(f.Matches("SUMV", {DwordRec(-8)}, {1, 1, 2}));
  EXPECT_FALSE(f.Matches("SUMV", {DwordRec(-8)}, {1, 1, 3}));
}

TEST(Sums, TrendListsAllThreeSigns) {
  test::StatFixture f({{1, 1, 1}, {5, 5, 5}, {1, 1, 1}});
  const auto texts = f.Texts("SUMT", f.EvaluateAll("SUMT"));
  EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{{"=", 0}, {"+", 1}, {"-", 0}}));
  EXPECT_TRUE(f.Matches("SUMT", {DwordRec(1)}, {2, 0, 2}));   // 4 > 3
  EXPECT_FALSE(f.Matches("SUMT", {DwordRec(1)}, {1, 0, 2}));  // 3 = 3
  EXPECT_TRUE(f.Matches("SUMT", {DwordRec(-1)}, {0, 0, 0}));
}

TEST(Sums, EvenPrimeAndTwoToThree) {
  struct Case {
    const char* code;
    TComb comb;
    int value;
  } cases[] = {
      {"SUME", {1, 3, 5}, 0},  {"SUME", {2, 3, 8}, 10}, {"SUMP", {1, 4, 9}, 1},
      {"SUMP", {2, 3, 7}, 12}, {"S2T3", {0, 0, 0}, 3},  {"S2T3", {1, 2, 3}, 1},
      {"S2T3", {2, 2, 4}, 1},  {"S2T3", {0, 5, 5}, 2},  {"S2T3", {1, 1, 1}, 0},
      {"S2T3", {3, 1, 2}, 1},
  };
  test::StatFixture f;
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    EXPECT_EQ(stat->GraphValueOf(0, 0, c.comb, false), c.value)
        << c.code << " " << CombToText(c.comb);
    const bool pair = std::string(c.code) != "S2T3";
    const TStatDrawArray sel = {pair ? DwordRec(c.value) : KeyRec(static_cast<int16_t>(c.value))};
    EXPECT_TRUE(f.Matches(c.code, sel, c.comb)) << c.code;
  }
}

}  // namespace
}  // namespace korvane
