#include "stakes/ratings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/encoding.h"
#include "core/error.h"
#include "core/game.h"
#include "core/strutil.h"
#include "stakes/binomial.h"
#include "stakes/stake_store.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

template <typename T>
int Sign(T v) {
  return (v > T{}) - (v < T{});
}

// a / b rounded to the nearest integer, halves away from zero (as Money::FromDouble rounds),
// computed exactly; b != 0. Held to the int64 range.
int64_t RoundedQuotient(int64_t a, int64_t b) {
  const __int128 n = a, d = b;
  __int128 q = n / d;
  const __int128 r = n % d;
  if (2 * (r < 0 ? -r : r) >= (d < 0 ? -d : d)) q += (n < 0) != (d < 0) ? -1 : 1;
  return static_cast<int64_t>(std::clamp<__int128>(q, std::numeric_limits<int64_t>::min(),
                                                   std::numeric_limits<int64_t>::max()));
}

// Fixed-point text with "." whatever the locale; a value that rounds to zero has no sign.
std::string Fixed(double v, int digits) {
  std::string t = FixedText(v, digits);
  if (!t.empty() && t[0] == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
  return t;
}

// The chance of m positional matches of one stake, as a count out of CombsCount (1000) draws.
int64_t ChanceOf(int m) { return MatchCount(ValuesCount, NumsCount, m); }

std::string AverageText(const TRatingRec& row) {
  if (row.stakes == 0) return {};
  return Fixed(static_cast<double>(row.matchedSum) / row.stakes, 3);
}

std::string AverageProfitText(const TRatingRec& row) {
  if (row.stakes == 0) return {};
  return Money{RoundedQuotient(row.profit.units, row.stakes)}.Text();
}

std::string EffText(const TRatingRec& row, int m, EffMode mode) {
  if (row.stakes == 0) return {};
  const int64_t s = row.stakes;
  const int64_t hits = row.matchCounts[static_cast<size_t>(m)];
  const int64_t chance = ChanceOf(m);
  switch (mode) {
    case EffMode::Expected:
      return std::to_string(RoundedQuotient(s * chance, CombsCount));
    case EffMode::Absolute:
      // hits 100 / s - chance / 1000 100, over one exact numerator.
      return Fixed(100.0 * static_cast<double>(hits * CombsCount - chance * s) /
                       static_cast<double>(s * CombsCount),
                   3) +
             "%";
    case EffMode::Relative:
      // hits 100 / (s chance / 1000)
      return Fixed(100.0 * static_cast<double>(hits * CombsCount) / static_cast<double>(s * chance),
                   3) +
             "%";
  }
  return {};
}

std::string PValueText(double p) {
  if (std::isnan(p)) return {};
  if (p < 0.0001) return "<0.0001";
  return Fixed(p, 4);
}

// What makes a row of the ratings file one that no counting of stakes can give; empty when
// the row is sound. The comment needs no check: its length is one byte, and every byte reads.
std::string RowFault(const TRatingRec& r) {
  if (r.stakes < 0) return Format(texts::RatingNegativeStakes, r.stakes);
  if (r.matchedSum < 0 || int64_t{r.matchedSum} > int64_t{NumsCount} * r.stakes)
    return Format(texts::RatingBadMatched, r.matchedSum,
                  static_cast<long long>(NumsCount) * r.stakes);
  int64_t sum = 0;
  for (int m = 0; m < 4; ++m) {
    const int32_t c = r.matchCounts[static_cast<size_t>(m)];
    if (c < 0 || c > r.stakes) return Format(texts::RatingBadCounter, m, c, r.stakes);
    sum += c;
  }
  if (sum != r.stakes)
    return Format(texts::RatingBadCounterSum, static_cast<long long>(sum), r.stakes);
  return {};
}

std::string Quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

// Top-down merge sort of [lo, hi] (inclusive; the left half takes the middle element), stable:
// on a tie the element of the left half goes first.
template <typename Compare>
void MergeSort(std::vector<int>& v, std::vector<int>& buffer, size_t lo, size_t hi,
               const Compare& compare) {
  if (lo >= hi) return;
  const size_t mid = lo + (hi - lo) / 2;
  MergeSort(v, buffer, lo, mid, compare);
  MergeSort(v, buffer, mid + 1, hi, compare);
  size_t i = lo, j = mid + 1, k = lo;
  while (i <= mid && j <= hi) buffer[k++] = compare(v[i], v[j]) <= 0 ? v[i++] : v[j++];
  while (i <= mid) buffer[k++] = v[i++];
  while (j <= hi) buffer[k++] = v[j++];
  std::copy(buffer.begin() + static_cast<ptrdiff_t>(lo),
            buffer.begin() + static_cast<ptrdiff_t>(hi) + 1,
            v.begin() + static_cast<ptrdiff_t>(lo));
}

}  // namespace

