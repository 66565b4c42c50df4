#include "core/shredding.h"

#include <gtest/gtest.h>

#include "core/weight.h"

namespace korvane {
namespace {

TEST(Shredding, ExactDecimals) {
  const TComb zero{0, 0, 0};
  struct Case {
    const char* formula;
    int digits;
    TComb n;
    int64_t value;
  } cases[] = {
      {"(7)/5", 2, zero, 40},  // 1.4 exactly; binary floating point would give 39
      {"(n1+n2)/n3", 2, {3, 4, 5}, 40},
      {"(n1+n3)/n2", 2, {1, 2, 3}, 0},
      {"(n1+n2)/n3", 3, {1, 1, 3}, 666},  // 0.666... truncated
      {"(n1+n2)/n3", 9, {1, 1, 3}, 666666666},
      {"-(n1+n2)/n3", 2, {1, 1, 3}, 66},  // absolute value
      {"n1-n2*n3", 2, {1, 2, 3}, 0},      // precedence: 1 - 6 = -5
      {"1.25*3", 2, zero, 75},
      {"0,5+0.25", 2, zero, 0},  // "," is no decimal point: bad syntax
      {"1.+.5", 2, zero, 50},
      {" ( 7 ) / 5 ", 2, zero, 40},  // blanks are ignored
      {"1 2/5", 1, zero, 4},         // even inside numbers: 12/5
      {"n10/7", 3, {5, 0, 0}, 142},  // "n10" is n1 followed by "0": 50/7
      {"n4+1", 2, {1, 2, 3}, 0},     // a name left over is bad syntax
      {"+-3/4", 2, zero, 75},        // unary signs
      {"(n1+n2)/n3", 2, {0, 6, 5}, 20},
      {"N1/N2", 1, {1, 4, 0}, 2},       // letters match case-insensitively
      {"(n1+n2)/n3", 2, {1, 2, 0}, 0},  // division by zero
      {"(n1+", 2, {1, 2, 3}, 0},        // bad syntax
      {"", 2, zero, 0},
      {"2 3", 2, zero, 0},
      {"((((1/3))))", 4, zero, 3333},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShreddingValue(c.formula, c.digits, zero, zero, c.n), c.value) << c.formula;
}

TEST(Shredding, SubstitutesEveryCombination) {
  const TComb t{1, 2, 3}, p{4, 5, 6}, n{7, 8, 9};
  EXPECT_EQ(SubstituteShreddingFormula("n1+p2*t3+N3-T1", t, p, n), "7+5*3+9-1");
  EXPECT_EQ(ShreddingValue("(t1+p1)/n1", 3, t, p, n), 714);  // 5/7 = 0.714285...
}

TEST(Shredding, PreparedFormulasGiveTheSameValues) {
  const char* formulas[] = {
      "(n1+n2)/n3", "(n1+n3)/n2", "(n2+n3)/n1", "n1/(p1+t1+1)", "(N1*10+n2)/7.3",
      "nn1/3",  // "nn1": the plain text route
      "p1t1/(n3+1)", "-(n1-n2)/n3", "1/0", "x+1", "n1n2n3/997", "",
      // t3 (its slot byte once was a tab, dropped with the blanks) and raw control bytes.
      "(n1+t3)/7", "t3/(p3+n2+1)", "(n1\x01)/3", "(n1\x11+1)/3", "\x09n1/7"};
  for (const char* f : formulas)
    for (int digits : {1, 2, 5}) {
      const ShreddingFormulaProgram program(f, digits);
      for (int v = 0; v < 1000; v += 7) {
        const TComb n{static_cast<uint8_t>(v / 100), static_cast<uint8_t>(v / 10 % 10),
                      static_cast<uint8_t>(v % 10)};
        const TComb p{static_cast<uint8_t>((v + 3) % 10), 2, 3};
        const TComb t{4, static_cast<uint8_t>(v % 7), 6};
        ASSERT_EQ(program.Value(t, p, n), ShreddingValue(f, digits, t, p, n))
            << f << " " << CombToText(n);
      }
    }
}

TEST(Shredding, HugeValuesGiveZeroInsteadOfOverflowing) {
  const TComb z{0, 0, 0};
  std::string f = "1";
  for (int i = 0; i < 50; ++i) f += "*99999";
  f += "/7";
  EXPECT_EQ(ShreddingValue(f, 2, z, z, z), 0);
}

TEST(RowWeight, Cases) {
  TWeightCoefs plain;  // count 0, deviation -1, level 1
  EXPECT_DOUBLE_EQ(static_cast<double>(RowWeight(plain, true, 10, 12, 3, 100, 9)), 2 + 3);
  EXPECT_DOUBLE_EQ(static_cast<double>(RowWeight(plain, false, 10, 12, 3, 100, 9)), 3);

  TWeightCoefs pct{1, 1, 1, true, false};
  // x1 = 10 * 100 / 50 = 20, x2 = -2 * 100 / 12, x3 = 3 * 100 / 6 = 50
  EXPECT_NEAR(static_cast<double>(RowWeight(pct, true, 10, 12, 3, 50, 6)), 20 - 200.0 / 12 + 50,
              1e-9);
  // Zero denominators give 0 for their term.
  EXPECT_DOUBLE_EQ(static_cast<double>(RowWeight(pct, true, 10, 0, 3, 0, 0)), 0);

  TWeightCoefs absVals{0, 1, 0, false, true};
  EXPECT_DOUBLE_EQ(static_cast<double>(RowWeight(absVals, true, 3, 10, 0, 0, 0)), 7);
}

}  // namespace
}  // namespace korvane
