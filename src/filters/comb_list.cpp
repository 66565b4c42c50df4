#include "filters/comb_list.h"

#include <algorithm>

#include "core/strutil.h"
#include "filters/texts.h"

namespace korvane {

CombList::CombList() {
  entries_.resize(CombsCount);
  undo_.resize(CombsCount);
}

void CombList::SetCount(int capacity, int count) {
  if (Capacity() < capacity) entries_.resize(static_cast<size_t>(capacity));
  if (Capacity() < count) entries_.resize(static_cast<size_t>(count));
  count_ = count;
}

void CombList::Append(const TComb& c) {
  if (count_ >= Capacity()) entries_.resize(std::max<size_t>(entries_.size() * 2, CombsCount));
  entries_[static_cast<size_t>(count_++)] = c;
}

void CombList::Assign(const TCombsArray& combs) {
  SetCount(static_cast<int>(combs.size()), static_cast<int>(combs.size()));
  std::copy(combs.begin(), combs.end(), entries_.begin());
}

std::vector<bool> ParseMyNumbers(std::string_view text) {
  std::vector<bool> set(256, false);
  for (std::string_view w : SplitAny(text, ",;")) {
    w = Trim(w);
    if (w.empty()) continue;
    const int v = ParseInt32(w).value_or(0);
    if (v >= 0 && v <= 255) set[static_cast<size_t>(v)] = true;
  }
  return set;
}

void CombList::Generate(const TCombsGenParams& params) {
  count_ = 0;
  const std::vector<bool> s =
      ParseMyNumbers(params.mode >= 1 && params.mode <= 3 ? params.text : "");
  for (int a = MinNum; a <= MaxNum; ++a)
    for (int b = MinNum; b <= MaxNum; ++b)
      for (int c = MinNum; c <= MaxNum; ++c) {
        const bool ia = s[static_cast<size_t>(a)];
        const bool ib = s[static_cast<size_t>(b)];
        const bool ic = s[static_cast<size_t>(c)];
        bool pass = true;
        if (params.mode == 1) pass = ia || ib || ic;
        if (params.mode == 2) pass = ia && ib && ic;
        if (params.mode == 3) pass = !ia && !ib && !ic;
        if (pass)
          Append({static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c)});
      }
}

bool CombList::Contains(const TComb& c) const {
  for (int i = 0; i < count_; ++i)
    if (entries_[static_cast<size_t>(i)] == c) return true;
  return false;
}

void CombList::UndoSave() {
  if (undo_.size() < entries_.size()) undo_.resize(entries_.size());
  std::copy(entries_.begin(), entries_.begin() + count_, undo_.begin());
  undoCount_ = count_;
}

void CombList::UndoRestore() {
  SetCount(static_cast<int>(undo_.size()), undoCount_);
  std::copy(undo_.begin(), undo_.begin() + undoCount_, entries_.begin());
  UndoDiscard();
}

void CombList::RestoreFromUndo() {
  SetCount(undoCount_, undoCount_);
  std::copy(undo_.begin(), undo_.begin() + undoCount_, entries_.begin());
}

void CombList::RemoveRowsFromUndo(const std::vector<int>& rows) {
  std::vector<bool> drop(static_cast<size_t>(undoCount_), false);
  for (int r : rows)
    if (r >= 0 && r < undoCount_) drop[static_cast<size_t>(r)] = true;
  count_ = 0;
  for (int k = 0; k < undoCount_; ++k)
    if (!drop[static_cast<size_t>(k)])
      entries_[static_cast<size_t>(count_++)] = undo_[static_cast<size_t>(k)];
}

void CombList::FiltersListAdd(bool remove, std::string caption, std::string values) {
  FiltersListAdd(remove, std::move(caption), std::move(values), count_);
}

void CombList::FiltersListAdd(bool remove, std::string caption, std::string values, int count) {
  filters_.push_back({std::move(caption), std::move(values), count,
                      remove ? FilterImage::Remove : FilterImage::Keep});
}

void CombList::FiltersListAddUndo(int count) {
  filters_.push_back({texts::UndoRow, "", count, FilterImage::Undo});
}

void CombList::FiltersListAddUndo() { FiltersListAddUndo(count_); }

void CombList::FiltersListDeleteLast() {
  if (!filters_.empty()) filters_.pop_back();
}

std::vector<std::string> FindCombInDraws(const TDrawsArray& draws, const TComb& c, int limit) {
  std::vector<std::string> lines;
  for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
    if (PositionMatches(*it, c) != NumsCount) continue;
    lines.push_back(DrawToText(*it));
    if (static_cast<int>(lines.size()) >= limit) break;
  }
  return lines;
}

}  // namespace korvane
