#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using Row = std::array<std::string, StatColumnCount>;

// Builds the table of a method over the fixture's archive.
StatTable Build(test::StatFixture& f, const std::string& code, int offset, int depth,
                const PrefetchData* prefetch = nullptr) {
  StatTable t;
  StatBuildInput in;
  in.registry = &f.registry;
  in.entry = f.Entry(code);
  in.offset = offset;
  in.depth = depth;
  in.prefetch = prefetch;
  t.Build(in);
  return t;
}

const Row& RowOf(const StatTable& t, const std::string& value) {
  for (const StatRow& r : t.Rows())
    if (r.texts[0] == value) return r.texts;
  ADD_FAILURE() << "no row " << value;
  static Row empty;
  return empty;
}

TEST(RoundDiv, HalvesToEven) {
  struct Case {
    int64_t num, den, q;
  } cases[] = {{55, 2, 28}, {45, 2, 22}, {1, 3, 0},  {2, 3, 1}, {5, 2, 2},    {7, 2, 4},
               {-5, 2, -2}, {-7, 2, -4}, {10, 5, 2}, {0, 7, 0}, {275, 10, 28}};
  for (const Case& c : cases) EXPECT_EQ(RoundDiv(c.num, c.den), c.q) << c.num << "/" << c.den;
}

TEST(CellOrder, NumbersThenText) {
  EXPECT_LT(CompareCellTexts("9", "10"), 0);
  EXPECT_LT(CompareCellTexts("-4", "+03"), 0);
  EXPECT_EQ(CompareCellTexts("+03", "3"), 0);
  EXPECT_LT(CompareCellTexts("9,5", "10"), 0);
  EXPECT_GT(CompareCellTexts("-", "+5"), 0);       // "-" is text: compared as text
  EXPECT_LT(CompareCellTexts("Ёлка", "ёлки"), 0);  // folded to lower case
  EXPECT_EQ(CompareCellTexts("АБВ", "абв"), 0);
}

TEST(StatTableBuild, RangeOfAnalysedDraws) {
  test::StatFixture f({{1, 1, 1},
                       {2, 2, 2},
                       {3, 3, 3},
                       {4, 4, 4},
                       {5, 5, 5},
                       {6, 6, 6},
                       {7, 7, 7},
                       {8, 8, 8},
                       {9, 9, 9},
                       {0, 0, 0}});
  EXPECT_EQ(Build(f, "NUMS", 0, 1000).Analysed(), 10);
  const StatTable oldest = Build(f, "NUMS", 9, 1000);  // only the oldest draw
  EXPECT_EQ(oldest.Analysed(), 1);
  EXPECT_EQ(RowOf(oldest, "1")[1], "3");
  EXPECT_TRUE(Build(f, "NUMS", 10, 1000).Rows().empty());  // last < first
  EXPECT_EQ(Build(f, "NUMS", 0, 3).Analysed(), 3);
}

TEST(StatTableBuild, ColumnsOfAValueSeenOnceAndOfOneNeverSeen) {
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {4, 8, 8}});  // draws 100, 101, 102
  const StatTable t = Build(f, "NUMS", 0, 1000);
  const Row& once = RowOf(t, "1");
  EXPECT_EQ(once[1], "1");
  EXPECT_EQ(once[2], "11.11111");  // 1 * 100 / 9
  EXPECT_EQ(once[3], "-");
  EXPECT_EQ(once[6], "3");
  EXPECT_EQ(once[7], "100.00");
  EXPECT_EQ(once[9], "100");
  EXPECT_EQ(once[10], "-");
  EXPECT_EQ(once[11], "-");
  EXPECT_EQ(once[12], "-");
  EXPECT_EQ(once[13], "-");
  EXPECT_EQ(once[14], "200");  // Round(2 * L)
  EXPECT_EQ(once[15], "152");  // Round(3 * 101 / 2) = Round(151.5), half to even
  EXPECT_EQ(once[16], "-");
  const Row& never = RowOf(t, "0");
  EXPECT_EQ(never[1], "0");
  EXPECT_EQ(never[2], "0.00000");
  for (int c = 6; c < StatColumnCount; ++c) EXPECT_EQ(never[static_cast<size_t>(c)], "-") << c;
  const Row& twice = RowOf(t, "4");
  EXPECT_EQ(twice[10], "1");
  EXPECT_EQ(twice[11], "1.5000");  // N / c = 3 / 2
  EXPECT_EQ(twice[12], "1");
  EXPECT_EQ(twice[13], "104");       // Round(3 / 2 + 102) = Round(103.5) = 104
  const Row& eight = RowOf(t, "8");  // twice in the newest draw: interval 0
  EXPECT_EQ(eight[10], "0");
  EXPECT_EQ(eight[8], "1.00");  // weight: -1 * 0 + 1 * depth
}

