#pragma once

// The statistics part of the workspace: the registry, the method list, the statistics table
// and the prefetch files.

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "core/archive.h"
#include "stats/registry.h"
#include "stats/stat_table.h"

namespace korvane {

class StatsSession {
 public:
  StatsSession(const SessionContext& ctx, const DrawArchive& archive, const SettingsStore& settings,
               GameSettings& registrySettings);

  const TStatList& Registry() const { return registry_; }
  // The favourites manager edits the entries' flags and names, then rebuilds the lists.
  TStatList& EditRegistry() { return registry_; }
  // The statistics method list: registry indexes in list order.
  const std::vector<int>& MethodList() const { return methods_; }
  // The selected position in the method list (-1: none) and its registry entry.
  int Position() const { return position_; }
  int Entry() const;
  int Depth() const { return settings_.View().drawsStatLen; }
  const StatTable& Table() const { return table_; }

  // Builds the registry anew for the current settings, keeping the user's enabled methods,
  // and refills the method list keeping its selected position.
  void BuildRegistry();
  // The user's choice of methods; the registry and the lists follow.
  void SetEnabledCodes(const std::string& codes) {
    registry_.SetEnabledCodes(codes);
    BuildRegistry();
  }
  // byUser: the user chose it (the table is cleared); a scenario step selects without
  // clearing, so that an unchanged build is skipped.
  void Select(int position, bool byUser);
  // Selects the method with this code; false when no listed method has it.
  bool SelectByCode(const std::string& code, bool byUser);
  // Builds the table; without force an unchanged build is skipped.
  void Build(bool force);
  // The next build runs even when nothing it reads changed.
  void Invalidate() { table_.lastKey.reset(); }
  // The norm of a method from its prefetch file (made when missing), when prefetch is on and the
  // method has one; a failure is shown and gives nothing.
  std::optional<PrefetchData> LoadPrefetch(int entry);

  // The table as the user (or a scenario step) works it; the face repaints itself.
  void SetSort(int column, bool descending) { table_.SetSort(column, descending); }
  void ClickColumn(int column) { table_.ClickColumn(column); }
  void SelectRows(const std::vector<int>& rows) { table_.SelectOnly(rows); }
  void SelectRow(int row, bool on) { table_.Select(row, on); }
  void ClearSelection() { table_.SelectAll(false); }

  // The weight coefficients of a scenario step, and the user's own around a run.
  void SaveWeights() { registry_.SaveWeightCoefs(); }
  void RestoreWeights() { registry_.RestoreWeightCoefs(); }
  void ApplyWeights(const std::optional<TWeightCoefs>& stepCoefs) {
    registry_.ApplyWeightCoefs(stepCoefs);
  }

  // Creates the missing prefetch files (and rebuilds those of `groups`); runs only when forced
  // or when prefetch is on. Progress and errors go to the Host.
  void CreateAllPrefetch(bool force, const std::set<int>& groups);

  // Name and graph value of every listed method with a graph, for a draw (or a combination
  // standing for the draw at `index`, with `previous` the draw before it).
  std::vector<std::pair<std::string, std::string>> GraphValues(int index, int previous,
                                                               const TComb& nums) const;

 private:
  SessionContext ctx_;
  const DrawArchive& archive_;
  const SettingsStore& settings_;
  TStatList registry_;
  std::vector<int> methods_;
  int position_ = -1;
  StatTable table_;
};

}  // namespace korvane
