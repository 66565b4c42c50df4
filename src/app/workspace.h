#pragma once

// The single state of the program for the whole run: one part per subsystem, and the
// operations that cross them. Every part is handed out read-only; state changes go through
// the named operations below, so that every face gets the same status texts, questions,
// saving and change notifications.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/busy_scope.h"
#include "app/combs_session.h"
#include "app/export_views.h"
#include "app/host.h"
#include "app/online_session.h"
#include "app/ratings_session.h"
#include "app/scenario_session.h"
#include "app/session_context.h"
#include "app/settings_store.h"
#include "app/stakes_session.h"
#include "app/stats_session.h"
#include "app/status_panels.h"
#include "app/systems_session.h"
#include "app/tables_session.h"
#include "app/views_session.h"
#include "core/archive.h"
#include "core/csv.h"
#include "core/datadir.h"
#include "online/scenario_library.h"

namespace korvane {

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

// The batch dialog of several stakes: proposed draw and comment in, the user's choice out
// (none: cancelled).
struct StakeBatchChoice {
  int32_t draw = 0;
  int draws = 1;
  std::string comment;
};
using StakeBatchDialog =
    std::function<std::optional<StakeBatchChoice>(int32_t draw, const std::string& comment)>;

class Workspace {
 public:
  Workspace(Host& host, fs::path dataDir);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  Host& host() const { return host_; }
  const DataFiles& Files() const { return files_; }
  bool IsBusy() const { return busy_.Busy(); }
  // A long operation of a face: busy, with its status text, until the scope ends.
  [[nodiscard]] BusyScope BusyFor(const std::string& status) { return BusyScope(busy_, status); }
  // The hint of the control under the pointer becomes the status text while idle.
  void ShowHint(const std::string& hint);

  const std::string& Panel(StatusPanel panel) const { return panels_.Text(panel); }

  // The random generator (seeded at start-up; a given seed makes runs repeatable).
  void SeedRandom(std::optional<uint64_t> seed);
  // A uniform choice of 0..count - 1 (count > 0).
  int RandomIndex(int count);

  // The parts, read-only.
  const SettingsStore& Settings() const { return settings_; }
  const StatsSession& StatsPart() const { return stats_; }
  const CombsSession& CombsPart() const { return combs_; }
  const StakesSession& StakesPart() const { return stakes_; }
  const ScenarioSession& ScenarioPart() const { return scenario_; }
  const RatingsSession& RatingsPart() const { return ratings_; }
  const TablesSession& TablesPart() const { return tables_; }
  // Shortcuts to what the faces read most.
  const TConfigData& Config() const { return settings_.Config(); }
  const ViewSettings& View() const { return settings_.View(); }
  const DrawArchive& Archive() const { return archive_; }
  const TStatList& Registry() const { return stats_.Registry(); }
  const ViewsSession& Views() const { return views_; }
  const StatTable& Stats() const { return stats_.Table(); }
  const CombList& Combs() const { return combs_.List(); }
  const StakeStore& Stakes() const { return stakes_.Store(); }
  const ScriptState& Script() const { return scenario_.State(); }
  const std::vector<std::string>& ScriptLines() const { return scenario_.Lines(); }

