#pragma once

// Filter descriptors: how a scenario step picks rows of the statistics table by itself, and
// their text form ("TSD1#NUMS:10#LMV:3#SF:1").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"

namespace korvane {

class TStatList;

inline constexpr int LevelModeCount = 32;
inline constexpr int StopModeCount = 6;

// Which rows qualify.
enum TLevelMode : uint8_t {
  LNO,
  LMV,
  LMP,
  LLV,
  LLP,
  LDV,
  LDP,
  DMV,
  DMP,
  DLV,
  DLP,
  DDV,
  DDP,
  CMV,
  CMP,
  CLV,
  CLP,
  CDV,
  CDP,
  WMV,
  WLV,
  WDV,
  PIM,
  PIL,
  PIR,
  PAM,
  PAL,
  PAR,
  PXM,
  PXL,
  PXR,
  LVA,
};
// When the walk over the table stops.
enum TStopMode : uint8_t { SF, SC, SZ, ST, SV, SP };

const char* LevelModeCode(int mode);
const char* LevelModeText(int mode);
const char* StopModeCode(int mode);
const char* StopModeText(int mode);
// Threshold modes give one variant per value; list modes one variant for the whole list.
bool IsThresholdMode(int mode);

struct TFilterItem {
  bool used = false;
  std::string methodText;  // the method field as read
  std::string methodCode;  // the method, empty when none
  std::string drawsText;
  int32_t sortColumn = 0;
  bool bottomUp = false;
  bool multiSelect = false;
  bool keep = false;
  uint8_t levelMode = LNO;
  std::string levelText;
  bool coefsOverride = false;
  TWeightCoefs coefs{0, 0, 0, false, false};
  uint8_t stopMode = SF;
  int32_t stopValue = 0;
  bool operator==(const TFilterItem&) const = default;
};

// One variant of a descriptor: one number of draws and, for threshold modes, one threshold.
struct TFilterPart {
  bool used = false;
  std::string methodCode;
  int32_t drawsLen = 0;
  int32_t sortColumn = 0;
  bool bottomUp = false;
  bool multiSelect = false;
  bool keep = false;
  uint8_t levelMode = LNO;
  std::string levelValue;
  std::string levelText;
  bool coefsOverride = false;
  TWeightCoefs coefs{0, 0, 0, false, false};
  uint8_t stopMode = SF;
  int32_t stopValue = 0;
  bool operator==(const TFilterPart&) const = default;
};

inline constexpr int FiltersPerLine = 7;
using TFilterRec = std::array<TFilterPart, FiltersPerLine>;

// One variant of a whole scenario line.
struct TFilterVar {
  TFilterRec parts{};
};

// The method of the text is the registry entry whose code is the longest prefix of the
// method field (ignoring case).
TFilterItem TextToFilterItem(std::string_view text, const TStatList& registry);
std::string FilterItemToText(const TFilterItem& item);
std::string FilterPartToText(const TFilterPart& part);
std::string FilterVarToText(const TFilterVar& var);

// What the filter dialog refuses on OK: the message and the field to focus.
enum class FilterField { Draws, Mode, Values, Stop };
struct FilterItemError {
  std::string message;
  FilterField field;
};
// `acceptsValueText` is that of the item's method.
std::optional<FilterItemError> ValidateFilterItem(const TFilterItem& item, bool acceptsValueText);

}  // namespace korvane
