#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

// Numbers the draws first, first + 1, ...
void NumberDraws(test::StatFixture& f, int first) {
  for (TDrawRec& d : f.draws) d.number = first++;
}

// The filter protocol with the remove flag the periods read.
bool Filter(test::StatFixture& f, const std::string& code, const TStatDrawArray& selected,
            const TComb& comb, bool remove) {
  auto stat = f.registry.CreateStat(f.Entry(code));
  const int last = static_cast<int>(f.draws.size()) - 1;
  stat->LoadDraws(-1, last, false);
  return stat->CombMatches(selected, last, comb, false, remove);
}

// Segment table: position 1 puts 0..4 in segment 2 and 5..9 in 3; position 2 is all 1;
// position 3 puts 9 in segment 7 and the rest in 1.
TSegmentTable TestSegments() {
  TSegmentTable t;
  t.fill(1);
  for (int n = 0; n <= 9; ++n) t[static_cast<size_t>(n)] = n <= 4 ? 2 : 3;
  t[29] = 7;
  return t;
}

TEST(Series, GroupsOfTheNewestDrawsNumbers) {
  test::StatFixture f({{5, 1, 7}, {5, 2, 3}, {0, 5, 5}});
  NumberDraws(f, 1);
  const TStatDrawArray list = f.EvaluateAll("GRPV");
  // 5 runs through all three draws, 0 only through the newest; 1, 7, 2, 3 are not in it.
  EXPECT_EQ(f.Texts("GRPV", list), (Texts{{"0 x 1", 1}, {"5 x 3", 1}}));
  for (const TStatDrawRec& r : list) {
    EXPECT_EQ(r.lastDraw, 3);
    EXPECT_EQ(r.depth, 1);
  }
}

TEST(Series, PausesOfTheNewestDrawsNumbers) {
  test::StatFixture f({{5, 1, 7}, {5, 2, 3}, {0, 5, 5}});
  NumberDraws(f, 1);
  const TStatDrawArray list = f.EvaluateAll("GRPP");
  // 0 stayed away from draws 1 and 2; 5 never paused.
  EXPECT_EQ(f.Texts("GRPP", list), (Texts{{"0 x 2", 1}}));
  // The row carries the last draw of the pause.
  EXPECT_EQ(list[0].lastDraw, 2);
  EXPECT_EQ(list[0].depth, 2);
}

TEST(Series, RunsEndingInsideTheRange) {
  // R = 1-7-8. Groups: 1 runs over draws 0-1 (ends at 2) and 3-4 (open at the newest).
  // Pauses: 1 is away from draw 2 only; 7 and 8 are away from draws 0..3.
  test::StatFixture f({{1, 2, 3}, {1, 4, 4}, {6, 6, 6}, {1, 0, 0}, {1, 7, 8}});
  EXPECT_EQ(f.Texts("GRPV", f.EvaluateAll("GRPV")),
            (Texts{{"1 x 2", 2}, {"7 x 1", 1}, {"8 x 1", 1}}));
  EXPECT_EQ(f.Texts("GRPP", f.EvaluateAll("GRPP")),
            (Texts{{"1 x 1", 1}, {"7 x 4", 1}, {"8 x 4", 1}}));
}

TEST(Series, ValueTwiceInADrawCountsOnce) {
  test::StatFixture f({{5, 5, 5}, {5, 5, 1}});
  EXPECT_EQ(f.Texts("GRPV", f.EvaluateAll("GRPV")), (Texts{{"1 x 1", 1}, {"5 x 2", 1}}));
}

TEST(Series, RunLengthSaturatesAt65535) {
  const std::vector<TComb> draws(65537, TComb{5, 5, 5});
  test::StatFixture f(draws);
  EXPECT_EQ(f.Texts("GRPV", f.EvaluateAll("GRPV")), (Texts{{"5 x 65535", 1}}));
}

TEST(Series, Channels) {
  // Channel size 2: 0-1-2 is in channels 1, 2; 3-9-9 in 2, 5.
  test::StatFixture f({{0, 1, 2}, {3, 9, 9}});
  EXPECT_EQ(f.Texts("GRCV", f.EvaluateAll("GRCV")), (Texts{{"02 x 2", 1}, {"05 x 1", 1}}));
  EXPECT_EQ(f.Texts("GRCP", f.EvaluateAll("GRCP")), (Texts{{"05 x 1", 1}}));
}

