// Chains: transitions of values between draws.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& ChainFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
