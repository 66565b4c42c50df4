// Differences of the numbers of a draw.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& DifferenceFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
