// Filtering the combination list by the statistics table and by the grids of the views.

#include <algorithm>

#include "app/workspace.h"
#include "core/strutil.h"
#include "filters/texts.h"

namespace korvane {

bool Workspace::ApplyStatFilter(TCustomStat* stat, int entry, bool remove) {
  TStatDrawArray selection;
  std::vector<std::string> values;
  for (const StatRow& row : stats_.Table().Rows())
    if (row.selected) {
      selection.push_back(row.rec);
      values.push_back(row.Text(StatColumn::Value));
    }
  if (selection.empty()) return false;
  if (stat == nullptr) entry = stats_.Entry();
  if (entry < 0) return false;

  std::unique_ptr<TCustomStat> own;
  if (stat == nullptr) {
    own = stats_.Registry().CreateStat(entry);
    stat = own.get();
  }
  return combs_.Filter(*stat, selection, remove, stats_.Registry().ListText(entry, true),
                       Join(values, "; "));
}

bool Workspace::StatFilter(bool remove) {
  if (combs_.List().Count() == 0 || stats_.Table().SelectedCount() == 0) return false;
  combs_.UndoSave();
  return ApplyStatFilter(nullptr, -1, remove);
}

bool Workspace::ApplyNumbersFilter(const std::vector<std::pair<int, std::string>>& numbers,
                                   const char* caption, bool remove) {
  if (numbers.empty()) {
    host_.showMessage(MessageKind::Error, texts::NoGridValues);
    return false;
  }
  const int nums = stats_.Registry().IndexOfCode("NUMS");
  if (nums < 0) return false;
  TStatDrawArray selection;
  std::vector<std::string> values;
  for (const auto& [n, text] : numbers) {
    TStatDrawRec r;
    r.key.k[0] = static_cast<int16_t>(n);
    selection.push_back(r);
    values.push_back(text);
  }
  auto stat = stats_.Registry().CreateStat(nums);
  return combs_.FilterWithUndo(*stat, selection, remove, caption, Join(values, "; "));
}

namespace {
void AddNumber(std::vector<std::pair<int, std::string>>& numbers, int n, std::string text) {
  for (const auto& e : numbers)
    if (e.first == n) return;
  numbers.emplace_back(n, std::move(text));
}
}  // namespace

bool Workspace::ApplyCardFilter(const std::vector<std::string>& cells, bool remove) {
  std::vector<std::pair<int, std::string>> numbers;
  for (const std::string& cell : cells)
    if (!cell.empty()) AddNumber(numbers, IntOrZero(cell), cell);
  return ApplyNumbersFilter(numbers, "Карта", remove);
}

bool Workspace::ApplyLayoutFilter(const std::vector<std::string>& cells, bool remove) {
  std::vector<std::pair<int, std::string>> numbers;
  for (const std::string& cell : cells) {
    if (cell.empty()) continue;
    for (std::string_view word : SplitAny(cell, ",")) {
      std::string clean;
      for (char c : word)
        if (c != '[' && c != ']') clean += c;
      clean = std::string(Trim(clean));
      AddNumber(numbers, IntOrZero(clean), clean);
    }
  }
  return ApplyNumbersFilter(numbers, "Схема", remove);
}

bool Workspace::ApplyWeekFilter(const std::vector<int>& columns, bool remove) {
  std::vector<std::pair<int, std::string>> numbers;
  std::vector<int> sorted = columns;
  std::sort(sorted.begin(), sorted.end());
  for (int k : sorted)
    if (k >= 1) AddNumber(numbers, k - 1, NumToText(k - 1));
  return ApplyNumbersFilter(numbers, "Неделя", remove);
}

}  // namespace korvane
