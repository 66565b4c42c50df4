#pragma once

// The registry of statistic methods: one entry per available class and parameter value, in
// the fixed registration order, with the user's list of enabled methods.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stats/stat_base.h"
#include "stats/stat_class.h"

namespace korvane {

// One registry entry.
struct TStatMethod {
  const StatClassInfo* statClass = nullptr;
  int param = 0;
  bool enabled = true;
  std::string customName;
  std::string formula;

  std::string MethodCode() const { return statClass->CodeOf(param); }
  std::string DefaultName() const { return statClass->NameOf(param); }
  // The custom name when set, else the class's name; group 12 puts the formula in place
  // of a literal "%s" (the user's text is never used as a format).
  std::string DisplayName() const;
  std::string HelpLink(const std::string& helpFile) const {
    return statClass->HelpLink(param, helpFile);
  }
  std::string HelpCode() const { return statClass->HelpCode(param); }
  bool AcceptsValueText() const { return statClass->acceptsValueText; }
};

class TStatList {
 public:
  // The archive and the settings every instance reads; both outlive the registry.
  TStatList(const TDrawsArray& draws, GameSettings& settings);
  TStatList(const TStatList&) = delete;
  TStatList& operator=(const TStatList&) = delete;

  bool ordered = false;
  bool showGroupName = true;
  bool showMethodFlags = true;
  bool allEnabled = true;

  // Fills the registry from the class table with the current settings.
  void Build();
  int Count() const { return static_cast<int>(entries_.size()); }
  const TStatMethod& Items(int i) const { return entries_[static_cast<size_t>(i)]; }
  TStatMethod& Items(int i) { return entries_[static_cast<size_t>(i)]; }
  // The entry with this code (case-insensitive), or -1.
  int IndexOfCode(std::string_view code) const;

  bool IsAvailable(int i) const { return Items(i).statClass->IsAvailable(); }
  bool InStatList(int i) const { return Items(i).statClass->InStatList(); }
  bool HasGraph(int i) const { return Items(i).statClass->HasGraph(); }
  bool HasNorm(int i) const { return Items(i).statClass->HasNorm(); }
  bool IsEnabled(int i) const { return allEnabled || Items(i).enabled; }
  // Listed in the statistics method list.
  bool InMethodList(int i) const { return IsAvailable(i) && InStatList(i) && IsEnabled(i); }

  std::string ListText(int i, bool withFeatures) const;
  std::unique_ptr<TCustomStat> CreateStat(int i) const;

  void EnableAll();
  void NormalizeEnabled();
  std::string GetEnabledCodes() const;
  void SetEnabledCodes(std::string_view text);

  static std::string GroupCaption(int group);
  static std::string GroupShortId(int group);
  static std::string GroupName(int group);

  // The weight coefficients a scenario may override for one step.
  const TWeightCoefs& WeightCoefs() const { return settings_.config.weights; }
  void SaveWeightCoefs() { savedWeightCoefs_ = settings_.config.weights; }
  void RestoreWeightCoefs() { settings_.config.weights = savedWeightCoefs_; }
  void ApplyWeightCoefs(const std::optional<TWeightCoefs>& stepCoefs);

  const StatContext& Context() const { return context_; }
  const GameSettings& Settings() const { return settings_; }

 private:
  GameSettings& settings_;
  StatContext context_;
  TWeightCoefs savedWeightCoefs_;
  std::vector<TStatMethod> entries_;
};

}  // namespace korvane
