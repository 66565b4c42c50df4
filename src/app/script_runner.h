#pragma once

// Forecast and test runs of the current scenario over the workspace: for each line every
// variant of its filters starts from the line's start list, filters by selecting statistics
// rows as a user would, and stakes from what is left.

#include <cstdint>
#include <string>

#include "app/workspace.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"

namespace korvane {

class ScriptRunner {
 public:
  explicit ScriptRunner(Workspace& ws);
  void Forecast();
  void Test(int k);

 private:
  void Begin();
  void End();
  bool Poll() { return ws_.scenario_.Poll(); }
  void Log(const std::string& text) { ws_.scenario_.Log(text); }
  void LogOffset();
  void RunLines();
  void RunLine(int i, const std::string& text);
  void PrepareStartList(const TScriptOptions& o);
  void ApplyFilterVar(const TFilterVar& v);
  void ApplyFilterPart(const TFilterPart& p);
  void Filter(TCustomStat& stat, int entry, bool keep);
  void RollBack();
  void CheckStakes();
  void MakeStakes(const TScriptOptions& o, int line, int variant, const std::string& text,
                  const std::string& comment);
  // Added, not new (skipped), or the append failed.
  enum class StakeResult { Added, Skipped, Failed };
  StakeResult AddScenarioStake(const TComb& comb, bool batch);
  void SystemStakes(bool combsOnly);
  std::string RowLog(const TStatValues& v) const;

  Workspace& ws_;
  ScenarioSession& run_;
  const ScriptState& st_;
  int savedSortColumn_ = 1;
  bool savedDescending_ = false;
  // What the stakes of the current step carry.
  std::string stakeComment_;
  bool newOnly_ = false;
  std::chrono::steady_clock::time_point lastPanel_{};
};

}  // namespace korvane