TEST(StatTableBuild, FactColumnsLookIntoTheHiddenDraws) {
  // Ten draws; the five newest are hidden by the offset.
  test::StatFixture f({{1, 1, 1},
                       {2, 2, 2},
                       {1, 2, 3},
                       {4, 4, 4},
                       {5, 5, 5},
                       {6, 6, 6},
                       {7, 7, 7},
                       {1, 6, 6},
                       {9, 9, 9},
                       {0, 0, 0}});
  const StatTable t = Build(f, "NUMS", 5, 1000);
  const Row& one = RowOf(t, "1");  // last at draw 102, next at draw 107
  EXPECT_EQ(one[9], "102");
  EXPECT_EQ(one[16], "107");
  EXPECT_EQ(one[1], "4");
  EXPECT_EQ(one[13], "103");  // Round(5 / 4 + 102)
  EXPECT_EQ(one[17], "-4");
  EXPECT_EQ(one[14], "128");  // Round(5 * 102 / 4) = Round(127.5) = 128
  EXPECT_EQ(one[18], "+21");
  const Row& three = RowOf(t, "3");  // never again
  EXPECT_EQ(three[16], "-");
  EXPECT_EQ(three[17], "-");
  EXPECT_EQ(three[19], "-");
}

TEST(StatTableBuild, NormsFromThePrefetchData) {
  // NUMS: every number 300 times; observed counts from 2 to 6: every norm is 4.
  test::StatFixture f(
      {{1, 1, 1}, {1, 1, 1}, {0, 2, 3}, {0, 2, 3}, {4, 5, 6}, {4, 5, 6}, {7, 8, 9}, {7, 8, 9}});
  auto nums = f.registry.CreateStat(f.Entry("NUMS"));
  const auto data = ParsePrefetch(MakePrefetchImage(*nums));
  ASSERT_TRUE(data);
  EXPECT_EQ(data->fmin, 300);
  EXPECT_EQ(data->fmax, 300);
  const StatTable t = Build(f, "NUMS", 0, 1000, &*data);
  const auto totals = StatTotals([&] {
    TStatDrawArray l;
    for (const auto& r : t.Rows()) l.push_back(r.rec);
    return l;
  }());
  ASSERT_EQ(totals.minCount, 2);
  ASSERT_EQ(totals.maxCount, 6);
  for (const StatRow& r : t.Rows()) {
    EXPECT_EQ(r.texts[3], "4") << r.texts[0];
    EXPECT_EQ(r.texts[4], std::to_string(r.rec.count - 4));
  }
  EXPECT_TRUE(t.NormShown());
  ASSERT_TRUE(t.Chart().hasTotal);
  EXPECT_EQ(t.Chart().total.size(), 10u);
  EXPECT_DOUBLE_EQ(t.Chart().total[0].y, 4.0);
}

