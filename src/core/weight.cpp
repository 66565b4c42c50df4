#include "core/weight.h"

#include <cmath>

namespace korvane {

long double RowWeight(const TWeightCoefs& coefs, bool hasExpected, int64_t count, int64_t expected,
                      int64_t depth, int64_t total, int64_t largestDepth) {
  using ld = long double;
  const ld dev = hasExpected ? static_cast<ld>(count) - static_cast<ld>(expected) : 0;
  ld x1, x2, x3;
  if (coefs.usePercents) {
    x1 = total == 0 ? 0 : static_cast<ld>(count) * 100 / static_cast<ld>(total);
    x2 = (!hasExpected || expected == 0) ? 0 : dev * 100 / static_cast<ld>(expected);
    x3 = largestDepth == 0 ? 0 : static_cast<ld>(depth) * 100 / static_cast<ld>(largestDepth);
  } else {
    x1 = static_cast<ld>(count);
    x2 = dev;
    x3 = static_cast<ld>(depth);
  }
  if (coefs.useAbsValues) {
    x1 = std::fabs(x1);
    x2 = std::fabs(x2);
    x3 = std::fabs(x3);
  }
  const ld w = coefs.count * x1 + coefs.deviation * x2 + coefs.level * x3;
  if (!std::isfinite(w)) return -999.99L;
  return w;
}

}  // namespace korvane
