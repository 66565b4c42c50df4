#pragma once

// The combination list: the candidate tickets for the next draw, with a one-level undo copy
// and the log of what was applied to it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace korvane {

struct TCombsGenParams {
  int mode = 0;      // 0 all, 1 any of my numbers, 2 only my numbers, 3 none of them, 4 file
  std::string text;  // my numbers (modes 1-3) or a file name (mode 4); at most 255 characters
  bool operator==(const TCombsGenParams&) const = default;
};

enum class FilterImage { Undo = 11, Keep = 12, Remove = 13 };

// One row of the applied-filters list.
struct AppliedFilter {
  std::string caption;
  std::string values;
  int count = 0;  // the list count right after the operation
  FilterImage image = FilterImage::Keep;
};

class CombList {
 public:
  CombList();

  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(entries_.size()); }
  const TComb& At(int i) const { return entries_[static_cast<size_t>(i)]; }
  const TComb* Data() const { return entries_.data(); }
  TCombsArray ToArray() const { return TCombsArray(entries_.begin(), entries_.begin() + count_); }

  // Grows the storage to at least `capacity`, then sets the count.
  void SetCount(int capacity, int count);
  void Set(int i, const TComb& c) { entries_[static_cast<size_t>(i)] = c; }
  void Append(const TComb& c);
  // Replaces the entries (the undo copy and the log are left alone).
  void Assign(const TCombsArray& combs);
  // Keeps the entries for which keep(i) is true, in order.
  template <typename Pred>
  void KeepIf(Pred keep) {
    int n = 0;
    for (int i = 0; i < count_; ++i)
      if (keep(i)) entries_[static_cast<size_t>(n++)] = entries_[static_cast<size_t>(i)];
    count_ = n;
  }

  // Rebuilds the list in modes 0-3 (mode 4 reads a file: the caller's job).
  void Generate(const TCombsGenParams& params);
  bool Contains(const TComb& c) const;

  // The undo copy.
  bool CanUndo() const { return undoCount_ > 0; }
  int UndoCount() const { return undoCount_; }
  const TComb& UndoAt(int i) const { return undo_[static_cast<size_t>(i)]; }
  void UndoSave();
  void UndoRestore();  // copies the undo copy back and drops it
  void UndoDiscard() { undoCount_ = 0; }

  // Rebuilds the list from the entries of the undo copy for which keep(comb) is true, in order;
  // the undo copy stays.
  template <typename Pred>
  void KeepFromUndo(Pred keep) {
    if (entries_.size() < static_cast<size_t>(undoCount_))
      entries_.resize(static_cast<size_t>(undoCount_));
    int n = 0;
    for (int k = 0; k < undoCount_; ++k) {
      const TComb& c = undo_[static_cast<size_t>(k)];
      if (keep(c)) entries_[static_cast<size_t>(n++)] = c;
    }
    count_ = n;
  }
  // The list as it was saved; the undo copy stays.
  void RestoreFromUndo();

  // Rebuilds the list from the undo copy without the given rows (a sorted or unsorted set of
  // row indexes of the list as it was before UndoSave).
  void RemoveRowsFromUndo(const std::vector<int>& rows);

  // The applied-filters list.
  const std::vector<AppliedFilter>& Filters() const { return filters_; }
  void FiltersListClear() { filters_.clear(); }
  void FiltersListAdd(bool remove, std::string caption, std::string values);
  void FiltersListAddUndo();
  // The same with the count given (the entries are set later).
  void FiltersListAdd(bool remove, std::string caption, std::string values, int count);
  void FiltersListAddUndo(int count);
  void FiltersListDeleteLast();

 private:
  TCombsArray entries_;
  int count_ = 0;
  TCombsArray undo_;
  int undoCount_ = 0;
  std::vector<AppliedFilter> filters_;
};

// The set of "my numbers" of generation modes 1-3: the words of the text split at "," and
// ";" (empty words skipped), each read as an integer (0 when it is not one), values 0..255.
std::vector<bool> ParseMyNumbers(std::string_view text);

// The draws (newest first, the offset ignored) equal to the combination at every position, at
// most `limit` of them, as DrawToText lines.
std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, const TComb& c, int limit = 26);

}  // namespace korvane