TEST(StatTableBuild, EvenNormsAndZeroNorm) {
  // EVEN over the full set: 125, 375, 375, 125 for k = 0..3.
  test::StatFixture f;
  auto even = f.registry.CreateStat(f.Entry("EVEN"));
  const auto data = ParsePrefetch(MakePrefetchImage(*even));
  ASSERT_TRUE(data);
  ASSERT_EQ(data->records.size(), 4u);
  EXPECT_EQ(data->records[0].count, 125);
  EXPECT_EQ(data->records[1].count, 375);
  EXPECT_EQ(data->fmin, 125);
  EXPECT_EQ(data->fmax, 375);
  // 30 draws with two even numbers, three with three: cmax = 30.
  std::vector<TComb> draws(30, TComb{2, 4, 5});
  for (int i = 0; i < 3; ++i) draws.push_back({2, 4, 6});
  f.SetDraws(draws);
  const StatTable t = Build(f, "EVEN", 0, 1000, &*data);
  EXPECT_EQ(RowOf(t, "2:1")[3], "30");
  EXPECT_EQ(RowOf(t, "3:0")[3], "10");
  EXPECT_EQ(RowOf(t, "3:0")[4], "-7");
  // A value without a record has norm 0: count 3 gives deviation 3 and 100 %.
  PrefetchData partial = *data;
  partial.records.erase(partial.records.begin() + 3);  // drop k = 3
  partial.records.erase(partial.records.begin() + 1);  // and k = 1
  const StatTable p = Build(f, "EVEN", 0, 1000, &partial);
  EXPECT_EQ(RowOf(p, "3:0")[3], "0");
  EXPECT_EQ(RowOf(p, "3:0")[4], "3");
  EXPECT_EQ(RowOf(p, "3:0")[5], "100.00000");
  EXPECT_EQ(RowOf(p, "1:2")[5], "0.00000");  // norm 0, count 0
}

TEST(StatTableSort, DefaultAndClicks) {
  test::StatFixture f({{1, 1, 2}, {1, 3, 3}, {1, 0, 9}});
  StatTable t = Build(f, "NUMS", 0, 1000);
  EXPECT_EQ(t.SortColumn(), 1);
  EXPECT_FALSE(t.Descending());
  // Count ascending, equal counts by caption.
  std::vector<std::string> order;
  for (const auto& r : t.Rows()) order.push_back(r.texts[0]);
  EXPECT_EQ(order, (std::vector<std::string>{"4", "5", "6", "7", "8", "0", "2", "9", "3", "1"}));
  t.Select(9, true);  // "1"
  t.ClickColumn(1);
  EXPECT_TRUE(t.Descending());
  EXPECT_EQ(t.Rows()[0].texts[0], "1");
  EXPECT_TRUE(t.IsSelected(0));  // the selection moved with its row
  t.ClickColumn(0);
  EXPECT_FALSE(t.Descending());
  EXPECT_EQ(t.Rows()[0].texts[0], "0");
  EXPECT_EQ(t.SelectedRecords().size(), 1u);
  EXPECT_EQ(t.SelectedRecords()[0].key.k[0], 1);
}

TEST(StatTableSort, DifferenceColumnsHaveAFixedOrder) {
  // "-4" < "+5" < "-" < "-4" is not transitive; the merge sort fixes the order.
  test::StatFixture f({{1, 1, 1},
                       {2, 2, 2},
                       {1, 2, 3},
                       {4, 4, 4},
                       {5, 5, 5},
                       {6, 6, 6},
                       {7, 7, 7},
                       {1, 6, 6},
                       {9, 9, 9},
                       {0, 0, 0}});
  StatTable t = Build(f, "NUMS", 5, 1000);
  t.SetSort(17, false);
  std::vector<std::string> first;
  for (const auto& r : t.Rows()) first.push_back(r.texts[0]);
  t.SetSort(1, true);
  t.SetSort(17, false);
  std::vector<std::string> again;
  for (const auto& r : t.Rows()) again.push_back(r.texts[0]);
  EXPECT_EQ(first, again);
}

TEST(StatValues, RowConversion) {
  test::StatFixture f({{1, 2, 3}, {1, 5, 6}});
  const StatTable t = Build(f, "NUMS", 0, 1000);
  const int row = t.RowCount() - 1;  // "1", count 2
  const TStatValues v = t.RowToStatValues(row);
  EXPECT_EQ(v.value, "1");
  EXPECT_EQ(v.count, "2");
  EXPECT_EQ(v.deviation, "-");
  EXPECT_EQ(v.depth, "1");
  EXPECT_EQ(v.period, "1.0000");
  EXPECT_EQ(t.RowToStatValues(99).value, "");
}

}  // namespace
}  // namespace korvane
