#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

TEST(Matrix, OnlyThePairsAndTriplesAreRegistered) {
  test::StatFixture f;
  std::vector<std::string> codes;
  for (int i = 0; i < f.registry.Count(); ++i)
    if (f.registry.Items(i).statClass->group == 4)
      codes.push_back(f.registry.Items(i).MethodCode());
  EXPECT_EQ(codes, (std::vector<std::string>{"KFM2", "KFM3", "KFS2", "KFS3", "KRM2", "KRM3", "KRS2",
                                             "KRS3"}));
  EXPECT_EQ(f.registry.Items(f.Entry("KFM2")).DisplayName(),
            "Сочетания из 2 столбцов по всем числам тиража");
  EXPECT_EQ(f.registry.Items(f.Entry("KRS3")).DisplayName(),
            "Сочетания из 3 строк по соседним числам");
  EXPECT_EQ(f.registry.ListText(f.Entry("KRM2"), true),
            "{ mtx } Сочетания из 2 строк по всем числам тиража [ S ]");
}

TEST(Matrix, ValuesOfADraw) {
  struct Case {
    const char* code;
    TComb draw;
    Texts texts;
  } cases[] = {
      // Every number stands in column 0.
      {"KFM2", {3, 8, 1}, {{"0:0", 3}}},
      {"KFS2", {3, 8, 1}, {{"0:0", 2}}},
      {"KFM3", {3, 8, 1}, {{"0:0:0", 1}}},
      {"KFS3", {3, 8, 1}, {{"0:0:0", 1}}},
      // ...and in row n + 1.
      {"KRM2", {3, 8, 1}, {{"4:9", 1}, {"4:2", 1}, {"9:2", 1}}},
      {"KRS2", {3, 8, 1}, {{"4:9", 1}, {"9:2", 1}}},
      {"KRM3", {3, 8, 1}, {{"4:9:2", 1}}},
      {"KRS3", {0, 0, 9}, {{"1:1:10", 1}}},
      {"KRM2", {5, 5, 5}, {{"6:6", 3}}},
      {"KRS2", {7, 7, 2}, {{"8:8", 1}, {"8:3", 1}}},
  };
  for (const Case& c : cases) {
    test::StatFixture f({c.draw});
    EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code)), c.texts)
        << c.code << " " << CombToText(c.draw);
  }
}

TEST(Matrix, ColumnsOverARange) {
  test::StatFixture f({{0, 1, 2}, {9, 9, 9}, {4, 0, 7}, {5, 5, 1}});
  const TStatDrawArray kfs2 = f.EvaluateAll("KFS2");
  ASSERT_EQ(kfs2.size(), 1u);
  EXPECT_EQ(kfs2[0].count, 8);  // two neighbouring pairs per draw
  EXPECT_EQ(kfs2[0].lastDraw, 103);
  EXPECT_EQ(kfs2[0].depth, 1);
  EXPECT_EQ(kfs2[0].minInterval, 0);
  EXPECT_EQ(kfs2[0].maxInterval, 1);
  EXPECT_EQ(f.EvaluateAll("KFM2")[0].count, 12);
  EXPECT_EQ(f.EvaluateAll("KFM3")[0].count, 4);
  EXPECT_EQ(f.Evaluate("KFS3", 1, 2)[0].count, 2);
}

TEST(Matrix, SortFlagOrdersThePositions) {
  test::StatFixture f({{3, 8, 1}});
  EXPECT_EQ(f.Texts("KRS2", f.EvaluateAll("KRS2", true)), (Texts{{"2:4", 1}, {"4:9", 1}}));
  EXPECT_EQ(f.Texts("KRM3", f.EvaluateAll("KRM3", true)), (Texts{{"2:4:9", 1}}));
}

TEST(Matrix, NothingListedNorAddedForACombination) {
  test::StatFixture f;
  for (const char* code : {"KFM2", "KFS3", "KRM2", "KRS3"}) {
    auto stat = f.registry.CreateStat(f.Entry(code));
    TStatDrawArray list;
    stat->PrepareValues(-1, list);
    stat->EvaluateComb(list, {1, 2, 3});
    EXPECT_TRUE(list.empty()) << code;
    EXPECT_EQ(stat->ParseValue("0:0"), 0) << code;
  }
}

TEST(Matrix, CombMatches) {
  test::StatFixture f({{1, 2, 3}});
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool match;
  } cases[] = {
      // Once "0:0" is selected every combination has it.
      {"KFM2", {KeyRec(0, 0)}, {3, 8, 1}, true},
      {"KFS2", {KeyRec(0, 0)}, {9, 0, 9}, true},
      {"KFM3", {KeyRec(0, 0, 0)}, {5, 6, 7}, true},
      {"KFM2", {KeyRec(1, 1)}, {0, 0, 0}, false},
      // Rows: pairs in position order, all pairs or the neighbouring ones.
      {"KRM2", {KeyRec(4, 2)}, {3, 8, 1}, true},
      {"KRM2", {KeyRec(4, 2)}, {1, 8, 3}, false},
      {"KRS2", {KeyRec(4, 2)}, {3, 8, 1}, false},
      {"KRS2", {KeyRec(9, 2)}, {3, 8, 1}, true},
      {"KRM3", {KeyRec(4, 9, 2)}, {3, 8, 1}, true},
      {"KRS3", {KeyRec(4, 9, 2)}, {3, 1, 8}, false},
      {"KRM2", {KeyRec(7, 7), KeyRec(1, 10)}, {0, 5, 9}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.match)
        << c.code << " " << CombToText(c.comb);
  // Combinations keep their stored order whatever the sort option says.
  EXPECT_FALSE(f.Matches("KRS2", {KeyRec(2, 4)}, {3, 8, 1}, true));
}

TEST(Matrix, ValueTexts) {
  test::StatFixture f;
  EXPECT_EQ(f.registry.CreateStat(f.Entry("KRM2"))->ValueToText(KeyRec(10, 1)), "10:1");
  EXPECT_EQ(f.registry.CreateStat(f.Entry("KRS3"))->ValueToText(KeyRec(1, 1, 10)), "1:1:10");
  EXPECT_EQ(f.registry.CreateStat(f.Entry("KFS3"))->ValueToText(KeyRec(0, 0, 0)), "0:0:0");
}

}  // namespace
}  // namespace korvane
