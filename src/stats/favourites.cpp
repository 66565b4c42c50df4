#include "stats/favourites.h"

#include "core/strutil.h"

namespace korvane {

namespace {
constexpr const char* kFilters = "FILTERS";
}  // namespace

std::string FilterNamesSection() { return "STRINGS_RUS"; }

void ReadFilterNames(const IniFile& ini, TStatList& registry, bool withFavourites) {
  if (withFavourites) {
    registry.SetEnabledCodes(ini.ReadString(kFilters, "Favorites", registry.GetEnabledCodes()));
    registry.ordered = ini.ReadBool(kFilters, "Ordered", registry.ordered);
    registry.showGroupName = ini.ReadBool(kFilters, "ShowGroupName", registry.showGroupName);
    registry.showMethodFlags = ini.ReadBool(kFilters, "ShowMethodFlags", registry.showMethodFlags);
    // Codes of which none is known here (another game's settings) mean every method, as an
    // empty choice does; the list is never left empty.
    registry.NormalizeEnabled();
  }
  const std::string section = FilterNamesSection();
  for (int i = 0; i < registry.Count(); ++i) {
    TStatMethod& m = registry.Items(i);
    m.customName = std::string(Trim(ini.ReadString(section, m.MethodCode(), "")));
  }
}

void WriteFilterNames(IniFile& ini, const TStatList& registry, bool withFavourites, bool allNames) {
  if (withFavourites) {
    ini.WriteString(kFilters, "Favorites", registry.GetEnabledCodes());
    ini.WriteBool(kFilters, "Ordered", registry.ordered);
    ini.WriteBool(kFilters, "ShowGroupName", registry.showGroupName);
    ini.WriteBool(kFilters, "ShowMethodFlags", registry.showMethodFlags);
  }
  const std::string section = FilterNamesSection();
  ini.EraseSection(section);
  for (int i = 0; i < registry.Count(); ++i) {
    const TStatMethod& m = registry.Items(i);
    if (allNames)
      ini.WriteString(section, m.MethodCode(),
                      m.customName.empty() ? m.DefaultName() : m.customName);
    else if (!m.customName.empty())
      ini.WriteString(section, m.MethodCode(), m.customName);
  }
}

}  // namespace korvane
