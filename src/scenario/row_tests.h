#pragma once

// Which statistics rows a scenario step uses, and when its walk stops.

#include <cstdint>

#include "filters/filter_item.h"
#include "stats/stat_table.h"

namespace korvane {

// The row's condition for the part's selection mode. `value` is the row's "Значение" read by
// the method (ParseValue). Throws Error when a list test meets a text that is not a number.
bool RowQualifies(const TFilterPart& part, const TStatValues& row, int32_t value);

// The stop test before a row is used. `listCount` is the size of the combination list, `steps`
// the steps made so far.
bool StopBeforeRow(const TFilterPart& part, const TStatValues& row, int listCount, int steps);

}  // namespace korvane
