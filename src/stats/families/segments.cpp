// Segments of the matrix.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& SegmentFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
