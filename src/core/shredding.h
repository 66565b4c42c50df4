#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/game.h"

namespace korvane {

// An exact fraction num/den (den > 0, in lowest terms).
struct Fraction {
  __int128 num = 0;
  __int128 den = 1;
};

// Evaluates an arithmetic expression of decimal numbers with + - * / and parentheses exactly.
// Returns nothing on bad syntax, division by zero or a value too large to hold exactly.
std::optional<Fraction> EvaluateExact(std::string_view expression);

// The formula with n1..n3, p1..p3 and t1..t3 replaced by the numbers of combinations n, p
// and t (letters matched case-insensitively).
std::string SubstituteShreddingFormula(std::string_view formula, const TComb& t, const TComb& p,
                                       const TComb& n);

// The first `digits` decimals of the fractional part of |value of the formula|, as an integer;
// 0 on any evaluation error.
int64_t ShreddingValue(std::string_view formula, int digits, const TComb& t, const TComb& p,
                       const TComb& n);

}  // namespace korvane
