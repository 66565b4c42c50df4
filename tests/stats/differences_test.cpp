#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Seen;
using test::Texts;

TEST(Differences, ValuesOfOneDraw) {
  struct Case {
    TComb draw;
    bool sorted;
    const char* code;
    Texts seen;
  } cases[] = {
      // 3-3-6: d1 = 0, d2 = 3.
      {{3, 3, 6}, false, "DIFA", {{"3", 1}, {"0", 1}}},
      {{3, 3, 6}, false, "DIFM", {{"3", 1}}},
      {{3, 3, 6}, false, "DIFD", {{"3", 1}}},
      {{3, 3, 6}, false, "DIFO", {{"0 x 1", 1}, {"3 x 1", 1}}},
      {{3, 3, 6}, false, "DIFK", {{"1", 1}}},
      {{3, 3, 6}, false, "KDS2", {{"0:3", 1}}},
      // 1-3-5: d1 = d2 = 2.
      {{1, 3, 5}, false, "DIFA", {{"2", 2}}},
      {{1, 3, 5}, false, "DIFM", {{"2", 1}}},
      {{1, 3, 5}, false, "DIFD", {{"4", 1}}},
      {{1, 3, 5}, false, "DIFO", {{"2 x 2", 1}}},
      {{1, 3, 5}, false, "DIFK", {{"2", 1}}},
      {{1, 3, 5}, false, "KDS2", {{"2:2", 1}}},
      // 7-7-7: every difference 0.
      {{7, 7, 7}, false, "DIFA", {{"0", 2}}},
      {{7, 7, 7}, false, "DIFM", {{"0", 1}}},
      {{7, 7, 7}, false, "DIFD", {{"0", 1}}},
      {{7, 7, 7}, false, "DIFO", {{"0 x 2", 1}}},
      {{7, 7, 7}, false, "DIFK", {{"2", 1}}},
      {{7, 7, 7}, false, "KDS2", {{"0:0", 1}}},
      // 2-9-0 in drawn order: d1 = 7, d2 = 9; the spread is 9 whatever the order.
      {{2, 9, 0}, false, "DIFA", {{"7", 1}, {"9", 1}}},
      {{2, 9, 0}, false, "DIFM", {{"9", 1}}},
      {{2, 9, 0}, false, "DIFD", {{"9", 1}}},
      {{2, 9, 0}, false, "KDS2", {{"7:9", 1}}},
      // 9-0-5 sorted is 0-5-9: d1 = 5, d2 = 4.
      {{9, 0, 5}, true, "KDS2", {{"5:4", 1}}},
      {{9, 0, 5}, true, "DIFA", {{"4", 1}, {"5", 1}}},
      {{9, 0, 5}, true, "DIFM", {{"5", 1}}},
      {{9, 0, 5}, true, "DIFO", {{"5 x 1", 1}, {"4 x 1", 1}}},
      {{9, 0, 5}, false, "DIFO", {{"9 x 1", 1}, {"5 x 1", 1}}},
  };
  for (const Case& c : cases) {
    test::StatFixture f({c.draw});
    EXPECT_EQ(Seen(f, c.code, c.sorted), c.seen)
        << c.code << " " << CombToText(c.draw) << (c.sorted ? " sorted" : "");
  }
}

TEST(Differences, PreListedValues) {
  test::StatFixture f({{3, 3, 6}});
  const Texts difa = f.Texts("DIFA", f.EvaluateAll("DIFA"));
  // 1..9 in advance; 0 is listed only once it occurs, after them.
  ASSERT_EQ(difa.size(), 10u);
  EXPECT_EQ(difa.front(), (std::pair<std::string, int>{"1", 0}));
  EXPECT_EQ(difa[8], (std::pair<std::string, int>{"9", 0}));
  EXPECT_EQ(difa[9], (std::pair<std::string, int>{"0", 1}));
  EXPECT_EQ(f.Texts("DIFM", f.EvaluateAll("DIFM")).size(), 9u);
  EXPECT_EQ(f.Texts("DIFD", f.EvaluateAll("DIFD")).size(), 9u);
  EXPECT_EQ(f.Texts("DIFK", f.EvaluateAll("DIFK")), (Texts{{"1", 1}, {"2", 0}}));
  test::StatFixture empty;
  EXPECT_TRUE(empty.EvaluateAll("DIFO").empty());
  EXPECT_TRUE(empty.EvaluateAll("KDS2").empty());
  EXPECT_EQ(empty.EvaluateAll("DIFM").size(), 9u);
}

