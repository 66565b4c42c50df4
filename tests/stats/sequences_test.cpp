#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Seen;
using test::Texts;

TEST(Sequences, ValuesAndGraphValuesOfOneDraw) {
  struct Case {
    TComb draw;
    bool sorted;
    Texts seql;  // run lengths seen, with their counts
    int seqs;
    int lens;
    int seqsGraph;
    int lensGraph;
  } cases[] = {
      {{1, 2, 3}, false, {{"3", 1}}, 1, 3, 1, 3},
      {{1, 2, 5}, false, {{"1", 1}, {"2", 1}}, 1, 2, 1, 2},
      {{5, 1, 2}, false, {{"1", 1}, {"2", 1}}, 1, 2, 1, 2},
      // Descending steps join runs only for the graphs.
      {{3, 2, 1}, false, {{"1", 3}}, 0, 1, 1, 3},
      {{3, 2, 1}, true, {{"3", 1}}, 1, 3, 1, 3},
      {{1, 5, 9}, false, {{"1", 3}}, 0, 1, 0, 0},
      {{7, 7, 7}, false, {{"1", 3}}, 0, 1, 0, 0},
      {{9, 8, 4}, false, {{"1", 3}}, 0, 1, 1, 2},
      {{4, 8, 9}, false, {{"1", 1}, {"2", 1}}, 1, 2, 1, 2},
      // Up then down: runs of 2 and 1, but one stretch of three for the graphs.
      {{1, 2, 1}, false, {{"1", 1}, {"2", 1}}, 1, 2, 1, 3},
      {{0, 9, 8}, false, {{"1", 3}}, 0, 1, 1, 2},  // no wrap from 9 to 0
  };
  for (const Case& c : cases) {
    test::StatFixture f({c.draw});
    const std::string what = CombToText(c.draw) + (c.sorted ? " sorted" : "");
    EXPECT_EQ(Seen(f, "SEQL", c.sorted), c.seql) << what;
    EXPECT_EQ(Seen(f, "SEQS", c.sorted), (Texts{{std::to_string(c.seqs), 1}})) << what;
    EXPECT_EQ(Seen(f, "LENS", c.sorted), (Texts{{std::to_string(c.lens), 1}})) << what;
    EXPECT_EQ(f.registry.CreateStat(f.Entry("SEQS"))->GraphValue(0, 0, c.sorted), c.seqsGraph)
        << what;
    EXPECT_EQ(f.registry.CreateStat(f.Entry("LENS"))->GraphValue(0, 0, c.sorted), c.lensGraph)
        << what;
  }
}

TEST(Sequences, PreListedValues) {
  test::StatFixture f;
  EXPECT_EQ(f.Texts("SEQL", f.EvaluateAll("SEQL")), (Texts{{"1", 0}, {"2", 0}, {"3", 0}}));
  EXPECT_EQ(f.Texts("SEQS", f.EvaluateAll("SEQS")), (Texts{{"0", 0}, {"1", 0}}));
  EXPECT_EQ(f.Texts("LENS", f.EvaluateAll("LENS")), (Texts{{"1", 0}, {"2", 0}, {"3", 0}}));
}

TEST(Sequences, EveryRunLengthIsAddedWithIntervals) {
  // 100: 1-2-7 adds 2 and 1; 101: 4-5-6 adds 3; 102: 3-2-1 adds 1 three times (an interval of
  // 2, then two of 0).
  test::StatFixture f({{1, 2, 7}, {4, 5, 6}, {3, 2, 1}});
  const TStatDrawArray list = f.EvaluateAll("SEQL");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].count, 4);
  EXPECT_EQ(list[0].minInterval, 0);
  EXPECT_EQ(list[0].maxInterval, 2);
  EXPECT_EQ(list[0].lastDraw, 102);
  EXPECT_EQ(list[0].depth, 1);
  EXPECT_EQ(list[1].count, 1);
  EXPECT_EQ(list[1].depth, 3);
  EXPECT_EQ(list[2].count, 1);
  EXPECT_EQ(list[2].depth, 2);
}

TEST(Sequences, CombMatches) {
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool matches;
  } cases[] = {
      {"SEQL", {KeyRec(2)}, {5, 1, 2}, true},  {"SEQL", {KeyRec(1)}, {5, 1, 2}, true},
      {"SEQL", {KeyRec(3)}, {5, 1, 2}, false}, {"SEQL", {KeyRec(2)}, {1, 5, 9}, false},
      {"SEQL", {KeyRec(1)}, {1, 2, 3}, false}, {"SEQL", {KeyRec(3)}, {1, 2, 3}, true},
      {"SEQS", {KeyRec(0)}, {3, 2, 1}, true},  {"SEQS", {KeyRec(0)}, {1, 2, 3}, false},
      {"SEQS", {KeyRec(1)}, {1, 2, 5}, true},  {"LENS", {KeyRec(2)}, {5, 1, 2}, true},
      {"LENS", {KeyRec(1)}, {1, 5, 9}, true},  {"LENS", {KeyRec(1)}, {1, 2, 5}, false},
      {"LENS", {KeyRec(0)}, {1, 5, 9}, false},  // 0 is a graph value only
      {"LENS", {KeyRec(3)}, {3, 2, 1}, false},
  };
  test::StatFixture f({{1, 2, 3}});
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.matches)
        << c.code << " " << CombToText(c.comb);
  // The filter takes combinations in their stored order.
  EXPECT_FALSE(f.Matches("SEQL", {KeyRec(3)}, {3, 2, 1}, true));
  EXPECT_FALSE(f.Matches("LENS", {KeyRec(3)}, {3, 2, 1}, true));
}

TEST(Sequences, CombinationValues) {
  struct Case {
    const char* code;
    TComb comb;
    Texts texts;
  } cases[] = {
      {"SEQL", {3, 2, 1}, {{"1", 3}}},
      {"SEQL", {5, 1, 2}, {{"1", 1}, {"2", 1}}},
      {"SEQS", {5, 1, 2}, {{"1", 1}}},
      {"LENS", {1, 2, 3}, {{"3", 1}}},
  };
  test::StatFixture f;
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    TStatDrawArray list;
    stat->EvaluateComb(list, c.comb);
    EXPECT_EQ(f.Texts(c.code, list), c.texts) << c.code << " " << CombToText(c.comb);
  }
}

TEST(Sequences, Entries) {
  test::StatFixture f;
  const TStatList& r = f.registry;
  EXPECT_EQ(r.ListText(f.Entry("SEQL"), true), "{ seq } Длина последовательности в тираже [ SN ]");
  EXPECT_EQ(r.ListText(f.Entry("SEQS"), true),
            "{ seq } Количество последовательностей в тираже [ SNG ]");
  EXPECT_EQ(r.ListText(f.Entry("LENS"), true),
            "{ seq } Макс. длина последовательности в тираже [ SNG ]");
}

}  // namespace
}  // namespace korvane