double RatingMatchedPValue(const TRatingRec& row) {
  if (row.stakes <= 0) return std::numeric_limits<double>::quiet_NaN();
  return BinomialUpperTail(int64_t{NumsCount} * row.stakes, row.matchedSum, 1.0 / ValuesCount);
}

double RatingWinsPValue(const TRatingRec& row) {
  if (row.stakes <= 0) return std::numeric_limits<double>::quiet_NaN();
  return BinomialUpperTail(row.stakes, row.matchCounts[3], 1.0 / CombsCount);
}

std::string RatingCellText(const TRatingRec& row, RatingColumn column, EffMode mode) {
  switch (column) {
    case RatingColumn::Comment:
      return row.comment;
    case RatingColumn::Stakes:
      return std::to_string(row.stakes);
    case RatingColumn::Matched:
      return std::to_string(row.matchedSum);
    case RatingColumn::Average:
      return AverageText(row);
    case RatingColumn::Profit:
      return row.profit.Text();
    case RatingColumn::AverageProfit:
      return AverageProfitText(row);
    case RatingColumn::Hits0:
    case RatingColumn::Hits1:
    case RatingColumn::Hits2:
    case RatingColumn::Hits3:
      return std::to_string(row.matchCounts[static_cast<size_t>(
          static_cast<int>(column) - static_cast<int>(RatingColumn::Hits0))]);
    case RatingColumn::E0:
    case RatingColumn::E1:
    case RatingColumn::E2:
    case RatingColumn::E3:
      return EffText(row, static_cast<int>(column) - static_cast<int>(RatingColumn::E0), mode);
    case RatingColumn::PMatched:
      return row.stakes == 0 ? std::string() : PValueText(RatingMatchedPValue(row));
    case RatingColumn::PWins:
      return row.stakes == 0 ? std::string() : PValueText(RatingWinsPValue(row));
  }
  return {};
}

int CompareRatingRows(const TRatingRec& a, const TRatingRec& b, int column) {
  if (a.stakes == 0 || b.stakes == 0) return 0;
  // Differences are rounded halves away from zero, so they count from half a unit of the
  // rounded value on.
  auto roundedSign = [](long double d) { return std::fabs(d) >= 0.5L ? Sign(d) : 0; };
  switch (column) {
    case 0:
      // The comments' UTF-8 bytes in order: a plain byte comparison, the same on every
      // system, in place of a comparison by the locale's collation (case-sensitive).
      return Sign(a.comment.compare(b.comment));
    case 1:
      return Sign(int64_t{a.stakes} - b.stakes);
    case 2:
      return Sign(int64_t{a.matchedSum} - b.matchedSum);
    case 3:
      return roundedSign((static_cast<long double>(a.matchedSum) / a.stakes -
                          static_cast<long double>(b.matchedSum) / b.stakes) *
                         100);
    case 4:
      // In units (1/10000): round(difference / 100).
      return roundedSign(
          static_cast<long double>(static_cast<__int128>(a.profit.units) - b.profit.units) / 100);
    case 5:
      return roundedSign((static_cast<long double>(a.profit.units) / a.stakes -
                          static_cast<long double>(b.profit.units) / b.stakes) /
                         100);
    case 6:
    case 7:
    case 8:
    case 9:
      return Sign(int64_t{a.matchCounts[static_cast<size_t>(column - 6)]} -
                  b.matchCounts[static_cast<size_t>(column - 6)]);
    default:
      return 0;
  }
}

std::string RatingsCsv(const TRatingsArray& rows) {
  std::string text;
  for (int c = 0; c < RatingListColumnCount; ++c) {
    if (c > 0) text += ';';
    text += Quoted(texts::RatingColumns[c]);
  }
  text += "\r\n";
  for (const TRatingRec& r : rows) {
    text += Quoted(r.comment);
    for (const std::string& field :
         {std::to_string(r.stakes), std::to_string(r.matchedSum), AverageText(r), r.profit.Text(),
          AverageProfitText(r), std::to_string(r.matchCounts[0]), std::to_string(r.matchCounts[1]),
          std::to_string(r.matchCounts[2]), std::to_string(r.matchCounts[3])}) {
      text += ';';
      text += field;
    }
    text += "\r\n";
  }
  return Utf8ToCp1251(text);
}

