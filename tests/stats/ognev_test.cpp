#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

struct OgnevCase {
  TComb draw;
  int hco1;
  int hco2;
  Texts hco3;  // as the newest draw of the archive: the following draw reads as 0-0-0
};

const OgnevCase kCases[] = {
    {{1, 4, 9}, 2, 2, {{"2", 0}, {"8", 0}, {"6", 0}, {"4", 0}}},  // 3, 5
    {{4, 5, 7}, 1, 3, {{"3 (1)", 0}, {"9", 0}, {"6", 0}}},        // 1, 2
    {{2, 5, 8}, 0, 6, {{"6", 0}}},                                // 3, 3
    {{0, 9, 0}, 0, 18, {{"18", 0}}},                              // 9, 9
    {{7, 7, 7}, 0, 0, {{"0", 1}}},                                // 0, 0
    {{1, 2, 3}, 0, 2, {{"2", 0}, {"8", 0}, {"6", 0}, {"4", 0}}},  // 1, 1
    {{0, 2, 4}, 0, 4, {{"4", 0}, {"8", 0}}},                      // 2, 2
    {{0, 0, 3}, 3, 3, {{"3", 0}, {"9", 0}, {"6", 0}}},            // 0, 3
    {{0, 0, 1}, 1, 1, {{"1 (1)", 0}}},                            // 0, 1
    {{0, 4, 9}, 1, 9, {{"9 (1)", 0}}},                            // 4, 5
    {{9, 1, 4}, 5, 5, {{"5", 0}}},                                // 8, 3
};

TEST(Ognev, WorkedExamplesInTheTable) {
  for (const OgnevCase& c : kCases) {
    test::StatFixture f({c.draw});
    const std::string what = CombToText(c.draw);
    EXPECT_EQ(f.Texts("HCO1", f.EvaluateAll("HCO1")), (Texts{{std::to_string(c.hco1), 1}})) << what;
    EXPECT_EQ(f.Texts("HCO2", f.EvaluateAll("HCO2")), (Texts{{std::to_string(c.hco2), 1}})) << what;
    EXPECT_EQ(f.Texts("HCO3", f.EvaluateAll("HCO3")), c.hco3) << what;
  }
}

TEST(Ognev, WorkedExamplesAsCombinations) {
  test::StatFixture f({{5, 5, 5}});
  for (const OgnevCase& c : kCases) {
    const std::string what = CombToText(c.draw);
    for (const auto& [code, v] : {std::pair<std::string, int>{"HCO1", c.hco1}, {"HCO2", c.hco2}}) {
      auto stat = f.registry.CreateStat(f.Entry(code));
      EXPECT_EQ(stat->GraphValueOf(0, 0, c.draw, false), v) << code << " " << what;
      TStatDrawArray list;
      stat->EvaluateComb(list, c.draw);
      EXPECT_EQ(f.Texts(code, list), (Texts{{std::to_string(v), 1}})) << code << " " << what;
      const auto value = static_cast<int16_t>(v);
      EXPECT_TRUE(f.Matches(code, {KeyRec(value)}, c.draw)) << code << " " << what;
      EXPECT_FALSE(f.Matches(code, {KeyRec(static_cast<int16_t>(value + 1))}, c.draw))
          << code << " " << what;
    }
  }
}

TEST(Ognev, SortedDrawsButCombinationsInStoredOrder) {
  // 9-1-4 is 1-4-9 for the table (2) but keeps its order in the filter (8, 3: 5).
  test::StatFixture f({{9, 1, 4}});
  EXPECT_EQ(f.Texts("HCO1", f.EvaluateAll("HCO1", true)), (Texts{{"2", 1}}));
  EXPECT_EQ(f.Texts("HCO3", f.EvaluateAll("HCO3", true)),
            (Texts{{"2", 0}, {"8", 0}, {"6", 0}, {"4", 0}}));
  auto hco1 = f.registry.CreateStat(f.Entry("HCO1"));
  EXPECT_EQ(hco1->GraphValue(0, 0, true), 2);
  EXPECT_EQ(hco1->GraphValue(0, 0, false), 5);
  EXPECT_TRUE(f.Matches("HCO1", {KeyRec(5)}, {9, 1, 4}, true));
  EXPECT_FALSE(f.Matches("HCO1", {KeyRec(2)}, {9, 1, 4}, true));
}

