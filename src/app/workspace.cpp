#include "app/workspace.h"

#include <system_error>

#include "app/dialogue.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "stakes/texts.h"
#include "stats/texts.h"

namespace korvane {

Workspace::Workspace(Host& host, fs::path dataDir)
    : host_(host),
      files_(std::move(dataDir)),
      busy_(host),
      panels_(host),
      context_{host_, busy_, files_, panels_},
      settings_(host_, busy_, files_),
      stats_(context_, archive_, settings_, settings_.RegistrySettings()),
      views_(context_, settings_, archive_, stats_.Registry()),
      combs_(context_, archive_, settings_),
      ratings_(context_, settings_),
      stakes_(context_, archive_, settings_, ratings_),
      tables_(context_, settings_),
      scenario_(context_, settings_),
      systems_(context_, settings_, online_) {
  archive_.SetPath(files_.Draws());
}

Workspace::~Workspace() { CloseDataFiles(); }

void Workspace::ShowHint(const std::string& hint) {
  if (!busy_.Busy()) busy_.SetStatus(hint);
}

void Workspace::ReportError(const char* messageTemplate, const std::string& text) const {
  korvane::ReportError(host_, messageTemplate, text);
}

void Workspace::SeedRandom(std::optional<uint64_t> seed) {
  random_.seed(seed ? *seed : std::random_device{}());
}

int Workspace::RandomIndex(int count) {
  std::uniform_int_distribution<int> pick(0, count - 1);
  return pick(random_);
}

// Settings ---------------------------------------------------------------------------------

bool Workspace::LoadViewSettingsFile() { return settings_.LoadView(); }

bool Workspace::LoadGameSettingsFile() { return settings_.LoadGame(); }

bool Workspace::LoadSettingsFiles() {
  const bool view = LoadViewSettingsFile();
  const bool game = LoadGameSettingsFile();
  return view && game;
}

unsigned Workspace::ApplyGameSettings(const TConfigData& config) {
  const TConfigData& old = settings_.Config();
  unsigned flags = 0;
  if (config.matrixCols != old.matrixCols) flags |= ConfigChangeMatrixCols;
  if (config.channelSize != old.channelSize) flags |= ConfigChangeChannelSize;
  if (SegmentsToText(config.segments) != SegmentsToText(old.segments))
    flags |= ConfigChangeSegments;
  settings_.SetConfig(config);
  stats_.BuildRegistry();
  stats_.Invalidate();
  std::set<int> groups;
  if (flags & ConfigChangeMatrixCols) groups.insert(4);
  if (flags & ConfigChangeChannelSize) groups.insert(3);
  if (flags & ConfigChangeSegments) groups.insert(5);
  stats_.CreateAllPrefetch(false, groups);
  host_.changed(ChangeSettings | ChangeArchive | ChangeCombs);
  RecomputeViews(true);
  return flags;
}

bool Workspace::SetProxy(const ProxySettings& proxy) { return settings_.SetProxy(proxy); }

bool Workspace::ToggleView(ViewFlag flag) {
  const bool ok = settings_.ToggleFlag(flag);
  // The regulars are held only while their tab shows.
  if (flag == ViewFlag::TabTables) {
    if (settings_.Flag(flag))
      tables_.Load();
    else
      tables_.Drop();
  }
  // A view shown again is made afresh (a hidden one kept its old content).
  const bool shown = settings_.Flag(flag);
  if (shown && !suspendViews_) {
    if (flag == ViewFlag::TabGraphs) views_.Refresh(ViewPart::Graph, true);
    if (flag == ViewFlag::TabCard) views_.Refresh(ViewPart::Card, true);
    if (flag == ViewFlag::TabLayout) {
      views_.Refresh(ViewPart::Layout, true);
      views_.Refresh(ViewPart::Compare, true);
    }
    if (flag == ViewFlag::TabWeek) views_.Refresh(ViewPart::Week, true);
  }
  host_.changed(ChangeView);
  return ok;
}

void Workspace::FirstRunDone() { settings_.SetFlag(ViewFlag::FirstRun, false); }

void Workspace::InitPrefetchKeys() {
  if (settings_.Flag(ViewFlag::PrefetchsInit)) return;
  settings_.SetFlag(ViewFlag::PrefetchsInit, true);
  settings_.WriteFlag(ViewFlag::Prefetchs);
}

bool Workspace::SaveViewState() { return settings_.SaveViewState(); }

// Working files ----------------------------------------------------------------------------

bool Workspace::OpenDataFiles() {
  try {
    std::error_code ec;
    fs::create_directories(files_.Dir(), ec);  // a new data folder is made on first use
    stakes_.Open();
    // What a killed program left of its own temporary files goes, now that the folder is ours.
    RemoveStaleTemporaries(files_.Dir());
    return true;
  } catch (const Error& e) {
    ReportError(texts::StakesReadError, e.what());
    host_.showMessage(MessageKind::Error, texts::NoExclusiveAccess);
    return false;
  }
}

void Workspace::CloseDataFiles() { stakes_.Close(); }

bool Workspace::Open() {
  LoadSettingsFiles();
  if (!OpenDataFiles()) return false;
  stats_.BuildRegistry();
  LoadArchive();
  combs_.Generate(true, combs_.DefaultGenParams());
  LoadStakeState();
  return true;
}

void Workspace::LoadStakeState() {
  ratings_.Load();
  tables_.Load();
}

bool Workspace::OpenForReading() {
  LoadSettingsFiles();
  const bool stakes = Guarded(host_, texts::StakesReadError, [&] { stakes_.OpenForReading(); });
  stats_.BuildRegistry();
  LoadArchive();
  combs_.Generate(true, combs_.DefaultGenParams());
  ratings_.SetReadOnly(true);
  LoadStakeState();
  return stakes;
}

bool Workspace::HeldByAnother() const { return IsLockedByAnother(files_.Stakes()); }

// Archive ----------------------------------------------------------------------------------

void Workspace::LoadArchive() {
  BusyScope busy(busy_, texts::LoadingDraws);
  std::string error;
  try {
    archive_.Load();
  } catch (const Error& e) {
    error = e.what();
    ReportError(texts::DrawsReadError, error);
  }
  // Stakes made or checked against the draws before a damaged record would be wrong.
  stakes_.RefuseWhile(error);
  RefreshDrawList(true);
}

bool Workspace::SaveArchiveChange(const TDrawsArray& before) {
  if (SaveDraws()) return true;
  RestoreArchive(before);
  return false;
}

void Workspace::CommitArchiveChange(const TDrawsArray& before) {
  try {
    BusyScope busy(busy_, texts::SavingDraws);
    archive_.Save();
  } catch (const Error&) {
    RestoreArchive(before);
    throw;
  }
  RefreshDrawList(true);
}

void Workspace::RestoreArchive(const TDrawsArray& before) {
  // What the file holds is what the program shows and checks against.
  archive_.ClearDraws();
  archive_.AppendAll(before);
  RefreshDrawList(true);
}

bool Workspace::SaveDraws() {
  BusyScope busy(busy_, texts::SavingDraws);
  const bool ok = Guarded(host_, texts::DrawsWriteError, [&] { archive_.Save(); });
  RefreshDrawList(true);
  return ok;
}

void Workspace::RefreshDrawList(bool /*force*/) {
  archive_.Refresh();
  const int offset = archive_.DrawsOffset();
  panels_.Set(StatusPanel::Archive, Format(texts::PanelArchive, archive_.Count()));
  panels_.Set(StatusPanel::NextDraw, Format(texts::PanelNextDraw, archive_.NextDrawNumber(offset)));
  panels_.Set(StatusPanel::NextNumbers, archive_.NextDrawNumbersText(offset));
  host_.changed(ChangeArchive);
}

void Workspace::SetDrawsOffset(int offset) {
  if (!archive_.SetDrawsOffset(offset)) return;
  RefreshDrawList(false);
  host_.changed(ChangeOffset);
  RecomputeViews();
}

void Workspace::RecomputeViews(bool full) {
  if (suspendViews_) return;
  stats_.Build(full);
  views_.Recompute(full);
  host_.changed(ChangeViews);
}

std::vector<std::pair<std::string, std::string>> Workspace::DrawDetails(int listIndex) const {
  std::vector<std::pair<std::string, std::string>> rows;
  if (listIndex < 0 || listIndex >= archive_.Count()) return rows;
  const TDrawRec& d = archive_.AtList(listIndex);
  rows.emplace_back(texts::InfoDrawNumber, std::to_string(d.number));
  rows.emplace_back(texts::InfoDrawDate, Cp1251ToUtf8(d.DateText()));
  const int index = archive_.ListToIndex(listIndex);
  const auto values = stats_.GraphValues(index, index, d.nums);
  rows.insert(rows.end(), values.begin(), values.end());
  return rows;
}

bool Workspace::DeleteDraws(const std::vector<int>& listRows) {
  if (!ConfirmDelete(host_, static_cast<int>(listRows.size()))) return false;
  const TDrawsArray before = archive_.Draws();
  {
    BusyScope busy(busy_, texts::DeletingDraws);
    const bool ok = Guarded(host_, nullptr, [&] { archive_.DeleteListRows(listRows); });
    RefreshDrawList(true);
    if (!ok) return false;
  }
  const bool saved = SaveArchiveChange(before);
  RecomputeViews();
  if (saved) {
    // The stakes of the deleted draws lose the results checked against them.
    std::vector<int32_t> numbers;
    for (int r : listRows)
      if (r >= 0 && r < static_cast<int>(before.size()))
        numbers.push_back(before[before.size() - 1 - static_cast<size_t>(r)].number);
    stakes_.Recheck(numbers);
  }
  return saved;
}

bool Workspace::AddDraw(const TDrawRec& draw) {
  const TDrawsArray before = archive_.Draws();
  archive_.Append(draw);
  const bool saved = SaveArchiveChange(before);
  RecomputeViews();
  // Stakes are checked only against draws that are in the file.
  if (saved) stakes_.CheckAndRefresh();
  return saved;
}

bool Workspace::EditDraw(int listIndex, const TDrawRec& draw) {
  const TDrawsArray before = archive_.Draws();
  if (!Guarded(host_, nullptr, [&] { archive_.Replace(archive_.ListToIndex(listIndex), draw); }))
    return false;
  const bool saved = SaveArchiveChange(before);
  RecomputeViews();
  if (saved) {
    // The stakes checked against the old draw (its number may have changed too) are checked
    // again against what now carries those numbers.
    const int32_t old = before[before.size() - 1 - static_cast<size_t>(listIndex)].number;
    stakes_.Recheck(old == draw.number ? std::vector<int32_t>{old}
                                       : std::vector<int32_t>{old, draw.number});
    stakes_.CheckAndRefresh();
  }
  return saved;
}

ImportReport Workspace::ImportCsv(const fs::path& file) {
  ImportReport report;
  const TDrawsArray before = archive_.Draws();
  {
    BusyScope busy(busy_, Format(texts::ImportingDraws, file.filename().string().c_str()));
    const bool parsed = Guarded(host_, nullptr, [&] {
      CsvImport csv = ParseDrawsCsv(ReadFile(file), archive_);
      report.added = static_cast<int>(csv.draws.size());
      report.duplicates = csv.duplicates;
      report.rejected = std::move(csv.rejected);
      archive_.AppendAll(csv.draws);
    });
    if (!parsed) return report;
    report.ok = SaveArchiveChange(before);
  }
  if (!report.rejected.empty())
    host_.showMessage(MessageKind::Warning, RejectedLinesText(report.rejected));
  RecomputeViews();
  // Stakes are checked only against draws that are in the file.
  if (report.ok) stakes_.CheckAndRefresh();
  return report;
}

bool Workspace::ExportCsv(const fs::path& file) {
  BusyScope busy(busy_, Format(texts::ExportingDraws, file.filename().string().c_str()));
  return Guarded(host_, nullptr, [&] { WriteFileAtomic(file, DrawsToCsv(archive_.Draws())); });
}

bool Workspace::AppendDraws(const TDrawsArray& draws) {
  const TDrawsArray before = archive_.Draws();
  archive_.AppendAll(draws);
  return SaveArchiveChange(before);
}

// Statistics -------------------------------------------------------------------------------

void Workspace::SetStatDepth(int depth) { settings_.SetStatDepth(std::max(1, depth)); }

std::optional<std::string> Workspace::StatSelectValues(const std::vector<std::string>& values) {
  const StatTable& t = stats_.Table();
  stats_.ClearSelection();
  for (const std::string& text : values) {
    bool found = false;
    for (int r = 0; r < t.RowCount(); ++r)
      if (t.Rows()[static_cast<size_t>(r)].Text(StatColumn::Value) == text) {
        stats_.SelectRow(r, true);
        found = true;
      }
    if (!found) return text;
  }
  return std::nullopt;
}

void Workspace::SetPrefetchEnabled(bool on) {
  settings_.SetFlag(ViewFlag::Prefetchs, on);
  stats_.CreateAllPrefetch(false, {});
  stats_.Build(true);
}

void Workspace::SetShowTotalLine(bool on) {
  BusyScope busy(busy_, texts::CreatingCharts);
  settings_.SetFlag(ViewFlag::ShowTotalLine, on);
  stats_.Build(true);
}

void Workspace::ApplyShredding(const std::array<ShreddingFormula, 3>& formulas) {
  settings_.SetShredding(formulas);
  stats_.CreateAllPrefetch(false, {12});
  stats_.BuildRegistry();
  stats_.Invalidate();
  RecomputeViews(true);
}

std::vector<std::pair<std::string, std::string>> Workspace::CombDetails(const TComb& comb) const {
  // The combination stands for the draw to be predicted: the one after the offset.
  const int index = archive_.Count() - archive_.DrawsOffset();
  return stats_.GraphValues(index, index - 1, comb);
}

// Combinations -----------------------------------------------------------------------------

bool Workspace::CombsGen(const TCombsGenParams& params, bool saveAsDefault) {
  TCombsGenParams p = params;
  if (p.text.size() > 255) p.text.resize(255);
  if (saveAsDefault) settings_.SetGenerateMode(p.mode, p.text);
  combs_.UndoSave();
  return combs_.Generate(true, p);
}

void Workspace::CombsDelExists(int n) {
  combs_.UndoSave();
  combs_.ExcludeDraws(n);
}

// Stakes -----------------------------------------------------------------------------------

TStakeData Workspace::NewStake(uint8_t kind, const std::optional<TComb>& comb,
                               const std::string& comment) const {
  return stakes_.NewStake(kind, comb, comment, combs_.List().Count());
}

int Workspace::AddStakes(const std::vector<TComb>& combs, int32_t draw, int draws,
                         const std::string& comment) {
  std::vector<TStakeData> stakes;
  stakes.reserve(combs.size());
  for (const TComb& c : combs) {
    TStakeData s = NewStake(StakeManual, c, comment);
    s.draw = draw;
    stakes.push_back(std::move(s));
  }
  return stakes_.AddMany(stakes, draws);
}

int Workspace::SystemStakes(bool combsOnly, const StakeBatchDialog& dialog) {
  TByteArray numbers;
  {
    BusyScope busy(busy_, texts::PleaseWait);
    numbers =
        DistinctNumberList(combs_.List().ToArray(), static_cast<size_t>(combs_.List().Count()));
  }
  const LocalSystem system = systems_.LoadLocal(numbers);
  if (!system.ok) return 0;
  const int n = static_cast<int>(numbers.size());
  const std::string name = fs::path(system.text).stem().string();
  const std::string comment =
      Format(combsOnly ? texts::SystemPlayCombs : texts::SystemPlayAll, n, name.c_str());
  const std::optional<StakeBatchChoice> choice =
      dialog ? dialog(NewStake(StakeSystem, std::nullopt, comment).draw, comment) : std::nullopt;
  if (!choice) return 0;
  std::vector<TStakeData> stakes;
  for (TComb c : system.combs) {
    SortComb(c);
    if (combsOnly && !combs_.List().Contains(c)) continue;
    TStakeData s = NewStake(StakeSystem, c, choice->comment);
    s.draw = choice->draw;
    s.sample = combsOnly ? combs_.List().Count() : static_cast<int32_t>(system.combs.size());
    s.profit = StakeProfit(Config(), 3, -1);
    stakes.push_back(std::move(s));
  }
  if (!stakes_.AddSeparator()) return 0;
  return stakes_.AddMany(stakes, choice->draws);
}

}  // namespace korvane
