#pragma once

// One variant of a scenario line, filtered as a user would: for each filter the statistics
// table is walked and its rows are kept or removed one selection at a time. A worker owns its
// list, its statistics objects and what it learnt of their filters at this offset; it never
// touches the workspace, so workers run side by side and their results are used in order.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/strutil.h"
#include "filters/comb_list.h"
#include "filters/filter_item.h"
#include "scenario/step_tables.h"

namespace korvane {

// The table a sort last worked on, as the shown statistics table keeps it between steps: a step
// with the same method, depth and coefficients sorts those rows again instead of building them.
struct TableHistory {
  bool known = true;     // false: a worker's variant does not know the variants before it
  bool present = false;  // a table is there
  StepTableKey key;
  // Its order: the build's own sort by `column` when `fresh`, else `rows`.
  bool fresh = true;
  int column = 1;
  bool descending = false;
  std::vector<int> rows;
};

// The last step applied: the shown table follows it after the run.
struct AppliedStep {
  std::string methodCode;
  int depth = 0;
  int sortColumn = 0;
};

struct VariantResult {
  int startCount = 0;
  std::vector<std::string> log;       // the lines of the filter steps (log on)
  std::vector<std::string> messages;  // errors of the filters, shown as they happened
  std::vector<std::shared_ptr<const StepTable>> tables;  // the tables used, for their errors
  CombList list;                                         // the list as the filters left it
  std::string error;          // a step failed: the line ends after this variant
  bool stopped = false;       // stopped before the end
  bool needsHistory = false;  // the order of a table depended on earlier variants
  TableHistory history;       // the table state after the variant
  std::optional<AppliedStep> last;
};

struct VariantContext {
  const TStatList* registry = nullptr;
  const std::vector<int>* methods = nullptr;  // the listed methods (registry indexes)
  int last = 0;                               // the last analysed draw index
  bool sortFlag = false;
  bool logOn = false;
  TWeightCoefs userCoefs{};
  StepTables* tables = nullptr;
};

// A list of combinations in their own order, one bit each: a filter is a few word operations.
struct CombBits {
  static constexpr int Words = (CombsCount + 63) / 64;
  std::array<uint64_t, Words> words{};
  int count = 0;
  static uint64_t Bit(int i) { return uint64_t{1} << (i & 63); }
  void Set(int i) { words[static_cast<size_t>(i >> 6)] |= Bit(i); }
};

class VariantWorker {
 public:
  // `stop` is asked often; true abandons the variant (result.stopped). The context is read at
  // every variant: its owner changes it only while no variant runs.
  VariantWorker(const VariantContext& ctx, std::function<bool()> stop);
  // Forgets what it learnt of the filters (a new offset).
  void Reset();
  // Filters `start` by the variant's parts into `out`. `history` is the table state before it
  // (known = false in a worker that runs ahead).
  void Run(const TFilterVar& var, const CombList& start, const TableHistory& history,
           VariantResult& out);

 private:
  struct Abort {};  // the order of a table needs the variants before this one
  void ApplyPart(const TFilterPart& p, VariantResult& out);
  void Filter(TCustomStat& stat, int entry, const StepTable& table, const std::vector<int>& order,
              const std::vector<int>& selected, bool keep, VariantResult& out);
  void RollBack(VariantResult& out);
  int Count(const VariantResult& out) const { return bits_ ? cur_.count : out.list.Count(); }
  // The list as bits when it is in the order of the combinations (a made list always is).
  bool LoadBits(const CombList& list);
  void StoreBits(CombList& list) const;
  void Log(VariantResult& out, const char* text) {
    if (ctx_.logOn) out.log.emplace_back(text);
  }
  template <typename... Args>
  void LogF(VariantResult& out, const char* format, Args... args) {
    if (ctx_.logOn) out.log.push_back(Format(format, args...));
  }
  TCustomStat& StatFor(int entry);
  // The listed method of a code (-1: none); the list does not change during a run.
  int EntryOf(const std::string& code);
  struct Matches {
    int entry;
    bool remove;
    TStatDrawArray selection;
    CombBits known;  // the combinations asked so far
    CombBits kept;   // those of them the filter keeps
  };
  // What is known of a filter's answers, by method and selection.
  Matches& MatchesFor(int entry, const TStatDrawArray& selection, bool remove);

  const VariantContext& ctx_;
  std::function<bool()> stop_;
  TableHistory history_;
  std::unordered_map<int, std::unique_ptr<TCustomStat>> stats_;
  std::unordered_map<std::string, int> entries_;
  std::unordered_map<uint64_t, std::vector<std::unique_ptr<Matches>>> matches_;
  TStatDrawArray selection_;
  bool bits_ = false;
  CombBits cur_, undo_;
};

}  // namespace korvane