TEST(Ognev, NormCoversEveryCombination) {
  test::StatFixture f;
  struct Case {
    const char* code;
    int highest;
    int countOfHighest;
  } cases[] = {
      {"HCO1", 9, 4},   // 0-9-9, 9-0-0, 0-0-9, 9-9-0
      {"HCO2", 18, 2},  // 0-9-0, 9-0-9
  };
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    TStatDrawArray list;
    for (int i = 0; i < CombsCount; ++i)
      stat->EvaluateComb(list, {static_cast<uint8_t>(i / 100), static_cast<uint8_t>(i / 10 % 10),
                                static_cast<uint8_t>(i % 10)});
    int total = 0;
    int highest = -1;
    for (const TStatDrawRec& r : list) {
      total += r.count;
      if (r.key.k[0] > highest) highest = r.key.k[0];
      if (r.key.k[0] == c.highest) {
        EXPECT_EQ(r.count, c.countOfHighest) << c.code;
      }
    }
    EXPECT_EQ(total, CombsCount) << c.code;
    EXPECT_EQ(highest, c.highest) << c.code;
  }
  // HCO3 has no norm.
  auto hco3 = f.registry.CreateStat(f.Entry("HCO3"));
  TStatDrawArray list;
  hco3->EvaluateComb(list, {1, 4, 9});
  EXPECT_TRUE(list.empty());
}

TEST(Ognev, Hco3UsesOnlyTheReferenceDrawAndTheDrawAfterIt) {
  // 100: 1-4-9, 101: 4-5-7 (the reference), 102: 9-0-3 (the draw after it), 103: 0-0-3.
  test::StatFixture f({{1, 4, 9}, {4, 5, 7}, {9, 0, 3}, {0, 0, 3}});
  const TStatDrawArray list = f.Evaluate("HCO3", 0, 1);
  EXPECT_EQ(f.Texts("HCO3", list), (Texts{{"3 (1)", 1}, {"9", 1}, {"6", 0}}));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].key, KeyRec(3, 1, 0, 2).key);
  EXPECT_EQ(list[1].key, KeyRec(9).key);
  for (const TStatDrawRec& r : list) {
    EXPECT_EQ(r.lastDraw, 101);
    EXPECT_EQ(r.depth, 1);
  }
  // With 1-4-9 as the reference, 4-5-7 follows: only 4 occurred.
  EXPECT_EQ(f.Texts("HCO3", f.Evaluate("HCO3", 0, 0)),
            (Texts{{"2", 0}, {"8", 0}, {"6", 0}, {"4", 1}}));
  // The "Факт" column never finds a later draw, though 0-0-3 alone would give 9.
  auto hco3 = f.registry.CreateStat(f.Entry("HCO3"));
  for (const TStatDrawRec& r : list) EXPECT_EQ(hco3->FindNextDraw(r, 2, 1, false), -1);
  EXPECT_EQ(f.Texts("HCO3", f.Evaluate("HCO3", 3, 3)), (Texts{{"3", 0}, {"9", 0}, {"6", 0}}));
}

TEST(Ognev, Hco3FilterKeepsCombinationsHoldingASelectedNumber) {
  test::StatFixture f({{1, 4, 9}});
  struct Case {
    TStatDrawArray selected;
    TComb comb;
    bool matches;
  } cases[] = {
      {{KeyRec(8), KeyRec(6)}, {1, 6, 3}, true},
      {{KeyRec(8), KeyRec(6)}, {1, 2, 3}, false},
      {{KeyRec(8), KeyRec(6)}, {8, 8, 8}, true},
      {{KeyRec(3, 1, 0, 2)}, {1, 2, 3}, true},  // the value "3 (1)" stands for 3
      {{KeyRec(3, 1, 0, 2)}, {4, 5, 7}, false},
      {{KeyRec(18)}, {1, 8, 9}, false},
      {{}, {1, 2, 3}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches("HCO3", c.selected, c.comb), c.matches) << CombToText(c.comb);
}

TEST(Ognev, TextsAndEntries) {
  test::StatFixture f;
  const TStatList& r = f.registry;
  auto hco3 = r.CreateStat(f.Entry("HCO3"));
  EXPECT_EQ(hco3->ValueToText(KeyRec(7, 1, 0, 2)), "7 (1)");
  EXPECT_EQ(hco3->ValueToText(KeyRec(7)), "7");
  EXPECT_EQ(hco3->ValueToText(KeyRec(12)), "12");
  EXPECT_EQ(hco3->ParseValue("7"), 0);  // no typed values
  EXPECT_EQ(r.CreateStat(f.Entry("HCO1"))->ParseValue("5"), 5);
  EXPECT_EQ(r.CreateStat(f.Entry("HCO2"))->ParseValue("18"), 18);
  EXPECT_EQ(r.ListText(f.Entry("HCO1"), true), "{ ogn } Число Огнева 1 (только разность) [ SNG ]");
  EXPECT_EQ(r.ListText(f.Entry("HCO2"), true),
            "{ ogn } Число Огнева 2 (разность + сложение, если {0,1}) [ SNG ]");
  EXPECT_EQ(r.ListText(f.Entry("HCO3"), true),
            "{ ogn } Числа Огнева 3 (динамический, только фильтр) [ SD ]");
  EXPECT_TRUE(r.HasGraph(f.Entry("HCO2")));
  EXPECT_FALSE(r.HasGraph(f.Entry("HCO3")));
  EXPECT_FALSE(r.HasNorm(f.Entry("HCO3")));
}

}  // namespace
}  // namespace korvane