TEST(Series, ChannelSizeOneHasTenChannels) {
  test::StatFixture f({{9, 9, 9}, {9, 0, 0}});
  f.settings.config.channelSize = 1;
  f.registry.Build();
  auto stat = f.registry.CreateStat(f.Entry("GRCV"));
  // Entries 0..10 of 12 bytes: more than the smallest block.
  EXPECT_EQ(stat->ScratchSize(), 132u);
  TStatDrawArray list;
  StatScratch scratch(stat->ScratchSize(), 0);
  TLastValueArray lastValues;
  for (int i = 0; i <= 1; ++i) stat->EvaluateDraw(i, 1, false, list, scratch, lastValues);
  EXPECT_EQ(f.Texts("GRCV", list), (Texts{{"01 x 1", 1}, {"10 x 2", 1}}));
}

TEST(Series, ChannelSizeTenHasOneChannel) {
  test::StatFixture f({{0, 5, 9}, {1, 2, 3}, {9, 9, 9}});
  f.settings.config.channelSize = 10;
  f.registry.Build();
  EXPECT_EQ(f.Texts("GRCV", f.EvaluateAll("GRCV")), (Texts{{"01 x 3", 1}}));
  EXPECT_TRUE(f.EvaluateAll("GRCP").empty());
}

TEST(Series, SegmentsFollowTheTable) {
  // Segments by position: 0-0-0 -> 2, 1, 1; 5-0-9 -> 3, 1, 7.
  test::StatFixture f({{0, 0, 0}, {5, 0, 9}});
  f.settings.config.segments = TestSegments();
  f.registry.Build();
  EXPECT_EQ(f.Texts("GRSV", f.EvaluateAll("GRSV")),
            (Texts{{"1 x 2", 1}, {"3 x 1", 1}, {"7 x 1", 1}}));
  EXPECT_EQ(f.Texts("GRSP", f.EvaluateAll("GRSP")), (Texts{{"3 x 1", 1}, {"7 x 1", 1}}));
  // A combination has a row when one of its segments is the row's value.
  const TStatDrawArray seven = {KeyRec(7, 1)};
  EXPECT_TRUE(f.Matches("GRSV", seven, {0, 0, 9}));
  EXPECT_FALSE(f.Matches("GRSV", seven, {9, 9, 0}));
}

TEST(Series, FilterComparesTheValueOnly) {
  test::StatFixture f({{5, 1, 7}, {5, 2, 3}, {0, 5, 5}});
  const TStatDrawArray five = {KeyRec(5, 3)};
  struct Case {
    const char* code;
    TComb comb;
    bool matches;
  } cases[] = {
      {"GRPV", {0, 0, 5}, true},  {"GRPV", {3, 0, 1}, false}, {"GRPP", {5, 9, 9}, true},
      {"GRCV", {4, 0, 0}, false}, {"GRCV", {0, 0, 7}, false}, {"GRCV", {0, 9, 0}, true},
      {"GRCP", {8, 8, 9}, true},
  };
  // Channels of size 2: the row's value 5 is the channel of 8 and 9.
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, five, c.comb), c.matches) << c.code << " " << CombToText(c.comb);
  EXPECT_FALSE(f.Matches("GRPV", {KeyRec(3, 5)}, {5, 5, 5}));
}

TEST(Series, FindNextDrawCarriesTheRunThroughTheScan) {
  // The range ends at draw 2 (R = 0-5-5); draws 3 and 4 hold 5, draw 5 does not.
  test::StatFixture f({{5, 1, 7}, {5, 2, 3}, {0, 5, 5}, {5, 0, 0}, {5, 1, 1}, {1, 1, 1}});
  auto stat = f.registry.CreateStat(f.Entry("GRPV"));
  // The run of 5 over draws 3-4 ends at draw 5 and is reported by its last draw.
  EXPECT_EQ(stat->FindNextDraw(KeyRec(5, 2), 3, 2, false), 104);
  EXPECT_EQ(stat->FindNextDraw(KeyRec(5, 1), 3, 2, false), -1);
  EXPECT_EQ(stat->FindNextDraw(KeyRec(0, 1), 3, 2, false), 103);
}

