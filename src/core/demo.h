#pragma once

#include <cstdint>

#include "core/game.h"

namespace korvane {

// Simulated draws for trying the program, for tests and for benchmarks: `count` draws with
// uniformly random numbers from a seeded generator, numbered from 1, two a day (midday,
// then evening), the last one on the evening of lastDate (yyyymmdd).
TDrawsArray MakeDemoDraws(int count, uint64_t seed, int lastDate = 20261209);

// How many draws two a day make from firstDate to lastDate (both yyyymmdd, inclusive).
int DemoDrawCount(int firstDate, int lastDate);

}  // namespace korvane
