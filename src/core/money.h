#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace korvane {

// A fixed-point amount of money: the amount times 10000.
//
// Sums, differences, products and negation saturate: a result beyond the int64 range is the
// nearest limit instead of undefined behaviour. Amounts come from files (the settings, the
// stake and ratings files) that may hold anything, and a total that is pinned at a limit is
// still a number every caller can print and compare. Within the range nothing changes.
struct Money {
  static constexpr int64_t Scale = 10000;
  int64_t units = 0;

  // Rounded to the nearest unit, halves away from zero; NaN gives 0 and amounts beyond the
  // range (infinities included) the nearest limit.
  static Money FromDouble(double amount);
  double ToDouble() const { return static_cast<double>(units) / Scale; }
  // The amount with two decimals and "." ("12.50", "-3.00").
  std::string Text() const;

  auto operator<=>(const Money&) const = default;
  constexpr Money& operator+=(Money o) {
    if (__builtin_add_overflow(units, o.units, &units)) units = o.units < 0 ? Min() : Max();
    return *this;
  }
  constexpr Money& operator-=(Money o) {
    if (__builtin_sub_overflow(units, o.units, &units)) units = o.units < 0 ? Max() : Min();
    return *this;
  }
  constexpr Money operator-() const { return units == Min() ? Money{Max()} : Money{-units}; }
  friend constexpr Money operator+(Money a, Money b) { return a += b; }
  friend constexpr Money operator-(Money a, Money b) { return a -= b; }
  friend constexpr Money operator*(Money a, int64_t k) {
    int64_t r = 0;
    if (__builtin_mul_overflow(a.units, k, &r)) r = (a.units < 0) != (k < 0) ? Min() : Max();
    return Money{r};
  }

 private:
  static constexpr int64_t Max() { return std::numeric_limits<int64_t>::max(); }
  static constexpr int64_t Min() { return std::numeric_limits<int64_t>::min(); }
};

// The largest amount, either sign, that a price read from the settings may have
// (1,000,000,000.0000): far above any real ticket or prize, and far enough below the int64
// limits that the prices of ordinary stakes and their totals never reach them.
inline constexpr Money MaxSettingsAmount{1000000000 * Money::Scale};

// The amount brought into -MaxSettingsAmount..MaxSettingsAmount.
constexpr Money ClampSettingsAmount(Money m) {
  return std::clamp(m, -MaxSettingsAmount, MaxSettingsAmount);
}

}  // namespace korvane
