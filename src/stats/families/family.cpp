#include "stats/families/family.h"

namespace korvane {

std::vector<FamilyMember> AllFamilyMembers() {
  std::vector<FamilyMember> all;
  for (const auto* family :
       {&NumberFamily(), &SumFamily(), &DifferenceFamily(), &ChannelFamily(), &MatrixFamily(),
        &SegmentFamily(), &SequenceFamily(), &RepeatFamily(), &CombValueFamily(), &OgnevFamily(),
        &SeriesFamily(), &ChainFamily(), &ShreddingFamily()})
    all.insert(all.end(), family->begin(), family->end());
  return all;
}

}  // namespace korvane
