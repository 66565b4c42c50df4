#include "stakes/binomial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvane {
namespace {

// P(X >= k) by the plain sum of the terms C(n, j) p^j (1 - p)^(n - j), j = k..n, in doubles:
// good to about 1e-13 relative for the small n used here, and sharing nothing with the code
// under test.
double PlainUpperTail(int n, int k, double p) {
  double sum = 0;
  for (int j = std::max(k, 0); j <= n; ++j) {
    double c = 1;
    for (int i = 1; i <= j; ++i) c = c * (n - j + i) / i;
    sum += c * std::pow(p, j) * std::pow(1 - p, n - j);
  }
  return sum;
}

TEST(Binomial, UpperTailMatchesReferenceValues) {
  // The references were computed outside this program twice, agreeing to 16 digits: as exact
  // rational sums (Python's fractions.Fraction, n up to 30,000) and as 40-digit mpmath sums
  // of the terms (all rows, the n of 10^6 stakes included).
  struct Case {
    int64_t n;
    int64_t k;
    double p;
    double expected;
  } cases[] = {
      {30, 8, 0.1, 0.0077836192379213124},     // 10 stakes with 8 matched positions
      {1000, 3, 0.001, 0.080209342840201054},  // 1,000 stakes with three 3-match wins
      {30, 1, 0.1, 0.9576088417247838},
      {30, 30, 0.1, 1e-30},
      {3000, 330, 0.1, 0.037687884945525491},
      {3000, 300, 0.1, 0.50890197255266804},
      {3000, 270, 0.1, 0.96975002853062730},
      {3000, 400, 0.1, 3.2825714659978129e-9},
      {30000, 3100, 0.1, 0.028185879742331559},
      {1000, 8, 0.001, 1.0031870614756392e-5},
      // One million stakes: 3,000,000 positions and 1,000,000 chances of a win.
      {3000000, 301000, 0.1, 0.027249632920380399},
      {3000000, 300000, 0.1, 0.50028151374279029},
      {3000000, 299000, 0.1, 0.97295774226730965},
      {3000000, 302500, 0.1, 7.7518963481267834e-7},
      {1000000, 1000, 0.001, 0.50421155516699203},
      {1000000, 1100, 0.001, 9.5746697002853970e-4},
      {1000000, 950, 0.001, 0.94588126174200328},
      // Two billion stakes, near the largest count a ratings row holds.
      {6000000000, 600100000, 0.1, 8.4177110700528825e-6},
  };
  for (const Case& c : cases) {
    const double got = BinomialUpperTail(c.n, c.k, c.p);
    // Within 1e-12 relative (the terms of ln n! for n in the billions cost the last digits).
    EXPECT_NEAR(got, c.expected, c.expected * 1e-12) << "n=" << c.n << " k=" << c.k << " p=" << c.p;
  }
}

TEST(Binomial, UpperTailAgreesWithThePlainSumForSmallN) {
  for (double p : {0.1, 0.001, 0.5, 0.9}) {
    for (int n = 1; n <= 60; ++n) {
      for (int k = -1; k <= n + 1; ++k) {
        const double plain = PlainUpperTail(n, k, p);
        const double got = BinomialUpperTail(n, k, p);
        EXPECT_NEAR(got, plain, plain * 1e-11 + 1e-300) << "n=" << n << " k=" << k << " p=" << p;
      }
    }
  }
}

TEST(Binomial, EdgesAreExact) {
  struct Case {
    int64_t n, k;
    double p, expected;
  } cases[] = {
      {30, 0, 0.1, 1.0},  {30, -5, 0.1, 1.0},       {0, 0, 0.1, 1.0},
      {30, 31, 0.1, 0.0}, {0, 1, 0.1, 0.0},         {1, 1, 0.001, 0.001},
      {2, 2, 0.1, 0.01},  {1000000, 0, 0.001, 1.0}, {3000000, 3000001, 0.1, 0.0},
      {1, 1, 0.5, 0.5},   {3, 0, 0.1, 1.0},
  };
  for (const Case& c : cases) {
    const double got = BinomialUpperTail(c.n, c.k, c.p);
    if (c.expected == 1.0 || c.expected == 0.0)
      EXPECT_EQ(got, c.expected) << c.n << " " << c.k;
    else
      EXPECT_NEAR(got, c.expected, c.expected * 1e-14) << c.n << " " << c.k;
  }
}

TEST(Binomial, TinyTailsKeepTheirRelativeAccuracy) {
  // P(X >= n) = p^n: far below anything a 1 - lower-tail subtraction could show.
  EXPECT_NEAR(BinomialUpperTail(100, 100, 0.1), 1e-100, 1e-112);
  EXPECT_NEAR(BinomialUpperTail(50, 50, 0.001), 1e-150, 1e-162);
  // Beyond the double range the tail is 0, never NaN.
  EXPECT_EQ(BinomialUpperTail(3000000, 3000000, 0.1), 0.0);
}

TEST(Binomial, LogPmfSumsToOneAndMatchesTheDirectFormula) {
  // Over the whole range, the probabilities of 3,000,000 positions add up to 1.
  double total = 0;
  for (int64_t k = 290000; k <= 310000; ++k) total += std::exp(BinomialLogPmf(3000000, k, 0.1));
  EXPECT_NEAR(total, 1.0, 1e-12);
  // For moderate n the direct lgamma form is accurate enough to compare with.
  for (int64_t n : {1, 2, 7, 16, 40, 100, 600}) {
    for (int64_t k : {int64_t{0}, int64_t{1}, n / 10, n / 3, n - 1, n}) {
      if (k < 0 || k > n) continue;
      const double direct = std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) +
                            k * std::log(0.1) + (n - k) * std::log1p(-0.1);
      // The direct form itself is good to a few ulps of ln(n!).
      EXPECT_NEAR(BinomialLogPmf(n, k, 0.1), direct, 1e-13 * (1 + std::lgamma(n + 1.0)))
          << n << " " << k;
    }
  }
  EXPECT_EQ(BinomialLogPmf(10, 11, 0.1), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(BinomialLogPmf(10, -1, 0.1), -std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace korvane