  // Settings -----------------------------------------------------------------------------
  // Reads Korvane.frm (view settings) and Korvane.ini (game and proxy settings); a file that
  // cannot be read is reported and its defaults stay. False when something failed.
  bool LoadSettingsFiles();
  bool LoadViewSettingsFile();
  bool LoadGameSettingsFile();
  // The settings dialog's OK: takes the new record, saves it and returns the change flags
  // (ConfigChange...). The views are recomputed.
  unsigned ApplyGameSettings(const TConfigData& config);
  bool SetProxy(const ProxySettings& proxy);
  const ProxySettings& Proxy() const { return settings_.Proxy(); }
  const OnlineSettings& Online() const { return settings_.Online(); }
  // "Автозагрузка при запуске программы": 0 ask, 1 always, 2 never; written at once.
  bool SetDownloadOnStart(int choice) { return settings_.SetDownloadOnStart(choice); }
  // A view toggle: flips the flag, writes it to Korvane.frm at once; the faces repaint.
  bool ToggleView(ViewFlag flag);
  // A view flag for this run only, not written (the command line's switches).
  void OverrideView(ViewFlag flag, bool on) { settings_.OverrideFlag(flag, on); }
  // The first-run dialog is not to be shown again.
  void FirstRunDone();
  // The first start writes the prefetch keys once.
  void InitPrefetchKeys();
  void SetExcludeCount(int n) { settings_.SetExcludeCount(n); }
  // The window's own state, written with the view state at shut-down.
  void StorePlacement(const WindowPlacement& placement, int screenWidth, int screenHeight) {
    settings_.StorePlacement(placement, screenWidth, screenHeight);
  }
  int FormInt(std::string_view section, std::string_view key, int fallback) const {
    return settings_.FormInt(section, key, fallback);
  }
  void StoreFormInt(std::string_view section, std::string_view key, int value) {
    settings_.StoreFormInt(section, key, value);
  }
  void StoreList(std::string_view list, const ListState& state) {
    settings_.StoreList(list, state);
  }
  void SetLayoutSizes(const LayoutSizes& sizes) { settings_.SetLayoutSizes(sizes); }
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
  // The same for a command that only reads: no hold is taken, so it works beside another
  // copy of the program on the folder. False when the stake file could not be read.
  bool OpenForReading();
  // True when another copy of the program holds the folder.
  bool HeldByAnother() const;

  // The archive ---------------------------------------------------------------------------
  int DrawsOffset() const { return archive_.DrawsOffset(); }
  void LoadArchive();
  bool SaveDraws();
  // True while the archive was read only up to a damaged record: it is not written, and
  // stakes are neither made nor checked against it.
  bool ArchiveLoadFailed() const { return archive_.LoadFailed(); }
  void RefreshDrawList(bool force);
  void SetDrawsOffset(int offset);
  // Tells the faces that the analysis views must be recomputed.
  void RecomputeViews(bool full = false);
  // Frees the draws at shut-down.
  void ClearArchive() { archive_.ClearDraws(); }

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
  // Appends draws made elsewhere (the demo archive) and saves them.
  bool AppendDraws(const TDrawsArray& draws);
  // "Загрузка": new draws from the operator's results page, range by range up to today; each
  // range is saved before the next is asked for. The stakes are checked afterwards, also after
  // a failure. The Host shows the progress; its poll stops the download.
  DownloadResult DownloadDraws(const DownloadOptions& options = {});
  // The spreadsheet export: a view's table; the settings the export dialog opens with (all
  // columns, `pixelWidths` the view's column widths, then what Korvane.ini keeps for the view);
  // the workbook of the settings (all rows, or the given rows of the table), after the settings
  // were stored. False when it failed (message shown).
  ExportTable ExportTableOf(ExportView view) const;
  ExportSettings ExportDefaults(ExportView view, const ExportTable& table,
                                const std::vector<int>& pixelWidths, bool selected);
  bool ExportWorkbook(ExportView view, const ExportSettings& settings, const std::vector<int>& rows,
                      const fs::path& file, bool storeSettings = true);
  // "Поиск обновлений" and the start-up check: the description of the update service, the
  // dialog (`confirm`), then the download and the new program folder. Installed means the
  // program must restart.
  UpdateResult CheckForUpdate(const UpdateCheckOptions& options, const UpdateConfirm& confirm);
  const OnlineSession& OnlineServices() const { return online_; }
  void SetProgramLocation(fs::path dir, std::string exeName) {
    online_.SetProgramLocation(std::move(dir), std::move(exeName));
  }
  // The systems page: the library's list and the local systems (Systems/ in the data folder).
  const SystemsSession& Systems() const { return systems_; }
  bool SystemsRefresh() { return systems_.Refresh(); }
  bool SystemsDownload(int row) { return systems_.Download(row); }
  TSystemData SystemsNewRecord() const { return systems_.NewRecord(); }
  std::optional<int> SystemsAdd(const TSystemData& s) { return systems_.Add(s); }
  bool SystemsChange(int row, const TSystemData& s) { return systems_.Change(row, s); }
  bool SystemsDelete(int row) { return systems_.Delete(row); }
  std::string SystemCombinations(int row) { return systems_.CombinationsOf(row); }
  // System play: the distinct numbers of the combination list select the local system for
  // that many numbers; its combinations (sorted, and with `combsOnly` only those in the list)
  // become stakes of kind 4 with the batch dialog's draw, count and comment. Returns how many
  // were added (0 when there is no system or the dialog was cancelled).
  int SystemStakes(bool combsOnly, const StakeBatchDialog& dialog);
  // The online scenario catalogue: its list for a filter choice, and one scenario's lines
  // (checked as text from elsewhere). Failures are shown; none / false then.
  std::optional<std::vector<TScriptInfo>> ScenarioCatalogue(int filter);
  std::optional<std::vector<std::string>> ScenarioFromCatalogue(int32_t id);
  // The catalogue as the Сценарий page's panel keeps it: refreshed for the filter, a row's
  // scenario into the editor (asking over a non-empty one), the user's rating (-1 hides,
  // 0 removes), the title check, publishing or changing with the current scenario's lines,
  // deleting (asked), and a row's ratings. Each failure shows its own box; the list stays.
  const std::vector<TScriptInfo>& CatalogueRows() const { return catalogue_; }
  // Grows with every change of the list (the panel redraws only then).
  int CatalogueRevision() const { return catalogueRevision_; }
  // The stored filter choice (0..7); a new choice is kept until shut-down.
  int CatalogueFilter() const { return std::clamp(View().scriptLibraryFilter, 0, 7); }
  void SetCatalogueFilter(int choice) { settings_.SetScriptLibraryFilter(choice); }
  // The panel hidden: its list is let go.
  void CatalogueClear();
  // What "Опубликовать" proposes: a new public scenario of the user in the interface language.
  TScriptData CatalogueNewRecord() const;
  bool CatalogueRefresh(int filter);
  bool CatalogueDownload(int row);
  bool CatalogueRate(int row, int value, const std::string& notes, int filter);
  std::optional<bool> CatalogueTitleFree(int32_t id, const std::string& title);
  std::optional<int> CataloguePublish(const TScriptData& data);
  bool CatalogueChange(int row, const TScriptData& data);
  bool CatalogueDelete(int row);
  std::optional<std::vector<TScriptRate>> CatalogueRates(int row);
  LibraryContext LibraryIdentity() const;
  // The clients of the online services (tests replace them).
  void SetHttpClientFactory(OnlineSession::ClientFactory factory) {
    online_.SetClientFactory(std::move(factory));
  }

