#pragma once

// Filtering the combination list: by selected statistic values, and by the draws that came up.

#include <functional>
#include <string>

#include "core/game.h"
#include "core/stat_records.h"
#include "filters/comb_list.h"
#include "stats/stat_base.h"

namespace korvane {

// Rebuilds the list from its undo copy: keep the combinations that have one of the selected
// values (remove = false) or the others (remove = true). `last` is the newest analysed
// archive index.
void FilterFromUndo(CombList& list, TCustomStat& stat, const TStatDrawArray& selection, int last,
                    bool sortFlag, bool remove);

// Rebuilds the list from its undo copy without the combinations equal to one of the archive
// draws first..last. `progress(k, total)` is called every step combinations.
void ExcludeDrawsFromUndo(CombList& list, const TDrawsArray& draws, int first, int last,
                          const std::function<void(int, int)>& progress);

// The newest analysed archive index at an offset (0 when the offset exceeds the archive).
inline int LastAnalysedIndex(const TDrawsArray& draws, int offset) {
  const int last = static_cast<int>(draws.size()) - 1 - offset;
  return last < 0 ? 0 : last;
}

}  // namespace korvane
