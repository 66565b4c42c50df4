#include "app/settings_store.h"

#include "app/dialogue.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "export/texts.h"

namespace korvane {

namespace {

struct FlagBinding {
  ViewFlag flag;
  bool ViewSettings::*field;
  const char* key;
};

constexpr FlagBinding kFlags[] = {
    {ViewFlag::ColorDraws, &ViewSettings::colorDraws, "ColorDraws"},
    {ViewFlag::ColorCombs, &ViewSettings::colorCombs, "ColorCombs"},
    {ViewFlag::ColorCard, &ViewSettings::colorCard, "ColorCard"},
    {ViewFlag::ColorCardSequences, &ViewSettings::colorCardSequences, "ColorCardSequences"},
    {ViewFlag::LayoutGradient, &ViewSettings::layoutGradient, "LayoutGradient"},
    {ViewFlag::SortedDraws, &ViewSettings::sortedDraws, "SortedDraws"},
    {ViewFlag::AutoUpdates, &ViewSettings::autoUpdates, "AutoUpdates"},
    {ViewFlag::ScriptLog, &ViewSettings::scriptLogEnabled, "ScriptLogEnabled"},
    {ViewFlag::StakesLog, &ViewSettings::stakesLogEnabled, "StakesLogEnabled"},
    {ViewFlag::StakesScroll, &ViewSettings::stakesScrollEnabled, "StakesScrollEnabled"},
    {ViewFlag::StakesCheckOnLine, &ViewSettings::stakesCheckOnLine, "StakesCheckOnLine"},
    {ViewFlag::Prefetchs, &ViewSettings::prefetchsEnabled, "PrefetchsEnabled"},
    {ViewFlag::PrefetchsInit, &ViewSettings::prefetchsInit, "PrefetchsInit"},
    {ViewFlag::ShowTotalLine, &ViewSettings::showTotalLine, "ShowTotalLine"},
    {ViewFlag::TabGraphs, &ViewSettings::tabGraphs, "TabGraphs"},
    {ViewFlag::TabCard, &ViewSettings::tabCard, "TabCard"},
    {ViewFlag::TabLayout, &ViewSettings::tabLayout, "TabLayout"},
    {ViewFlag::TabWeek, &ViewSettings::tabWeek, "TabWeek"},
    {ViewFlag::TabTables, &ViewSettings::tabTables, "TabTables"},
    {ViewFlag::FirstRun, &ViewSettings::firstRun, "FirstRun"},
    {ViewFlag::ScriptLibrary, &ViewSettings::scriptLibraryOn, "ScriptLibraryOn"},
};

const FlagBinding& Binding(ViewFlag flag) {
  for (const FlagBinding& b : kFlags)
    if (b.flag == flag) return b;
  throw Error("unknown view flag");
}

}  // namespace

const char* ViewFlagKey(ViewFlag flag) { return Binding(flag).key; }

SettingsStore::SettingsStore(Host& host, BusyState& busy, const DataFiles& files)
    : host_(host), busy_(busy), ini_(files.Ini()), frm_(files.Frm()) {}

bool SettingsStore::Flag(ViewFlag flag) const { return view_.*(Binding(flag).field); }

bool* SettingsStore::FlagField(ViewFlag flag) { return &(view_.*(Binding(flag).field)); }

bool SettingsStore::LoadView() {
  return Guarded(host_, texts::ViewReadError, [&] {
    frm_.Load();
    LoadViewSettings(frm_, view_);
  });
}

bool SettingsStore::LoadGame() {
  BusyScope busy(busy_, texts::LoadingConfig);
  if (!Guarded(host_, texts::ConfigReadError, [&] { ini_.Load(); })) return false;
  LoadGameSettings(ini_, game_);
  LoadProxySettings(ini_, proxy_);
  LoadOnlineSettings(ini_, online_);
  KeepPasswordPrivate();
  return true;
}

bool SettingsStore::SaveIni(const std::function<void()>& write) {
  BusyScope busy(busy_, texts::SavingConfig);
  return Guarded(host_, texts::ConfigWriteError, [&] {
    write();
    ini_.Save();
  });
}

bool SettingsStore::SetConfig(const TConfigData& config) {
  game_.config = config;
  game_.config.profits = NormalizeProfitRules(config.profits);
  return SaveIni([&] { SaveGameSettings(ini_, game_); });
}

void SettingsStore::KeepPasswordPrivate() {
  const bool secret = !proxy_.password.empty();
  ini_.SetOwnerOnly(secret);
  std::error_code ec;
  if (secret && fs::exists(ini_.Path(), ec))
    fs::permissions(ini_.Path(), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace, ec);
}

bool SettingsStore::SetProxy(const ProxySettings& proxy) {
  proxy_ = proxy;
  ini_.SetOwnerOnly(!proxy_.password.empty());
  return SaveIni([&] { SaveProxySettings(ini_, proxy_); });
}

bool SettingsStore::SetGenerateMode(int mode, const std::string& parameters) {
  game_.combsGenerateMode = mode;
  game_.combsGenerateParameters = parameters;
  // Written without the status text of the other settings.
  return Guarded(host_, texts::ConfigWriteError, [&] {
    SaveGenerateMode(ini_, game_);
    ini_.Save();
  });
}

bool SettingsStore::SetShredding(const std::array<ShreddingFormula, 3>& formulas) {
  game_.shredding = formulas;
  return SaveIni([&] { SaveShreddingSettings(ini_, game_); });
}

bool SettingsStore::SetFlag(ViewFlag flag, bool on) {
  *FlagField(flag) = on;
  return WriteFlag(flag);
}

bool SettingsStore::WriteFlag(ViewFlag flag) {
  return Guarded(host_, texts::ViewReadError, [&] {
    WriteViewKey(frm_, view_, Binding(flag).key);
    frm_.Save();
  });
}

bool SettingsStore::SetRatingsMode(int mode) {
  view_.ratingsEffMode = mode;
  return Guarded(host_, texts::ViewReadError, [&] {
    WriteViewKey(frm_, view_, "RatingsEffMode");
    frm_.Save();
  });
}

bool SettingsStore::SetDownloadOnStart(int choice) {
  view_.downloadDrawsOnStart = std::clamp(choice, 0, 2);
  return Guarded(host_, texts::ViewReadError, [&] {
    WriteViewKey(frm_, view_, "DownloadDrawsOnStart");
    frm_.Save();
  });
}

bool SettingsStore::SetWeekChart(int mode, bool line) {
  view_.weekChartMode = std::clamp(mode, 0, 1);
  view_.weekChartType = line;
  return Guarded(host_, texts::ViewReadError, [&] {
    WriteViewKey(frm_, view_, "WeekChartMode");
    WriteViewKey(frm_, view_, "WeekChartType");
    frm_.Save();
  });
}

void SettingsStore::OverrideFlag(ViewFlag flag, bool on) { *FlagField(flag) = on; }

void SettingsStore::SetLayoutSizes(const LayoutSizes& sizes) {
  view_.leftPanelWidth = sizes.leftPanelWidth;
  view_.drawsStatHeight = sizes.drawsStatHeight;
  view_.filtersHeight = sizes.filtersHeight;
  view_.scriptLibraryHeight = sizes.scriptLibraryHeight;
}

std::optional<WindowPlacement> SettingsStore::Placement(int screenWidth, int screenHeight) const {
  return ReadPlacement(frm_, MainFormSection, screenWidth, screenHeight);
}

void SettingsStore::StorePlacement(const WindowPlacement& placement, int screenWidth,
                                   int screenHeight) {
  WritePlacement(frm_, MainFormSection, placement, screenWidth, screenHeight);
}

ListState SettingsStore::List(std::string_view list, int columns) const {
  return ReadListState(frm_, MainFormSection, list, columns);
}

void SettingsStore::StoreList(std::string_view list, const ListState& state) {
  WriteListState(frm_, MainFormSection, list, state);
}

int SettingsStore::FormInt(std::string_view section, std::string_view key, int fallback) const {
  return static_cast<int>(frm_.ReadInt(section, key, fallback));
}

void SettingsStore::StoreFormInt(std::string_view section, std::string_view key, int value) {
  frm_.WriteInt(section, key, value);
}

bool SettingsStore::SaveViewState() {
  return Guarded(host_, texts::ViewReadError, [&] {
    SaveViewSettings(frm_, view_);
    frm_.Save();
  });
}

}  // namespace korvane

namespace korvane {

void SettingsStore::LoadExportParams(const std::string& section, ExportSettings& s,
                                     const std::function<void(const std::string&)>& error) const {
  korvane::LoadExportParams(ini_, section, s, true, error);
}

bool SettingsStore::StoreExportParams(const std::string& section, const ExportSettings& s) {
  return Guarded(host_, nullptr, [&] {
    try {
      SaveExportParams(ini_, section, s, true);
      ini_.Save();
    } catch (const Error&) {
      throw Error(Format(texts::ExportParamsSaveError, ini_.Path().filename().c_str()));
    }
  });
}

}  // namespace korvane
