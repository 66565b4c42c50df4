#include "views/analyses.h"

#include <algorithm>
#include <cmath>

#include "core/strutil.h"

namespace korvane {

namespace {

// The three numbers of a draw in one word, so that a comparison is a few instructions.
uint32_t Packed(const TComb& c) { return c[0] | c[1] << 8 | static_cast<uint32_t>(c[2]) << 16; }

int Matches(uint32_t a, uint32_t b) {
  const uint32_t x = a ^ b;
  return ((x & 0xFF) == 0) + ((x & 0xFF00) == 0) + ((x & 0xFF0000) == 0);
}

}  // namespace

RepeatsResult AnalyzeRepeats(const TDrawsArray& draws, int length, int depth,
                             const std::function<bool(int, int)>& progress, bool lists) {
  RepeatsResult result;
  if (draws.empty()) return result;
  std::vector<uint32_t> packed(draws.size());
  for (size_t i = 0; i < draws.size(); ++i) packed[i] = Packed(draws[i].nums);
  const int a = static_cast<int>(draws.size()) - 1;
  const int b = std::max(0, a - std::max(length, 1) + 1);
  const int total = a - b + 1;
  for (int p = a; p >= b; --p) {
    const uint32_t x = packed[static_cast<size_t>(p)];
    const int e = std::max(0, p - std::max(depth, 1));
    // How many earlier draws match in 1, 2 and 3 positions (a loop the compiler vectorises).
    int c1 = 0, c2 = 0, c3 = 0;
    for (int k = e; k < p; ++k) {
      const int m = Matches(x, packed[static_cast<size_t>(k)]);
      c1 += m == 1;
      c2 += m == 2;
      c3 += m == 3;
    }
    const int counts[4] = {0, c1, c2, c3};
    // The rows go in the order their number of matches is first met, walking back from p.
    int order[3], found = 0, wanted = (c1 > 0) + (c2 > 0) + (c3 > 0);
    bool seen[4] = {};
    for (int k = p - 1; k >= e && found < wanted; --k) {
      const int m = Matches(x, packed[static_cast<size_t>(k)]);
      if (m > 0 && !seen[m]) {
        seen[m] = true;
        order[found++] = m;
      }
    }
    for (int i = 0; i < found; ++i) {
      RepeatsRow row{draws[static_cast<size_t>(p)].number, order[i], counts[order[i]], {}, p};
      if (lists) row.draws = RepeatsList(draws, row, depth);
      result.rows.push_back(std::move(row));
      result.largest = std::max(result.largest, order[i]);
    }
    if (progress && !progress(a - p + 1, total)) {
      result.stopped = true;
      break;
    }
  }
  return result;
}

std::string RepeatsList(const TDrawsArray& draws, const RepeatsRow& row, int depth) {
  std::string text;
  if (row.index < 0 || row.index >= static_cast<int>(draws.size())) return text;
  const uint32_t x = Packed(draws[static_cast<size_t>(row.index)].nums);
  const int e = std::max(0, row.index - std::max(depth, 1));
  text.reserve(static_cast<size_t>(row.repeats) * 7);
  for (int k = row.index - 1; k >= e; --k) {
    if (Matches(x, Packed(draws[static_cast<size_t>(k)].nums)) != row.matches) continue;
    if (!text.empty()) text += ' ';
    text += std::to_string(draws[static_cast<size_t>(k)].number);
  }
  return text;
}

ChartData RepeatsChart(const RepeatsResult& result) {
  ChartData chart;
  // The series in the order of their number of matches, whatever row comes first.
  for (int m = 1; m <= result.largest; ++m) {
    ChartSeries s;
    s.title = Format("Совпадений: %d", m);
    s.pointer = true;
    chart.series.push_back(std::move(s));
  }
  for (auto it = result.rows.rbegin(); it != result.rows.rend(); ++it)
    chart.series[static_cast<size_t>(it->matches - 1)].points.emplace_back(it->draw, it->repeats);
  return chart;
}

SumsAnalysis AnalyzeSums(const TDrawsArray& draws) {
  SumsAnalysis s;
  for (int a = 0; a <= 9; ++a)
    for (int b = 0; b <= 9; ++b)
      for (int c = 0; c <= 9; ++c) AddSimpleValue(s.theory, a + b + c, 1);
  SortSimpleValues(s.theory);
  for (const TDrawRec& d : draws) AddSimpleValue(s.actual, d.nums[0] + d.nums[1] + d.nums[2], 1);
  SortSimpleValues(s.actual);
  s.tMax = 0;
  s.tMin = s.theory.front().count;
  for (const TStatSimpleRec& r : s.theory) {
    s.tMax = std::max(s.tMax, r.count);
    s.tMin = std::min(s.tMin, r.count);
  }
  for (const TStatSimpleRec& r : s.actual) s.aMax = std::max(s.aMax, r.count);
  const double span = s.tMax - s.tMin + 1;
  const double shares[3] = {span / 3, span / 2, 2 * span / 3};
  const size_t half = s.theory.size() / 2;
  for (size_t k = 0; k < 3; ++k) {
    SumsBand& band = s.bands[k];
    band.threshold = static_cast<int>(std::nearbyint(s.tMin + shares[k]));  // halves to even
    for (size_t i = 0; i <= half; ++i)
      if (s.theory[i].count >= band.threshold) {
        band.lo = s.theory[i].key;
        break;
      }
    for (size_t i = s.theory.size(); i-- > half;)
      if (s.theory[i].count >= band.threshold) {
        band.hi = s.theory[i].key;
        break;
      }
  }
  const double scale = s.tMax > 0 ? static_cast<double>(s.aMax) / s.tMax : 0;
  for (const TStatSimpleRec& r : s.actual)
    GraphAddPoint(s.chart, r.key, "Фактическое распределение сумм (по тиражам)", r.count, true,
                  true, 0xFF0000);
  // Without draws the actual series still comes first.
  if (s.actual.empty())
    s.chart.series.push_back(
        {"Фактическое распределение сумм (по тиражам)", 0xFF0000, true, true, {}});
  for (const TStatSimpleRec& r : s.theory)
    GraphAddPoint(s.chart, r.key, "Теоретическое распределение сумм (по комбинациям)",
                  r.count * scale, false, false, 0x800000);
  const char* shareText[3] = {"1/3", "1/2", "2/3"};
  const uint32_t colours[3] = {0x008000, 0x0000FF, 0xFF00FF};
  for (size_t k = 0; k < 3; ++k) {
    const SumsBand& band = s.bands[k];
    const std::string title = Format("Диапазон %d (от %s и выше по оси Y) - суммы %d-%d",
                                     static_cast<int>(k + 1), shareText[k], band.lo, band.hi);
    for (const TStatSimpleRec& r : s.theory)
      GraphAddPoint(s.chart, r.key, title, band.threshold * scale, false, false, colours[k]);
  }
  return s;
}

}  // namespace korvane
