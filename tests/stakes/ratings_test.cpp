#include "stakes/ratings.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "core/stat_records.h"
#include "stakes/stake_store.h"
#include "support/test_support.h"

namespace korvane {
namespace {

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

TRatingRec Row(int32_t stakes, int32_t matchedSum, std::array<int32_t, 4> counts, int64_t profit,
               const char* comment = "Сценарий") {
  TRatingRec r;
  r.comment = comment;
  r.stakes = stakes;
  r.matchedSum = matchedSum;
  r.matchCounts = counts;
  r.profit = Money{profit};
  return r;
}

// The two ways a stake reaches a ratings row: the Ratings index and the plain array.
using AddToRows = std::function<TRatingsArray(const TRatingRec& row, int matches, Money profit)>;

TRatingsArray ThroughRatings(const TRatingRec& row, int matches, Money profit) {
  Ratings ratings;
  ratings.Assign({row});
  ratings.Add("СЦЕНАРИЙ", matches, profit);
  return ratings.Rows();
}

TRatingsArray ThroughAddRating(const TRatingRec& row, int matches, Money profit) {
  TRatingsArray rows{row};
  AddRating(rows, "сценарий", matches, profit);
  return rows;
}

TEST(Ratings, RowsOfAnyRatingsFileStayInRange) {
  // A ratings file may hold any counters and profit; adding a stake never wraps them around.
  struct Case {
    TRatingRec before;
    int matches;
    int64_t profit;
    TRatingRec after;
  } cases[] = {
      {Row(2, 3, {0, 1, 1, 0}, 10000), 3, 4990000, Row(3, 6, {0, 1, 1, 1}, 5000000)},
      {Row(kMax32, 0, {0, 0, 0, 0}, 0), 0, 0, Row(kMax32, 0, {1, 0, 0, 0}, 0)},
      {Row(1, kMax32, {0, 0, 0, kMax32}, 0), 3, 0, Row(2, kMax32, {0, 0, 0, kMax32}, 0)},
      {Row(1, kMin32, {0, 0, 0, 0}, 0), -1, 0, Row(2, kMin32, {1, 0, 0, 0}, 0)},
      {Row(1, 0, {0, 0, 0, 0}, kMax64), 3, 4990000, Row(2, 3, {0, 0, 0, 1}, kMax64)},
      {Row(1, 0, {0, 0, 0, 0}, kMin64), 0, -10000, Row(2, 0, {1, 0, 0, 0}, kMin64)},
      {Row(1, 0, {0, 0, 0, 0}, kMax64), 0, kMin64, Row(2, 0, {1, 0, 0, 0}, -1)},
      {Row(kMin32, 0, {kMin32, 0, 0, 0}, 0), 0, 0, Row(kMin32 + 1, 0, {kMin32 + 1, 0, 0, 0}, 0)},
  };
  for (const AddToRows& add : {AddToRows(ThroughRatings), AddToRows(ThroughAddRating)}) {
    for (const Case& c : cases) {
      const TRatingsArray rows = add(c.before, c.matches, Money{c.profit});
      ASSERT_EQ(rows.size(), 1u);
      EXPECT_EQ(rows[0], c.after) << c.before.stakes << " " << c.before.matchedSum << " "
                                  << c.before.profit.units << " + " << c.matches << " " << c.profit;
    }
  }
}

// ---- Cells of the list ----

std::vector<std::string> Cells(const TRatingRec& row, EffMode mode, int columns) {
  std::vector<std::string> cells;
  for (int c = 0; c < columns; ++c)
    cells.push_back(RatingCellText(row, static_cast<RatingColumn>(c), mode));
  return cells;
}

using Texts = std::vector<std::string>;

TEST(RatingCells, TwoStakesWithNoneAndThreeMatchesInEveryMode) {
  Ratings ratings;
  ratings.Add("Сценарий", 0, Money{-10000});
  ratings.Add("сценарий", 3, Money{4990000});
  ASSERT_EQ(ratings.Count(), 1);
  const TRatingRec& row = ratings.Rows()[0];
  const Texts common = {"Сценарий", "2", "3", "1.500", "498.00", "249.00", "1", "0", "0", "1"};
  struct Case {
    EffMode mode;
    Texts e;  // E0..E3
  } cases[] = {
      {EffMode::Expected, {"1", "0", "0", "0"}},
      // 1 of 2 stakes = 50% against 72.9%, 24.3%, 2.7%, 0.1% by chance.
      {EffMode::Absolute, {"-22.900%", "-24.300%", "-2.700%", "49.900%"}},
      {EffMode::Relative, {"68.587%", "0.000%", "0.000%", "50000.000%"}},
  };
  for (const Case& c : cases) {
    Texts expected = common;
    expected.insert(expected.end(), c.e.begin(), c.e.end());
    EXPECT_EQ(Cells(row, c.mode, RatingListColumnCount), expected) << static_cast<int>(c.mode);
  }
}

TEST(RatingCells, RowAtChanceShowsNoSignedZero) {
  // 1,000 stakes spread exactly as chance spreads them.
  const TRatingRec row = Row(1000, 243 + 54 + 3, {729, 243, 27, 1}, 0);
  const Texts e0to3 = {"E0", "E1", "E2", "E3"};
  struct Case {
    EffMode mode;
    Texts e;
  } cases[] = {
      {EffMode::Expected, {"729", "243", "27", "1"}},
      {EffMode::Absolute, {"0.000%", "0.000%", "0.000%", "0.000%"}},
      {EffMode::Relative, {"100.000%", "100.000%", "100.000%", "100.000%"}},
  };
  for (const Case& c : cases) {
    const Texts all = Cells(row, c.mode, RatingListColumnCount);
    EXPECT_EQ(Texts(all.begin() + 10, all.end()), c.e) << static_cast<int>(c.mode);
  }
}

TEST(RatingCells, ExpectedCountsRoundHalvesAwayFromZero) {
  // 500 stakes: 364.5, 121.5, 13.5 and 0.5 by chance.
  const TRatingRec row = Row(500, 0, {500, 0, 0, 0}, 0);
  const Texts all = Cells(row, EffMode::Expected, RatingListColumnCount);
  EXPECT_EQ(Texts(all.begin() + 10, all.end()), (Texts{"365", "122", "14", "1"}));
}

TEST(RatingCells, AveragesRoundAsTheyShow) {
  struct Case {
    int32_t stakes, matched;
    int64_t profit;
    const char* average;
    const char* averageProfit;
  } cases[] = {
      {3, 1, 10000, "0.333", "0.33"},
      {3, 2, 20000, "0.667", "0.67"},
      // 49.5 units a stake round to 50 (0.005), which shows as 0.01.
      {2, 0, 99, "0.000", "0.01"},
      {2, 0, -99, "0.000", "-0.01"},
      {2, 0, 98, "0.000", "0.00"},
      {2, 6, 4980000, "3.000", "249.00"},
      {1, 3, kMax64, "3.000", "922337203685477.58"},
  };
  for (const Case& c : cases) {
    const TRatingRec row = Row(c.stakes, c.matched, {c.stakes, 0, 0, 0}, c.profit);
    EXPECT_EQ(RatingCellText(row, RatingColumn::Average, EffMode::Expected), c.average)
        << c.stakes << " " << c.matched;
    EXPECT_EQ(RatingCellText(row, RatingColumn::AverageProfit, EffMode::Expected), c.averageProfit)
        << c.profit;
  }
}

TEST(RatingCells, RowWithoutStakesLeavesTheComputedCellsEmpty) {
  // What Remove leaves behind: no stakes, a profit of what was not taken back.
  const TRatingRec row = Row(0, 0, {0, 0, 0, 0}, -10000);
  for (EffMode mode : {EffMode::Expected, EffMode::Absolute, EffMode::Relative})
    EXPECT_EQ(
        Cells(row, mode, RatingColumnCount),
        (Texts{"Сценарий", "0", "0", "", "-1.00", "", "0", "0", "0", "0", "", "", "", "", "", ""}));
}

TEST(RatingCells, ChanceColumns) {
  // The expected values come from BinomialUpperTail's reference table (exact rational sums).
  struct Case {
    TRatingRec row;
    const char* pMatched;
    const char* pWins;
  } cases[] = {
      // 10 stakes, 8 positions matched: P(X >= 8), X ~ Bin(30, 0.1) = 0.00778.
      {Row(10, 8, {4, 4, 2, 0}, 0), "0.0078", "1.0000"},
      // 1,000 stakes with three wins: P(Y >= 3), Y ~ Bin(1000, 0.001) = 0.0802; nothing
      // matched at all is certain.
      {Row(1000, 0, {997, 0, 0, 3}, 0), "1.0000", "0.0802"},
      // Every position of 10 stakes matched: 1e-30.
      {Row(10, 30, {0, 0, 0, 10}, 0), "<0.0001", "<0.0001"},
      // One million stakes: P(X >= 301000), X ~ Bin(3e6, 0.1) = 0.02725;
      // P(Y >= 1100), Y ~ Bin(1e6, 0.001) = 0.000957.
      {Row(1000000, 301000, {698900, 200000, 100000, 1100}, 0), "0.0272", "0.0010"},
      // P(Y >= 8), Y ~ Bin(1000, 0.001) = 0.0000100, P(X >= 302500) = 7.8e-7.
      {Row(1000000, 302500, {0, 0, 999992, 8}, 0), "<0.0001", "1.0000"},
      {Row(1000, 0, {992, 0, 0, 8}, 0), "1.0000", "<0.0001"},
      {Row(0, 0, {0, 0, 0, 0}, 0), "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RatingCellText(c.row, RatingColumn::PMatched, EffMode::Expected), c.pMatched)
        << c.row.stakes << " " << c.row.matchedSum;
    EXPECT_EQ(RatingCellText(c.row, RatingColumn::PWins, EffMode::Expected), c.pWins)
        << c.row.stakes << " " << c.row.matchCounts[3];
  }
}

TStakeData Checked(const char* comment, int32_t draw, int matches, int64_t profit) {
  TStakeData s;
  s.kind = StakeScenario;
  s.draw = draw;
  s.checked = 1;
  s.numbers = CombToCounted({1, 2, 3});
  s.matched.count = matches;
  s.profit = Money{profit};
  s.comment = comment;
  return s;
}

// ---- Sorting ----

TRatingRec Labelled(const char* label, int32_t stakes, int32_t matched = 0, int64_t profit = 0,
                    std::array<int32_t, 4> hits = {}) {
  return Row(stakes, matched, hits, profit, label);
}

std::vector<std::string> Labels(const Ratings& r) {
  std::vector<std::string> out;
  for (const TRatingRec& row : r.Rows()) out.push_back(row.comment);
  return out;
}

TEST(RatingSort, EveryColumnByTheListsComparison) {
  struct Case {
    int column;
    bool descending;
    TRatingsArray rows;
    Texts expected;
  } cases[] = {
      // Comments byte by byte: upper case Latin, lower case Latin, Cyrillic.
      {0,
       false,
       {Labelled("b", 1), Labelled("Б", 1), Labelled("B", 1), Labelled("a", 1)},
       {"B", "a", "b", "Б"}},
      // A row without stakes equals every row: "a" stays behind "c".
      {0, false, {Labelled("c", 1), Labelled("a", 0), Labelled("b", 1)}, {"b", "c", "a"}},
      // Equal stakes keep their order, ascending and descending.
      {1,
       false,
       {Labelled("x3", 3), Labelled("x1", 1), Labelled("x2", 2), Labelled("y1", 1)},
       {"x1", "y1", "x2", "x3"}},
      {1,
       true,
       {Labelled("x3", 3), Labelled("x1", 1), Labelled("x2", 2), Labelled("y1", 1)},
       {"x3", "x2", "x1", "y1"}},
      // Five rows: the left half takes the middle one ([s5 s1 Z] and [s4 s3]); halves split
      // the other way would give s1 s5 Z s3 s4.
      {1,
       false,
       {Labelled("s5", 5), Labelled("s1", 1), Labelled("Z", 0), Labelled("s4", 4),
        Labelled("s3", 3)},
       {"s1", "s3", "s4", "s5", "Z"}},
      {2,
       false,
       {Labelled("m5", 2, 5), Labelled("Z", 0, 0), Labelled("m1", 1, 1), Labelled("m4", 3, 4)},
       {"m1", "m4", "m5", "Z"}},
      // Averages 0.5, 0.334, 0.333, 0.33: those within 0.005 of each other are equal.
      {3,
       false,
       {Labelled("c", 2, 1), Labelled("b", 500, 167), Labelled("a", 3, 1), Labelled("d", 100, 33)},
       {"b", "a", "d", "c"}},
      // Profits 1.0050, 1.0049, 1.0000, -0.0005: 0.0049 apart is equal, 0.0050 is not.
      {4,
       false,
       {Labelled("p3", 1, 0, 10050), Labelled("p2", 1, 0, 10049), Labelled("p1", 1, 0, 10000),
        Labelled("p0", 1, 0, -5)},
       {"p0", "p1", "p3", "p2"}},
      // Average profits 500, 150, 149, 100 units.
      {5,
       false,
       {Labelled("w", 2, 0, 1000), Labelled("z", 1, 0, 150), Labelled("y", 1, 0, 149),
        Labelled("x", 3, 0, 300)},
       {"z", "y", "x", "w"}},
      {6,
       false,
       {Labelled("h3", 5, 0, 0, {3, 0, 0, 0}), Labelled("h1", 5, 0, 0, {1, 0, 0, 0}),
        Labelled("Z", 0), Labelled("h2", 5, 0, 0, {2, 0, 0, 0})},
       {"h1", "h3", "Z", "h2"}},
      {7,
       false,
       {Labelled("h2", 5, 0, 0, {0, 2, 0, 0}), Labelled("h0", 5),
        Labelled("h1", 5, 0, 0, {0, 1, 0, 0})},
       {"h0", "h1", "h2"}},
      {8,
       true,
       {Labelled("h1", 5, 0, 0, {0, 0, 1, 0}), Labelled("h3", 5, 0, 0, {0, 0, 3, 0}),
        Labelled("h2", 5, 0, 0, {0, 0, 2, 0})},
       {"h3", "h2", "h1"}},
      {9,
       true,
       {Labelled("h0", 5), Labelled("h2", 5, 0, 0, {0, 0, 0, 2}),
        Labelled("h1", 5, 0, 0, {0, 0, 0, 1}), Labelled("g2", 5, 0, 0, {0, 0, 0, 2})},
       {"h2", "g2", "h1", "h0"}},
  };
  for (const Case& c : cases) {
    Ratings ratings;
    ratings.Assign(c.rows);
    ratings.Sort(c.column, c.descending);
    EXPECT_EQ(Labels(ratings), c.expected)
        << "column " << c.column << (c.descending ? " desc" : "");
  }
}

TEST(RatingSort, ColumnsWithoutOrderAndSmallListsChangeNothing) {
  const TRatingsArray rows = {Labelled("x3", 3, 9, 30000, {0, 0, 0, 3}),
                              Labelled("x1", 1, 0, -10000, {1, 0, 0, 0}),
                              Labelled("x2", 2, 3, 10000, {1, 0, 0, 1})};
  for (int column : {-1, 10, 11, 12, 13, 14, 15, 16}) {
    for (bool descending : {false, true}) {
      Ratings ratings;
      ratings.Assign(rows);
      ratings.Sort(column, descending);
      EXPECT_EQ(ratings.Rows(), rows) << column;
    }
  }
  Ratings one;
  one.Assign({rows[0]});
  one.Sort(1, true);
  EXPECT_EQ(one.Rows(), TRatingsArray{rows[0]});
}

TEST(RatingSort, IndexFollowsTheRows) {
  Ratings ratings;
  ratings.Add("Бета", 0, Money{0});
  ratings.Add("альфа", 0, Money{0});
  ratings.Add("АЛЬФА", 0, Money{0});
  ratings.Sort(1, true);
  ASSERT_EQ(Labels(ratings), (Texts{"альфа", "Бета"}));
  // Spellings seen before the sort and new ones find the rows where they are now.
  ratings.Add("Бета", 3, Money{0});
  ratings.Add("БЕТА", 0, Money{0});
  ratings.Add("альфа", 0, Money{0});
  ASSERT_EQ(ratings.Count(), 2);
  EXPECT_EQ(ratings.Rows()[0], Labelled("альфа", 3, 0, 0, {3, 0, 0, 0}));
  EXPECT_EQ(ratings.Rows()[1], Labelled("Бета", 3, 3, 0, {2, 0, 0, 1}));
  ratings.Remove(Checked("бета", 9, 3, 0));
  EXPECT_EQ(ratings.Rows()[1], Labelled("Бета", 2, 0, 0, {2, 0, 0, 0}));
}

// ---- CSV ----

TEST(RatingsCsvText, HeaderRowsAndEmptyAverages) {
  const TRatingsArray rows = {Row(2, 3, {1, 0, 0, 1}, 4980000, "Сценарий \"А\"; 1"),
                              Row(0, 0, {0, 0, 0, 0}, 0, "Пусто")};
  const std::string header =
      "\"Комментарий\";\"Ставок\";\"Угадано\";\"Среднее\";\"Профит\";\"Ср. профит\";\"0\";\"1\";"
      "\"2\";\"3\";\"E0\";\"E1\";\"E2\";\"E3\"\r\n";
  EXPECT_EQ(RatingsCsv(rows),
            Utf8ToCp1251(header + "\"Сценарий \"\"А\"\"; 1\";2;3;1.500;498.00;249.00;1;0;0;1\r\n"
                                  "\"Пусто\";0;0;;0.00;;0;0;0;0\r\n"));
  EXPECT_EQ(RatingsCsv({}), Utf8ToCp1251(header));
  // Single-byte on disk: "К" is 0xCA.
  EXPECT_EQ(static_cast<unsigned char>(RatingsCsv({})[1]), 0xCA);
}

// ---- Scenario lines ----

TEST(RatingScriptLine, MethodsThenPrefix) {
  struct Case {
    const char* comment;
    const char* line;
  } cases[] = {
      {"01.002: x @ A + B", "A|B| | | | | | |01.002: x"},
      {"  01.002: x  @  A + B  ", "A|B| | | | | | |01.002: x"},
      {"A + B", "A|B| | | | | | |"},
      {"Сумма + Чётность + Повторы", "Сумма|Чётность|Повторы| | | | | |"},
      {"A+B", "A+B| | | | | | | |"},
      {"p @ a|b|c|d|e|f|g", "a|b|c|d|e|f|g| |p"},
      {"p @ a|b|c|d|e|f|g|h", "a|b|c|d|e|f|g|h|p"},
      {"p @ a + b|c|d|e|f|g|h|i", "a|b|c|d|e|f|g|h|i|p"},
      {"x @ y @ z", "y @ z| | | | | | | |x"},
      {"", "| | | | | | | |"},
  };
  for (const Case& c : cases) EXPECT_EQ(RatingCommentToScriptLine(c.comment), c.line) << c.comment;
}

TEST(RatingScriptLine, CommentsThatFillTheRecordMayBeCut) {
  struct Case {
    std::string comment;
    bool mayBeCut;
  } cases[] = {
      {std::string(255, 'N'), true},
      {std::string(254, 'N'), false},
      {std::string(300, 'N'), true},
      // Measured in single-byte characters: 255 Cyrillic letters are 510 bytes of UTF-8.
      {[] {
         std::string s;
         for (int i = 0; i < 255; ++i) s += "Ж";
         return s;
       }(),
       true},
      {[] {
         std::string s;
         for (int i = 0; i < 200; ++i) s += "Ж";
         return s;
       }(),
       false},
      {"NUMS:10", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RatingCommentMayBeCut(c.comment), c.mayBeCut) << c.comment.size();
}

// ---- Adding, taking back, rebuilding ----

TEST(Ratings, StakesWithoutResultAreNotCounted) {
  Ratings ratings;
  ratings.Add(Checked("Сценарий", 5, -1, -10000));
  EXPECT_EQ(ratings.Count(), 0);
  ratings.Add(Checked("Сценарий", 5, 2, -10000));
  EXPECT_EQ(ratings.Rows(), TRatingsArray{Row(1, 2, {0, 0, 1, 0}, -10000)});
}

TEST(Ratings, RemoveTakesOneStakeBack) {
  Ratings ratings;
  ratings.Add(Checked("Сценарий", 5, 3, 4990000));
  ratings.Add(Checked("сценарий", 6, 1, -10000));
  ratings.Add(Checked("Другой", 6, 0, -10000));
  const TRatingsArray before = ratings.Rows();

  ratings.Remove(Checked("Неизвестный", 5, 3, 4990000));  // no row
  ratings.Remove(Checked("Сценарий", 5, -1, 4990000));    // no result
  EXPECT_EQ(ratings.Rows(), before);

  ratings.Remove(Checked("СЦЕНАРИЙ", 5, 3, 4990000));
  EXPECT_EQ(ratings.Rows()[0], Row(1, 1, {0, 1, 0, 0}, -10000));
  ratings.Remove(Checked("Сценарий", 6, 1, -10000));
  // The row stays with nothing in it, and takes stakes again.
  EXPECT_EQ(ratings.Rows()[0], Row(0, 0, {0, 0, 0, 0}, 0));
  EXPECT_EQ(ratings.Rows()[1], before[1]);
  ratings.Add(Checked("сценарий", 7, 2, -10000));
  EXPECT_EQ(ratings.Rows()[0], Row(1, 2, {0, 0, 1, 0}, -10000));
  EXPECT_EQ(ratings.Count(), 2);
}

void WriteStakes(const fs::path& path, const std::vector<TStakeData>& stakes) {
  std::string bytes(stakes.size() * StakeRecSize, '\0');
  for (size_t i = 0; i < stakes.size(); ++i)
    EncodeStake(stakes[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecSize);
  test::WriteBytes(path, bytes);
}

TEST(Ratings, RebuildCountsEveryCheckedStakeInFileOrder) {
  test::TempDir dir;
  TStakeData waiting = Checked("Бета", 9, -1, -10000);
  waiting.checked = 0;
  WriteStakes(dir / "Korvane.lsk", {
                                       Checked("Альфа", 5, 3, 4990000),
                                       MakeSeparator(),
                                       waiting,
                                       Checked("бета", 6, 1, -10000),
                                       Checked("АЛЬФА", 7, 0, -10000),
                                       Checked("Гамма", 7, -1, -10000),
                                   });
  StakeStore store;
  store.Open(dir / "Korvane.lsk");
  Ratings ratings;
  ratings.Add("Прежняя", 3, Money{0});
  ratings.Rebuild(store);
  EXPECT_EQ(ratings.Rows(), (TRatingsArray{Row(2, 3, {1, 0, 0, 1}, 4980000, "Альфа"),
                                           Row(1, 1, {0, 1, 0, 0}, -10000, "бета")}));
  // The index is the new rows'.
  ratings.Add("БЕТА", 2, Money{0});
  EXPECT_EQ(ratings.Rows()[1], Row(2, 3, {0, 1, 1, 0}, -10000, "бета"));
}

}  // namespace
}  // namespace korvane
