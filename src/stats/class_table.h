#pragma once

#include <vector>

#include "stats/stat_class.h"

namespace korvane {

inline constexpr int StatClassCount = 143;

// The registration table: all method classes in their fixed order, each joined with the
// family that implements it (a class whose family is not built has no factory).
const std::vector<StatClassInfo>& StatClasses();

}  // namespace korvane
