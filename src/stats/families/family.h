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

// Every member of every family built so far.
std::vector<FamilyMember> AllFamilyMembers();

}  // namespace korvane
