#pragma once

// The statistics table: for one method, depth and offset, one row per value with its count,
// norm, deviation, depth, weight, intervals and forecasts of its next occurrence.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/game.h"
#include "core/stat_records.h"
#include "stats/prefetch.h"
#include "stats/registry.h"

namespace korvane {

// The columns of the statistics table, in order: the value, its count and share, the norm and
// the deviation from it, depth, weight, the last draw, the periods, the three forecasts of the
// next occurrence (ПРД, СТФ, КРН), the actual one and the differences.
enum class StatColumn {
  Value,
  Count,
  CountShare,
  Norm,
  Deviation,
  DeviationShare,
  Depth,
  DepthShare,
  Weight,
  LastDraw,
  PeriodMin,
  Period,
  PeriodMax,
  ExpectedPrd,
  ExpectedStf,
  ExpectedKrn,
  Fact,
  DiffPrd,
  DiffStf,
  DiffKrn,
};
inline constexpr int StatColumnCount = 20;
static_assert(static_cast<int>(StatColumn::DiffKrn) + 1 == StatColumnCount);
const std::array<const char*, StatColumnCount>& StatColumnCaptions();

struct StatRow {
  TStatDrawRec rec;  // the value's own record (key, count, norm, depth, intervals)
  std::array<std::string, StatColumnCount> texts;
  bool selected = false;
  const std::string& Text(StatColumn c) const { return texts[static_cast<size_t>(c)]; }
  std::string& Text(StatColumn c) { return texts[static_cast<size_t>(c)]; }
};

// The texts of one row as the scenario engine reads them.
struct TStatValues {
  std::string value;
  int32_t reserved = 0;
  std::string count, countPercent, deviation, deviationPercent, depth, depthPercent, weight,
      periodMin, period, periodMax;
};

struct StatChartPoint {
  double x = 0;
  double y = 0;
  std::string label;
};

struct StatChart {
  std::vector<StatChartPoint> actual;  // "Фактические данные"
  std::vector<StatChartPoint> total;  // "Все возможные комбинации" (norm scaled)
  bool hasTotal = false;
};

// Everything a build reads.
struct StatBuildInput {
  const TStatList* registry = nullptr;
  int entry = -1;  // registry index; -1 = no method
  int offset = 0;
  int depth = 1000;
  bool sortFlag = false;
  const PrefetchData* prefetch = nullptr;  // the norm, when on and available
  bool showTotalLine = true;
  // The user's coefficients of the registry when null.
  const TWeightCoefs* coefs = nullptr;
  // The columns whose texts are made (bit i = column i; "Факт" and the differences cost a scan
  // of the later draws); a step of a scenario reads a few of them.
  uint32_t columns = ~0u;
  bool chart = true;
  // Rows in the order of the values when false (the caller sorts them).
  bool sortRows = true;
};

inline constexpr uint32_t StatColumnBit(StatColumn c) { return 1u << static_cast<int>(c); }

// What makes two builds equal (a build is skipped when nothing of it changed).
struct StatBuildKey {
  uint64_t archiveRevision = 0;
  int archiveCount = 0;
  int offset = 0;
  int depth = 0;
  std::string entryCode;
  TWeightCoefs weights;
  bool sortFlag = false;
  bool prefetch = false;
  bool operator==(const StatBuildKey&) const = default;
};

// Round(num / den) to the nearest integer, halves to even (den > 0).
int64_t RoundDiv(int64_t num, int64_t den);

// The order of rows sorted by a column as the table sorts them: a stable merge sort of `start`
// (row positions) by column text, then by value text; descending reverses both. The comparison
// is not transitive on some columns ("+1" and "-"), so the result can depend on `start`;
// `unique`, when given, tells whether it cannot: every pair of rows compares unequal and the
// comparison is a strict order on these cells.
std::vector<int> SortedRowOrder(const std::vector<const std::string*>& column,
                                const std::vector<const std::string*>& value, bool descending,
                                std::vector<int> start, bool* unique = nullptr);

// Compares two cell texts: as numbers when both read fully as decimal numbers ("," taken as
// "."), otherwise as text folded to lower case. -1, 0 or 1.
int CompareCellTexts(const std::string& a, const std::string& b);

class StatTable {
 public:
  const std::vector<StatRow>& Rows() const { return rows_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const StatChart& Chart() const { return chart_; }
  bool NormShown() const { return normShown_; }
  int Analysed() const { return analysed_; }  // N, the number of analysed draws

  void Clear();
  // Builds the rows for the input (the archive is the registry's).
  void Build(const StatBuildInput& in);

  // Sorting by one column; a click on the same column reverses, another column starts
  // ascending.
  int SortColumn() const { return sortColumn_; }
  bool Descending() const { return descending_; }
  void SetSort(int column, bool descending);
  void ClickColumn(int column);

  // The selection travels with its rows.
  void Select(int row, bool on);
  void SelectOnly(const std::vector<int>& rows);
  void SelectAll(bool on);
  bool IsSelected(int row) const { return rows_[static_cast<size_t>(row)].selected; }
  int SelectedCount() const;
  std::vector<int> SelectedRows() const;
  // Copies of the records of the selected rows (the `selected` list of CombMatches).
  TStatDrawArray SelectedRecords() const;

  TStatValues RowToStatValues(int row) const;

  // The key of the last build, kept by the owner to skip unchanged builds.
  std::optional<StatBuildKey> lastKey;

 private:
  void SortRows();

  std::vector<StatRow> rows_;
  StatChart chart_;
  bool normShown_ = false;
  int analysed_ = 0;
  int sortColumn_ = 1;
  bool descending_ = false;
};

}  // namespace korvane
