#pragma once

// The favourite methods and the user's names for methods, as kept in Korvane.flt and in name
// files: section FILTERS (the enabled codes and the three list flags) and one names section
// per interface language (code = name).

#include <string>

#include "core/ini.h"
#include "stats/registry.h"

namespace korvane {

// "STRINGS_RUS": the names section of the interface language (the interface is Russian).
std::string FilterNamesSection();

// Applies what the file holds: with `withFavourites` the enabled codes (default: the current
// ones) and the flags (default: their current values); then every entry's custom name (the
// trimmed value of its code; empty when absent).
void ReadFilterNames(const IniFile& ini, TStatList& registry, bool withFavourites);
// With `withFavourites` the four FILTERS keys; the names section written anew: every entry's
// name with `allNames`, else only the custom names.
void WriteFilterNames(IniFile& ini, const TStatList& registry, bool withFavourites, bool allNames);

}  // namespace korvane