TEST(Differences, SecondDifferenceAddsNoInterval) {
  // 100: 1-3-5 (2, 2); 101: 0-2-4 (2, 2). The second 2 of a draw is no interval of 0.
  test::StatFixture f({{1, 3, 5}, {0, 2, 4}});
  const TStatDrawArray list = f.EvaluateAll("DIFA");
  const TStatDrawRec& two = list[1];
  ASSERT_EQ(two.key.k[0], 2);
  EXPECT_EQ(two.count, 4);
  EXPECT_EQ(two.minInterval, 1);
  EXPECT_EQ(two.maxInterval, 1);
  EXPECT_EQ(two.lastDraw, 101);
  EXPECT_EQ(two.depth, 1);
}

TEST(Differences, SecondDifferenceIsThePreviousOccurrence) {
  // 100: 2-4-9 (2, 5); 101: 0-5-7 (5, 2); 102: 1-3-3 (2, 0). The 2 of draw 101 is a second
  // difference: no interval ends there, but the interval to draw 102 starts there.
  test::StatFixture f({{2, 4, 9}, {0, 5, 7}, {1, 3, 3}});
  const TStatDrawArray list = f.EvaluateAll("DIFA");
  const TStatDrawRec& two = list[1];
  ASSERT_EQ(two.key.k[0], 2);
  EXPECT_EQ(two.count, 3);
  EXPECT_EQ(two.minInterval, 1);
  EXPECT_EQ(two.maxInterval, 1);
  const TStatDrawRec& five = list[4];
  ASSERT_EQ(five.key.k[0], 5);
  EXPECT_EQ(five.count, 2);
  EXPECT_EQ(five.minInterval, 1);  // 100 (second) -> 101 (first)
  EXPECT_EQ(five.depth, 2);
}

TEST(Differences, OneValueMethodsMeasureIntervals) {
  // DIFK 2 at 100 and 102; DIFO "2 x 2" likewise.
  test::StatFixture f({{1, 3, 5}, {0, 1, 5}, {4, 6, 8}});
  const TStatDrawArray difk = f.EvaluateAll("DIFK");
  ASSERT_EQ(difk[1].key.k[0], 2);
  EXPECT_EQ(difk[1].count, 2);
  EXPECT_EQ(difk[1].minInterval, 2);
  const TStatDrawArray difo = f.EvaluateAll("DIFO");
  ASSERT_EQ(f.Texts("DIFO", difo)[0], (std::pair<std::string, int>{"2 x 2", 2}));
  EXPECT_EQ(difo[0].minInterval, 2);
  EXPECT_EQ(difo[0].depth, 1);
}

TEST(Differences, CombMatches) {
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool matches;
  } cases[] = {
      {"DIFA", {KeyRec(3)}, {3, 3, 6}, true},  // d2
      {"DIFA", {KeyRec(3)}, {1, 4, 4}, true},  // d1
      {"DIFA", {KeyRec(3)}, {1, 2, 3}, false},
      {"DIFA", {KeyRec(0), KeyRec(9)}, {5, 5, 6}, true},
      {"DIFM", {KeyRec(3)}, {3, 3, 6}, true},
      {"DIFM", {KeyRec(3)}, {0, 3, 9}, false},  // 3 is not the largest
      {"DIFD", {KeyRec(6)}, {0, 3, 6}, true},
      {"DIFD", {KeyRec(6)}, {6, 0, 3}, true},
      {"DIFD", {KeyRec(3)}, {0, 3, 6}, false},
      {"DIFO", {KeyRec(2, 2)}, {1, 3, 5}, true},
      {"DIFO", {KeyRec(2, 2)}, {1, 3, 6}, false},
      {"DIFO", {KeyRec(2, 1)}, {1, 3, 6}, true},
      {"DIFO", {KeyRec(3, 1)}, {1, 3, 6}, true},
      {"DIFO", {KeyRec(2, 1)}, {1, 3, 5}, false},
      {"DIFO", {KeyRec(2)}, {1, 3, 5}, false},
      {"DIFK", {KeyRec(2)}, {7, 7, 7}, true},
      {"DIFK", {KeyRec(2)}, {1, 2, 4}, false},
      {"DIFK", {KeyRec(1)}, {1, 2, 4}, true},
      {"KDS2", {KeyRec(0, 3)}, {3, 3, 6}, true},
      {"KDS2", {KeyRec(0, 3)}, {6, 3, 3}, false},  // 3:0
      {"KDS2", {KeyRec(3)}, {6, 3, 3}, true},      // 3:0
      {"KDS2", {KeyRec(3, 3)}, {6, 3, 3}, false},
  };
  test::StatFixture f({{1, 2, 3}});
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.matches)
        << c.code << " " << CombToText(c.comb);
}

