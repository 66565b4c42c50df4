#pragma once

// The ratings part of the workspace: the rating rows fed by checking, their file Korvane.lrt,
// their sort (kept with the list's state) and efficiency mode, the rebuild from the stakes,
// the CSV export and the charts.

#include <string>
#include <vector>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "stakes/rating_charts.h"
#include "stakes/ratings.h"
#include "stakes/stake_store.h"

namespace korvane {

class RatingsSession {
 public:
  RatingsSession(const SessionContext& ctx, const SettingsStore& settings);

  const Ratings& Rows() const { return ratings_; }
  int SortColumn() const { return sortColumn_; }
  bool Descending() const { return descending_; }
  EffMode Mode() const;

  // The command line's readers never write the file.
  void SetReadOnly(bool on) { readOnly_ = on; }
  // Reads Korvane.lrt when it exists (the sort of the list's stored state), then sorts.
  void Load();
  // The checking's share: a checked stake goes into its row; a stake checked again leaves
  // its old result first. AfterCheck sorts and saves once per check.
  void Add(const TStakeData& stake) { ratings_.Add(stake); }
  void Remove(const TStakeData& stake) { ratings_.Remove(stake); }
  void AfterCheck();
  // While deferred (a scenario run), the rows are sorted and shown but saved once at the end.
  void DeferSave(bool on);

  // Sorts by a column (a click on the sorted column reverses it), saves and shows.
  void Sort(int column, bool descending);
  void ClickColumn(int column);
  // Rebuilds the rows from the stakes; asks first when rows exist (and ask is set). False when
  // nothing changed.
  bool Refresh(const StakeStore& stakes, bool ask = true);
  bool Save();
  // The row count to the face and to panel 5.
  void Show();
  bool ExportCsv(const fs::path& path) const;

 private:
  SessionContext ctx_;
  const SettingsStore& settings_;
  Ratings ratings_;
  int sortColumn_ = 3;
  bool descending_ = true;
  bool readOnly_ = false;
  bool deferSave_ = false;
  bool unsaved_ = false;
  // The file could not be read whole: before it is first written over, a copy of it is kept.
  bool keepCopy_ = false;
};

}  // namespace korvane
