#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

TEST(CombValues, ValuesOfOneDraw) {
  struct Case {
    const char* code;
    TComb draw;
    bool sortFlag;
    Texts texts;
  } cases[] = {
      {"KNM2", {3, 1, 3}, false, {{"3:1", 1}, {"3:3", 1}, {"1:3", 1}}},
      {"KNS2", {3, 1, 3}, false, {{"3:1", 1}, {"1:3", 1}}},
      {"KNP21", {3, 1, 3}, false, {{"3:1", 1}}},
      {"KNP22", {3, 1, 3}, false, {{"1:3", 1}}},
      {"KNO2", {3, 1, 3}, false, {{"1:3", 1}, {"3:3", 1}}},
      {"KNM3", {3, 1, 3}, false, {{"3:1:3", 1}}},
      {"KNS3", {3, 1, 3}, false, {{"3:1:3", 1}}},
      {"KNP31", {3, 1, 3}, false, {{"3:1:3", 1}}},
      {"KNO3", {3, 1, 3}, false, {{"1:3:3", 1}}},
      // With the sorting option the draw is evaluated as 1-3-3.
      {"KNS2", {3, 1, 3}, true, {{"1:3", 1}, {"3:3", 1}}},
      {"KNM2", {3, 1, 3}, true, {{"1:3", 2}, {"3:3", 1}}},
      {"KNP21", {3, 1, 3}, true, {{"1:3", 1}}},
      {"KNM3", {3, 1, 3}, true, {{"1:3:3", 1}}},
      {"KNO2", {3, 1, 3}, true, {{"1:3", 1}, {"3:3", 1}}},
      // A value twice in one draw is added twice.
      {"KNO2", {4, 4, 4}, false, {{"4:4", 2}}},
      {"KNM2", {0, 0, 9}, false, {{"0:0", 1}, {"0:9", 2}}},
      {"KNO3", {9, 0, 5}, false, {{"0:5:9", 1}}},
  };
  for (const Case& c : cases) {
    test::StatFixture f({c.draw});
    EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code, c.sortFlag)), c.texts)
        << c.code << " " << CombToText(c.draw) << (c.sortFlag ? " sorted" : "");
  }
}

TEST(CombValues, OnlyOccurredValuesWithTheirIntervals) {
  test::StatFixture f({{1, 2, 3}, {9, 9, 9}, {1, 2, 5}});
  const TStatDrawArray list = f.EvaluateAll("KNS2");
  EXPECT_EQ(f.Texts("KNS2", list),
            (Texts{{"1:2", 2}, {"2:3", 1}, {"9:9", 2}, {"2:5", 1}}));  // nothing with count 0
  EXPECT_EQ(list[0].lastDraw, 102);
  EXPECT_EQ(list[0].depth, 1);
  EXPECT_EQ(list[0].minInterval, 2);
  EXPECT_EQ(list[0].maxInterval, 2);
  EXPECT_EQ(list[1].depth, 3);
  EXPECT_EQ(list[2].minInterval, 0);  // 9:9 twice in draw 101

  // No value is listed in advance, and a single combination adds nothing.
  auto stat = f.registry.CreateStat(f.Entry("KNM2"));
  TStatDrawArray empty;
  stat->PrepareValues(2, empty);
  stat->EvaluateComb(empty, {1, 2, 3});
  EXPECT_TRUE(empty.empty());
}

