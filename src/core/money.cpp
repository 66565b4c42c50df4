#include "core/money.h"

#include <cmath>

#include "core/strutil.h"

namespace korvane {

Money Money::FromDouble(double amount) {
  const double scaled = std::round(amount * Scale);
  if (std::isnan(scaled)) return Money{};
  // 2^63 is the first double above the range; -2^63 is the last one inside it.
  constexpr double kTop = 9223372036854775808.0;
  if (scaled >= kTop) return Money{Max()};
  if (scaled < -kTop) return Money{Min()};
  return Money{static_cast<int64_t>(scaled)};
}

std::string Money::Text() const {
  // Round half away from zero to two decimals, on the integer units.
  const bool negative = units < 0;
  const uint64_t a = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
  const uint64_t cents = (a + 50) / 100;
  return Format("%s%llu.%02llu", negative && cents > 0 ? "-" : "",
                static_cast<unsigned long long>(cents / 100),
                static_cast<unsigned long long>(cents % 100));
}

}  // namespace korvane
