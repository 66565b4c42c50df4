// Series and periods of values.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& SeriesFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
