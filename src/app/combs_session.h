#pragma once

// The combination part of the workspace: the list, its undo copy and applied-filters list,
// generation, files, the clipboard and the exclusion of drawn combinations.

#include <string>
#include <vector>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "core/archive.h"
#include "filters/comb_list.h"
#include "stats/stat_base.h"

namespace korvane {

class CombsSession {
 public:
  CombsSession(const SessionContext& ctx, const DrawArchive& archive,
               const SettingsStore& settings);

  const CombList& List() const { return combs_; }
  TCombsGenParams DefaultGenParams() const;

  // Rebuilds the list; with showStatus also the status, the applied-filters list, the panel
  // and the undo copy (dropped). False when it failed (the message is shown).
  bool Generate(bool showStatus, const TCombsGenParams& params);
  // The panel and the face follow the list.
  void Refresh();

  // The undo copy of the list, under its status text.
  void UndoSave();
  // "Отменить".
  void Undo();
  // The last step emptied the list: back to the undo copy, marked in the applied filters.
  void RollBack();
  void DiscardUndo() { combs_.UndoDiscard(); }
  // The list as a scenario variant left it.
  void Assign(const CombList& list) {
    combs_ = list;
    Refresh();
  }

  // Filters the list from its undo copy (taken by the caller) by the selected values; with no
  // undo copy every combination goes. On failure the list is as before and the message is
  // shown (false).
  bool Filter(TCustomStat& stat, const TStatDrawArray& selection, bool remove,
              const std::string& caption, const std::string& values);
  // The same for the grids: the undo copy is taken here, and a failure restores the list and
  // the undo copy as they were.
  bool FilterWithUndo(TCustomStat& stat, const TStatDrawArray& selection, bool remove,
                      const std::string& caption, const std::string& values);

  // "Удалить выделенные": removes the given rows (through the undo copy).
  void DeleteRows(const std::vector<int>& rows);
  // "Проверить по архиву тиражей".
  void FindInDraws(const TComb& comb);
  // The exclusion of the n newest visible draws from the undo copy (the copy was taken).
  void ExcludeDraws(int n);
  // "Количество уникальных номеров".
  void CheckNums();

  // Reads a combination file into the list; false when it could not be read (message shown).
  bool LoadFile(const fs::path& path);
  bool SaveFile(const fs::path& path) const;
  // "Открыть" and "Сохранить".
  bool Open(const fs::path& path);
  bool Save(const fs::path& path) const;
  // The clipboard text of the given rows.
  std::string CopyText(const std::vector<int>& rows) const;
  // "Вставить из буфера": all lines or nothing.
  bool Paste(const std::string& text);

 private:
  SessionContext ctx_;
  const DrawArchive& archive_;
  const SettingsStore& settings_;
  CombList combs_;
};

}  // namespace korvane