std::string RatingCommentToScriptLine(const std::string& comment) {
  std::string t = comment;
  std::string prefix;
  if (const size_t at = comment.find('@'); at != std::string::npos) {
    prefix = std::string(Trim(std::string_view(comment).substr(0, at)));
    t = std::string(Trim(std::string_view(comment).substr(at + 1)));
  }
  // " + " holds no letters: the same text in any letter case.
  std::string joined;
  for (size_t from = 0;;) {
    const size_t plus = t.find(" + ", from);
    if (plus == std::string::npos) {
      joined.append(t, from, std::string::npos);
      break;
    }
    joined.append(t, from, plus - from);
    joined += '|';
    from = plus + 3;
  }
  auto fields = [&] { return std::count(joined.begin(), joined.end(), '|') + 1; };
  while (fields() <= 7) joined += "| ";
  joined += '|';
  joined += prefix;
  return joined;
}

bool RatingCommentMayBeCut(const std::string& comment) {
  return Utf8ToCp1251(comment).size() >= 255;
}

void Ratings::Add(const TStakeData& stake) {
  if (stake.matched.count < 0) return;
  Add(stake.comment, stake.matched.count, stake.profit);
}

void Ratings::Add(std::string_view comment, int matches, Money profit) {
  const int row = RowOf(comment, true);
  AddStakeToRating(rows_[static_cast<size_t>(row)], matches, profit);
  Touch(row);
}

int Ratings::RowOf(std::string_view comment, bool create) {
  if (const auto it = spellings_.find(comment); it != spellings_.end()) return it->second;
  std::string key = LowerUtf8(comment);
  auto it = index_.find(key);
  if (it == index_.end()) {
    if (!create) return -1;
    TRatingRec r;
    r.comment = std::string(comment);
    rows_.push_back(std::move(r));
    it = index_.emplace(std::move(key), static_cast<int>(rows_.size()) - 1).first;
  }
  spellings_.emplace(std::string(comment), it->second);
  return it->second;
}

void Ratings::Remove(const TStakeData& stake) {
  if (stake.matched.count < 0) return;
  const int index = RowOf(stake.comment, false);
  if (index < 0) return;
  TRatingRec& row = rows_[static_cast<size_t>(index)];
  Touch(index);
  auto take = [](int32_t& counter, int64_t n) {
    counter = static_cast<int32_t>(std::clamp<int64_t>(int64_t{counter} - n,
                                                       std::numeric_limits<int32_t>::min(),
                                                       std::numeric_limits<int32_t>::max()));
  };
  take(row.stakes, 1);
  take(row.matchedSum, stake.matched.count);
  take(row.matchCounts[static_cast<size_t>(std::clamp(stake.matched.count, 0, 3))], 1);
  row.profit -= stake.profit;
}

void Ratings::Clear() {
  rows_.clear();
  averages_.clear();
  ids_.clear();
  touched_.clear();
  memo_.Clear();
  index_.clear();
  spellings_.clear();
}

void Ratings::Assign(TRatingsArray rows) {
  Clear();
  rows_ = std::move(rows);
  Reindex();
}

void Ratings::Reindex() {
  index_.clear();
  spellings_.clear();
  for (size_t i = 0; i < rows_.size(); ++i)
    index_.emplace(LowerUtf8(rows_[i].comment), static_cast<int>(i));
}

void Ratings::Rebuild(const StakeStore& store) {
  Clear();
  store.ForEach(0, [this](int, const TStakeData& s) {
    if (s.draw >= 0 && s.checked != 0) Add(s);
  });
}

void Ratings::Load(const fs::path& path) {
  Clear();
  const std::string data = ReadFile(path);
  const size_t whole = data.size() / RatingRecSize;
  TRatingsArray rows;
  rows.reserve(whole);
  auto refuse = [&](size_t record, const std::string& why) {
    Assign(std::move(rows));
    throw Error(Format(texts::RatingBadRecord, static_cast<int>(record), why.c_str()));
  };
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  for (size_t i = 0; i < whole; ++i) {
    TRatingRec r = DecodeRatingRec(bytes + i * RatingRecSize);
    if (const std::string why = RowFault(r); !why.empty()) refuse(i + 1, why);
    rows.push_back(std::move(r));
  }
  if (const size_t tail = data.size() % RatingRecSize; tail != 0)
    refuse(whole + 1, Format(texts::RatingTornRecord, static_cast<long long>(tail),
                             static_cast<int>(RatingRecSize)));
  Assign(std::move(rows));
}

