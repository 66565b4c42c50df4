#pragma once

#include <string>
#include <string_view>

#include "core/game.h"

namespace korvane {

// A list "1;3;5" (comma or semicolon), or a range "from-to;step" / "from-to,step". Anything
// else, a zero step, a negative element count or more than MaxIntListSize elements gives an
// empty list.
inline constexpr int64_t MaxIntListSize = 10000;
TIntArray ParseIntList(std::string_view text);
std::string IntListToText(const TIntArray& list, std::string_view separator);

}  // namespace korvane
