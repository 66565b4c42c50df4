// Filtering the combination list, its files, the clipboard, undo and draw exclusion.

#include <algorithm>

#include "app/workspace.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/comb_files.h"
#include "filters/filtering.h"
#include "filters/texts.h"

namespace korvane {

bool Workspace::ApplyStatFilter(TCustomStat* stat, int entry, bool remove) {
  TStatDrawArray selection;
  std::vector<std::string> values;
  for (const StatRow& row : statTable_.Rows())
    if (row.selected) {
      selection.push_back(row.rec);
      values.push_back(row.texts[0]);
    }
  if (selection.empty()) return false;
  if (stat == nullptr) entry = StatEntry();
  if (entry < 0) return false;

  BusyScope busy(busy_, texts::Filtering);
  const CombList before = combs_;
  try {
    std::unique_ptr<TCustomStat> own;
    if (stat == nullptr) {
      own = registry_.CreateStat(entry);
      stat = own.get();
    }
    if (combs_.UndoCount() > 0) {
      FilterFromUndo(combs_, *stat, selection,
                     LastAnalysedIndex(archive_.Draws(), archive_.DrawsOffset()), view_.sortedDraws,
                     remove);
      combs_.FiltersListAdd(remove, registry_.ListText(entry, true), Join(values, "; "));
    } else {
      combs_.SetCount(combs_.Capacity(), 0);
    }
  } catch (const std::exception& e) {
    combs_ = before;
    CombsRefresh();
    host_.showMessage(MessageKind::Error, e.what());
    return false;
  }
  CombsRefresh();
  return true;
}

bool Workspace::StatFilter(bool remove) {
  if (combs_.Count() == 0 || statTable_.SelectedCount() == 0) return false;
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  return ApplyStatFilter(nullptr, -1, remove);
}

bool Workspace::ApplyNumbersFilter(const std::vector<std::pair<int, std::string>>& numbers,
                                   const char* caption, bool remove) {
  if (numbers.empty()) {
    host_.showMessage(MessageKind::Error, texts::NoGridValues);
    return false;
  }
  const int nums = registry_.IndexOfCode("NUMS");
  if (nums < 0) return false;
  const CombList before = combs_;
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  BusyScope busy(busy_, texts::Filtering);
  try {
    TStatDrawArray selection;
    std::vector<std::string> values;
    for (const auto& [n, text] : numbers) {
      TStatDrawRec r;
      r.key.k[0] = static_cast<int16_t>(n);
      selection.push_back(r);
      values.push_back(text);
    }
    auto stat = registry_.CreateStat(nums);
    FilterFromUndo(combs_, *stat, selection,
                   LastAnalysedIndex(archive_.Draws(), archive_.DrawsOffset()), view_.sortedDraws,
                   remove);
    combs_.FiltersListAdd(remove, caption, Join(values, "; "));
  } catch (const std::exception& e) {
    combs_ = before;
    CombsRefresh();
    host_.showMessage(MessageKind::Error, e.what());
    return false;
  }
  CombsRefresh();
  return true;
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

bool Workspace::CombsLoadFile(const fs::path& path) {
  try {
    combs_.Assign(ParseCombFile(ReadFile(path)));
    return true;
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error,
                      Format(texts::CombFileReadError, path.string().c_str(), e.what()));
    return false;
  }
}

bool Workspace::CombsSaveFile(const fs::path& path) {
  try {
    WriteFileAtomic(path, CombsToFileText(combs_.Data(), combs_.Count()));
    return true;
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error,
                      Format(texts::CombFileWriteError, path.string().c_str(), e.what()));
    return false;
  }
}

bool Workspace::CombsOpen(const fs::path& path) {
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  bool ok;
  {
    BusyScope busy(busy_, Format(texts::LoadingFile, path.string().c_str()));
    ok = CombsLoadFile(path);
    if (!ok) combs_.UndoRestore();
    combs_.UndoDiscard();
    combs_.FiltersListClear();
  }
  CombsRefresh();
  return ok;
}

bool Workspace::CombsSave(const fs::path& path) {
  BusyScope busy(busy_, Format(texts::SavingFile, path.string().c_str()));
  return CombsSaveFile(path);
}

std::string Workspace::CombsCopyText(const std::vector<int>& rows) const {
  std::vector<TComb> combs;
  for (int r : rows)
    if (r >= 0 && r < combs_.Count()) combs.push_back(combs_.At(r));
  return CombsToClipText(combs);
}

bool Workspace::CombsPaste(const std::string& text) {
  BusyScope busy(busy_, texts::PleaseWait);
  if (SplitLines(text).empty()) return false;
  bool ok = true;
  try {
    const TCombsArray combs = ParseClipText(text);
    combs_.Assign(combs);
    combs_.FiltersListClear();
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error, e.what());
    ok = false;
  }
  combs_.UndoDiscard();
  CombsRefresh();
  return ok;
}

void Workspace::CombsUndo() {
  if (!combs_.CanUndo()) return;
  {
    BusyScope busy(busy_, texts::RestoringUndo);
    combs_.UndoRestore();
    combs_.FiltersListDeleteLast();
  }
  CombsRefresh();
}

void Workspace::CombsDelExists(int n) {
  {
    BusyScope busy(busy_, texts::SavingUndo);
    combs_.UndoSave();
  }
  CombsExcludeDraws(n);
}

void Workspace::CombsExcludeDraws(int n) {
  {
    BusyScope busy(busy_, Format(texts::ExcludingDraws, n));
    int first = 0;
    int last = -1;
    if (n > 0) {
      last = archive_.Count() - 1 - archive_.DrawsOffset();
      first = std::max(0, last - n + 1);
    }
    ExcludeDrawsFromUndo(combs_, archive_.Draws(), first, last, [&](int k, int total) {
      busy_.SetStatus(Format(texts::ExcludingDrawsProgress, n, 100.0 * (k + 1) / total));
    });
    combs_.FiltersListAdd(true, texts::LastDraws, std::to_string(n));
  }
  CombsRefresh();
}

void Workspace::CombsCheckNums() {
  int d;
  {
    BusyScope busy(busy_, texts::PleaseWait);
    d = DistinctNumbers(combs_.ToArray(), static_cast<size_t>(combs_.Count()));
  }
  host_.showMessage(MessageKind::Information, Format(texts::DistinctNumbersMsg, d));
}

}  // namespace korvane
