// Ognev numbers.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& OgnevFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
