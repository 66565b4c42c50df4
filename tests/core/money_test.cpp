#include "core/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvane {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

TEST(MoneyArithmetic, SumsAndDifferencesStopAtTheInt64Limits) {
  struct Case {
    int64_t a, b, sum, difference;
  } cases[] = {
      {125000, -30000, 95000, 155000},
      {-10000, -10000, -20000, 0},
      {kMax, 0, kMax, kMax},
      {kMax - 5, 5, kMax, kMax - 10},
      {kMax, 1, kMax, kMax - 1},   // one past the top
      {kMax, kMax, kMax, 0},       // a huge prize added twice
      {kMin, -1, kMin, kMin + 1},  // one past the bottom
      {kMin, kMin, kMin, 0},       // two huge losses
      {kMin, kMax, -1, kMin},      // the difference would pass the bottom
      {kMax, kMin, -1, kMax},      // and here the top
      {-1, kMax, kMax - 1, kMin},  // exactly the bottom
      {0, kMin, kMin, kMax},       // 0 - kMin is one past the top
      {4990000, -640000, 4350000, 5630000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << ", " << c.b);
    EXPECT_EQ((Money{c.a} + Money{c.b}).units, c.sum);
    EXPECT_EQ((Money{c.a} - Money{c.b}).units, c.difference);
    Money m{c.a};
    m += Money{c.b};
    EXPECT_EQ(m.units, c.sum);
    m = Money{c.a};
    m -= Money{c.b};
    EXPECT_EQ(m.units, c.difference);
  }
}

TEST(MoneyArithmetic, ProductsAndNegationStopAtTheInt64Limits) {
  struct Case {
    int64_t a, k, product;
  } cases[] = {
      {10000, 64, 640000},
      {-12500, 3, -37500},
      {10000, -1, -10000},
      {0, kMax, 0},
      {kMax, 2, kMax},
      {kMax, -2, kMin},
      {kMin, 2, kMin},
      {kMin, -1, kMax},
      {kMin, 1, kMin},
      {-1, kMin, kMax},
      {int64_t{1} << 40, int64_t{1} << 30, kMax},
      {-(int64_t{1} << 40), int64_t{1} << 30, kMin},
  };
  for (const Case& c : cases) EXPECT_EQ((Money{c.a} * c.k).units, c.product) << c.a << " * " << c.k;

  struct Negation {
    int64_t a, negated;
  } negations[] = {{10000, -10000}, {-10000, 10000}, {0, 0}, {kMax, -kMax}, {kMin, kMax}};
  for (const Negation& n : negations) EXPECT_EQ((-Money{n.a}).units, n.negated) << n.a;
}

TEST(MoneyFromDouble, RoundsAndSaturates) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double amount;
    int64_t units;
  } cases[] = {
      {0.1, 1000},
      {2.675, 26750},
      {-1.25, -12500},
      {0.00004, 0},
      {0.00005, 1},  // half a unit rounds away from zero
      {-0.00005, -1},
      {1e9, 1000000000 * Money::Scale},
      {9.22e14, 9220000000000000000},  // still inside the range
      {9.3e14, kMax},
      {1e300, kMax},
      {-1e300, kMin},
      {inf, kMax},
      {-inf, kMin},
      {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Money::FromDouble(c.amount).units, c.units) << c.amount;
}

TEST(MoneyText, ExtremeAmounts) {
  EXPECT_EQ(Money{kMax}.Text(), "922337203685477.58");
  EXPECT_EQ(Money{kMin}.Text(), "-922337203685477.58");
  EXPECT_EQ(Money{-49}.Text(), "0.00");
}

}  // namespace
}  // namespace korvane
