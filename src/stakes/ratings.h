#pragma once

// The rating rows: stakes summed up by comment (case-insensitive), with an index so that a
// batch of n stakes costs n look-ups, not n^2.

#include <string>
#include <unordered_map>

#include "core/stat_records.h"
#include "stakes/stake_data.h"

namespace korvane {

class Ratings {
 public:
  const TRatingsArray& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  // Adds a checked stake to the row of its comment (a new row for a new comment), as
  // AddStakeToRating does.
  void Add(const TStakeData& stake);
  void Add(std::string_view comment, int matches, Money profit);
  void Clear();
  void Assign(TRatingsArray rows);

 private:
  TRatingsArray rows_;
  std::unordered_map<std::string, int> index_;  // lower-case comment -> row
};

}  // namespace korvane