  // Statistics -------------------------------------------------------------------------------
  // Builds the registry anew for the current settings, keeping the user's enabled methods,
  // and refills the method list keeping its selected position.
  void BuildRegistry() { stats_.BuildRegistry(); }
  // The favourite methods and the user's names of methods (Korvane.flt and name files).
  // Reading applies the file (with `withFavourites` also the chosen methods and the list
  // flags) and fills the method lists again; a failure is shown (false).
  bool LoadFilterNames(const fs::path& file, bool withFavourites);
  bool SaveFilterNames(const fs::path& file, bool withFavourites, bool allNames);
  // What the favourites manager confirms: per registry entry its tick and its shown name (an
  // entry's default name in any letter case means no name of the user's), and the flags.
  struct FavouriteChoice {
    std::vector<bool> enabled;
    std::vector<std::string> names;
    bool ordered = false;
    bool showGroupName = true;
    bool showMethodFlags = true;
  };
  bool ApplyFavourites(const FavouriteChoice& choice);
  // "Все доступные статистики": every method used again, after the question; names stay.
  bool ResetFavourites();
  // A name file: imported (the names replace the user's names) or written with every
  // method's name as the manager shows them, the stored names kept as they are.
  bool ImportFilterNames(const fs::path& file);
  bool ExportFilterNames(const std::vector<std::string>& names, const fs::path& file);
  const std::vector<int>& StatMethodList() const { return stats_.MethodList(); }
  int StatMethodPosition() const { return stats_.Position(); }
  int StatEntry() const { return stats_.Entry(); }
  // byUser: the user chose it (the table is cleared); a scenario step selects without
  // clearing, so that an unchanged build is skipped.
  void SelectStatMethod(int position, bool byUser = true) { stats_.Select(position, byUser); }
  // Selects the method with this code; false when no listed method has it.
  bool SelectStatMethodByCode(const std::string& code, bool byUser = true) {
    return stats_.SelectByCode(code, byUser);
  }
  int StatDepth() const { return stats_.Depth(); }
  void SetStatDepth(int depth);
  // Builds the statistics table; without force an unchanged build is skipped.
  void BuildStatTable(bool force) { stats_.Build(force); }
  // The user's choice of methods (codes joined by the registry's separator); the lists follow.
  void SetEnabledMethods(const std::string& codes) { stats_.SetEnabledCodes(codes); }
  // A scenario step's own weight coefficients, between the user's saved and restored ones.
  void SaveWeights() { stats_.SaveWeights(); }
  void ApplyStepWeights(const std::optional<TWeightCoefs>& coefs) { stats_.ApplyWeights(coefs); }
  void RestoreWeights() { stats_.RestoreWeights(); }
  // The table's sort and selection as the user works them.
  void StatClickColumn(int column) { stats_.ClickColumn(column); }
  void StatSetSort(int column, bool descending) { stats_.SetSort(column, descending); }
  void StatSelectRows(const std::vector<int>& rows) { stats_.SelectRows(rows); }
  // Selects the rows whose "Значение" is one of the texts; the first text no row has, if any.
  std::optional<std::string> StatSelectValues(const std::vector<std::string>& values);
  void SetPrefetchEnabled(bool on);
  void SetShowTotalLine(bool on);
  // Creates the missing prefetch files (and rebuilds those of `groups`); runs only when forced
  // or when prefetch is on. Progress and errors go to the Host.
  void CreateAllPrefetch(bool force, const std::set<int>& groups) {
    stats_.CreateAllPrefetch(force, groups);
  }
  // The shredding dialog's OK: takes the formulas, writes them to Korvane.ini, rebuilds the
  // shredding prefetch files and the registry.
  void ApplyShredding(const std::array<ShreddingFormula, 3>& formulas);
  // The method rows of the details windows: name and graph value of every method with one.
  std::vector<std::pair<std::string, std::string>> CombDetails(const TComb& comb) const;

