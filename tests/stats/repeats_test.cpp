#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

// The pre-listed values and the values of draw `index` alone, with the newest draw of the
// archive as the reference draw.
Texts EvaluateOne(test::StatFixture& f, const std::string& code, int index, bool sortFlag = false) {
  auto stat = f.registry.CreateStat(f.Entry(code));
  const int last = static_cast<int>(f.draws.size()) - 1;
  TStatDrawArray list;
  StatScratch scratch(std::max<size_t>(stat->ScratchSize(), 120), 0);
  TLastValueArray lastValues;
  stat->PrepareValues(last, list);
  stat->EvaluateDraw(index, last, sortFlag, list, scratch, lastValues);
  return f.Texts(code, list);
}

struct DrawCase {
  const char* code;
  std::vector<TComb> draws;  // the newest one is the reference
  int index;
  Texts texts;
};

TEST(Repeats, ValueMembersOfOneDraw) {
  const DrawCase cases[] = {
      // Reference 1-2-3, predecessor 5-2-9, draw 7-2-4: only position 2 repeats.
      {"RPV2", {{5, 2, 9}, {7, 2, 4}, {1, 2, 3}}, 1, {{"1", 0}, {"2", 1}, {"3", 0}}},
      // Reference 4-0-9, predecessor 4-3-9, draw 5-7-0: 4 + 1 and 9 + 1 (wrapping to 0);
      // the values listed in advance are the reference numbers plus one.
      {"PRV+1", {{4, 3, 9}, {5, 7, 0}, {4, 0, 9}}, 1, {{"5", 1}, {"1", 0}, {"0", 1}}},
      // Minus two wraps below 0: 1 - 2 = 9.
      {"PRV-2", {{1, 6, 5}, {9, 8, 3}, {1, 0, 5}}, 1, {{"9", 1}, {"8", 0}, {"3", 1}}},
      {"PRV-1", {{0, 6, 5}, {9, 5, 3}, {0, 6, 4}}, 1, {{"9", 1}, {"5", 1}, {"3", 0}}},
      {"PRV+2", {{8, 0, 0}, {0, 2, 3}, {8, 1, 1}}, 1, {{"0", 1}, {"3", 0}}},
      // The draw two places back counts for PRV2O1, not the one just before (RPV2).
      {"PRV2O1", {{6, 1, 7}, {3, 3, 3}, {6, 5, 7}, {6, 1, 8}}, 2, {{"6", 1}, {"1", 0}, {"8", 0}}},
      {"RPV2", {{6, 1, 7}, {3, 3, 3}, {6, 5, 7}, {6, 1, 8}}, 2, {{"6", 0}, {"1", 0}, {"8", 0}}},
      {"PRV2O2",
       {{0, 4, 4}, {1, 1, 1}, {1, 1, 1}, {0, 4, 1}, {0, 4, 5}},
       3,
       {{"0", 1}, {"4", 1}, {"5", 0}}},
      {"PRV2O3",
       {{2, 2, 2}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {2, 9, 9}, {2, 5, 5}},
       4,
       {{"2", 1}, {"5", 0}}},
      // Three in a row: the reference, the draw, the one before and the one before that.
      {"RPV3", {{4, 1, 1}, {4, 2, 2}, {4, 3, 3}, {4, 0, 0}}, 2, {{"4", 1}, {"0", 0}}},
      {"PRL2", {{4, 1, 1}, {4, 2, 2}, {4, 3, 3}, {4, 0, 0}}, 2, {{"4", 0}, {"0", 0}}},
      {"RPV3", {{5, 1, 1}, {4, 2, 2}, {4, 3, 3}, {4, 0, 0}}, 2, {{"4", 0}, {"0", 0}}},
      {"PRL2", {{5, 1, 1}, {4, 2, 2}, {4, 3, 3}, {4, 0, 0}}, 2, {{"4", 1}, {"0", 0}}},
      // Before the first draw the archive reads as 0-0-0, so a reference 0 repeats there.
      {"RPV2", {{0, 5, 5}, {0, 7, 8}}, 0, {{"0", 1}, {"7", 0}, {"8", 0}}},
      {"RPV3", {{0, 5, 5}, {0, 7, 8}}, 0, {{"0", 1}, {"7", 0}, {"8", 0}}},
      {"PRL2", {{0, 5, 5}, {0, 7, 8}}, 0, {{"0", 0}, {"7", 0}, {"8", 0}}},
  };
  for (const DrawCase& c : cases) {
    test::StatFixture f(c.draws);
    EXPECT_EQ(EvaluateOne(f, c.code, c.index), c.texts) << c.code << " draw " << c.index;
  }
}

