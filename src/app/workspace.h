#pragma once

// The single state of the program for the whole run, and the operations the faces call.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/busy_scope.h"
#include "app/host.h"
#include "core/archive.h"
#include "core/config.h"
#include "core/csv.h"
#include "core/datadir.h"
#include "core/ini.h"
#include "core/settings.h"
#include "filters/comb_list.h"
#include "scenario/script_log.h"
#include "scenario/script_model.h"
#include "stakes/ratings.h"
#include "stakes/stake_log.h"
#include "stakes/stake_store.h"
#include "stats/prefetch.h"
#include "stats/registry.h"
#include "stats/stat_table.h"

namespace korvane {

inline constexpr int StatusPanelCount = 7;

// What changed in the game settings: bits passed on to the prefetch store.
enum ConfigChange : unsigned {
  ConfigChangeChannelSize = 8,
  ConfigChangeMatrixCols = 16,
  ConfigChangeSegments = 32,
};

// What an import did.
struct ImportReport {
  bool ok = false;
  int added = 0;
  int duplicates = 0;
  std::vector<CsvRejectedLine> rejected;
};

class Workspace {
 public:
  Workspace(Host& host, fs::path dataDir);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  Host& host() { return host_; }
  const DataFiles& Files() const { return files_; }
  BusyState& Busy() { return busy_; }
  bool IsBusy() const { return busy_.Busy(); }

  // Status bar panels (0-based) of the main window.
  const std::string& Panel(int index) const { return panels_[static_cast<size_t>(index)]; }
  void SetPanel(int index, const std::string& text);

  // The random generator (seeded at start-up; a given seed makes runs repeatable).
  void SeedRandom(std::optional<uint64_t> seed);
  std::mt19937_64& Random() { return random_; }

  // Settings -----------------------------------------------------------------------------
  GameSettings& Settings() { return settings_; }
  const GameSettings& Settings() const { return settings_; }
  const TConfigData& Config() const { return settings_.config; }
  ProxySettings& Proxy() { return proxy_; }
  ViewSettings& View() { return view_; }
  const ViewSettings& View() const { return view_; }
  IniFile& Ini() { return ini_; }
  IniFile& Frm() { return frm_; }
  // Reads Korvane.frm (view settings) and Korvane.ini (game and proxy settings); a file that
  // cannot be read is reported and its defaults stay. False when something failed.
  bool LoadSettingsFiles();
  bool LoadViewSettingsFile();
  bool LoadGameSettingsFile();
  // Writes the game settings to Korvane.ini at once; reports a failure.
  bool SaveGameSettingsFile();
  bool SaveProxySettingsFile();
  // The settings dialog's OK: takes the new record, saves it and returns the change flags
  // (ConfigChange...). The views are recomputed.
  unsigned ApplyGameSettings(const TConfigData& config);
  // Writes one view setting (from View()) to Korvane.frm at once.
  bool WriteView(const char* key);
  // Writes the view settings kept at shut-down and flushes Korvane.frm.
  bool SaveViewState();

  // The exclusive hold on the data files ------------------------------------------------
  // Opens Korvane.lsk exclusively (creating it when missing). On failure shows the stake
  // file's read error and then the exclusive-access message, and returns false: the program
  // must end.
  bool OpenDataFiles();
  void CloseDataFiles();
  bool DataFilesOpen() const { return stakes_.IsOpen(); }

  // Opens the data directory the way the command line uses it: settings, the exclusive
  // hold and the archive. False when the program must not go on.
  bool Open();

  // The archive ---------------------------------------------------------------------------
  DrawArchive& Archive() { return archive_; }
  const DrawArchive& Archive() const { return archive_; }
  int DrawsOffset() const { return archive_.DrawsOffset(); }
  void LoadArchive();
  bool SaveDraws();
  void RefreshDrawList(bool force);
  void SetDrawsOffset(int offset);
  // Tells the faces that the analysis views must be recomputed.
  void RecomputeViews(bool full = false);

  // The property rows of the draw details window for the draw at a list index.
  std::vector<std::pair<std::string, std::string>> DrawDetails(int listIndex) const;

  // "Удалить": asks, removes the draws of the given list rows, saves once. Returns true when
  // draws were removed and saved.
  bool DeleteDraws(const std::vector<int>& listRows);
  // "Добавить" / "Изменить" with a record the draw dialog accepted.
  bool AddDraw(const TDrawRec& draw);
  bool EditDraw(int listIndex, const TDrawRec& draw);
  ImportReport ImportCsv(const fs::path& file);
  bool ExportCsv(const fs::path& file);

