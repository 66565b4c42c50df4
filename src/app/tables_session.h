#pragma once

// The regular stakes part of the workspace: the regulars of Korvane.ltb, held only while
// their tab is shown.

#include <string>
#include <vector>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "stakes/tables.h"

namespace korvane {

class TablesSession {
 public:
  TablesSession(const SessionContext& ctx, const SettingsStore& settings);

  const Tables& Rows() const { return tables_; }
  bool Visible() const { return settings_.View().tabTables; }
  std::vector<std::string> Names() const;

  // Reads Korvane.ltb while the tab is shown; Drop empties the list (the tab was hidden).
  void Load();
  void Drop();
  // Writes the file while the tab is shown; a failure is reported (false).
  bool Save();
  bool Add(const std::vector<TTableData>& regulars);
  // Asks, then deletes the given rows from the last to the first.
  bool Delete(std::vector<int> rows);
  // A regular after it made a stake.
  bool Replace(int row, const TTableData& regular);
  // Advances a regular in place for the draw offset (a test saves once at its end).
  const TTableData& Advance(int row, const DrawArchive& archive, int offset);
  // The list follows (without saving).
  void Refresh();

 private:
  SessionContext ctx_;
  const SettingsStore& settings_;
  Tables tables_;
};

}  // namespace korvane
