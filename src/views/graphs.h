#pragma once

// The graph of a statistic method over a window of recent draws: the method's value for each
// draw, the window's average and its most frequent value.

#include <cstdint>
#include <string>
#include <vector>

#include "core/archive.h"
#include "stats/registry.h"

namespace korvane {

struct DrawsGraphPoint {
  int32_t draw = 0;   // the draw number (x)
  int32_t value = 0;  // the method's value for it (y)
  bool operator==(const DrawsGraphPoint&) const = default;
};

struct DrawsGraph {
  std::string title;                    // the method's text in the chart's list
  std::vector<DrawsGraphPoint> points;  // oldest first
  double average = 0;
  int32_t mostFrequent = 0;  // among equal counts the value met first
  // How many draws of the window have a value (for the pointer's tooltip).
  int CountOf(int32_t value) const;
};

// The entries the chart's method list offers: those of the statistics method list that have a
// graph value, in registry order.
std::vector<int> GraphMethods(const TStatList& registry);

// The window ends with the draw at list index `offset` and holds `length` draws (fewer when
// the archive is shorter). An empty archive or an entry without a graph gives no points.
DrawsGraph BuildDrawsGraph(const TStatList& registry, int entry, const DrawArchive& archive,
                           int offset, int length, bool sortFlag);

}  // namespace korvane
