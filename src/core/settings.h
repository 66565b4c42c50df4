#pragma once

// Reading and writing the settings files: the game and proxy settings of Korvane.ini and
// the view state of Korvane.frm.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"
#include "core/ini.h"

namespace korvane {

// Korvane.ini ---------------------------------------------------------------------------

// Reads the generation mode, GLOBAL, STAKES, CDL and SHREDDING; every value out of its
// range is brought back into it (see the .cpp for the rules), amounts of money into
// -MaxSettingsAmount..MaxSettingsAmount. Without a Cost or a Profits key the price or the prize
// rules are those of TConfigData's defaults.
void LoadGameSettings(const IniFile& ini, GameSettings& settings);
// Writes GLOBAL, STAKES and CDL (not the generation mode nor the shredding formulas).
void SaveGameSettings(IniFile& ini, const GameSettings& settings);
void SaveGenerateMode(IniFile& ini, const GameSettings& settings);
void SaveShreddingSettings(IniFile& ini, const GameSettings& settings);
void LoadProxySettings(const IniFile& ini, ProxySettings& proxy);
void SaveProxySettings(IniFile& ini, const ProxySettings& proxy);
// The ONLINE section: the service addresses (never written by the program).
void LoadOnlineSettings(const IniFile& ini, OnlineSettings& online);

// MatrixSegments: 30 digits, position 1 numbers 0..9, then positions 2 and 3.
TSegmentTable ParseSegments(std::string_view text);
std::string SegmentsToText(const TSegmentTable& table);

// Normalises a rule list: rules with a matches count outside 0..3 and repeated counts are
// dropped, at most four are kept.
ProfitRuleArray NormalizeProfitRules(const ProfitRuleArray& rules);

// Korvane.frm --------------------------------------------------------------------------

inline constexpr const char* MainFormSection = "TFormMain";

// The view settings of the main window. A size of -1 means "the size of the layout".
struct ViewSettings {
  int leftPanelWidth = -1;
  int drawsExclude = 0;
  int drawsStatLen = 1000;
  int drawsStatHeight = -1;
  int drawsGraphLen = 100;
  int filtersHeight = -1;
  int layoutLen = 100;
  std::array<int, 5> layoutCompareLen{50, 100, 200, 300, 400};
  int layoutCompareHeight = -1;
  int weekLen = 1000;
  int weekHeight = -1;
  int weekChartMode = 0;
  bool weekChartType = false;
  bool autoUpdates = true;
  int downloadDrawsOnStart = 0;
  bool scriptLogEnabled = false;
  bool stakesLogEnabled = false;
  bool stakesScrollEnabled = true;
  bool stakesCheckOnLine = true;
  bool colorDraws = true;
  bool colorCombs = true;
  bool colorCard = true;
  bool colorCardSequences = true;
  bool layoutGradient = true;
  bool sortedDraws = false;
  bool prefetchsEnabled = false;
  bool prefetchsInit = false;
  bool showTotalLine = true;
  int ratingsEffMode = 1;
  bool scriptLibraryOn = true;
  int scriptLibraryHeight = -1;
  int scriptLibraryFilter = 2;
  bool tabGraphs = true;
  bool tabCard = true;
  bool tabLayout = true;
  bool tabWeek = true;
  bool tabTables = true;
  int language = 1033;
  bool firstRun = false;
  bool operator==(const ViewSettings&) const = default;
};

// When a view setting is written: at shut-down, or at once when it changes.
enum class ViewWrite { AtShutdown, WhenChanged, Once };

// One key of the table, bound to its field.
struct ViewKey {
  const char* name;
  int ViewSettings::*intField;  // exactly one of the two is set
  bool ViewSettings::*boolField;
  int arrayIndex;  // for LayoutCompareLen1..5, else -1
  ViewWrite written;
};
const std::vector<ViewKey>& ViewKeys();

void LoadViewSettings(const IniFile& frm, ViewSettings& view);
// Writes the keys written at shut-down (or every key with all = true).
void SaveViewSettings(IniFile& frm, const ViewSettings& view, bool all = false);
// Writes one key from the settings (ReadView/WriteView of a single value).
void WriteViewKey(IniFile& frm, const ViewSettings& view, std::string_view key);

// Column widths and sort state of one list, kept under "<list>.Column<i>" and
// "<list>.SortType" in the window's section.
struct ListState {
  std::vector<int> columnWidths;            // -1 where nothing is stored
  std::optional<std::pair<int, int>> sort;  // column, direction
};
ListState ReadListState(const IniFile& frm, std::string_view section, std::string_view list,
                        int columns);
void WriteListState(IniFile& frm, std::string_view section, std::string_view list,
                    const ListState& state);

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct WindowPlacement {
  int flags = 0;
  int showCmd = 1;
  int pixelsPerInch = 96;
  Rect minMaxPos;
  Rect normPos;
  bool operator==(const WindowPlacement&) const = default;
};
// The rectangles under the screen-size keys are preferred when present.
std::optional<WindowPlacement> ReadPlacement(const IniFile& frm, std::string_view section,
                                             int screenWidth, int screenHeight);
void WritePlacement(IniFile& frm, std::string_view section, const WindowPlacement& placement,
                    int screenWidth, int screenHeight);

}  // namespace korvane