TEST(Differences, CombinationsKeepTheirStoredOrder) {
  // 9-0-5 in the filter: d1 = 9, d2 = 5 even with sorted draws.
  test::StatFixture f({{1, 2, 3}});
  EXPECT_TRUE(f.Matches("KDS2", {KeyRec(9, 5)}, {9, 0, 5}, true));
  EXPECT_FALSE(f.Matches("KDS2", {KeyRec(5, 4)}, {9, 0, 5}, true));
  EXPECT_TRUE(f.Matches("DIFM", {KeyRec(9)}, {9, 0, 5}, true));
}

TEST(Differences, CombinationValues) {
  struct Case {
    const char* code;
    TComb comb;
    Texts texts;
  } cases[] = {
      {"DIFA", {1, 3, 5}, {{"2", 2}}},     {"DIFA", {3, 3, 6}, {{"0", 1}, {"3", 1}}},
      {"DIFM", {3, 3, 6}, {{"3", 1}}},     {"DIFD", {6, 3, 3}, {{"3", 1}}},
      {"DIFO", {1, 3, 5}, {{"2 x 2", 1}}}, {"DIFO", {3, 3, 6}, {{"0 x 1", 1}, {"3 x 1", 1}}},
      {"DIFK", {3, 3, 6}, {{"1", 1}}},     {"KDS2", {3, 3, 6}, {}},  // no norm
  };
  test::StatFixture f;
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    TStatDrawArray list;
    stat->EvaluateComb(list, c.comb);
    EXPECT_EQ(f.Texts(c.code, list), c.texts) << c.code << " " << CombToText(c.comb);
    for (const TStatDrawRec& r : list) EXPECT_EQ(r.lastDraw, 0) << c.code;
  }
}

TEST(Differences, GraphValues) {
  test::StatFixture f({{2, 9, 0}, {7, 7, 7}, {1, 3, 5}});
  struct Case {
    const char* code;
    int index;
    bool sorted;
    int value;
  } cases[] = {
      {"DIFM", 0, false, 9}, {"DIFM", 0, true, 7},  // 0-2-9
      {"DIFM", 1, false, 0}, {"DIFD", 0, false, 9}, {"DIFD", 2, false, 4},
      {"DIFK", 0, false, 1}, {"DIFK", 1, false, 2}, {"DIFK", 2, false, 2},
  };
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    EXPECT_EQ(stat->GraphValue(c.index, 2, c.sorted), c.value) << c.code << " " << c.index;
  }
}

TEST(Differences, Entries) {
  test::StatFixture f;
  const TStatList& r = f.registry;
  EXPECT_EQ(r.ListText(f.Entry("DIFA"), true),
            "{ dif } Все разности между соседними позициями [ SN ]");
  EXPECT_EQ(r.ListText(f.Entry("DIFM"), true),
            "{ dif } Максимальная разность между соседними позициями [ SNG ]");
  EXPECT_EQ(r.ListText(f.Entry("DIFD"), true),
            "{ dif } Разность между минимальным и максимальным числом [ NG ]");
  EXPECT_EQ(r.ListText(f.Entry("DIFO"), true),
            "{ dif } Одинаковые разности между соседними позициями [ SN ]");
  EXPECT_EQ(r.ListText(f.Entry("DIFK"), true),
            "{ dif } Количество одинаковых разностей между соседними позициями [ SNG ]");
  EXPECT_EQ(r.ListText(f.Entry("KDS2"), true),
            "{ dif } Сочетания из 2 разностей между числами [ S ]");
  EXPECT_EQ(r.IndexOfCode("KDS3"), -1);
  EXPECT_EQ(r.IndexOfCode("KDS4"), -1);
  // Typed values: DIFO and KDS2 take none.
  EXPECT_EQ(r.CreateStat(f.Entry("DIFA"))->ParseValue("7"), 7);
  EXPECT_EQ(r.CreateStat(f.Entry("DIFO"))->ParseValue("2"), 0);
  EXPECT_EQ(r.CreateStat(f.Entry("KDS2"))->ParseValue("2"), 0);
}

}  // namespace
}  // namespace korvane
