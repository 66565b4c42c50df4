#pragma once

// The rating rows: stakes summed up by comment (case-insensitive), with an index so that a
// batch of n stakes costs n look-ups, not n^2. Also the ratings file (Korvane.lrt), the texts
// of the rating list's cells, its CSV form and the scenario lines made from its rows.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/fileio.h"
#include "core/stat_records.h"
#include "stakes/merge_memo.h"
#include "stakes/stake_data.h"

namespace korvane {

class StakeStore;

// The columns of the rating list. The first 14 are the list's own (and the CSV header); the
// last two tell how likely pure chance is to do as well as the row.
enum class RatingColumn {
  Comment,
  Stakes,
  Matched,
  Average,
  Profit,
  AverageProfit,
  Hits0,
  Hits1,
  Hits2,
  Hits3,
  E0,
  E1,
  E2,
  E3,
  PMatched,
  PWins
};
inline constexpr int RatingColumnCount = 16;
inline constexpr int RatingListColumnCount = 14;  // up to E3

// What the E0..E3 columns show for m matches over s stakes, with p = MatchCount(10, 3, m) /
// 1000 the chance of m matches: Expected: round(s p); Absolute: the share of the row's stakes
// with m matches minus p, in percent; Relative: that share divided by p, in percent.
enum class EffMode { Expected = 0, Absolute = 1, Relative = 2 };

// The text of one cell of a row ("." as the decimal point; the averages, the E and the p
// columns empty for a row without stakes).
std::string RatingCellText(const TRatingRec& row, RatingColumn column, EffMode mode);

// The chance that pure chance does at least as well as the row, the stakes taken as
// independent: P(X >= matched sum), X ~ Binomial(3 stakes, 1/10), and P(Y >= 3-match wins),
// Y ~ Binomial(stakes, 1/1000). Not defined (NaN) for a row with stakes <= 0.
double RatingMatchedPValue(const TRatingRec& row);
double RatingWinsPValue(const TRatingRec& row);

// Compares two rows for the sort by a column (0-based, as RatingColumn): < 0, 0 or > 0. Rows
// whose values differ by less than the list shows (averages by less than 0.005, amounts by
// less than 0.005 of money) compare equal, and a row without stakes equals every row, so this
// is not a strict weak order: only the stable merge sort of Ratings::Sort may use it.
int CompareRatingRows(const TRatingRec& a, const TRatingRec& b, int column);

// The rows as a CSV file (the bytes: Windows-1251, CR LF): a header of the list's first 14
// captions, then per row its comment, stakes, matched sum, average, profit, average profit and
// the four counters; the E columns are not written.
std::string RatingsCsv(const TRatingsArray& rows);

// The scenario line a row's comment stands for: "<methods>|...|<prefix>", where the comment
// is "<prefix> @ <method> + <method> ..." (or only the methods), padded to at least eight
// method fields.
std::string RatingCommentToScriptLine(const std::string& comment);
// True when the comment fills the 255 bytes the ratings and stake records keep of it: it may
// have been cut there and then read differently ("NUMS:10" cut to "NUMS:1").
bool RatingCommentMayBeCut(const std::string& comment);

class Ratings {
 public:
  const TRatingsArray& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  // Adds a checked stake to the row of its comment (a new row for a new comment), as
  // AddStakeToRating does. A stake without a result (matched.count < 0) is left out.
  void Add(const TStakeData& stake);
  void Add(std::string_view comment, int matches, Money profit);
  // Takes a checked stake back out of its row (one stake, its matches and its profit less);
  // the row stays, even with no stakes left. A stake without a result or without a row
  // changes nothing.
  void Remove(const TStakeData& stake);
  void Clear();
  void Assign(TRatingsArray rows);

  // The rows made afresh from every checked stake of the store, in file order.
  void Rebuild(const StakeStore& store);

  // Reads the ratings file: 288-byte rows one after another. A row that no counting of stakes
  // can give (negative counts, counters that do not add up to the stakes, more matches than
  // three a stake) or a piece of a row at the end stops the reading with an Error naming the
  // record; the rows before it are kept.
  void Load(const fs::path& path);
  // Writes every row (through a temporary file renamed over the old one). Throws Error.
  void Save(const fs::path& path) const;

  // Sorts the rows by a list column (RatingColumn as int), ascending or descending, with a
  // stable merge sort; nothing happens for a negative column or fewer than two rows.
  void Sort(int column, bool descending);

 private:
  // Hashes std::string and std::string_view alike, so a look-up needs no copy.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // The row of a comment, -1 when none; a new comment gets a new row when `create` is set.
  int RowOf(std::string_view comment, bool create);
  void Reindex();
  // Puts the rows in the given order (positions of the old rows).
  void Permute(const std::vector<int>& order);
  // The average of a row for the sort of column 3 (matches) or 5 (profit), the very quotient the
  // comparison of two rows divides out; kept between sorts until the row changes.
  struct Average {
    bool known = false;
    bool none = false;  // a row without stakes compares equal to any row
    long double quotient = 0;
  };
  const std::vector<Average>& Averages(int column);
  void Touch(int row);
  std::vector<Average> averages_;  // by row
  int averagesColumn_ = -1;
  // The last sort, merge by merge: a sort after a check merges again only around the rows the
  // check changed.
  MergeMemo memo_;
  std::vector<uint64_t> ids_;     // by row, moving with it
  std::vector<uint8_t> touched_;  // by row: changed since the last sort
  uint64_t nextId_ = 0;
  TRatingsArray rows_;
  TRatingsArray scratch_;                       // the rows' next places, kept between sorts
  std::unordered_map<std::string, int> index_;  // lower-case comment -> row
  // Comments exactly as stakes spelled them -> row: most stakes of a file repeat a spelling
  // seen before, and this spares them the lower-casing.
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> spellings_;
};

}  // namespace korvane
