#include "views/graphs.h"

#include <algorithm>
#include <unordered_map>

#include "core/stat_records.h"

namespace korvane {

int DrawsGraph::CountOf(int32_t value) const {
  return static_cast<int>(
      std::count_if(points.begin(), points.end(),
                    [value](const DrawsGraphPoint& p) { return p.value == value; }));
}

std::vector<int> GraphMethods(const TStatList& registry) {
  std::vector<int> entries;
  for (int i = 0; i < registry.Count(); ++i)
    if (registry.HasGraph(i) && registry.InMethodList(i)) entries.push_back(i);
  return entries;
}

DrawsGraph BuildDrawsGraph(const TStatList& registry, int entry, const DrawArchive& archive,
                           int offset, int length, bool sortFlag) {
  DrawsGraph g;
  if (archive.Empty() || entry < 0 || entry >= registry.Count() || !registry.HasGraph(entry))
    return g;
  offset = std::clamp(offset, 0, archive.Count() - 1);
  const int last = archive.ListToIndex(offset);
  const int oldest = std::max(0, last - std::max(length, 1) + 1);
  g.title = registry.ListText(entry, true);
  auto stat = registry.CreateStat(entry);
  // The tally in the order values are first met. A formula of the shredding group can give
  // thousands of different values over a long window: an index keeps the count linear.
  TStatSimpleArray counts;
  std::unordered_map<int32_t, size_t> where;
  int64_t sum = 0;
  g.points.reserve(static_cast<size_t>(last - oldest + 1));
  for (int i = oldest; i <= last; ++i) {
    const int32_t v = stat->GraphValue(i, last, sortFlag);
    g.points.push_back({archive.Draws()[static_cast<size_t>(i)].number, v});
    const auto [at, added] = where.try_emplace(v, counts.size());
    if (added)
      counts.push_back({v, 1});
    else
      ++counts[at->second].count;
    sum += v;
  }
  // The first value with the largest count: the counts keep the order values were first met.
  const TStatSimpleRec* best = nullptr;
  for (const TStatSimpleRec& r : counts)
    if (best == nullptr || r.count > best->count) best = &r;
  g.mostFrequent = best != nullptr ? best->key : 0;
  g.average = static_cast<double>(sum) / static_cast<double>(g.points.size());
  return g;
}

}  // namespace korvane