TEST(Repeats, CountMembersOfOneDraw) {
  const DrawCase cases[] = {
      {"RPC2", {{1, 5, 3}, {1, 2, 3}}, 1, {{"1", 0}, {"2", 1}, {"3", 0}}},
      // Nothing repeats: 0 is listed once it occurs.
      {"RPC2", {{4, 5, 6}, {1, 2, 3}}, 1, {{"1", 0}, {"2", 0}, {"3", 0}, {"0", 1}}},
      {"RPC2", {{0, 3, 0}, {5, 5, 5}}, 0, {{"1", 0}, {"2", 1}, {"3", 0}}},   // after 0-0-0
      {"PRC+1", {{1, 5, 9}, {2, 6, 0}}, 1, {{"1", 0}, {"2", 0}, {"3", 1}}},  // 9 + 1 = 0
      {"PRC-1", {{0, 5, 8}, {9, 4, 3}}, 1, {{"1", 0}, {"2", 1}, {"3", 0}}},
      {"PRC+2", {{8, 5, 8}, {0, 7, 1}}, 1, {{"1", 0}, {"2", 1}, {"3", 0}}},
      {"PRC-2", {{1, 0, 2}, {9, 8, 0}}, 1, {{"1", 0}, {"2", 0}, {"3", 1}}},
      {"RPO1", {{1, 2, 3}, {7, 7, 7}, {1, 2, 0}}, 2, {{"1", 0}, {"2", 1}, {"3", 0}}},
      {"PRC2O2",
       {{3, 3, 3}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {3, 0, 3}},
       4,
       {{"1", 1}, {"2", 0}, {"3", 0}}},
      {"PRC2O3",
       {{3, 3, 3}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {3, 0, 3}},
       4,
       {{"1", 0}, {"2", 1}, {"3", 0}}},
      // 1-2-3, 1-2-4, 1-2-4: positions 1 and 2 three in a row, position 3 exactly two.
      {"RPC3", {{1, 2, 3}, {1, 2, 4}, {1, 2, 4}}, 2, {{"1", 0}, {"2", 1}, {"3", 0}}},
      {"PRB2", {{1, 2, 3}, {1, 2, 4}, {1, 2, 4}}, 2, {{"1", 1}, {"2", 0}, {"3", 0}}},
      // The reference draw plays no part in the counts.
      {"RPC2", {{1, 5, 3}, {1, 2, 3}, {9, 9, 9}}, 1, {{"1", 0}, {"2", 1}, {"3", 0}}},
  };
  for (const DrawCase& c : cases) {
    test::StatFixture f(c.draws);
    EXPECT_EQ(EvaluateOne(f, c.code, c.index), c.texts) << c.code << " draw " << c.index;
  }
}

TEST(Repeats, RangeCountsTheReferenceDrawToo) {
  test::StatFixture f({{5, 2, 9}, {7, 2, 4}, {1, 2, 3}});
  const TStatDrawArray list = f.EvaluateAll("RPV2");
  ASSERT_EQ(list.size(), 3u);
  // Draw 101 and the reference 102 itself (its predecessor holds 2 at position 2).
  EXPECT_EQ(list[1].key, KeyRec(2).key);
  EXPECT_EQ(list[1].count, 2);
  EXPECT_EQ(list[1].lastDraw, 102);
  EXPECT_EQ(list[1].depth, 1);
  EXPECT_EQ(list[1].minInterval, 1);
  EXPECT_EQ(list[0].depth, 0);
}

TEST(Repeats, SortedDrawsButValuesListedFromTheUnsortedNewest) {
  // Sorted: 1-2-9, then 2-1-7 -> 1-2-7, reference 3-1-2 -> 1-2-3.
  test::StatFixture f({{9, 2, 1}, {2, 7, 1}, {3, 1, 2}});
  EXPECT_EQ(EvaluateOne(f, "RPV2", 1, true), (Texts{{"3", 0}, {"1", 1}, {"2", 1}}));
  EXPECT_EQ(EvaluateOne(f, "RPV2", 1, false), (Texts{{"3", 0}, {"1", 0}, {"2", 0}}));
  EXPECT_EQ(EvaluateOne(f, "RPC2", 1, true), (Texts{{"1", 0}, {"2", 1}, {"3", 0}}));
  EXPECT_EQ(EvaluateOne(f, "RPC2", 1, false), (Texts{{"1", 1}, {"2", 0}, {"3", 0}}));
}

TEST(Repeats, ValueFilterMatchesAnyNumberOfTheCombination) {
  test::StatFixture f({{5, 2, 9}, {1, 2, 3}});
  for (const char* code : {"RPV2", "RPV3", "PRL2", "PRV2O1", "PRV+1", "PRV-2"}) {
    EXPECT_TRUE(f.Matches(code, {KeyRec(2)}, {7, 2, 4})) << code;
    EXPECT_TRUE(f.Matches(code, {KeyRec(2)}, {2, 0, 0})) << code;  // any position
    EXPECT_TRUE(f.Matches(code, {KeyRec(8), KeyRec(2)}, {0, 0, 2})) << code;
    EXPECT_FALSE(f.Matches(code, {KeyRec(2)}, {5, 5, 5})) << code;
    EXPECT_FALSE(f.Matches(code, {}, {2, 2, 2})) << code;
  }
}