TEST(Series, NamesAndTexts) {
  test::StatFixture f;
  struct Case {
    const char* code;
    const char* listText;
  } cases[] = {
      {"GRPV", "{ ser } Повторы чисел в нескольких тиражах подряд [ D ]"},
      {"GRPP", "{ ser } Интервалы между повторениями чисел [ D ]"},
      {"GRCV", "{ ser } Повторы каналов в нескольких тиражах подряд [ D ]"},
      {"GRCP", "{ ser } Интервалы между повторениями каналов [ D ]"},
      {"GRSV", "{ ser } Повторы сегментов в нескольких тиражах подряд [ D ]"},
      {"GRSP", "{ ser } Интервалы между повторениями сегментов [ D ]"},
      {"PRDV", "{ per } Периоды повторения чисел [ P ]"},
      {"PRDC", "{ per } Периоды повторения каналов [ P ]"},
      {"PRDG", "{ per } Периоды повторения сегментов [ P ]"},
  };
  for (const Case& c : cases) {
    const int i = f.Entry(c.code);
    EXPECT_EQ(f.registry.ListText(i, true), c.listText);
    auto stat = f.registry.CreateStat(i);
    EXPECT_EQ(stat->ParseValue("5"), 0) << c.code;
  }
  auto grcv = f.registry.CreateStat(f.Entry("GRCV"));
  EXPECT_EQ(grcv->ValueToText(KeyRec(2, 1)), "02 x 1");
  auto grpp = f.registry.CreateStat(f.Entry("GRPP"));
  EXPECT_EQ(grpp->ValueToText(KeyRec(7, 12)), "7 x 12");
  auto prdc = f.registry.CreateStat(f.Entry("PRDC"));
  EXPECT_EQ(prdc->ValueToText(KeyRec(3, 2)), "03 x 2");
  auto prdg = f.registry.CreateStat(f.Entry("PRDG"));
  EXPECT_EQ(prdg->ValueToText(KeyRec(3, 5)), "3 x 5");
}

TEST(Periods, DistanceInDrawNumbers) {
  // Draw numbers 100, 101, 110: 7 comes back after 10, not 2. 6 at positions 2 and 3 of one
  // draw gets no period.
  test::StatFixture f({{7, 1, 2}, {3, 4, 5}, {7, 6, 6}});
  f.draws[2].number = 110;
  const TStatDrawArray list = f.EvaluateAll("PRDV");
  EXPECT_EQ(f.Texts("PRDV", list), (Texts{{"7 x 10", 1}}));
  EXPECT_EQ(list[0].lastDraw, 110);
  EXPECT_EQ(list[0].depth, 1);
}

TEST(Periods, ValueTwiceInADrawAddsAtMostOnePeriod) {
  test::StatFixture f({{7, 1, 7}, {7, 2, 3}, {7, 0, 7}});
  EXPECT_EQ(f.Texts("PRDV", f.EvaluateAll("PRDV")), (Texts{{"7 x 1", 2}}));
}

TEST(Periods, ChannelsAndSegments) {
  // Channels of size 2: 4-0-0 -> 3, 1, 1; 1-1-1 -> 1; 5-9-9 -> 3, 5, 5.
  test::StatFixture f({{4, 0, 0}, {1, 1, 1}, {5, 9, 9}});
  EXPECT_EQ(f.Texts("PRDC", f.EvaluateAll("PRDC")), (Texts{{"01 x 1", 1}, {"03 x 2", 1}}));
  // Every cell of the default table is segment 1.
  EXPECT_EQ(f.Texts("PRDG", f.EvaluateAll("PRDG")), (Texts{{"1 x 1", 2}}));
}

