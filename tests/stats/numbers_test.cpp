#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

TEST(Numbers, NumsCountsDepthsAndPreListedValues) {
  test::StatFixture f({{1, 2, 3}, {7, 7, 2}});
  const TStatDrawArray list = f.EvaluateAll("NUMS");
  ASSERT_EQ(list.size(), 10u);  // 0..9, all listed
  auto at = [&](int n) { return list[static_cast<size_t>(n)]; };
  EXPECT_EQ(at(1).count, 1);
  EXPECT_EQ(at(2).count, 2);
  EXPECT_EQ(at(3).count, 1);
  EXPECT_EQ(at(7).count, 2);
  EXPECT_EQ(at(5).count, 0);
  EXPECT_EQ(at(5).depth, 0);
  EXPECT_EQ(at(7).depth, 1);
  EXPECT_EQ(at(2).depth, 1);
  EXPECT_EQ(at(1).depth, 2);
  EXPECT_EQ(at(3).depth, 2);
  EXPECT_EQ(at(7).minInterval, 0);  // 7 twice in one draw: an interval of 0 is seen
  EXPECT_EQ(at(2).minInterval, 1);
}

TEST(Numbers, ValueTextsOfEveryForm) {
  struct Case {
    const char* code;
    std::vector<TComb> draws;
    Texts texts;
  } cases[] = {
      {"EVEN", {{1, 3, 5}}, {{"1:2", 0}, {"2:1", 0}, {"3:0", 0}, {"0:3", 1}}},
      {"PRIM", {{1, 4, 6}}, {{"1:2", 1}, {"2:1", 0}, {"3:0", 0}}},
      {"PRIM", {{9, 0, 4}}, {{"1:2", 0}, {"2:1", 0}, {"3:0", 0}, {"0:3", 1}}},
      {"SMAL", {{0, 5, 9}}, {{"1:2", 1}, {"2:1", 0}, {"3:0", 0}}},
      {"SMLV", {{0, 9, 9}}, {{"122 (003)", 1}}},
      {"DIGS", {{0, 9, 9}}, {{"0", 1}, {"9", 2}}},
      {"POS2",
       {{3, 8, 1}},
       {{"0", 0},
        {"1", 0},
        {"2", 0},
        {"3", 0},
        {"4", 0},
        {"5", 0},
        {"6", 0},
        {"7", 0},
        {"8", 1},
        {"9", 0}}},
  };
  for (const Case& c : cases) {
    test::StatFixture f(c.draws);
    EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code)), c.texts) << c.code;
  }
}

TEST(Numbers, MaskTextsAndParsing) {
  struct Case {
    const char* code;
    TComb draw;
    bool sorted;
    const char* text;
  } cases[] = {
      {"EVNV", {2, 5, 8}, false, "ЧнЧ (002)"}, {"SMLV", {2, 5, 8}, false, "122 (003)"},
      {"PRMV", {2, 5, 8}, false, "ППС (006)"}, {"EVNV", {5, 1, 3}, true, "ннн (007)"},
      {"EVNV", {5, 2, 5}, false, "нЧн (005)"},
  };
  for (const Case& c : cases) {
    test::StatFixture f({c.draw});
    const TStatDrawArray list = f.EvaluateAll(c.code, c.sorted);
    std::string found;
    for (const auto& [text, count] : f.Texts(c.code, list))
      if (count == 1) found = text;
    EXPECT_EQ(found, c.text) << c.code;
  }
  test::StatFixture f;
  auto evnv = f.registry.CreateStat(f.Entry("EVNV"));
  EXPECT_EQ(evnv->TextToKey("ЧнЧ (002)"), 2);
  EXPECT_EQ(evnv->TextToKey("нЧн (005)"), 5);
  EXPECT_EQ(evnv->TextToKey("ЧЧЧ"), 0);
  EXPECT_EQ(evnv->ParseValue("ннн"), 7);
  auto even = f.registry.CreateStat(f.Entry("EVEN"));
  EXPECT_EQ(even->TextToKey("2:1"), 2);
  EXPECT_EQ(even->TextToKey("x"), 0);
  EXPECT_EQ(even->ValueToText(KeyRec(0)), "0:3");
  // EVNV pre-lists all eight masks, SMLV none.
  EXPECT_EQ(f.EvaluateAll("EVNV").size(), 8u);
  EXPECT_EQ(f.EvaluateAll("SMLV").size(), 0u);
}

TEST(Numbers, SortFlagAndGraphValues) {
  test::StatFixture f({{5, 1, 3}, {3, 8, 1}});
  const TStatDrawArray pos1 = f.Evaluate("POS1", 0, 0, true);
  EXPECT_EQ(pos1[1].count, 1);  // the sorted draw starts with 1
  auto pos2 = f.registry.CreateStat(f.Entry("POS2"));
  EXPECT_EQ(pos2->GraphValue(1, 1, false), 8);
  auto even = f.registry.CreateStat(f.Entry("EVEN"));
  EXPECT_EQ(even->GraphValue(1, 1, false), 1);
  auto prim = f.registry.CreateStat(f.Entry("PRIM"));
  EXPECT_EQ(prim->GraphValueOf(0, 0, {1, 4, 6}, false), 1);
}

TEST(Numbers, CombMatches) {
  test::StatFixture f({{1, 2, 3}});
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool match;
  } cases[] = {
      {"NUMS", {KeyRec(7)}, {1, 7, 3}, true},
      {"NUMS", {KeyRec(7)}, {1, 2, 3}, false},
      {"NUMS", {KeyRec(7), KeyRec(3)}, {3, 4, 5}, true},
      {"DIGS", {KeyRec(4)}, {3, 4, 5}, true},
      {"EVEN", {KeyRec(2)}, {2, 4, 5}, true},
      {"EVEN", {KeyRec(2)}, {2, 4, 6}, false},
      {"EVNV", {test::DwordRec(2)}, {2, 5, 8}, true},
      {"EVNV", {test::DwordRec(2)}, {2, 5, 7}, false},
      {"POS2", {KeyRec(8)}, {3, 8, 1}, true},
      {"POS2", {KeyRec(8)}, {8, 3, 1}, false},
      {"PRMV", {test::DwordRec(6)}, {2, 5, 8}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.match)
        << c.code << " " << CombToText(c.comb);
}

TEST(Numbers, FullSetDistributions) {
  test::StatFixture f;
  auto nums = f.registry.CreateStat(f.Entry("NUMS"));
  TStatDrawArray list;
  for (int v = 0; v < 1000; ++v)
    nums->EvaluateComb(list, {static_cast<uint8_t>(v / 100), static_cast<uint8_t>(v / 10 % 10),
                              static_cast<uint8_t>(v % 10)});
  ASSERT_EQ(list.size(), 10u);
  for (const auto& r : list) EXPECT_EQ(r.count, 300);
}

}  // namespace
}  // namespace korvane
