// A sort of the ratings after every check gives what a whole merge sort of the rows gives, also
// where the comparison of averages is not transitive (near averages compare equal).

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/stat_records.h"
#include "stakes/merge_memo.h"
#include "stakes/ratings.h"

namespace korvane {
namespace {

// The plain top-down stable merge sort of the rows, as the list sorts them.
void MergeRows(std::vector<int>& v, std::vector<int>& buffer, size_t lo, size_t hi,
               const TRatingsArray& rows, int column, int sign) {
  if (lo >= hi) return;
  const size_t mid = lo + (hi - lo) / 2;
  MergeRows(v, buffer, lo, mid, rows, column, sign);
  MergeRows(v, buffer, mid + 1, hi, rows, column, sign);
  size_t i = lo, j = mid + 1, k = lo;
  auto compare = [&](int a, int b) {
    return sign *
           CompareRatingRows(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)], column);
  };
  while (i <= mid && j <= hi) buffer[k++] = compare(v[i], v[j]) <= 0 ? v[i++] : v[j++];
  while (i <= mid) buffer[k++] = v[i++];
  while (j <= hi) buffer[k++] = v[j++];
  for (size_t x = lo; x <= hi; ++x) v[x] = buffer[x];
}

TRatingsArray WholeSort(const TRatingsArray& rows, int column, bool descending) {
  if (rows.size() < 2) return rows;
  std::vector<int> order(rows.size());
  std::vector<int> buffer(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) order[i] = static_cast<int>(i);
  MergeRows(order, buffer, 0, rows.size() - 1, rows, column, descending ? -1 : 1);
  TRatingsArray sorted;
  for (int i : order) sorted.push_back(rows[static_cast<size_t>(i)]);
  return sorted;
}

std::vector<std::string> Comments(const TRatingsArray& rows) {
  std::vector<std::string> out;
  for (const TRatingRec& r : rows) out.push_back(r.comment);
  return out;
}

TEST(RatingsSort, SortsAfterEveryCheckMatchAWholeSort) {
  for (int column : {0, 1, 2, 3, 4, 5, 6, 9}) {
    for (bool descending : {false, true}) {
      SCOPED_TRACE("column " + std::to_string(column) + (descending ? " desc" : ""));
      std::mt19937 rng(static_cast<unsigned>(column * 2 + descending));
      Ratings ratings;
      TRatingsArray expected;
      std::vector<TStakeData> added;
      for (int check = 0; check < 300; ++check) {
        // A check: a few stakes, now and then of a new comment, now and then one taken back
        // (a row can be left without stakes).
        const int stakes = static_cast<int>(rng() % 3) + 1;
        for (int s = 0; s < stakes; ++s) {
          TStakeData stake;
          stake.comment = "c" + std::to_string(rng() % (check < 100 ? 40 : 80));
          stake.matched.count = static_cast<int32_t>(rng() % 4);
          stake.profit = Money{stake.matched.count == 3 ? 4990000 : -10000};
          ratings.Add(stake);
          added.push_back(stake);
          bool found = false;
          for (TRatingRec& r : expected)
            if (r.comment == stake.comment) {
              AddStakeToRating(r, stake.matched.count, stake.profit);
              found = true;
            }
          if (!found) {
            TRatingRec r;
            r.comment = stake.comment;
            AddStakeToRating(r, stake.matched.count, stake.profit);
            expected.push_back(r);
          }
        }
        if (rng() % 7 == 0) {
          const TStakeData& back = added[rng() % added.size()];
          ratings.Remove(back);
          for (TRatingRec& r : expected)
            if (r.comment == back.comment) {
              r.stakes -= 1;
              r.matchedSum -= back.matched.count;
              r.matchCounts[static_cast<size_t>(back.matched.count)] -= 1;
              r.profit.units -= back.profit.units;
            }
        }
        ratings.Sort(column, descending);
        expected = WholeSort(expected, column, descending);
        ASSERT_EQ(Comments(ratings.Rows()), Comments(expected)) << "check " << check;
      }
      // Another column, then back: the kept merges are not used for another order.
      ratings.Sort((column + 3) % 10, !descending);
      expected = WholeSort(expected, (column + 3) % 10, !descending);
      ratings.Sort(column, descending);
      expected = WholeSort(expected, column, descending);
      EXPECT_EQ(Comments(ratings.Rows()), Comments(expected));
    }
  }
}

}  // namespace
}  // namespace korvane