TEST(Periods, PeriodSaturatesAt65535) {
  test::StatFixture f({{7, 1, 2}, {7, 3, 4}});
  f.draws[1].number = 100 + 70000;
  EXPECT_EQ(f.Texts("PRDV", f.EvaluateAll("PRDV")), (Texts{{"7 x 65535", 1}}));
}

TEST(Periods, FilterLooksBackByThePeriod) {
  // last = 2; a row (e, r) looks at the draw at index 3 - r.
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  struct Case {
    TStatDrawArray selected;
    TComb comb;
    bool keep;    // result of the keep filter
    bool remove;  // result of the remove filter
  } cases[] = {
      {{KeyRec(7, 1)}, {7, 0, 0}, true, false},
      {{KeyRec(1, 2)}, {1, 0, 0}, false, true},
      {{KeyRec(1, 3)}, {0, 1, 0}, true, false},
      // One row holds and one fails: true for both filters.
      {{KeyRec(1, 2), KeyRec(1, 3)}, {1, 0, 0}, true, true},
      // No value of the combination has a row.
      {{KeyRec(7, 1)}, {0, 0, 0}, false, false},
      // Every row holds.
      {{KeyRec(7, 1), KeyRec(4, 2)}, {7, 4, 0}, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Filter(f, "PRDV", c.selected, c.comb, false), c.keep) << CombToText(c.comb);
    EXPECT_EQ(Filter(f, "PRDV", c.selected, c.comb, true), c.remove) << CombToText(c.comb);
  }
}

TEST(Periods, KeepAndRemoveAreNotComplementary) {
  // A combination stays when the result differs from the remove flag.
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  const TStatDrawArray selected = {KeyRec(7, 1), KeyRec(4, 2), KeyRec(1, 2)};
  auto staysKeep = [&](const TComb& c) { return Filter(f, "PRDV", selected, c, false); };
  auto staysRemove = [&](const TComb& c) { return !Filter(f, "PRDV", selected, c, true); };
  // 7 and 4 occurred at their distances: both filters keep the combination.
  EXPECT_TRUE(staysKeep({7, 4, 0}));
  EXPECT_TRUE(staysRemove({7, 4, 0}));
  // 1 did not: both filters drop it.
  EXPECT_FALSE(staysKeep({1, 0, 0}));
  EXPECT_FALSE(staysRemove({1, 0, 0}));
}

TEST(Periods, PeriodBeyondTheArchiveReadsTheZeroDraw) {
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  const TStatDrawArray selected = {KeyRec(0, 50), KeyRec(3, 50)};
  EXPECT_TRUE(Filter(f, "PRDV", selected, {3, 0, 5}, false));  // 0 is found
  EXPECT_FALSE(Filter(f, "PRDV", selected, {3, 4, 5}, false));
  EXPECT_TRUE(Filter(f, "PRDV", selected, {3, 4, 5}, true));  // 3 is not
  // Channels: every number of the zero draw lies in channel 1.
  EXPECT_TRUE(Filter(f, "PRDC", {KeyRec(1, 50)}, {1, 9, 9}, false));
  EXPECT_FALSE(Filter(f, "PRDC", {KeyRec(2, 50)}, {2, 9, 9}, false));
}

TEST(Periods, FilterMapsThroughChannels) {
  // Draw 2 = 7-8-9 lies in channels 4, 5, 5.
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  EXPECT_TRUE(Filter(f, "PRDC", {KeyRec(5, 1)}, {9, 0, 0}, false));
  EXPECT_FALSE(Filter(f, "PRDC", {KeyRec(3, 1)}, {4, 0, 0}, false));
}

TEST(Periods, FindNextDrawFindsNoPeriod) {
  // Every draw of the scan starts a fresh list of last values: no period shows.
  test::StatFixture f({{7, 1, 2}, {7, 3, 4}, {7, 5, 6}, {7, 0, 7}});
  const TStatDrawArray list = f.Evaluate("PRDV", 0, 1);
  ASSERT_EQ(f.Texts("PRDV", list), (Texts{{"7 x 1", 1}}));
  auto stat = f.registry.CreateStat(f.Entry("PRDV"));
  EXPECT_EQ(stat->FindNextDraw(list[0], 2, 1, false), -1);
}

}  // namespace
}  // namespace korvane
