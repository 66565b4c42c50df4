#pragma once

// The statistics tables of the steps of a run at one offset. A table depends on its method,
// depth and weight coefficients, never on the combination list, so every variant (and every
// worker) of the offset shares one build; its sorted orders are made once per column.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/config.h"
#include "stats/prefetch.h"
#include "stats/registry.h"
#include "stats/stat_table.h"

namespace korvane {

struct StepTableKey {
  int entry = -1;  // registry index
  int depth = 0;
  TWeightCoefs coefs{};
  bool operator==(const StepTableKey&) const = default;
};

class StepTable {
 public:
  // Rows in the order of the values, with the texts a step reads.
  std::vector<StatRow> rows;
  std::vector<TStatValues> values;
  std::string caption;  // the method as the run log names it
  std::string error;    // the build failed: no rows

  struct Order {
    std::vector<int> rows;  // positions in `rows`
    // The order is the same from any starting order (see SortedRowOrder).
    bool unique = false;
  };
  // The rows sorted by a column from the order of the values; made once, by any thread.
  const Order& Sorted(int column, bool descending) const;
  // The rows of `from` sorted again by a column (descending), as a sort of the shown table does.
  std::vector<int> Resorted(const std::vector<int>& from, int column) const;

 private:
  mutable std::array<std::once_flag, 2 * StatColumnCount> once_;
  mutable std::array<Order, 2 * StatColumnCount> sorted_;
};

// What every table of a run is built from.
struct StepTableInputs {
  const TStatList* registry = nullptr;
  bool sortFlag = false;
  bool showTotalLine = true;
  uint32_t columns = ~0u;  // the texts to make
  // The norms of the methods that have them (prefetch on), by registry index.
  const std::map<int, PrefetchData>* prefetch = nullptr;
};

class StepTables {
 public:
  explicit StepTables(StepTableInputs inputs) : inputs_(std::move(inputs)) {}
  // Drops the tables of the previous offset.
  void Reset(int offset);
  int Offset() const { return offset_; }
  // The table for the key, built on first use; safe from any thread.
  std::shared_ptr<const StepTable> Get(const StepTableKey& key);

 private:
  struct Slot {
    StepTableKey key;
    std::once_flag once;
    std::shared_ptr<StepTable> table;
  };
  std::shared_ptr<StepTable> Build(const StepTableKey& key) const;

  StepTableInputs inputs_;
  int offset_ = 0;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Slot>> slots_;
};

// The columns every step reads: the value, the row tests' cells and the log's.
uint32_t StepColumns();

}  // namespace korvane