TEST(Repeats, CountFilterTakesTheCombinationAsTheNextDraw) {
  struct Case {
    const char* code;
    std::vector<TComb> draws;
    TComb comb;
    int16_t count;
  } cases[] = {
      {"RPC2", {{0, 0, 0}, {1, 2, 3}}, {1, 2, 9}, 2},
      {"RPC2", {{0, 0, 0}, {1, 2, 3}}, {4, 5, 6}, 0},
      {"RPO1", {{5, 6, 7}, {1, 2, 3}}, {5, 6, 0}, 2},  // the draw before the newest
      {"PRC2O2", {{5, 6, 7}, {0, 0, 0}, {1, 2, 3}}, {5, 0, 7}, 2},
      {"PRC2O3", {{5, 6, 7}, {0, 0, 0}, {0, 0, 0}, {1, 2, 3}}, {5, 6, 7}, 3},
      {"PRC+2", {{8, 9, 0}}, {0, 1, 5}, 2},  // 8 + 2 = 0, 9 + 2 = 1
      {"PRC-1", {{0, 4, 4}}, {9, 3, 3}, 3},
      // Newest 3-1-8, the one before 3-3-8.
      {"RPC3", {{3, 3, 8}, {3, 1, 8}}, {3, 9, 8}, 2},
      {"RPC3", {{3, 3, 8}, {3, 1, 8}}, {1, 1, 1}, 0},
      {"PRB2", {{3, 3, 8}, {3, 1, 8}}, {3, 9, 8}, 0},
      {"PRB2", {{3, 3, 8}, {3, 1, 8}}, {1, 1, 1}, 1},
      // With one draw only, the draw before the newest reads as 0-0-0.
      {"RPC3", {{0, 4, 0}}, {0, 4, 5}, 1},
  };
  for (const Case& c : cases) {
    test::StatFixture f(c.draws);
    for (int16_t k = 0; k <= 3; ++k)
      EXPECT_EQ(f.Matches(c.code, {KeyRec(k)}, c.comb), k == c.count)
          << c.code << " " << CombToText(c.comb) << " k=" << k;
  }
}

TEST(Repeats, CountFilterSortsTheDrawsWithTheOption) {
  test::StatFixture f({{3, 2, 1}});
  EXPECT_TRUE(f.Matches("RPC2", {KeyRec(3)}, {1, 2, 3}, true));
  EXPECT_TRUE(f.Matches("RPC2", {KeyRec(1)}, {1, 2, 3}, false));
}

TEST(Repeats, EntriesNamesAndTexts) {
  test::StatFixture f;
  std::vector<std::string> codes;
  for (int i = 0; i < f.registry.Count(); ++i)
    if (f.registry.Items(i).statClass->group == 7)
      codes.push_back(f.registry.Items(i).MethodCode());
  const std::vector<std::string> expected = {
      "RPV2", "RPV3", "PRL2", "PRV2O1", "PRV2O2", "PRV2O3", "PRV+1", "PRV-1", "PRV+2", "PRV-2",
      "RPC2", "RPC3", "PRB2", "RPO1",   "PRC2O2", "PRC2O3", "PRC+1", "PRC-1", "PRC+2", "PRC-2"};
  EXPECT_EQ(codes, expected);

  const std::pair<const char*, const char*> names[] = {
      {"RPV2", "Повторяющиеся числа в 2-х тиражах подряд"},
      {"PRL2", "Повторяющиеся числа не более чем в 2-х тиражах"},
      {"PRV2O1", "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)"},
      {"PRV2O3", "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)"},
      {"PRV-1", "Данные предыдущего тиража - 1"},
      {"PRV+2", "Данные предыдущего тиража + 2"},
      {"RPC3", "Количество повторов в 3-х тиражах подряд"},
      {"PRB2", "Количество повторов не более чем в 2-х тиражах"},
      {"RPO1", "Количество повторов в 2-х тиражах через 1 тираж(а)"},
      {"PRC2O2", "Количество повторов в 2-х тиражах через 2 тираж(а)"},
      {"PRC+1", "Количество совпадений \"значений + 1\""},
      {"PRC-2", "Количество совпадений \"значений - 2\""},
  };
  for (const auto& [code, name] : names)
    EXPECT_EQ(f.registry.Items(f.Entry(code)).DisplayName(), name) << code;
  EXPECT_EQ(f.registry.ListText(f.Entry("PRV+1"), true),
            "{ rep } Данные предыдущего тиража + 1 [ D ]");

  // Plain decimal texts, typed values accepted; a single combination adds nothing.
  for (const char* code : {"RPV2", "RPC2", "RPV3", "PRB2"}) {
    auto stat = f.registry.CreateStat(f.Entry(code));
    EXPECT_EQ(stat->ValueToText(KeyRec(7)), "7") << code;
    EXPECT_EQ(stat->ParseValue("3"), 3) << code;
    TStatDrawArray list;
    stat->EvaluateComb(list, {1, 2, 3});
    EXPECT_TRUE(list.empty()) << code;
  }
}

}  // namespace
}  // namespace korvane
