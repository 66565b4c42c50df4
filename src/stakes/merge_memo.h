#pragma once

// A stable top-down merge sort of the positions 0..n-1 that keeps the result of every merge.
// Sorted again after a few rows changed, it merges again only the ranges that hold a changed
// row, and gives exactly what the whole sort gives: the comparison need not be transitive, as
// every merge is the same merge of the same inputs.

#include <cstdint>
#include <vector>

namespace korvane {

class MergeMemo {
 public:
  // `ids` names the row at each position (the same row keeps its id when it moves), `touched`
  // marks the rows whose data changed since the last sort. `compare(a, b)` compares the rows
  // at positions a and b (negative, zero, positive); a left row goes first unless it compares
  // above. Returns the positions in sorted order.
  template <typename Compare>
  std::vector<int> Sort(const std::vector<uint64_t>& ids, const std::vector<uint8_t>& touched,
                        int column, bool descending, const Compare& compare) {
    const size_t n = ids.size();
    const bool valid = n == ids_.size() && column == column_ && descending == descending_;
    if (!valid) out_.clear();
    dirty_.assign(n + 1, 0);
    for (size_t p = 0; p < n; ++p)
      dirty_[p + 1] =
          dirty_[p] + (!valid || ids[p] != ids_[p] || (p < touched.size() && touched[p]));
    if (n > 0) Merge(0, n - 1, 0, compare);
    ids_ = ids;
    column_ = column;
    descending_ = descending;
    if (n == 0) return {};
    return out_[0];
  }
  void Clear() {
    ids_.clear();
    out_.clear();
  }

 private:
  template <typename Compare>
  void Merge(size_t lo, size_t hi, size_t level, const Compare& compare) {
    if (out_.size() <= level) out_.resize(level + 1);
    std::vector<int>& out = out_[level];
    if (out.size() < dirty_.size() - 1) out.resize(dirty_.size() - 1);
    if (lo == hi) {
      out[lo] = static_cast<int>(lo);
      return;
    }
    if (dirty_[hi + 1] == dirty_[lo]) return;  // the merge of last time still holds
    const size_t mid = lo + (hi - lo) / 2;
    Merge(lo, mid, level + 1, compare);
    Merge(mid + 1, hi, level + 1, compare);
    const std::vector<int>& in = out_[level + 1];
    std::vector<int>& dst = out_[level];
    size_t i = lo, j = mid + 1, k = lo;
    while (i <= mid && j <= hi) dst[k++] = compare(in[i], in[j]) <= 0 ? in[i++] : in[j++];
    while (i <= mid) dst[k++] = in[i++];
    while (j <= hi) dst[k++] = in[j++];
  }

  std::vector<uint64_t> ids_;  // the rows by position at the last sort
  int column_ = -1;
  bool descending_ = false;
  std::vector<std::vector<int>> out_;  // the merged positions of each level's ranges
  std::vector<uint32_t> dirty_;        // changed positions before each position
};

}  // namespace korvane