  // Combinations ----------------------------------------------------------------------------
  TCombsGenParams DefaultGenParams() const { return combs_.DefaultGenParams(); }
  // Rebuilds the list; with showStatus also the status, the applied-filters list, the panel
  // and the undo copy (dropped). False when it failed (the message is shown).
  bool CombsGenerate(bool showStatus, const TCombsGenParams& params) {
    return combs_.Generate(showStatus, params);
  }
  // "Генерировать": optionally stores the parameters as the defaults, then generates.
  bool CombsGen(const TCombsGenParams& params, bool saveAsDefault);
  void CombsRefresh() { combs_.Refresh(); }
  // The undo copy of the list, taken before a change.
  void CombsUndoSave() { combs_.UndoSave(); }
  // "Удалить выделенные": removes the given rows (through the undo copy).
  void CombsDeleteRows(const std::vector<int>& rows) { combs_.DeleteRows(rows); }
  // "Проверить по архиву тиражей".
  void CombsFindInDraws(const TComb& comb) { combs_.FindInDraws(comb); }

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
  bool CombsLoadFile(const fs::path& path) { return combs_.LoadFile(path); }
  bool CombsSaveFile(const fs::path& path) const { return combs_.SaveFile(path); }
  // "Открыть" and "Сохранить".
  bool CombsOpen(const fs::path& path) { return combs_.Open(path); }
  bool CombsSave(const fs::path& path) const { return combs_.Save(path); }
  // The clipboard text of the given rows.
  std::string CombsCopyText(const std::vector<int>& rows) const { return combs_.CopyText(rows); }
  // "Вставить из буфера": all lines or nothing.
  bool CombsPaste(const std::string& text) { return combs_.Paste(text); }
  // "Отменить".
  void CombsUndo() { combs_.Undo(); }
  // "Исключить тиражи": the undo copy, then the exclusion of the n newest visible draws.
  void CombsDelExists(int n);
  void CombsExcludeDraws(int n) { combs_.ExcludeDraws(n); }
  // "Количество уникальных номеров".
  void CombsCheckNums() { combs_.CheckNums(); }

