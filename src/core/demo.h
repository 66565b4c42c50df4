#pragma once

#include <cstdint>

#include "core/game.h"

namespace korvane {

// A made-up archive for trying the program, for tests and for benchmarks: `count` draws with
// numbers from a seeded generator, numbered from 1, two a day (midday, then evening) ending
// on the evening of 9 December 2026.
TDrawsArray MakeDemoDraws(int count, uint64_t seed);

}  // namespace korvane
