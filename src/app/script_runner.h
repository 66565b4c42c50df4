#pragma once

// Forecast and test runs of the current scenario over the workspace: for each line every
// variant of its filters starts from the line's start list, filters by selecting statistics
// rows as a user would, and stakes from what is left.
//
// The variants of a line that starts from a fresh list do not depend on each other until they
// stake, so workers filter them side by side while this thread takes their results in order:
// the log, the stakes, the checks and every counter come out as from one variant after another.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/workspace.h"
#include "core/strutil.h"
#include "core/worker_pool.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"
#include "scenario/step_tables.h"
#include "scenario/variant_worker.h"
#include "scenario/variants.h"

namespace korvane {

class ScriptRunner {
 public:
  explicit ScriptRunner(Workspace& ws);
  ~ScriptRunner();
  void Forecast();
  void Test(int k);

 private:
  void Begin();
  void End();
  bool Poll() { return ws_.scenario_.Poll(); }
  void Log(const std::string& text) { ws_.scenario_.Log(text); }
  template <typename... Args>
  void LogF(const char* format, Args... args) {
    if (run_.LogEnabled()) Log(Format(format, args...));
  }
  void LogOffset();
  void StartOffset();
  void RunLines();
  void RunLine(int i, const std::string& text);
  // The start list of a line in the workspace's list: made anew, without the last draws.
  void MakeStartList(const TScriptOptions& o);
  void ClearStakesIfAsked(const TScriptOptions& o);
  void LoadPrefetch(const std::vector<TFilterItem>& items);
  // The listed method of a code, as a step finds it; -1 when none.
  int ListedEntry(const std::string& code) const;
  struct Line {
    int index;
    TScriptOptions options;
    std::string comment;
    int total;
  };
  void RunVariants(const Line& line, const VariantPlan& plan, bool& insideVariant);
  void RunVariantsInParallel(const Line& line, const VariantPlan& plan, bool& insideVariant);
  // Takes a variant's result: its log, list, stakes and checks. False ends the line.
  bool Commit(const Line& line, uint64_t k, const TFilterVar& var, VariantResult& r,
              bool& insideVariant);
  void CheckStakes();
  void MakeStakes(const TScriptOptions& o, int line, int variant, const std::string& text,
                  const std::string& comment);
  // Added, not new (skipped), or the append failed.
  enum class StakeResult { Added, Skipped, Failed };
  StakeResult AddScenarioStake(const TComb& comb, bool batch);
  void SystemStakes(bool combsOnly);

  Workspace& ws_;
  ScenarioSession& run_;
  const ScriptState& st_;
  int savedSortColumn_ = 1;
  bool savedDescending_ = false;
  bool savedSuspend_ = false;
  // What the stakes of the current step carry.
  std::string stakeComment_;
  bool newOnly_ = false;
  std::chrono::steady_clock::time_point lastPanel_{};

  // The steps' tables of the current offset and what they are built from.
  std::map<int, PrefetchData> prefetch_;
  std::set<int> prefetchTried_;
  std::unique_ptr<StepTables> tables_;
  VariantContext context_;
  bool offsetStarted_ = false;
  // The table state after the last variant taken, and its last step.
  TableHistory history_;
  std::optional<AppliedStep> lastStep_;
  std::set<const StepTable*> shownErrors_;
  // The start list of the current line (a fresh one).
  CombList lineStart_;
  // This thread's worker, and the pool's.
  std::unique_ptr<VariantWorker> serial_;
  VariantResult serialResult_;
  int jobs_ = 1;
  std::unique_ptr<WorkerPool> pool_;
  std::vector<std::unique_ptr<VariantWorker>> workers_;
  struct Slot {
    TFilterVar var;
    VariantResult result;
    bool ready = false;
  };
  std::vector<Slot> slots_;  // the results filtered ahead, by variant number
  std::atomic<bool> cancel_{false};
};

}  // namespace korvane
