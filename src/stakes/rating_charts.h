#pragma once

// The data of the stake and rating charts: named series of (x, y) points. The chart window
// only draws them.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/stat_records.h"

namespace korvane {

class StakeStore;

struct ChartSeries {
  std::string title;
  uint32_t colour = 0;   // 0xRRGGBB; 0 = the chart's next default colour
  bool pointer = false;  // a mark at every point
  bool marks = false;    // the y value written at every point
  std::vector<std::pair<double, double>> points;
  bool operator==(const ChartSeries&) const = default;
};

struct ChartData {
  std::vector<ChartSeries> series;
  bool operator==(const ChartData&) const = default;
};

// Adds a point to the series of the title (titles compared ignoring case); a new title makes
// a new series at the end with the pointer, marks and colour given here.
void GraphAddPoint(ChartData& chart, double x, const std::string& title, double y, bool showPointer,
                   bool showMarks, uint32_t colour = 0);

// The profit of the stakes of each draw (checked or not: an unchecked stake's profit is its
// cost), in the order the draws first appear in the file, with the average over those draws
// and the running total. Throws Error when the file holds no stake.
ChartData ProfitByDrawChart(const StakeStore& store);

// The matches (or, with `profit`, the profit) of every checked stake of the last 100 draws
// with checked stakes whose comment is one of `comments` (ignoring case), one series per
// comment. Throws Error when no comment is given or fewer than two such draws exist.
ChartData StakesByDrawChart(const StakeStore& store, const std::vector<std::string>& comments,
                            bool profit);

// How the rows' stakes spread over 0..3 matches, beside what chance gives for as many stakes
// as the largest row has.
ChartData MatchDistributionChart(const std::vector<TRatingRec>& rows);

}  // namespace korvane
