#include "stakes/ratings.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>

#include "core/stat_records.h"

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

}  // namespace
}  // namespace korvane
