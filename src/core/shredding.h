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

// Evaluates an arithmetic expression exactly: decimal numbers with "." as the point ("1." and
// ".5" are numbers), + - * / with the usual precedence, unary + and -, parentheses; blanks are
// ignored. Returns nothing on bad syntax, division by zero or a value too large to hold.
std::optional<Fraction> EvaluateExact(std::string_view expression);

// The formula with n1..n3, p1..p3 and t1..t3 replaced by the numbers of combinations n, p and
// t: as plain text, case-insensitively, in the order n1 p1 t1 n2 p2 t2 n3 p3 t3.
std::string SubstituteShreddingFormula(std::string_view formula, const TComb& t, const TComb& p,
                                       const TComb& n);

// A formula prepared once for many evaluations: the names become slots filled with the numbers'
// digits, so an evaluation neither allocates nor searches the text.
class ShreddingFormulaProgram {
 public:
  ShreddingFormulaProgram(std::string_view formula, int digits);
  // The first `digits` decimals of the fractional part of |value|; 0 on any evaluation error.
  int64_t Value(const TComb& t, const TComb& p, const TComb& n) const;

 private:
  std::string formula_;   // as written (for the rare formulas that need the plain text route)
  std::string template_;  // blanks removed; names as slot bytes 1..9
  bool plainText_ = false;
  int digits_;
};

int64_t ShreddingValue(std::string_view formula, int digits, const TComb& t, const TComb& p,
                       const TComb& n);

}  // namespace korvane
