#pragma once

// The single state of the program for the whole run, and the operations the faces call.

#include <array>
#include <cstdint>
#include <optional>
#include <random>
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
  bool DataFilesOpen() const { return stakeFile_.IsOpen(); }
  LockedFile& StakeFile() { return stakeFile_; }

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
  void RecomputeViews();

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

  // Shows the error box with a message template ("...%s") filled with the failure text.
  void ReportError(const char* messageTemplate, const std::string& text);

 private:
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
  LockedFile stakeFile_;
  DrawArchive archive_;
};

}  // namespace korvane
