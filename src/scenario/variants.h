#pragma once

// The variants of a scenario line: the Cartesian product of its descriptors' variants (draws
// values, and for threshold modes their values), item 1 varying slowest. Variants are made one
// at a time from their number, never held as a chain.

#include <cstdint>
#include <vector>

#include "core/game.h"
#include "filters/filter_item.h"

namespace korvane {

inline constexpr uint64_t MaxVariants = 1000000;

class VariantPlan {
 public:
  // Checks the descriptors and counts the variants. Throws Error with "Некорректное описание
  // фильтра: ...!" for a descriptor without draws or values, with a sort column outside the
  // table or a draws value below 1, and with the too-many-variants message above MaxVariants.
  explicit VariantPlan(const std::vector<TFilterItem>& items);
  uint64_t Count() const { return count_; }
  // Variant k (from 0) in building order.
  TFilterVar At(uint64_t k) const;

 private:
  std::vector<TFilterItem> items_;
  std::vector<TIntArray> draws_;
  std::vector<TIntArray> levels_;
  std::vector<uint64_t> radix_;
  uint64_t count_ = 0;
};

}  // namespace korvane
