#include "filters/filtering.h"

#include <algorithm>

namespace korvane {

void FilterFromUndo(CombList& list, TCustomStat& stat, const TStatDrawArray& selection, int last,
                    bool sortFlag, bool remove) {
  const int n = list.UndoCount();
  list.SetCount(list.Capacity(), 0);
  if (n == 0) return;
  stat.LoadDraws(-1, last, sortFlag);
  for (int k = 0; k < n; ++k) {
    const TComb& c = list.UndoAt(k);
    if (stat.CombMatches(selection, last, c, sortFlag, remove) != remove) list.Append(c);
  }
}

void ExcludeDrawsFromUndo(CombList& list, const TDrawsArray& draws, int first, int last,
                          const std::function<void(int, int)>& progress) {
  const int n = list.UndoCount();
  list.SetCount(list.Capacity(), 0);
  const int step = std::max(1, n / 100);
  for (int k = 0; k < n; ++k) {
    const TComb& c = list.UndoAt(k);
    bool drawn = false;
    for (int i = first; i <= last && !drawn; ++i) drawn = draws[static_cast<size_t>(i)].nums == c;
    if (!drawn) list.Append(c);
    if (progress && k % step == 0) progress(k, n);
  }
}

}  // namespace korvane
