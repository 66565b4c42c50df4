#pragma once

// The settings files: the game and proxy settings of Korvane.ini and the view state of
// Korvane.frm. Every key has one write path; a flag that the user toggles is written at once,
// the sizes and lengths of the window are written at shut-down.

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/busy_scope.h"
#include "app/host.h"
#include "core/config.h"
#include "core/datadir.h"
#include "core/ini.h"
#include "core/settings.h"
#include "export/export.h"

namespace korvane {

// The on/off view settings of Korvane.frm.
enum class ViewFlag {
  ColorDraws,
  ColorCombs,
  ColorCard,
  ColorCardSequences,
  LayoutGradient,
  SortedDraws,
  AutoUpdates,
  ScriptLog,
  StakesLog,
  StakesScroll,
  StakesCheckOnLine,
  Prefetchs,
  PrefetchsInit,
  ShowTotalLine,
  TabGraphs,
  TabCard,
  TabLayout,
  TabWeek,
  TabTables,
  FirstRun,
  ScriptLibrary,
};

// The key of a flag in Korvane.frm ("ColorDraws", ...).
const char* ViewFlagKey(ViewFlag flag);

// The window's own sizes, written with the view state at shut-down.
struct LayoutSizes {
  int leftPanelWidth = -1;
  int drawsStatHeight = -1;
  int filtersHeight = -1;
  int scriptLibraryHeight = -1;
};

class SettingsStore {
 public:
  SettingsStore(Host& host, BusyState& busy, const DataFiles& files);

  const GameSettings& Game() const { return game_; }
  const TConfigData& Config() const { return game_.config; }
  const ProxySettings& Proxy() const { return proxy_; }
  const OnlineSettings& Online() const { return online_; }
  const ViewSettings& View() const { return view_; }
  bool Flag(ViewFlag flag) const;

  // Reading the files; a file that cannot be read is reported and its defaults stay.
  bool LoadView();
  bool LoadGame();

  // Korvane.ini: each change is written at once; a failure is reported (false).
  bool SetConfig(const TConfigData& config);
  bool SetProxy(const ProxySettings& proxy);
  bool SetGenerateMode(int mode, const std::string& parameters);
  bool SetShredding(const std::array<ShreddingFormula, 3>& formulas);

  // Korvane.frm: a flag changed by the user is written at once.
  bool SetFlag(ViewFlag flag, bool on);
  bool ToggleFlag(ViewFlag flag) { return SetFlag(flag, !Flag(flag)); }
  // Rewrites one key with its current value.
  bool WriteFlag(ViewFlag flag);
  // A value for this run only: nothing is written (the command line's switches).
  void OverrideFlag(ViewFlag flag, bool on);

  // Values kept until shut-down.
  void SetStatDepth(int depth) { view_.drawsStatLen = depth; }
  // The ratings' efficiency mode (0..2), written at once.
  bool SetRatingsMode(int mode);
  // Whether start-up downloads new draws (0 ask, 1 always, 2 never), written at once.
  bool SetDownloadOnStart(int choice);
  void SetExcludeCount(int n) { view_.drawsExclude = n; }
  // The windows of the analysis views (at least one draw), kept until shut-down.
  void SetGraphLen(int n) { view_.drawsGraphLen = std::max(n, 1); }
  void SetLayoutLen(int n) { view_.layoutLen = std::max(n, 1); }
  void SetCompareLen(int list, int n) {
    view_.layoutCompareLen[static_cast<size_t>(std::clamp(list, 0, 4))] = std::max(n, 1);
  }
  void SetWeekLen(int n) { view_.weekLen = std::max(n, 1); }
  // The scenario catalogue's filter choice (0..7), kept until shut-down.
  void SetScriptLibraryFilter(int choice) { view_.scriptLibraryFilter = std::clamp(choice, 0, 7); }
  // The week chart's mode (0 by number, 1 by weekday) and type (line or bars), written at once.
  bool SetWeekChart(int mode, bool line);
  void SetLayoutSizes(const LayoutSizes& sizes);

  // Window placement and list states: kept in Korvane.frm with the view state.
  std::optional<WindowPlacement> Placement(int screenWidth, int screenHeight) const;
  void StorePlacement(const WindowPlacement& placement, int screenWidth, int screenHeight);
  ListState List(std::string_view list, int columns) const;
  void StoreList(std::string_view list, const ListState& state);
  // A value of another window's own section of Korvane.frm; stored ones are written at
  // shut-down with the view state.
  int FormInt(std::string_view section, std::string_view key, int fallback) const;
  void StoreFormInt(std::string_view section, std::string_view key, int value);

  // Writes the view settings kept at shut-down and flushes Korvane.frm.
  bool SaveViewState();

  // The export settings of a view kept in Korvane.ini.
  void LoadExportParams(const std::string& section, ExportSettings& s,
                        const std::function<void(const std::string&)>& error) const;
  bool StoreExportParams(const std::string& section, const ExportSettings& s);

 private:
  friend class Workspace;  // the registry swaps the weight coefficients of the game settings
  GameSettings& RegistrySettings() { return game_; }

  bool SaveIni(const std::function<void()>& write);
  // A stored proxy password makes Korvane.ini readable by the user only.
  void KeepPasswordPrivate();
  bool* FlagField(ViewFlag flag);

  Host& host_;
  BusyState& busy_;
  IniFile ini_;
  IniFile frm_;
  GameSettings game_;
  ProxySettings proxy_;
  OnlineSettings online_;
  ViewSettings view_;
};

}  // namespace korvane