TEST(CombValues, FilterUsesTheCombinationAsStored) {
  struct Case {
    const char* code;
    TStatDrawRec selected;
    TComb comb;
    bool matches;
  } cases[] = {
      // KNO2 sorts the combination: 3-0-1 is 0-1-3, which holds 1:3.
      {"KNO2", KeyRec(1, 3), {3, 0, 1}, true},
      {"KNO2", KeyRec(0, 3), {3, 0, 1}, false},  // not neighbours once sorted
      // KNS2 keeps the order: 3-0-1 gives 3:0 and 0:1.
      {"KNS2", KeyRec(1, 3), {3, 0, 1}, false},
      {"KNS2", KeyRec(0, 1), {3, 0, 1}, true},
      {"KNS2", KeyRec(3, 1), {3, 0, 1}, false},  // not neighbours
      // KNM2: every pair in position order.
      {"KNM2", KeyRec(5, 2), {5, 9, 2}, true},
      {"KNM2", KeyRec(5, 2), {2, 9, 5}, false},
      {"KNM2", KeyRec(9, 2), {5, 9, 2}, true},
      {"KNM2", KeyRec(5, 2, 7), {5, 2, 7}, false},  // a triple is not a pair
      // The position members look at their own pair or triple only.
      {"KNP21", KeyRec(5, 9), {5, 9, 2}, true},
      {"KNP21", KeyRec(9, 2), {5, 9, 2}, false},
      {"KNP22", KeyRec(9, 2), {5, 9, 2}, true},
      {"KNP22", KeyRec(5, 9), {5, 9, 2}, false},
      {"KNP31", KeyRec(5, 9, 2), {5, 9, 2}, true},
      {"KNP31", KeyRec(2, 9, 5), {5, 9, 2}, false},
      {"KNM3", KeyRec(3, 1, 3), {3, 1, 3}, true},
      {"KNM3", KeyRec(3, 1, 3), {1, 3, 3}, false},
      {"KNS3", KeyRec(3, 1, 3), {3, 1, 3}, true},
      {"KNS3", KeyRec(3, 1), {3, 1, 3}, false},
      {"KNO3", KeyRec(1, 3, 3), {3, 1, 3}, true},
      {"KNO3", KeyRec(1, 3, 3), {3, 3, 1}, true},
      {"KNO3", KeyRec(3, 1, 3), {3, 1, 3}, false},
  };
  // The archive and the sorting option play no part in the filter.
  test::StatFixture f({{7, 7, 7}, {3, 1, 0}});
  for (const Case& c : cases)
    for (bool sortFlag : {false, true})
      EXPECT_EQ(f.Matches(c.code, {c.selected}, c.comb, sortFlag), c.matches)
          << c.code << " " << CombToText(c.comb) << (sortFlag ? " sorted" : "");
}

TEST(CombValues, FilterWithSeveralOrNoSelectedValues) {
  test::StatFixture f({{1, 2, 3}});
  const TStatDrawArray selected = {KeyRec(8, 8), KeyRec(4, 6), KeyRec(0, 1)};
  EXPECT_TRUE(f.Matches("KNM2", selected, {4, 5, 6}));
  EXPECT_TRUE(f.Matches("KNM2", selected, {0, 1, 9}));
  EXPECT_FALSE(f.Matches("KNM2", selected, {6, 4, 1}));
  for (const char* code :
       {"KNM2", "KNM3", "KNS2", "KNS3", "KNP21", "KNP22", "KNP31", "KNO2", "KNO3"})
    EXPECT_FALSE(f.Matches(code, {}, {1, 2, 3})) << code;
}

TEST(CombValues, EntriesNamesAndTexts) {
  test::StatFixture f;
  std::vector<std::string> codes;
  for (int i = 0; i < f.registry.Count(); ++i) {
    const std::string code = f.registry.Items(i).MethodCode();
    if (code.rfind("KN", 0) == 0) codes.push_back(code);
  }
  // No entry for the size-4 members (KNM4, KNS4, KNP4x, KNO4).
  EXPECT_EQ(codes, (std::vector<std::string>{"KNM2", "KNM3", "KNS2", "KNS3", "KNP21", "KNP22",
                                             "KNP31", "KNO2", "KNO3"}));

  const std::pair<const char*, const char*> lists[] = {
      {"KNM2", "{ num } Сочетания из 2 чисел по всем числам тиража [ S ]"},
      {"KNM3", "{ num } Сочетания из 3 чисел по всем числам тиража [ S ]"},
      {"KNS2", "{ num } Сочетания из 2 соседних чисел тиража [ S ]"},
      {"KNS3", "{ num } Сочетания из 3 соседних чисел тиража [ S ]"},
      {"KNP21", "{ num } Сочетания из 2-х чисел тиража начиная с 1 позиции [ S ]"},
      {"KNP22", "{ num } Сочетания из 2-х чисел тиража начиная с 2 позиции [ S ]"},
      {"KNP31", "{ num } Сочетания из 3-х чисел тиража начиная с 1 позиции [ S ]"},
      {"KNO2", "{ num } Сочетания из 2 чисел тиража по возрастанию"},
      {"KNO3", "{ num } Сочетания из 3 чисел тиража по возрастанию"},
  };
  for (const auto& [code, text] : lists) EXPECT_EQ(f.registry.ListText(f.Entry(code), true), text);

  auto pair = f.registry.CreateStat(f.Entry("KNP22"));
  EXPECT_EQ(pair->ValueToText(KeyRec(0, 9)), "0:9");
  EXPECT_EQ(pair->ParseValue("1:3"), 0);  // values cannot be typed in
  auto triple = f.registry.CreateStat(f.Entry("KNO3"));
  EXPECT_EQ(triple->ValueToText(KeyRec(1, 4, 4)), "1:4:4");
  EXPECT_EQ(triple->ParseValue("1"), 0);
}

}  // namespace
}  // namespace korvane
