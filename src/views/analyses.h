#pragma once

// The two analyses of the whole archive: how recent draws repeat earlier ones, and how the
// draws' sums spread beside the sums of all combinations.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game.h"
#include "stakes/rating_charts.h"

namespace korvane {

// One row of the repeats list: the draw, a number of matching positions, how many earlier
// draws match it in that many positions, and their draw numbers (newest first, " "-joined).
struct RepeatsRow {
  int32_t draw = 0;
  int matches = 0;
  int repeats = 0;
  std::string draws;  // filled when asked for; else RepeatsList makes it
  int index = 0;      // the draw's archive index
  bool operator==(const RepeatsRow&) const = default;
};

struct RepeatsResult {
  std::vector<RepeatsRow> rows;
  int largest = 0;  // the most matching positions met
  bool stopped = false;
};

// The `length` newest draws, each against the `depth` draws before it. `progress(done, total)`
// is called once per draw and stops the run when it returns false. Without `lists` the rows
// leave their draw lists empty (a long run would hold hundreds of megabytes of them):
// RepeatsList makes the list of one row when it is shown.
RepeatsResult AnalyzeRepeats(const TDrawsArray& draws, int length, int depth,
                             const std::function<bool(int, int)>& progress = {}, bool lists = true);
// The same run handing each row, with its draw list, to `sink` as soon as it is made instead of
// keeping them all: for writing out a long run. Returns false when `progress` stopped it.
bool ForEachRepeatsRow(const TDrawsArray& draws, int length, int depth,
                       const std::function<void(const RepeatsRow&)>& sink,
                       const std::function<bool(int, int)>& progress = {});
// The draw list of a row made without the lists.
std::string RepeatsList(const TDrawsArray& draws, const RepeatsRow& row, int depth);
// The chart of the repeats: one series per number of matches ("Совпадений: %d"), the rows from
// the last to the first; the colours are left to the chart.
ChartData RepeatsChart(const RepeatsResult& result);

struct SumsBand {
  int threshold = 0;   // a count
  int lo = 0, hi = 0;  // the sums whose theoretical count reaches it (0: none)
};

struct SumsAnalysis {
  TStatSimpleArray theory;  // sum -> combinations with it, sums ascending
  TStatSimpleArray actual;  // sum -> draws with it, sums ascending
  int tMax = 0, tMin = 0, aMax = 0;
  std::array<SumsBand, 3> bands{};
  ChartData chart;
};
SumsAnalysis AnalyzeSums(const TDrawsArray& draws);

}  // namespace korvane
