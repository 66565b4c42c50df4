#pragma once

// What a statistic method class is, without an instance: code and name patterns, group,
// features, parameter range, availability, and how to create an instance.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "core/config.h"

namespace korvane {

class TCustomStat;
struct StatContext;
struct StatClassInfo;

using StatFactory = std::unique_ptr<TCustomStat> (*)(const StatContext&, const StatClassInfo&,
                                                     int param);
using GameRangeFn = std::pair<int, int> (*)(const TConfigData&);
using NameOfFn = std::string (*)(int param);

enum class ParamKind {
  None,   // not parameterised: one entry with parameter 0
  Fixed,  // paramLow..paramHigh
  Empty,  // parameterised with an empty range: no entry
  Game,   // the range follows the game settings (gameRange)
};

inline constexpr int StatGroupCount = 13;

struct StatClassInfo {
  int number = 0;  // place in the registration table
  const char* className = "";
  const char* codeFormat = "";      // "NUMS", "POS%d"
  const char* helpCodeFormat = "";  // "POSx" for the parameterised classes
  int group = 0;
  unsigned features = 0;  // S N D P bits, and G for classes with a graph value
  ParamKind paramKind = ParamKind::None;
  int paramLow = 0;
  int paramHigh = 0;
  bool available = true;
  bool acceptsValueText = true;
  // From the family that implements the class.
  const char* nameFormat = "";  // "%d" takes the parameter, "%%" a percent sign
  GameRangeFn gameRange = nullptr;
  NameOfFn nameOf = nullptr;
  StatFactory create = nullptr;

  uint8_t BaseFeatures() const;
  uint8_t Features() const { return static_cast<uint8_t>(features); }
  bool HasGraph() const;
  bool HasNorm() const;
  bool InStatList() const { return true; }
  bool IsAvailable() const { return available; }
  bool IsParameterised() const { return paramKind != ParamKind::None; }
  std::pair<int, int> GetParamRange(const TConfigData& config) const;
  std::string CodeOf(int param) const;
  std::string NameOf(int param) const;
  // "ms-its:<help file>::/Filters_1049_<code>.htm", or empty when there is no help file.
  // The help page's code ("POSx" for every POS entry).
  std::string HelpCode(int param) const;
  std::string HelpLink(int param, const std::string& helpFile) const;
};

// Formats a pattern whose only directives are "%d" (the parameter) and "%%".
std::string FormatParam(const char* pattern, int param);

// The feature letters S N D P G of a feature byte, in that order.
std::string FeatureLetters(uint8_t features);

}  // namespace korvane
