#pragma once

// What a family contributes for each of its classes: the name pattern and the factory.

#include <vector>

#include "stats/stat_class.h"

namespace korvane {

struct FamilyMember {
  const char* className;
  const char* nameFormat;
  StatFactory create;
  GameRangeFn gameRange = nullptr;
  NameOfFn nameOf = nullptr;
};

const std::vector<FamilyMember>& NumberFamily();
const std::vector<FamilyMember>& SumFamily();
const std::vector<FamilyMember>& DifferenceFamily();
const std::vector<FamilyMember>& ChannelFamily();
const std::vector<FamilyMember>& MatrixFamily();
const std::vector<FamilyMember>& SegmentFamily();
const std::vector<FamilyMember>& SequenceFamily();
const std::vector<FamilyMember>& RepeatFamily();
const std::vector<FamilyMember>& CombValueFamily();
const std::vector<FamilyMember>& OgnevFamily();
const std::vector<FamilyMember>& SeriesFamily();
const std::vector<FamilyMember>& ChainFamily();
const std::vector<FamilyMember>& ShreddingFamily();

// Every member of every family built so far.
std::vector<FamilyMember> AllFamilyMembers();

}  // namespace korvane