void Ratings::Save(const fs::path& path) const {
  std::string data(rows_.size() * RatingRecSize, '\0');
  for (size_t i = 0; i < rows_.size(); ++i)
    EncodeRatingRec(rows_[i], reinterpret_cast<uint8_t*>(data.data()) + i * RatingRecSize);
  WriteFileAtomic(path, data);
}

void Ratings::Sort(int column, bool descending) {
  if (column < 0 || rows_.size() < 2) return;
  const size_t n = rows_.size();
  // Every row has an id that moves with it; new rows count as changed.
  if (ids_.size() > n) {
    ids_.clear();
    touched_.clear();
  }
  while (ids_.size() < n) ids_.push_back(nextId_++);
  touched_.resize(n, 1);
  std::vector<int> order;
  const int sign = descending ? -1 : 1;
  if (column == 3 || column == 5) {
    // The quotients of the two average columns are made once a row, the very values the
    // comparison of two rows divides out, so the order is the same.
    const std::vector<Average>& keys = Averages(column);
    order = memo_.Sort(ids_, touched_, column, descending, [&](int a, int b) {
      const Average& x = keys[static_cast<size_t>(a)];
      const Average& y = keys[static_cast<size_t>(b)];
      if (x.none || y.none) return 0;
      // Averages closer than half a unit of the shown value compare equal.
      const long double d =
          column == 3 ? (x.quotient - y.quotient) * 100 : (x.quotient - y.quotient) / 100;
      return sign * (std::fabs(d) >= 0.5L ? Sign(d) : 0);
    });
  } else {
    order = memo_.Sort(ids_, touched_, column, descending, [&](int a, int b) {
      return sign * CompareRatingRows(rows_[static_cast<size_t>(a)], rows_[static_cast<size_t>(b)],
                                      column);
    });
  }
  touched_.assign(n, 0);
  if (index_.size() != n) {
    // Rows of a file may share a comment: the index is made anew, the first of them wins.
    Permute(order);
    Reindex();
    return;
  }
  bool moved = false;
  for (size_t k = 0; k < n && !moved; ++k) moved = order[k] != static_cast<int>(k);
  if (!moved) return;  // a check that changed no place
  Permute(order);
  // The index follows the rows to their new places (a check sorts after every few stakes,
  // and the comments need not be lower-cased again).
  std::vector<int> position(n);
  for (size_t k = 0; k < n; ++k) position[static_cast<size_t>(order[k])] = static_cast<int>(k);
  for (auto& entry : index_) entry.second = position[static_cast<size_t>(entry.second)];
  for (auto& entry : spellings_) entry.second = position[static_cast<size_t>(entry.second)];
}

void Ratings::Permute(const std::vector<int>& order) {
  scratch_.clear();
  scratch_.reserve(rows_.size());
  for (int i : order) scratch_.push_back(std::move(rows_[static_cast<size_t>(i)]));
  rows_.swap(scratch_);
  std::vector<uint64_t> ids(order.size());
  for (size_t k = 0; k < order.size(); ++k) ids[k] = ids_[static_cast<size_t>(order[k])];
  ids_.swap(ids);
  if (averages_.size() == order.size()) {
    std::vector<Average> moved(order.size());
    for (size_t k = 0; k < order.size(); ++k) moved[k] = averages_[static_cast<size_t>(order[k])];
    averages_.swap(moved);
  } else {
    averages_.clear();
  }
}

void Ratings::Touch(int row) {
  if (row >= 0 && static_cast<size_t>(row) < averages_.size())
    averages_[static_cast<size_t>(row)].known = false;
  if (row >= 0 && static_cast<size_t>(row) < touched_.size())
    touched_[static_cast<size_t>(row)] = 1;
}

const std::vector<Ratings::Average>& Ratings::Averages(int column) {
  if (averagesColumn_ != column) averages_.clear();
  averagesColumn_ = column;
  averages_.resize(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) {
    Average& k = averages_[i];
    if (k.known) continue;
    const TRatingRec& r = rows_[i];
    k.known = true;
    k.none = r.stakes == 0;
    if (r.stakes != 0)
      k.quotient = column == 3 ? static_cast<long double>(r.matchedSum) / r.stakes
                               : static_cast<long double>(r.profit.units) / r.stakes;
  }
  return averages_;
}

}  // namespace korvane
