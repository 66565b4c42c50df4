#pragma once

#include <cstdint>

#include "core/config.h"

namespace korvane {

// The weight of a statistics table row; -999.99 when the arithmetic fails.
long double RowWeight(const TWeightCoefs& coefs, bool hasExpected, int64_t count, int64_t expected,
                      int64_t depth, int64_t total, int64_t largestDepth);

}  // namespace korvane
