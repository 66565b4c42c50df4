#pragma once

// The method registry descriptors are read against: the default settings, built once.

#include "core/config.h"
#include "core/game.h"
#include "stats/registry.h"

namespace korvane::fuzz {

inline const TStatList& Registry() {
  static TDrawsArray draws;
  static GameSettings settings;
  static TStatList registry{draws, settings};
  static const bool built = (registry.Build(), true);
  (void)built;
  return registry;
}

// Whether the descriptor's method takes a list of values (LVA), as the filter dialog asks.
inline bool AcceptsValueText(const TStatList& registry, const std::string& methodCode) {
  const int i = methodCode.empty() ? -1 : registry.IndexOfCode(methodCode);
  return i >= 0 && registry.Items(i).AcceptsValueText();
}

}  // namespace korvane::fuzz
