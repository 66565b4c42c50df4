#include "views/grids.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// Draws numbered from 1, oldest first, with dates when given.
DrawArchive ArchiveOf(const std::vector<TComb>& oldestFirst,
                      const std::vector<std::string>& dates = {}) {
  DrawArchive archive;
  for (size_t i = 0; i < oldestFirst.size(); ++i) {
    TDrawRec d;
    d.number = static_cast<int32_t>(i + 1);
    d.nums = oldestFirst[i];
    if (i < dates.size()) d.SetDateText(dates[i]);
    archive.Append(d);
  }
  return archive;
}

TEST(Card, RunsAndNeighboursFollowTheRule) {
  // Newest first: 1;2;3 then 1;5;9.
  const DrawArchive a = ArchiveOf({{1, 5, 9}, {1, 2, 3}});
  const CardGrid card(a.Draws());
  ASSERT_EQ(card.Rows(), 3);
  EXPECT_EQ(card.Text(0, 1), "0");
  EXPECT_EQ(card.Text(1, 0), "2");
  EXPECT_EQ(card.Text(1, 2), "1");
  EXPECT_EQ(card.Text(1, 1), "");
  // "1" of the newest draw repeats below and has "2" beside it: yellow by the rule.
  EXPECT_EQ(card.Colour(1, 2, true, true, 3), 0xFFFF00u);
  EXPECT_EQ(card.Colour(1, 3, true, true, 3), 0x00FFFFu);  // "2": a neighbour, no run
  EXPECT_EQ(card.Colour(1, 4, true, true, 3), 0x00FFFFu);  // "3"
  EXPECT_EQ(card.Colour(2, 2, true, true, 3), 0x00FF00u);  // "1" below: a run, no neighbour
  EXPECT_EQ(card.Colour(2, 6, true, true, 3), ChannelColor(5, 3));  // alone: its channel
  EXPECT_EQ(card.Colour(2, 6, false, true, 3), GridNormal);
  EXPECT_EQ(card.Colour(1, 3, true, false, 3), ChannelColor(2, 3));
  EXPECT_EQ(card.Colour(0, 3, true, true, 3), GridNormal);
  EXPECT_EQ(CardGrid(TDrawsArray{}).Rows(), 2);
}

TEST(Card, ARepeatedNumberIsWrittenOnceAndCountedTwiceElsewhere) {
  const DrawArchive a = ArchiveOf({{5, 5, 7}}, {"01/05/2021 M"});  // a Tuesday
  const CardGrid card(a.Draws());
  int fives = 0;
  for (int c = 1; c <= 10; ++c) fives += card.Text(1, c) == "5";
  EXPECT_EQ(fives, 1);
  const TShemaArray items = ShemaItems(a, 0, 100);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], (TShemaRec{5, 2, 1}));
  const WeekGrid week = BuildWeek(a, 0, 1000);
  EXPECT_EQ(week.counts[5][2], 2);
  EXPECT_EQ(week.Text(2, 6), "2");
  EXPECT_EQ(week.Text(2, 0), "Вт");
  EXPECT_EQ(week.Colour(2, 6), 0xFF0000u);  // the largest count
  EXPECT_EQ(week.Colour(2, 8), 0xFF8080u);  // half of it: 127.5 to 128
}

TEST(Layout, OneDrawMakesOneCell) {
  const DrawArchive a = ArchiveOf({{1, 2, 3}});
  const LayoutGrid g = BuildLayout(a, 0, 100);
  ASSERT_EQ(g.rows, 2);
  ASSERT_EQ(g.cols, 2);
  EXPECT_EQ(g.Text(1, 0), "1");
  EXPECT_EQ(g.Text(0, 1), "1");
  EXPECT_EQ(g.Text(1, 1), "1, 2, 3");
  EXPECT_EQ(g.Colour(1, 1, true), 0xB2B2B2u);  // 177.5 each, halves to even
  EXPECT_EQ(g.Colour(1, 1, false), 0xEAFFEAu);
}

