#include "stakes/binomial.h"

#include <cmath>
#include <limits>

namespace korvane {

namespace {

constexpr double kLn2Pi = 1.8378770664093454836;  // ln(2 pi)

// ln(n!) - ln(sqrt(2 pi n) (n/e)^n): the error of Stirling's formula, n >= 1. Up to 15 it is
// taken from lgamma (the values there are small and the cancellation costs nothing that
// matters); above, from its asymptotic series, which converges fast enough to double
// precision with four terms or fewer.
double StirlingError(double n) {
  if (n <= 15.0) return std::lgamma(n + 1.0) - (n + 0.5) * std::log(n) + n - 0.5 * kLn2Pi;
  constexpr double s0 = 1.0 / 12, s1 = 1.0 / 360, s2 = 1.0 / 1260, s3 = 1.0 / 1680, s4 = 1.0 / 1188;
  const double nn = n * n;
  if (n > 500) return (s0 - s1 / nn) / n;
  if (n > 80) return (s0 - (s1 - s2 / nn) / nn) / n;
  if (n > 35) return (s0 - (s1 - (s2 - s3 / nn) / nn) / nn) / n;
  return (s0 - (s1 - (s2 - (s3 - s4 / nn) / nn) / nn) / nn) / n;
}

// x ln(x / m) + m - x, the deviance term, x > 0, m > 0. When x is close to m the direct form
// loses every digit to cancellation; there the series in v = (x - m) / (x + m) is summed:
// x ln(x/m) + m - x = (x - m) v + 2 x sum_{j>=1} v^(2j+1) / (2j + 1).
double Deviance(double x, double m) {
  if (std::fabs(x - m) < 0.1 * (x + m)) {
    double v = (x - m) / (x + m);
    double sum = (x - m) * v;
    if (std::fabs(sum) < std::numeric_limits<double>::min()) return sum;
    double term = 2.0 * x * v;
    v *= v;
    for (int j = 1; j < 1000; ++j) {
      term *= v;
      const double next = sum + term / (2 * j + 1);
      if (next == sum) return next;
      sum = next;
    }
    return sum;
  }
  return x * std::log(x / m) + m - x;
}

}  // namespace

double BinomialLogPmf(int64_t n, int64_t k, double p) {
  if (k < 0 || k > n) return -std::numeric_limits<double>::infinity();
  const double q = 1.0 - p;
  const auto nd = static_cast<double>(n);
  if (k == 0) return nd * std::log1p(-p);
  if (k == n) return nd * std::log(p);
  const auto kd = static_cast<double>(k);
  const double rest = nd - kd;
  const double lc = StirlingError(nd) - StirlingError(kd) - StirlingError(rest) -
                    Deviance(kd, nd * p) - Deviance(rest, nd * q);
  // ln(2 pi k (n - k) / n)
  const double lf = kLn2Pi + std::log(kd) + std::log1p(-kd / nd);
  return lc - 0.5 * lf;
}

double BinomialUpperTail(int64_t n, int64_t k, double p) {
  if (k <= 0) return 1.0;
  if (k > n) return 0.0;
  if (!(p > 0.0)) return 0.0;
  if (!(p < 1.0)) return 1.0;
  const double q = 1.0 - p;
  const auto nd = static_cast<double>(n);
  // Terms P(X = j) grow up to the mode and fall after it: P(X = j + 1) <= P(X = j) exactly when
  // j >= (n + 1) p - 1. From k onwards on the falling side the tail is summed directly; below
  // it, the lower tail P(X <= k - 1) (then falling towards 0 and at most about one half of
  // the whole) is summed and taken from 1. Each sum starts at its largest term, with the
  // others as ratios to it, and stops when a term no longer changes the sum.
  constexpr double kNegligible = 1e-17;
  if (static_cast<double>(k) >= (nd + 1.0) * p - 1.0) {
    const double ratio = p / q;
    double term = 1.0, sum = 1.0;
    for (int64_t j = k; j < n; ++j) {
      term *= static_cast<double>(n - j) / static_cast<double>(j + 1) * ratio;
      sum += term;
      if (term < sum * kNegligible) break;
    }
    return std::exp(BinomialLogPmf(n, k, p) + std::log(sum));
  }
  const double ratio = q / p;
  double term = 1.0, sum = 1.0;
  for (int64_t j = k - 1; j > 0; --j) {
    term *= static_cast<double>(j) / static_cast<double>(n - j + 1) * ratio;
    sum += term;
    if (term < sum * kNegligible) break;
  }
  const double lower = std::exp(BinomialLogPmf(n, k - 1, p) + std::log(sum));
  return lower >= 1.0 ? 0.0 : 1.0 - lower;
}

}  // namespace korvane
