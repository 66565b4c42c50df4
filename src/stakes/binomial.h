#pragma once

// Exact binomial probabilities for the "did it beat chance" columns of the ratings: how likely
// pure chance is to give at least the matches a row has.

#include <cstdint>

namespace korvane {

// ln P(X = k) for X ~ Binomial(n, p), 0 < p < 1; -infinity outside 0..n. Accurate to a few
// units in the last place of the probability for any n up to 2^53 (the saddle-point form:
// Stirling's remainders and the deviance term, no cancelling lgamma values).
double BinomialLogPmf(int64_t n, int64_t k, double p);

// P(X >= k) for X ~ Binomial(n, p), 0 < p < 1: exactly 1 for k <= 0, 0 for k > n. The terms are
// summed from the one nearest the middle outwards, in log space, so n in the millions takes
// well under a millisecond and the tail keeps its relative accuracy however small it is.
double BinomialUpperTail(int64_t n, int64_t k, double p);

}  // namespace korvane
