#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// A fixed-point amount of money: the amount times 10000.
struct Money {
  static constexpr int64_t Scale = 10000;
  int64_t units = 0;

  static Money FromDouble(double amount);  // rounded to the nearest unit
  double ToDouble() const { return static_cast<double>(units) / Scale; }
  // The amount with two decimals and "." ("12.50", "-3.00").
  std::string Text() const;

  auto operator<=>(const Money&) const = default;
  Money& operator+=(Money o) {
    units += o.units;
    return *this;
  }
  Money& operator-=(Money o) {
    units -= o.units;
    return *this;
  }
  friend Money operator+(Money a, Money b) { return a += b; }
  friend Money operator-(Money a, Money b) { return a -= b; }
  friend Money operator*(Money a, int64_t k) { return Money{a.units * k}; }
};

}  // namespace korvane