  // Stakes ---------------------------------------------------------------------------------
  const Ratings& RatingRows() const { return ratings_.Rows(); }
  // A new stake of a kind for the draw to be predicted (numbers empty when comb is none).
  TStakeData NewStake(uint8_t kind, const std::optional<TComb>& comb,
                      const std::string& comment) const;
  // Adds one stake for `draws` draws, then checks and refreshes. False when it failed
  // (message shown).
  bool AddStake(const TStakeData& stake, int draws) { return stakes_.Add(stake, draws); }
  // Adds one stake of a batch (no check); `batch` lets the grid follow only when asked to.
  bool AddStakeInBatch(const TStakeData& stake, int draws, bool batch) {
    return stakes_.AddInBatch(stake, draws, batch);
  }
  // One stake per combination, then one check. Returns how many were added.
  int AddStakes(const std::vector<TComb>& combs, int32_t draw, int draws,
                const std::string& comment);
  // Checks every checkable stake; on success the grid and ratings follow.
  StakeCheckResult StakesCheckAndRefresh() { return stakes_.CheckAndRefresh(); }
  // Asks, then deletes grid rows first..last (1-based).
  bool DeleteStakeRows(int first, int last) { return stakes_.DeleteRows(first, last); }
  bool DeleteStakesByCondition(StakeRelation op, int value) {
    return stakes_.DeleteByCondition(op, value);
  }
  // Asks with the record count, then empties the file.
  bool ClearStakes() { return stakes_.Clear(); }
  void DeleteStakeLogs() { stakes_.DeleteLogs(); }
  // The grid and the "Ставок" panel follow the file; selectLast asks the face to show the
  // newest record.
  void StakesGridUpdate(bool refresh, bool selectLast) { stakes_.GridUpdate(refresh, selectLast); }
  // True once after a StakesGridUpdate that asked for the newest record.
  bool TakeStakesScroll() { return stakes_.TakeScroll(); }

  // The stake file, ratings and regulars that Open loads after the archive.
  void LoadStakeState();

  // Ratings ---------------------------------------------------------------------------------
  void RatingsClickColumn(int column) { ratings_.ClickColumn(column); }
  void RatingsSort(int column, bool descending) { ratings_.Sort(column, descending); }
  // "Обновить рейтинг": rebuilt from the stakes (asking first when rows exist).
  bool RatingsRefresh() { return ratings_.Refresh(stakes_.Store()); }
  // The efficiency mode of the E columns, written to Korvane.frm at once.
  void SetRatingsMode(EffMode mode);
  bool RatingsExport(const fs::path& path) const { return ratings_.ExportCsv(path); }
  // The scenario lines of rating rows (indexes in the list's order): the accepted lines; a
  // row that makes no valid line shows its message and is left out.
  std::vector<std::string> RatingsScriptLines(const std::vector<int>& rows) const;
  // "Добавить в сценарий": the accepted lines are added to the current scenario; how many.
  int RatingsToScript(const std::vector<int>& rows);
  // The charts; none when there is too little to draw (the message is shown).
  std::optional<ChartData> ProfitByDrawChart();
  std::optional<ChartData> RatingsStakesChart(const std::vector<int>& rows, bool profit);
  std::optional<ChartData> RatingsDistributionChart(const std::vector<int>& rows);

  // Regular stakes -------------------------------------------------------------------------
  const Tables& Regulars() const { return tables_.Rows(); }
  // Reads the regulars (while their tab shows, or its flag is set for this run).
  void LoadRegulars() { tables_.Load(); }
  // "Добавить регулярную ставку": the regulars the dialog's record makes for the selection.
  bool AddRegulars(const TTableData& fromDialog, const TSelectedCombs& selected);
  bool DeleteRegulars(const std::vector<int>& rows) { return tables_.Delete(rows); }
  // "Сделать ставку по регуляру": the regular's advanced copy and the stake it makes (for the
  // stake dialog); none when the row does not exist.
  std::optional<std::pair<TTableData, TStakeData>> PrepareRegularStake(int row) const;
  // The stake dialog's OK: the regular takes its advanced state, then the stake is added.
  bool CommitRegularStake(int row, const TTableData& advanced, const TStakeData& stake, int draws);
  // "Тест регуляров": one stake per regular on each of the last `count` draws, checked at
  // the end; the regulars keep their advanced state.
  bool RegularTest(const std::vector<int>& rows, int count);