  // Statistics -------------------------------------------------------------------------------
  TStatList& Registry() { return registry_; }
  const TStatList& Registry() const { return registry_; }
  // Builds the registry anew for the current settings, keeping the user's enabled methods,
  // and refills the method list keeping its selected position.
  void BuildRegistry();
  // The statistics method list: registry indexes in list order.
  const std::vector<int>& StatMethodList() const { return statMethods_; }
  // The selected position in the method list (-1: none) and its registry entry.
  int StatMethodPosition() const { return statPosition_; }
  int StatEntry() const;
  // byUser: the user chose it (the table is cleared); a scenario step selects without
  // clearing, so that an unchanged build is skipped.
  void SelectStatMethod(int position, bool byUser = true);
  // Selects the method with this code; false when no listed method has it.
  bool SelectStatMethodByCode(const std::string& code, bool byUser = true);
  int StatDepth() const { return view_.drawsStatLen; }
  void SetStatDepth(int depth);
  StatTable& Stats() { return statTable_; }
  const StatTable& Stats() const { return statTable_; }
  // Builds the statistics table; without force an unchanged build is skipped.
  void BuildStatTable(bool force);
  void SetPrefetchEnabled(bool on);
  void SetShowTotalLine(bool on);
  // Creates the missing prefetch files (and rebuilds those of `groups`); runs only when forced
  // or when prefetch is on. Progress and errors go to the Host.
  void CreateAllPrefetch(bool force, const std::set<int>& groups);
  // The shredding dialog's OK: takes the formulas, writes them to Korvane.ini, rebuilds the
  // shredding prefetch files and the registry.
  void ApplyShredding(const std::array<ShreddingFormula, 3>& formulas);
  // The method rows of the details windows: name and graph value of every method with one.
  std::vector<std::pair<std::string, std::string>> CombDetails(const TComb& comb) const;

  // Combinations ----------------------------------------------------------------------------
  CombList& Combs() { return combs_; }
  const CombList& Combs() const { return combs_; }
  TCombsGenParams DefaultGenParams() const;
  // Rebuilds the list; with showStatus also the status, the applied-filters list, the panel
  // and the undo copy (dropped). False when it failed (the message is shown).
  bool CombsGenerate(bool showStatus, const TCombsGenParams& params);
  // "Генерировать": optionally stores the parameters as the defaults, then generates.
  bool CombsGen(const TCombsGenParams& params, bool saveAsDefault);
  void CombsRefresh();
  // "Удалить выделенные": removes the given rows (through the undo copy).
  void CombsDeleteRows(const std::vector<int>& rows);
  // "Проверить по архиву тиражей".
  void CombsFindInDraws(const TComb& comb);

  // Filters -------------------------------------------------------------------------------
  // Filters the list by the rows selected in the statistics table (the caller took the undo
  // copy). `stat` and `entry` name the method; none: the method chosen in the method list.
  // False when nothing was selected (nothing changes) or the filter failed (everything is
  // as before).
  bool ApplyStatFilter(TCustomStat* stat, int entry, bool remove);
  // "Оставить выделенные" / "Удалить выделенные" of the statistics page.
  bool StatFilter(bool remove);
  // The grid filters: the texts of the selected cells in walk order (card, layout) or the
  // selected columns (week). The undo copy is taken once the numbers are known.
  bool ApplyCardFilter(const std::vector<std::string>& cells, bool remove);
  bool ApplyLayoutFilter(const std::vector<std::string>& cells, bool remove);
  bool ApplyWeekFilter(const std::vector<int>& columns, bool remove);

  // Combination files, clipboard, undo, draw exclusion ---------------------------------------
  // Reads a combination file into the list; false when it could not be read (message shown).
  bool CombsLoadFile(const fs::path& path);
  bool CombsSaveFile(const fs::path& path);
  // "Открыть" and "Сохранить".
  bool CombsOpen(const fs::path& path);
  bool CombsSave(const fs::path& path);
  // The clipboard text of the given rows.
  std::string CombsCopyText(const std::vector<int>& rows) const;
  // "Вставить из буфера": all lines or nothing.
  bool CombsPaste(const std::string& text);
  // "Отменить".
  void CombsUndo();
  // "Исключить тиражи": the undo copy, then the exclusion of the n newest visible draws.
  void CombsDelExists(int n);
  void CombsExcludeDraws(int n);
  // "Количество уникальных номеров".
  void CombsCheckNums();

