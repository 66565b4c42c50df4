#include "views/grids.h"

#include <gtest/gtest.h>

#include "core/demo.h"
#include "core/game.h"

namespace korvane {
namespace {

constexpr uint32_t kYellow = 0xFFFF00, kLime = 0x00FF00, kAqua = 0x00FFFF;

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

// The texts of a grid row.
template <class Grid>
std::vector<std::string> RowTexts(const Grid& g, int row, int cols) {
  std::vector<std::string> texts;
  for (int c = 0; c < cols; ++c) texts.push_back(g.Text(row, c));
  return texts;
}

// Card -----------------------------------------------------------------------------------------

TEST(Card, TextsNewestFirstOverTheWholeArchive) {
  const DrawArchive a = ArchiveOf({{1, 5, 9}, {1, 2, 3}});
  const CardGrid card(a.Draws());
  ASSERT_EQ(card.Rows(), 3);
  EXPECT_EQ(RowTexts(card, 0, 11),
            (std::vector<std::string>{"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(RowTexts(card, 1, 11),
            (std::vector<std::string>{"2", "", "1", "2", "3", "", "", "", "", "", ""}));
  EXPECT_EQ(RowTexts(card, 2, 11),
            (std::vector<std::string>{"1", "", "1", "", "", "", "5", "", "", "", "9"}));
  EXPECT_EQ(card.Text(3, 2), "");
  EXPECT_EQ(card.Text(1, 11), "");
  EXPECT_EQ(card.Text(-1, 1), "");
  EXPECT_EQ(card.Numbers(1), 0b1110);
  EXPECT_EQ(card.Numbers(0), 0);

  const CardGrid empty(TDrawsArray{});
  ASSERT_EQ(empty.Rows(), 2);
  EXPECT_EQ(RowTexts(empty, 1, 11), std::vector<std::string>(11));
}

TEST(Card, ARepeatedNumberIsWrittenOnce) {
  const CardGrid card(ArchiveOf({{5, 5, 7}}).Draws());
  EXPECT_EQ(RowTexts(card, 1, 11),
            (std::vector<std::string>{"1", "", "", "", "", "", "5", "", "7", "", ""}));
}

// Newest first 1;2;3 above 1;5;9. The "1" of 1;2;3 repeats below and has "2" beside it in
// its own draw, so the rule makes it yellow (a run with a neighbour), not lime: lime is for a
// run whose draw has nothing in the neighbouring columns, as the "1" of 1;5;9.
TEST(Card, ColoursFollowTheRunAndNeighbourRule) {
  const CardGrid card(ArchiveOf({{1, 5, 9}, {1, 2, 3}}).Draws());
  const int size = 3;
  const struct {
    int row, col;
    bool channels, runs;
    uint32_t colour;
  } cases[] = {
      {1, 2, true, true, kYellow},                // "1": run below and "2" beside it
      {1, 3, true, true, kAqua},                  // "2": neighbours, no run
      {1, 4, true, true, kAqua},                  // "3": "2" to the left
      {2, 2, true, true, kLime},                  // "1": run above, no neighbour
      {2, 6, true, true, ChannelColor(5, size)},  // "5" alone
      {2, 10, true, true, ChannelColor(9, size)},
      {2, 6, false, true, GridNormal},
      {1, 2, false, true, kYellow},  // the run colours do not need the channel colours
      {1, 3, true, false, ChannelColor(2, size)},
      {1, 3, false, false, GridNormal},
      {1, 1, true, true, ChannelColor(0, size)},  // an empty cell of a number column
      {1, 1, false, true, GridNormal},
      {0, 3, true, true, GridNormal},  // header row
      {1, 0, true, true, GridNormal},  // draw numbers
      {3, 2, true, true, GridNormal},  // below the last row
  };
  for (const auto& c : cases)
    EXPECT_EQ(card.Colour(c.row, c.col, c.channels, c.runs, size), c.colour)
        << c.row << "," << c.col << " channels " << c.channels << " runs " << c.runs;
}

TEST(Card, EdgesOfTheRule) {
  // Newest first: 0;9;4 / 4;8;0 / 4;6;6 / 7;1;1.
  const CardGrid card(ArchiveOf({{7, 1, 1}, {4, 6, 6}, {4, 8, 0}, {0, 9, 4}}).Draws());
  const struct {
    int row, col;
    uint32_t colour;
  } cases[] = {
      {1, 1, kLime},        // "0": run below; no column left of it, "1" is empty
      {1, 10, GridNormal},  // "9": no column right of it, "8" empty, no run
      {1, 5, kLime},        // "4": run below
      {2, 5, kLime},        // "4": runs above and below
      {3, 5, kLime},        // "4": run above
      {3, 7, GridNormal},   // "6" (drawn twice): alone in its draw and column
      {4, 2, GridNormal},   // "1" (twice), no run
      {4, 8, GridNormal},   // "7"
  };
  for (const auto& c : cases)
    EXPECT_EQ(card.Colour(c.row, c.col, false, true, 2), c.colour) << c.row << "," << c.col;
  // Row 1 has the header "0" above it: no run by it alone.
  const CardGrid one(ArchiveOf({{0, 4, 7}}).Draws());
  EXPECT_EQ(one.Colour(1, 1, false, true, 2), GridNormal);
}

// Layout ---------------------------------------------------------------------------------------

TEST(Layout, OneDrawMakesOneCell) {
  const DrawArchive a = ArchiveOf({{1, 2, 3}});
  const LayoutGrid g = BuildLayout(a, 0, 100);
  ASSERT_EQ(g.rows, 2);
  ASSERT_EQ(g.cols, 2);
  EXPECT_EQ(RowTexts(g, 0, 2), (std::vector<std::string>{"", "1"}));
  EXPECT_EQ(RowTexts(g, 1, 2), (std::vector<std::string>{"1", "1, 2, 3"}));
  // 255 - 155/2 = 177.5 each: halves go to the even neighbour, 178 = 0xB2.
  EXPECT_EQ(g.Colour(1, 1, true), 0xB2B2B2u);
  EXPECT_EQ(g.Colour(1, 1, false), 0xEAFFEAu);
  EXPECT_EQ(g.Colour(0, 1, true), GridNormal);
  EXPECT_EQ(g.Colour(1, 0, true), GridNormal);
}

TEST(Layout, ARepeatedNumberCountsTwice) {
  const DrawArchive a = ArchiveOf({{5, 5, 7}});
  EXPECT_EQ(ShemaItems(a, 0, 100), (TShemaArray{{5, 2, 1}, {7, 1, 1}}));
  const LayoutGrid g = BuildLayout(a, 0, 100);
  ASSERT_EQ(g.rows, 3);
  EXPECT_EQ(g.Text(1, 0), "2");
  EXPECT_EQ(g.Text(1, 1), "5");
  EXPECT_EQ(g.Text(2, 0), "1");
  EXPECT_EQ(g.Text(2, 1), "7");
}

TEST(Layout, KeysAndCellsInTheOrderOfFirstAppearance) {
  // Newest first: 3;1;4 (draw 3), 1;5;9 (draw 2), 2;6;5 (draw 1).
  const DrawArchive a = ArchiveOf({{2, 6, 5}, {1, 5, 9}, {3, 1, 4}});
  EXPECT_EQ(
      ShemaItems(a, 0, 3),
      (TShemaArray{{3, 1, 3}, {1, 2, 3}, {4, 1, 3}, {5, 2, 2}, {9, 1, 2}, {2, 1, 1}, {6, 1, 1}}));
  const LayoutGrid g = BuildLayout(a, 0, 3);
  ASSERT_EQ(g.rows, 3);
  ASSERT_EQ(g.cols, 4);
  EXPECT_EQ(RowTexts(g, 0, 4), (std::vector<std::string>{"", "3", "2", "1"}));
  EXPECT_EQ(RowTexts(g, 1, 4), (std::vector<std::string>{"2", "1", "5", ""}));
  EXPECT_EQ(RowTexts(g, 2, 4), (std::vector<std::string>{"1", "3, 4", "9", "2, 6"}));
  EXPECT_EQ(g.Text(3, 0), "");  // outside
  // Offset 0: nothing is known after the window.
  for (int r = 1; r < g.rows; ++r)
    for (int c = 1; c < g.cols; ++c) EXPECT_NE(g.Colour(r, c, false), kLime);
  // The gradient of row 2, column 3 of 3 x 4: 151.67, 138.75, 203.33.
  EXPECT_EQ(g.Colour(2, 3, true), 0x988BCBu);
}

TEST(Layout, AnOffsetBracketsTheKnownNextDraw) {
  // Newest first: 9;8;7 (list 0), 1;2;3 (list 1), 1;4;5 (list 2), 6;6;6 (list 3).
  const DrawArchive a = ArchiveOf({{6, 6, 6}, {1, 4, 5}, {1, 2, 3}, {9, 8, 7}});
  const LayoutGrid g = BuildLayout(a, 2, 2);
  // The window is list 2 and 3 (draws 2 and 1): 6 three times; 1, 4, 5 once, last in draw 2.
  // 1 is in the draw at list index 1.
  ASSERT_EQ(g.rows, 3);
  ASSERT_EQ(g.cols, 3);
  EXPECT_EQ(RowTexts(g, 0, 3), (std::vector<std::string>{"", "2", "1"}));
  EXPECT_EQ(RowTexts(g, 1, 3), (std::vector<std::string>{"3", "", "6"}));
  EXPECT_EQ(RowTexts(g, 2, 3), (std::vector<std::string>{"1", "[1], 4, 5", ""}));
  EXPECT_EQ(g.Colour(2, 1, true), kLime);
  EXPECT_EQ(g.Colour(2, 1, false), kLime);
  EXPECT_NE(g.Colour(1, 2, true), kLime);
  // The same window seen from offset 0 knows nothing after it.
  const LayoutGrid plain = BuildLayout(ArchiveOf({{6, 6, 6}, {1, 4, 5}}), 0, 2);
  EXPECT_EQ(plain.Text(2, 1), "1, 4, 5");
  // An offset past the oldest draw holds at it: the window is draw 1, the known draw 2.
  const LayoutGrid far = BuildLayout(a, 10, 5);
  EXPECT_EQ(far.Text(1, 1), "6");
  EXPECT_EQ(far.Text(0, 1), "1");
}

TEST(Layout, WindowLengths) {
  const DrawArchive a = ArchiveOf({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
  const struct {
    int offset, length;
    TShemaArray items;
  } cases[] = {
      {0, 1, {{3, 3, 3}}},
      {0, 0, {{3, 3, 3}}},  // at least one draw
      {0, -5, {{3, 3, 3}}},
      {0, 2, {{3, 3, 3}, {2, 3, 2}}},
      {1, 1, {{2, 3, 2}}},
      {1, 100, {{2, 3, 2}, {1, 3, 1}}},  // longer than the archive: what there is
      {2, 3, {{1, 3, 1}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShemaItems(a, c.offset, c.length), c.items) << c.offset << "/" << c.length;
  EXPECT_TRUE(ShemaItems(DrawArchive{}, 0, 10).empty());
  const LayoutGrid g = BuildLayout(DrawArchive{}, 0, 10);
  EXPECT_EQ(g.rows, 2);
  EXPECT_EQ(g.cols, 2);
  EXPECT_EQ(g.Text(1, 1), "");
}

TEST(Layout, ChequerOfFiveByFiveBlocks) {
  LayoutGrid g;
  g.rows = g.cols = 100;
  g.texts.assign(100 * 100, "1");
  const struct {
    int row, col;
    uint32_t colour;
  } cases[] = {{1, 1, 0xEAFFEA},   {1, 5, 0xEAFFEA},   {1, 6, 0xFFEAEA},   {6, 1, 0xFFEAEA},
               {6, 6, 0xEAFFEA},   {10, 10, 0xEAFFEA}, {11, 5, 0xEAFFEA},  {11, 10, 0xFFEAEA},
               {95, 95, 0xEAFFEA}, {96, 1, 0xFFEAEA},  {96, 96, 0xEAFFEA}, {99, 91, 0xFFEAEA}};
  for (const auto& c : cases)
    EXPECT_EQ(g.Colour(c.row, c.col, false), c.colour) << c.row << "," << c.col;
}

// Compare lists --------------------------------------------------------------------------------

TEST(CompareLists, CountsDescendByValue) {
  // 1 ten times, 3 nine times, 2 twice: "10" before "9" (as text it would come after "2").
  const DrawArchive a =
      ArchiveOf({{1, 1, 1}, {3, 3, 3}, {1, 1, 1}, {3, 3, 3}, {1, 1, 1}, {3, 3, 3}, {1, 2, 2}});
  const CompareList list = BuildCompareList(a, 0, 100);
  EXPECT_EQ(list.caption, "1 - 7");
  using Rows = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(list.rows, (Rows{{"10", "1"}, {"9", "3"}, {"2", "2"}}));
}

TEST(CompareLists, FiveWindowsUpToTheOffset) {
  // Newest first: 9;8;7 (list 0), 1;2;3 (list 1), 1;4;5 (list 2), 6;6;6 (list 3).
  const DrawArchive a = ArchiveOf({{6, 6, 6}, {1, 4, 5}, {1, 2, 3}, {9, 8, 7}});
  const auto lists = BuildCompareLists(a, 1, {1, 2, 3, 0, 50});
  using Rows = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(lists[0].caption, "3 - 3");
  EXPECT_EQ(lists[0].rows, (Rows{{"1", "1, 2, 3"}}));
  EXPECT_EQ(lists[1].caption, "2 - 3");
  EXPECT_EQ(lists[1].rows, (Rows{{"2", "1"}, {"1", "2, 3, 4, 5"}}));
  EXPECT_EQ(lists[2].caption, "1 - 3");
  EXPECT_EQ(lists[2].rows, (Rows{{"3", "6"}, {"2", "1"}, {"1", "2, 3, 4, 5"}}));
  EXPECT_EQ(lists[3].caption, "3 - 3");  // at least one draw
  EXPECT_EQ(lists[4].caption, "1 - 3");  // longer than the archive
  for (const CompareList& l : BuildCompareLists(DrawArchive{}, 0, {50, 100, 200, 300, 400})) {
    EXPECT_EQ(l.caption, "");
    EXPECT_TRUE(l.rows.empty());
  }
}

// Week -----------------------------------------------------------------------------------------

TEST(Week, WeekdaysOfDrawDates) {
  const struct {
    const char* date;
    int weekday;  // 0: skipped
  } cases[] = {
      {"01/04/2021 M", 1},   {"01/05/2021 E", 2},
      {"01/02/1901 M", 3},   {"02/29/2024 e", 4},
      {"12/31/1999 M", 5},   {"01/01/2000 E", 6},
      {"03/07/2021 M", 7},   {"03/07/2021", 7},
      {"  12/09/2026 E", 3}, {"", 0},
      {"garbage", 0},        {"13/45/2020 M", 0},  // no date, only a time
      {"02/30/2021 M", 0},                         // no such day
      {"01/01/1900 M", 0},                         // years up to 1900 give no date
  };
  for (const auto& c : cases) {
    const WeekGrid w = BuildWeek(ArchiveOf({{0, 0, 1}}, {c.date}), 0, 1);
    for (int d = 1; d <= 7; ++d) {
      EXPECT_EQ(w.counts[0][static_cast<size_t>(d)], d == c.weekday ? 2 : 0) << c.date << " " << d;
      EXPECT_EQ(w.counts[1][static_cast<size_t>(d)], d == c.weekday ? 1 : 0) << c.date << " " << d;
    }
    EXPECT_EQ(w.largest, c.weekday == 0 ? 0 : 2) << c.date;
  }
}

TEST(Week, ARepeatedNumberCountsTwice) {
  const WeekGrid week = BuildWeek(ArchiveOf({{5, 5, 7}}, {"01/05/2021 M"}), 0, 1000);  // Tuesday
  EXPECT_EQ(week.counts[5][2], 2);
  EXPECT_EQ(week.counts[7][2], 1);
  EXPECT_EQ(RowTexts(week, 0, 11),
            (std::vector<std::string>{"", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(RowTexts(week, 2, 11),
            (std::vector<std::string>{"Вт", "", "", "", "", "", "2", "", "1", "", ""}));
  EXPECT_EQ(week.Text(1, 0), "Пн");
  EXPECT_EQ(week.Text(7, 0), "Вс");
  EXPECT_EQ(week.Text(8, 0), "");
  EXPECT_EQ(week.Colour(2, 6), 0xFF0000u);   // the largest count
  EXPECT_EQ(week.Colour(2, 8), 0xFF8080u);   // half of it: 127.5 to 128
  EXPECT_EQ(week.Colour(2, 7), GridNormal);  // empty
  EXPECT_EQ(week.Colour(0, 6), GridNormal);  // header
  EXPECT_EQ(week.Colour(2, 0), GridNormal);
}

TEST(Week, ColourScale) {
  // 3 drawn four times on Monday, 1 once, 2 twice, 4 three times.
  const DrawArchive a = ArchiveOf({{3, 3, 1}, {3, 3, 2}, {2, 4, 4}, {4, 0, 0}},
                                  {"01/04/2021 M", "01/04/2021 E", "01/11/2021 M", "01/18/2021 E"});
  const WeekGrid w = BuildWeek(a, 0, 10);
  ASSERT_EQ(w.largest, 4);
  EXPECT_EQ(w.Colour(1, 4), 0xFF0000u);  // 4: 0
  EXPECT_EQ(w.Colour(1, 5), 0xFF4040u);  // 3: 63.75 to 64
  EXPECT_EQ(w.Colour(1, 3), 0xFF8080u);  // 2: 127.5 to 128
  EXPECT_EQ(w.Colour(1, 2), 0xFFBFBFu);  // 1: 191.25 to 191
  EXPECT_EQ(w.Colour(1, 1), 0xFF8080u);  // 0 twice
}

TEST(Week, WindowEndsAtTheOffset) {
  const DrawArchive a = ArchiveOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
                                  {"01/04/2021 M", "01/04/2021 E", "01/05/2021 M"});
  const struct {
    int offset, length;
    int monday4, monday1, tuesday7;
  } cases[] = {{0, 1, 0, 0, 1}, {0, 2, 1, 0, 1}, {1, 1, 1, 0, 0},
               {1, 0, 1, 0, 0}, {1, 9, 1, 1, 0}, {2, 1, 0, 1, 0}};
  for (const auto& c : cases) {
    const WeekGrid w = BuildWeek(a, c.offset, c.length);
    EXPECT_EQ(w.counts[4][1], c.monday4) << c.offset << "/" << c.length;
    EXPECT_EQ(w.counts[1][1], c.monday1) << c.offset << "/" << c.length;
    EXPECT_EQ(w.counts[7][2], c.tuesday7) << c.offset << "/" << c.length;
  }
}

TEST(Week, DatesThatDoNotReadLeaveTheGridEmpty) {
  const DrawArchive a =
      ArchiveOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {"garbage", "13/45/2020 M", "02/30/2021 E"});
  const WeekGrid w = BuildWeek(a, 0, 1000);
  EXPECT_EQ(w.largest, 0);
  for (int r = 1; r < WeekGrid::Rows(); ++r)
    for (int c = 1; c < WeekGrid::Cols(); ++c) {
      EXPECT_EQ(w.Text(r, c), "");
      EXPECT_EQ(w.Colour(r, c), GridNormal);
    }
  for (int mode : {0, 1})
    for (int col = 1; col <= 10; ++col)
      for (int row = 1; row <= 7; ++row)
        for (const auto& [label, value] : WeekChart(w, mode, col, row))
          EXPECT_EQ(value, 0) << label;
  EXPECT_EQ(BuildWeek(DrawArchive{}, 0, 1000).largest, 0);
}

TEST(Week, ChartOfAColumnOrARow) {
  const DrawArchive a = ArchiveOf({{3, 3, 1}, {3, 5, 2}}, {"01/04/2021 M", "01/09/2021 E"});
  const WeekGrid w = BuildWeek(a, 0, 10);  // Monday 3;3;1, Saturday 3;5;2
  using Points = std::vector<std::pair<std::string, int>>;
  // Mode 1: the number of column 4 (3) over the weekdays.
  EXPECT_EQ(WeekChart(w, 1, 4, 1),
            (Points{{"Пн", 2}, {"Вт", 0}, {"Ср", 0}, {"Чт", 0}, {"Пт", 0}, {"Сб", 1}, {"Вс", 0}}));
  // Mode 0: Saturday (row 6) over the numbers.
  EXPECT_EQ(WeekChart(w, 0, 4, 6), (Points{{"0", 0},
                                           {"1", 0},
                                           {"2", 1},
                                           {"3", 1},
                                           {"4", 0},
                                           {"5", 1},
                                           {"6", 0},
                                           {"7", 0},
                                           {"8", 0},
                                           {"9", 0}}));
  // The header column and row count as the first.
  EXPECT_EQ(WeekChart(w, 1, 0, 0), WeekChart(w, 1, 1, 1));
  EXPECT_EQ(WeekChart(w, 0, 0, 0), WeekChart(w, 0, 1, 1));
}

TEST(Week, DemoDrawsFallOnTheirWeekdays) {
  // Two draws a day, the last in the evening of Wednesday 9 December 2026: fourteen draws are
  // one week, Thursday 3 to Wednesday 9, six numbers a day; the last two are Wednesday's.
  DrawArchive a;
  a.AppendAll(MakeDemoDraws(14, 5, 20261209));
  const WeekGrid w = BuildWeek(a, 0, 14);
  for (int d = 1; d <= 7; ++d) {
    int total = 0;
    for (int n = 0; n <= 9; ++n) total += w.counts[static_cast<size_t>(n)][static_cast<size_t>(d)];
    EXPECT_EQ(total, 6) << d;
  }
  const WeekGrid last = BuildWeek(a, 0, 2);
  int wednesday = 0, total = 0;
  for (int n = 0; n <= 9; ++n)
    for (int d = 1; d <= 7; ++d) {
      total += last.counts[static_cast<size_t>(n)][static_cast<size_t>(d)];
      if (d == 3) wednesday += last.counts[static_cast<size_t>(n)][3];
    }
  EXPECT_EQ(wednesday, 6);
  EXPECT_EQ(total, 6);
}

// Grid filters ---------------------------------------------------------------------------------

TEST(GridFilters, AllowedWithinTheNumberColumns) {
  const struct {
    std::vector<GridCell> cells;
    bool allowed;
  } cases[] = {
      {{{1, 2}, {2, 10}}, true},  {{{5, 1}}, true},
      {{{1, 10}, {9, 1}}, true},  {{{1, 0}, {1, 2}}, false},  // reaches the draw numbers
      {{{1, 0}}, false},          {{{3, 11}}, false},
      {{{1, 1}, {1, 11}}, false}, {{}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(GridFilterAllowed(c.cells), c.allowed);
}

TEST(GridFilters, CardNumbersInWalkOrder) {
  // Newest first: 1;2;3 (row 1), 1;5;9 (row 2), 4;0;4 (row 3).
  const CardGrid card(ArchiveOf({{4, 0, 4}, {1, 5, 9}, {1, 2, 3}}).Draws());
  const struct {
    std::vector<GridCell> cells;
    GridNumbers numbers;
  } cases[] = {
      {{{1, 2}, {1, 3}, {1, 5}, {2, 6}}, {{1, "1"}, {2, "2"}, {5, "5"}}},
      // Row by row as a view lists them, read column by column: 4 (column 5) before 5.
      {{{2, 6}, {3, 5}}, {{4, "4"}, {5, "5"}}},
      {{{3, 5}, {2, 6}}, {{4, "4"}, {5, "5"}}},
      {{{1, 2}, {2, 2}, {3, 2}}, {{1, "1"}}},  // a run gives its number once
      {{{1, 2}, {1, 2}}, {{1, "1"}}},
      {{{1, 1}, {2, 1}, {3, 1}}, {{0, "0"}}},
      {{{1, 5}, {2, 5}, {1, 7}}, {}},   // empty cells only
      {{{0, 3}, {4, 2}, {-1, 2}}, {}},  // the header and rows outside the card
      {{{1, 0}, {1, 11}}, {}},          // outside the number columns
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(CardNumbers(card, c.cells), c.numbers);
  EXPECT_EQ(CardCellTexts(card, {{2, 6}, {1, 2}, {1, 3}, {1, 5}}),
            (std::vector<std::string>{"1", "2", "", "5"}));
  EXPECT_EQ(CardNumbers(CardGrid(TDrawsArray{}), {{1, 1}}), GridNumbers{});
}

TEST(GridFilters, LayoutNumbersOfEveryWordOfTheCells) {
  // Newest first: 9;8;7 (list 0), 1;2;3 (list 1), 1;4;5 (list 2), 6;6;6 (list 3).
  const DrawArchive a = ArchiveOf({{6, 6, 6}, {1, 4, 5}, {1, 2, 3}, {9, 8, 7}});
  const LayoutGrid g =
      BuildLayout(a, 2, 2);  // row 1: "3" | "" | "6"; row 2: "1" | "[1], 4, 5" | ""
  const struct {
    std::vector<GridCell> cells;
    GridNumbers numbers;
  } cases[] = {
      {{{2, 1}}, {{1, "1"}, {4, "4"}, {5, "5"}}},
      {{{1, 2}, {2, 1}}, {{1, "1"}, {4, "4"}, {5, "5"}, {6, "6"}}},  // column 1 first
      {{{1, 1}, {2, 2}}, {}},
      {{{2, 0}, {0, 1}}, {}},  // counts and draw numbers are no cells of numbers
      {{{9, 1}}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(LayoutNumbers(g, c.cells), c.numbers);
  EXPECT_EQ(LayoutCellTexts(g, {{2, 2}, {1, 2}, {2, 1}, {0, 1}}),
            (std::vector<std::string>{"[1], 4, 5", "6", ""}));

  // One draw 3;3;2: "3" in the row of count 2, "2" in the row of count 1.
  const LayoutGrid one = BuildLayout(ArchiveOf({{3, 3, 2}}), 0, 1);
  EXPECT_EQ(LayoutNumbers(one, {{1, 1}, {2, 1}}), (GridNumbers{{3, "3"}, {2, "2"}}));
}

TEST(GridFilters, WeekNumbersOfTheColumns) {
  EXPECT_EQ(WeekNumbers({4, 1, 4}), (GridNumbers{{0, "0"}, {3, "3"}}));
  EXPECT_EQ(WeekNumbers({10}), (GridNumbers{{9, "9"}}));
  EXPECT_EQ(WeekNumbers({0, 11}), GridNumbers{});  // the weekday names and beyond
  EXPECT_EQ(WeekNumbers({}), GridNumbers{});
}

}  // namespace
}  // namespace korvane
