#include "views/analyses.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "core/strutil.h"

namespace korvane {

namespace {

// A draw number as it is appended to a list: a blank, then the digits (at most 11 for an int32),
// with its length in the last byte. Copying the whole slot is one 16-byte move.
struct NumberSlot {
  std::array<char, 15> text{};
  uint8_t len = 0;
};
static_assert(sizeof(NumberSlot) == 16);

NumberSlot SlotOf(int32_t number) {
  NumberSlot s;
  s.text[0] = ' ';
  const auto end = std::to_chars(s.text.data() + 1, s.text.data() + s.text.size(), number).ptr;
  s.len = static_cast<uint8_t>(end - s.text.data());
  return s;
}

// Walks the draws from `length` newest down and hands every row to `sink` as soon as the rows
// of its draw are known. Returns false when `progress` stopped the run.
//
// A long run compares hundreds of millions of pairs of draws, so the numbers are kept one array
// per position: the matches of a draw against all the earlier ones are then byte compares the
// compiler does sixteen at a time.
template <class Sink>
bool RunRepeats(const TDrawsArray& draws, int length, int depth, bool lists,
                const std::function<bool(int, int)>& progress, Sink&& sink) {
  if (draws.empty()) return true;
  depth = std::max(depth, 1);
  static_assert(NumsCount == 3, "the compares below name the three positions");
  std::array<std::vector<uint8_t>, NumsCount> column;
  for (size_t q = 0; q < column.size(); ++q) {
    column[q].reserve(draws.size());
    for (const TDrawRec& d : draws) column[q].push_back(d.nums[q]);
  }
  const int a = static_cast<int>(draws.size()) - 1;
  const int b = std::max(0, a - std::max(length, 1) + 1);
  const int total = a - b + 1;
  const size_t span = static_cast<size_t>(std::min(depth, a));
  // The matches of each earlier draw within the depth, indexed from the oldest of them.
  std::vector<uint8_t> matches(span + 1);

  std::vector<NumberSlot> slots;
  std::array<std::vector<char>, 4> buffers;  // per number of matches (0 unused)
  if (lists) {
    slots.reserve(draws.size());
    size_t widest = 0;
    for (const TDrawRec& d : draws) {
      slots.push_back(SlotOf(d.number));
      widest = std::max<size_t>(widest, slots.back().len);
    }
    for (size_t v = 1; v < 4; ++v) buffers[v].resize(span * widest + sizeof(NumberSlot));
  }

  for (int p = a; p >= b; --p) {
    const int e = std::max(0, p - depth);
    const int n = p - e;
    const uint8_t x0 = column[0][static_cast<size_t>(p)];
    const uint8_t x1 = column[1][static_cast<size_t>(p)];
    const uint8_t x2 = column[2][static_cast<size_t>(p)];
    const uint8_t* n0 = column[0].data() + e;
    const uint8_t* n1 = column[1].data() + e;
    const uint8_t* n2 = column[2].data() + e;
    uint8_t* m = matches.data();
    for (int j = 0; j < n; ++j)
      m[j] = static_cast<uint8_t>((n0[j] == x0) + (n1[j] == x1) + (n2[j] == x2));
    // The tally in byte counters, a block of 255 at a time so that they cannot overflow.
    int counts[4] = {};
    for (int from = 0; from < n; from += 255) {
      const int to = std::min(n, from + 255);
      uint8_t c1 = 0, c2 = 0, c3 = 0;
      for (int j = from; j < to; ++j) {
        c1 = static_cast<uint8_t>(c1 + (m[j] == 1));
        c2 = static_cast<uint8_t>(c2 + (m[j] == 2));
        c3 = static_cast<uint8_t>(c3 + (m[j] == 3));
      }
      counts[1] += c1;
      counts[2] += c2;
      counts[3] += c3;
    }
    // The rows of p go in the order their number of matches is first met walking back from p.
    int order[3], found = 0;
    const int wanted = (counts[1] > 0) + (counts[2] > 0) + (counts[3] > 0);
    bool seen[4] = {};
    for (int j = n - 1; j >= 0 && found < wanted; --j)
      if (m[j] != 0 && !seen[m[j]]) {
        seen[m[j]] = true;
        order[found++] = m[j];
      }
    std::array<std::string_view, 4> texts;
    if (lists) {
      // One more pass writes the number of every match to the end of the buffer of its number
      // of matches. The one-position matches are a quarter of all draws, too many for a branch
      // to guess: each slot is copied to their buffer and the end moves on only for a match.
      // The others are rare and branch.
      std::array<char*, 4> ends{};
      for (size_t v = 1; v < 4; ++v) ends[v] = buffers[v].data();
      char* end1 = ends[1];
      const NumberSlot* slot = slots.data() + e;
      for (int j = n - 1; j >= 0; --j) {
        const uint8_t v = m[j];
        std::memcpy(end1, &slot[j], sizeof(NumberSlot));
        end1 += slot[j].len & (size_t{0} - static_cast<size_t>(v == 1));
        if (v >= 2) [[unlikely]] {
          std::memcpy(ends[v], &slot[j], sizeof(NumberSlot));
          ends[v] += slot[j].len;
        }
      }
      ends[1] = end1;
      for (size_t v = 1; v < 4; ++v)
        if (counts[v] > 0)  // without the blank before the first number
          texts[v] = std::string_view(buffers[v].data() + 1, ends[v]);
    }
    const int32_t number = draws[static_cast<size_t>(p)].number;
    for (int i = 0; i < found; ++i) {
      const size_t v = static_cast<size_t>(order[i]);
      sink(RepeatsRow{number, order[i], counts[v], std::string(texts[v]), p});
    }
    if (progress && !progress(a - p + 1, total)) return false;
  }
  return true;
}

}  // namespace

RepeatsResult AnalyzeRepeats(const TDrawsArray& draws, int length, int depth,
                             const std::function<bool(int, int)>& progress, bool lists) {
  RepeatsResult result;
  result.stopped = !RunRepeats(draws, length, depth, lists, progress, [&result](RepeatsRow&& row) {
    result.largest = std::max(result.largest, row.matches);
    result.rows.push_back(std::move(row));
  });
  return result;
}

bool ForEachRepeatsRow(const TDrawsArray& draws, int length, int depth,
                       const std::function<void(const RepeatsRow&)>& sink,
                       const std::function<bool(int, int)>& progress) {
  return RunRepeats(draws, length, depth, true, progress,
                    [&sink](const RepeatsRow& row) { sink(row); });
}

std::string RepeatsList(const TDrawsArray& draws, const RepeatsRow& row, int depth) {
  std::string text;
  if (row.index < 0 || row.index >= static_cast<int>(draws.size())) return text;
  const TComb& x = draws[static_cast<size_t>(row.index)].nums;
  const int e = std::max(0, row.index - std::max(depth, 1));
  text.reserve(static_cast<size_t>(std::max(row.repeats, 0)) * 7);
  for (int k = row.index - 1; k >= e; --k) {
    const TDrawRec& d = draws[static_cast<size_t>(k)];
    if (PositionMatches(x, d.nums) != row.matches) continue;
    const NumberSlot slot = SlotOf(d.number);
    const size_t skip = text.empty() ? 1 : 0;  // no blank before the first number
    text.append(slot.text.data() + skip, slot.len - skip);
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