  // Stakes ---------------------------------------------------------------------------------
  StakeStore& Stakes() { return stakes_; }
  const StakeStore& Stakes() const { return stakes_; }
  Ratings& RatingRows() { return ratings_; }
  StakeLog& StakesLog() { return stakeLog_; }
  // A new stake of a kind for the draw to be predicted (numbers empty when comb is none).
  TStakeData NewStake(uint8_t kind, const std::optional<TComb>& comb,
                      const std::string& comment) const;
  // Adds one stake for `draws` draws, then checks and refreshes. False when it failed
  // (message shown).
  bool AddStake(const TStakeData& stake, int draws);
  // Adds one stake of a batch (no check); `batch` lets the grid follow only when asked to.
  bool AddStakeInBatch(const TStakeData& stake, int draws, bool batch);
  // One stake per combination, then one check. Returns how many were added.
  int AddStakes(const std::vector<TComb>& combs, int32_t draw, int draws,
                const std::string& comment);
  // Checks every checkable stake; on success the grid and ratings follow.
  StakeCheckResult StakesCheckAndRefresh();
  // Asks, then deletes grid rows first..last (1-based).
  bool DeleteStakeRows(int first, int last);
  bool DeleteStakesByCondition(StakeRelation op, int value);
  // Asks with the record count, then empties the file.
  bool ClearStakes();
  void DeleteStakeLogs();
  // The grid and the "Ставок" panel follow the file; selectLast asks the face to show the
  // newest record.
  void StakesGridUpdate(bool refresh, bool selectLast);
  // True once after a StakesGridUpdate that asked for the newest record.
  bool TakeStakesScroll();

  // Scenario --------------------------------------------------------------------------------
  const std::vector<std::string>& ScriptLines() const { return scriptLines_; }
  int ScriptAddLine(const std::string& text);
  void ScriptSetLine(int i, const std::string& text);  // throws Error for a bad index
  std::string ScriptGetLine(int i) const;              // throws Error for a bad index
  void ScriptDeleteLines(std::vector<int> rows);
  void ScriptClear();
  void ScriptSwap(int i, int j);
  // Reads a scenario file (appending with a separator, or replacing); false when it could
  // not be read (message shown, scenario unchanged).
  bool ScriptLoadFile(const fs::path& path, bool append);
  bool ScriptSaveFile(const fs::path& path);
  bool ScriptAutoSave();
  void ScriptRefresh();

  // The run state of a forecast or test and the scenario page's status panels.
  struct ScriptState {
    bool running = false;
    bool stopped = false;
    bool failed = false;  // a failure (not a STOP stake mode) ended the run
    int cycle = 0;
    int stakes = 0;
    int line = 0;
    int variant = 0;
    int total = 0;
    std::string text;
  };
  const ScriptState& Script() const { return script_; }
  ScriptState& Script() { return script_; }
  ScriptLog& RunLog() { return scriptLog_; }
  // Sets panels 2-5 of the scenario status bar and lets the face breathe.
  void ScriptStatus(int line, int variant, const std::string& text, int total);
  // Lets the face process its events (at most every few dozen milliseconds) and returns the
  // stop flag.
  bool ScriptPoll();
  // Forecast and test runs (see script_runner.h); the stop request.
  void ScriptRun();
  void ScriptTest(int k);
  void ScriptStop();
  // Called for every stake a scenario adds (the command line prints them).
  std::function<void(const TStakeData&)> onScenarioStake;
  // The run log file of the last run, for the face to open.
  fs::path lastScriptLog;

  // Pauses RecomputeViews (set while a scenario runs).
  void SuspendViews(bool on) { suspendViews_ = on; }

  // Shows the error box with a message template ("...%s") filled with the failure text.
  void ReportError(const char* messageTemplate, const std::string& text);

 private:
  bool ApplyNumbersFilter(const std::vector<std::pair<int, std::string>>& numbers,
                          const char* caption, bool remove);

  Host& host_;
  DataFiles files_;
  BusyState busy_;
  std::array<std::string, StatusPanelCount> panels_;

  IniFile ini_;
  IniFile frm_;
  GameSettings settings_;
  ProxySettings proxy_;
  ViewSettings view_;

  std::mt19937_64 random_;
  StakeStore stakes_;
  Ratings ratings_;
  StakeLog stakeLog_;
  bool stakesScroll_ = false;
  std::vector<std::string> scriptLines_;
  ScriptState script_;
  ScriptLog scriptLog_;
  std::chrono::steady_clock::time_point lastPoll_{};
  DrawArchive archive_;
  TStatList registry_;
  std::vector<int> statMethods_;
  int statPosition_ = -1;
  StatTable statTable_;
  CombList combs_;
  bool suspendViews_ = false;
};

}  // namespace korvane