TEST(Layout, AnOffsetBracketsTheKnownNextDraw) {
  // Newest first: 9;8;7 (list 0), 1;2;3 (list 1), 1;4;5 (list 2), 6;6;6 (list 3).
  const DrawArchive a = ArchiveOf({{6, 6, 6}, {1, 4, 5}, {1, 2, 3}, {9, 8, 7}});
  const LayoutGrid g = BuildLayout(a, 2, 2);
  // Draws 2 and 1 (list 2 and 3): 6 three times; 1, 4, 5 once, last in draw 2.
  ASSERT_EQ(g.rows, 3);
  ASSERT_EQ(g.cols, 3);
  EXPECT_EQ(g.Text(0, 1), "2");
  EXPECT_EQ(g.Text(0, 2), "1");
  EXPECT_EQ(g.Text(1, 0), "3");
  EXPECT_EQ(g.Text(2, 1), "[1], 4, 5");
  EXPECT_EQ(g.Text(1, 2), "6");
  EXPECT_EQ(g.Colour(2, 1, true), 0x00FF00u);
  const CompareList list = BuildCompareList(a, 2, 2);
  EXPECT_EQ(list.caption, "1 - 2");
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0], (std::pair<std::string, std::string>{"3", "6"}));
  EXPECT_EQ(list.rows[1], (std::pair<std::string, std::string>{"1", "1, 4, 5"}));
}

TEST(Layout, ChequerOfFiveByFiveBlocks) {
  LayoutGrid g;
  g.rows = g.cols = 100;
  g.texts.assign(100 * 100, "1");
  const struct {
    int row, col;
    uint32_t colour;
  } cases[] = {{1, 1, 0xEAFFEA},  {1, 6, 0xFFEAEA},  {6, 6, 0xEAFFEA},
               {11, 5, 0xEAFFEA}, {96, 1, 0xFFEAEA}, {96, 96, 0xEAFFEA}};
  for (const auto& c : cases)
    EXPECT_EQ(g.Colour(c.row, c.col, false), c.colour) << c.row << "," << c.col;
}

TEST(Week, DatesThatDoNotReadLeaveTheGridEmpty) {
  const DrawArchive a = ArchiveOf({{1, 2, 3}, {4, 5, 6}}, {"garbage", "13/45/2020 M"});
  const WeekGrid w = BuildWeek(a, 0, 1000);
  EXPECT_EQ(w.largest, 0);
  EXPECT_EQ(w.Text(1, 2), "");
  for (const auto& [label, value] : WeekChart(w, 0, 1, 1)) EXPECT_EQ(value, 0) << label;
  const auto byDay = WeekChart(w, 1, 3, 1);
  ASSERT_EQ(byDay.size(), 7u);
  EXPECT_EQ(byDay[6].first, "Вс");
}

TEST(GridFilters, SelectionsWithinTheNumberColumns) {
  const DrawArchive a = ArchiveOf({{1, 5, 9}, {1, 2, 3}});
  const CardGrid card(a.Draws());
  EXPECT_TRUE(GridFilterAllowed({{1, 2}, {2, 10}}));
  EXPECT_FALSE(GridFilterAllowed({{1, 0}, {1, 2}}));  // reaches the draw numbers
  EXPECT_FALSE(GridFilterAllowed({}));
  EXPECT_EQ(CardCellTexts(card, {{1, 2}, {1, 3}, {1, 5}, {2, 6}}),
            (std::vector<std::string>{"1", "2", "", "5"}));
  const LayoutGrid g = BuildLayout(ArchiveOf({{1, 2, 3}}), 0, 10);
  EXPECT_EQ(LayoutCellTexts(g, {{1, 1}, {0, 1}}), (std::vector<std::string>{"1, 2, 3"}));
}

}  // namespace
}  // namespace korvane
