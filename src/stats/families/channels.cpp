// Channels: numbers grouped by the channel size.

#include "stats/families/family.h"
#include "stats/stat_base.h"

namespace korvane {

const std::vector<FamilyMember>& ChannelFamily() {
  static const std::vector<FamilyMember> members = {};
  return members;
}

}  // namespace korvane
