#include "app/workspace.h"

#include <system_error>

#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/texts.h"

namespace korvane {

Workspace::Workspace(Host& host, fs::path dataDir)
    : host_(host),
      files_(std::move(dataDir)),
      busy_(host),
      ini_(files_.Ini()),
      frm_(files_.Frm()),
      stakeLog_(files_.Dir()),
      scriptLog_(files_.Dir()),
      registry_(archive_.Draws(), settings_) {
  archive_.SetPath(files_.Draws());
}

Workspace::~Workspace() { CloseDataFiles(); }

void Workspace::SetPanel(int index, const std::string& text) {
  if (index < 0 || index >= StatusPanelCount) return;
  panels_[static_cast<size_t>(index)] = text;
  host_.panelChanged(index, text);
}

void Workspace::ReportError(const char* messageTemplate, const std::string& text) {
  host_.showMessage(MessageKind::Error, Format(messageTemplate, text.c_str()));
}

void Workspace::SeedRandom(std::optional<uint64_t> seed) {
  random_.seed(seed ? *seed : std::random_device{}());
}

// Settings ---------------------------------------------------------------------------------

bool Workspace::LoadViewSettingsFile() {
  try {
    frm_.Load();
    LoadViewSettings(frm_, view_);
    return true;
  } catch (const Error& e) {
    ReportError(texts::ViewReadError, e.what());
    return false;
  }
}

bool Workspace::LoadGameSettingsFile() {
  BusyScope busy(busy_, texts::LoadingConfig);
  try {
    ini_.Load();
  } catch (const Error& e) {
    ReportError(texts::ConfigReadError, e.what());
    return false;
  }
  LoadGameSettings(ini_, settings_);
  LoadProxySettings(ini_, proxy_);
  return true;
}

bool Workspace::LoadSettingsFiles() {
  const bool view = LoadViewSettingsFile();
  const bool game = LoadGameSettingsFile();
  return view && game;
}

bool Workspace::SaveGameSettingsFile() {
  BusyScope busy(busy_, texts::SavingConfig);
  try {
    SaveGameSettings(ini_, settings_);
    ini_.Save();
    return true;
  } catch (const Error& e) {
    ReportError(texts::ConfigWriteError, e.what());
    return false;
  }
}

bool Workspace::SaveProxySettingsFile() {
  BusyScope busy(busy_, texts::SavingConfig);
  try {
    SaveProxySettings(ini_, proxy_);
    ini_.Save();
    return true;
  } catch (const Error& e) {
    ReportError(texts::ConfigWriteError, e.what());
    return false;
  }
}

unsigned Workspace::ApplyGameSettings(const TConfigData& config) {
  unsigned flags = 0;
  if (config.matrixCols != settings_.config.matrixCols) flags |= ConfigChangeMatrixCols;
  if (config.channelSize != settings_.config.channelSize) flags |= ConfigChangeChannelSize;
  if (SegmentsToText(config.segments) != SegmentsToText(settings_.config.segments))
    flags |= ConfigChangeSegments;
  settings_.config = config;
  settings_.config.profits = NormalizeProfitRules(config.profits);
  SaveGameSettingsFile();
  BuildRegistry();
  statTable_.lastKey.reset();
  std::set<int> groups;
  if (flags & ConfigChangeMatrixCols) groups.insert(4);
  if (flags & ConfigChangeChannelSize) groups.insert(3);
  if (flags & ConfigChangeSegments) groups.insert(5);
  CreateAllPrefetch(false, groups);
  host_.changed(ChangeSettings | ChangeArchive | ChangeCombs);
  RecomputeViews(true);
  return flags;
}

bool Workspace::WriteView(const char* key) {
  try {
    WriteViewKey(frm_, view_, key);
    frm_.Save();
    return true;
  } catch (const Error& e) {
    ReportError(texts::ViewReadError, e.what());
    return false;
  }
}

bool Workspace::SaveViewState() {
  try {
    SaveViewSettings(frm_, view_);
    frm_.Save();
    return true;
  } catch (const Error& e) {
    ReportError(texts::ViewReadError, e.what());
    return false;
  }
}

// Working files ----------------------------------------------------------------------------

bool Workspace::OpenDataFiles() {
  try {
    std::error_code ec;
    fs::create_directories(files_.Dir(), ec);  // a new data folder is made on first use
    const StakeFileRepair repair = stakes_.Open(files_.Stakes());
    if (repair.kind == StakeFileRepair::OldVersion)
      host_.showMessage(MessageKind::Warning,
                        std::string(texts::OldStakeFile) + "\n\n" +
                            Format(texts::StakeFileBackup, repair.backup.string().c_str()));
    if (repair.kind == StakeFileRepair::TornTail)
      host_.showMessage(MessageKind::Warning,
                        Format(texts::TornStakeFile, static_cast<long long>(repair.tailBytes),
                               repair.backup.string().c_str()));
    StakesGridUpdate(true, false);
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
  BuildRegistry();
  LoadArchive();
  CombsGenerate(true, DefaultGenParams());
  return true;
}

// Archive ----------------------------------------------------------------------------------

void Workspace::LoadArchive() {
  BusyScope busy(busy_, texts::LoadingDraws);
  try {
    archive_.Load();
  } catch (const Error& e) {
    ReportError(texts::DrawsReadError, e.what());
  }
  RefreshDrawList(true);
}

bool Workspace::SaveDraws() {
  BusyScope busy(busy_, texts::SavingDraws);
  bool ok = true;
  try {
    archive_.Save();
  } catch (const Error& e) {
    ReportError(texts::DrawsWriteError, e.what());
    ok = false;
  }
  RefreshDrawList(true);
  return ok;
}

void Workspace::RefreshDrawList(bool /*force*/) {
  archive_.Refresh();
  const int offset = archive_.DrawsOffset();
  SetPanel(0, Format(texts::PanelArchive, archive_.Count()));
  SetPanel(1, Format(texts::PanelNextDraw, archive_.NextDrawNumber(offset)));
  SetPanel(2, archive_.NextDrawNumbersText(offset));
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
  BuildStatTable(full);
  host_.changed(ChangeViews);
}

std::vector<std::pair<std::string, std::string>> Workspace::DrawDetails(int listIndex) const {
  std::vector<std::pair<std::string, std::string>> rows;
  if (listIndex < 0 || listIndex >= archive_.Count()) return rows;
  const TDrawRec& d = archive_.AtList(listIndex);
  rows.emplace_back(texts::InfoDrawNumber, std::to_string(d.number));
  rows.emplace_back(texts::InfoDrawDate, Cp1251ToUtf8(d.DateText()));
  const int index = archive_.ListToIndex(listIndex);
  TComb nums = d.nums;
  if (view_.sortedDraws) SortComb(nums);
  for (int i = 0; i < registry_.Count(); ++i) {
    if (!registry_.HasGraph(i) || !registry_.InStatList(i)) continue;
    auto stat = registry_.CreateStat(i);
    rows.emplace_back(stat->Class().NameOf(stat->Param()),
                      std::to_string(stat->GraphValueOf(index, index, nums, view_.sortedDraws)));
  }
  return rows;
}

bool Workspace::DeleteDraws(const std::vector<int>& listRows) {
  if (listRows.empty()) return false;
  const std::string question =
      listRows.size() == 1 ? std::string(texts::AskDeleteOne)
                           : Format(texts::AskDeleteMany, static_cast<int>(listRows.size()));
  if (!host_.askWarning(question, false)) return false;
  {
    BusyScope busy(busy_, texts::DeletingDraws);
    try {
      archive_.DeleteListRows(listRows);
    } catch (const Error& e) {
      host_.showMessage(MessageKind::Error, e.what());
      RefreshDrawList(true);
      return false;
    }
    RefreshDrawList(true);
  }
  const bool saved = SaveDraws();
  RecomputeViews();
  return saved;
}

bool Workspace::AddDraw(const TDrawRec& draw) {
  archive_.Append(draw);
  const bool saved = SaveDraws();
  RecomputeViews();
  StakesCheckAndRefresh();
  return saved;
}

bool Workspace::EditDraw(int listIndex, const TDrawRec& draw) {
  try {
    archive_.Replace(archive_.ListToIndex(listIndex), draw);
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error, e.what());
    return false;
  }
  const bool saved = SaveDraws();
  RecomputeViews();
  StakesCheckAndRefresh();
  return saved;
}

ImportReport Workspace::ImportCsv(const fs::path& file) {
  ImportReport report;
  {
    BusyScope busy(busy_, Format(texts::ImportingDraws, file.filename().string().c_str()));
    try {
      CsvImport parsed = ParseDrawsCsv(ReadFile(file), archive_);
      report.added = static_cast<int>(parsed.draws.size());
      report.duplicates = parsed.duplicates;
      report.rejected = std::move(parsed.rejected);
      archive_.AppendAll(parsed.draws);
    } catch (const Error& e) {
      host_.showMessage(MessageKind::Error, e.what());
      return report;
    }
    report.ok = SaveDraws();
  }
  if (!report.rejected.empty())
    host_.showMessage(MessageKind::Warning, RejectedLinesText(report.rejected));
  RecomputeViews();
  StakesCheckAndRefresh();
  return report;
}

bool Workspace::ExportCsv(const fs::path& file) {
  BusyScope busy(busy_, Format(texts::ExportingDraws, file.filename().string().c_str()));
  try {
    WriteFileAtomic(file, DrawsToCsv(archive_.Draws()));
    return true;
  } catch (const Error& e) {
    host_.showMessage(MessageKind::Error, e.what());
    return false;
  }
}

}  // namespace korvane