  // Scenario --------------------------------------------------------------------------------
  int ScriptAddLine(const std::string& text) { return scenario_.AddLine(text); }
  void ScriptSetLine(int i, const std::string& text) { scenario_.SetLine(i, text); }
  std::string ScriptGetLine(int i) const { return scenario_.Line(i); }
  void ScriptDeleteLines(std::vector<int> rows) { scenario_.DeleteLines(std::move(rows)); }
  void ScriptClear() { scenario_.Clear(); }
  void ScriptSwap(int i, int j) { scenario_.Swap(i, j); }
  // Reads a scenario file (appending with a separator, or replacing); false when it could
  // not be read (message shown, scenario unchanged).
  bool ScriptLoadFile(const fs::path& path, bool append) {
    return scenario_.LoadFile(path, append);
  }
  bool ScriptSaveFile(const fs::path& path) { return scenario_.SaveFile(path); }
  bool ScriptAutoSave() { return scenario_.AutoSave(); }
  void ScriptRefresh() { scenario_.Refresh(); }
  // Forecast and test runs (see script_runner.h); the stop request.
  void ScriptRun();
  void ScriptTest(int k);
  // The workers of a run: the command line's choice when given, else the setting ScriptJobs,
  // where 0 means one per core. Results do not depend on it.
  int ScriptJobs() const;
  void SetScriptJobs(int jobs) { scriptJobs_ = jobs; }
  void ScriptStop() { scenario_.Stop(); }
  void DeleteScriptLogs() { scenario_.DeleteLogs(); }
  // The run log file of the last run, once, for the face to open.
  fs::path TakeLastScriptLog() { return scenario_.TakeLastLog(); }
  // Called for every stake a scenario adds (the command line prints them).
  void OnScenarioStake(std::function<void(const TStakeData&)> observer) {
    onScenarioStake_ = std::move(observer);
  }

  // Analysis views ----------------------------------------------------------------------------
  // One view now: when its page shows and its inputs changed, or forced.
  void RefreshView(ViewPart part, bool force) {
    if (!suspendViews_) views_.Refresh(part, force);
  }
  // The graph's method; then the graph follows (without force).
  void SetGraphMethod(int entry) {
    views_.SetGraphMethod(entry);
    RefreshView(ViewPart::Graph, false);
  }
  // The windows of the views (kept until shut-down); the view follows when `refresh`.
  void SetGraphLen(int n) { settings_.SetGraphLen(n); }
  void SetLayoutLen(int n) { settings_.SetLayoutLen(n); }
  void SetCompareLen(int list, int n) { settings_.SetCompareLen(list, n); }
  void SetWeekLen(int n) { settings_.SetWeekLen(n); }
  bool SetWeekChart(int mode, bool line) {
    const bool ok = settings_.SetWeekChart(mode, line);
    host_.changed(ChangeViews);
    return ok;
  }
  // The grid filters on cells of the engine's own card and layout (row, column), and on
  // columns of the week.
  bool ApplyCardFilterAt(const std::vector<GridCell>& cells, bool remove) {
    return ApplyCardFilter(CardCellTexts(views_.Card(), cells), remove);
  }
  bool ApplyLayoutFilterAt(const std::vector<GridCell>& cells, bool remove) {
    return ApplyLayoutFilter(LayoutCellTexts(views_.Layout(), cells), remove);
  }

  // Pauses RecomputeViews (set while a scenario runs).
  void SuspendViews(bool on) { suspendViews_ = on; }

  // Shows the error box with a message template ("...%s") filled with the failure text.
  void ReportError(const char* messageTemplate, const std::string& text) const;

 private:
  friend class ScriptRunner;  // a run works the parts through their operations

  void CatalogueChanged();

  bool ApplyNumbersFilter(const std::vector<std::pair<int, std::string>>& numbers,
                          const char* caption, bool remove);
  // Saves a change of the archive; a failed save brings the archive back to `before`, what
  // the file still holds.
  bool SaveArchiveChange(const TDrawsArray& before);
  // The same without a message: throws the failure to the caller.
  void CommitArchiveChange(const TDrawsArray& before);
  void RestoreArchive(const TDrawsArray& before);

  Host& host_;
  DataFiles files_;
  BusyState busy_;
  StatusPanels panels_;
  SessionContext context_;
  std::mt19937_64 random_;
  DrawArchive archive_;
  SettingsStore settings_;
  StatsSession stats_;
  ViewsSession views_;
  CombsSession combs_;
  RatingsSession ratings_;
  StakesSession stakes_;
  TablesSession tables_;
  ScenarioSession scenario_;
  OnlineSession online_;
  SystemsSession systems_;
  std::vector<TScriptInfo> catalogue_;
  int catalogueRevision_ = 0;
  std::function<void(const TStakeData&)> onScenarioStake_;
  bool suspendViews_ = false;
  int scriptJobs_ = 0;
};

}  // namespace korvane
