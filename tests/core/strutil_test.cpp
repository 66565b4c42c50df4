#include "core/strutil.h"

#include <gtest/gtest.h>

#include <random>

namespace korvane {
namespace {

// The statistics table writes its percentages with FixedText; the texts must be the ones
// printf gives, ties and negative zero included.
TEST(StrUtil, FixedTextWritesWhatPrintfWrites) {
  const double cases[] = {0.0,   -0.0,    0.125,   0.375,     2.5,           -2.5,  1e-7,   -1e-7,
                          100.0, 1.0 / 3, 2.0 / 3, 99.999995, 123456789.125, 1e300, -12.345};
  for (double v : cases)
    for (int digits : {0, 2, 4, 5})
      EXPECT_EQ(FixedText(v, digits), Format("%.*f", digits, v)) << v << " " << digits;
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> dist(-1000.0, 1000.0);
  for (int i = 0; i < 2000; ++i) {
    const double v = dist(rng);
    ASSERT_EQ(FixedText(v, 5), Format("%.5f", v)) << v;
    const long double w = static_cast<long double>(v) / 3;
    ASSERT_EQ(FixedText(w, 2), Format("%.2Lf", w)) << v;
  }
}

}  // namespace
}  // namespace korvane
