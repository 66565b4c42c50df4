// Shredding formulas.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& ShreddingFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
