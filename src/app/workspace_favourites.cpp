// The favourite methods and the user's names of methods.

#include "app/dialogue.h"
#include "app/workspace.h"
#include "core/ini.h"
#include "core/strutil.h"
#include "filters/texts.h"
#include "stats/favourites.h"
#include "stats/texts.h"

namespace korvane {

namespace {

// What the manager shows becomes the user's name unless it is the default name (any case).
void SetShownName(TStatMethod& m, const std::string& shown) {
  const std::string name(Trim(shown));
  m.customName = name.empty() || SameText(name, m.DefaultName()) ? std::string() : name;
}

}  // namespace

bool Workspace::LoadFilterNames(const fs::path& file, bool withFavourites) {
  const bool ok = Guarded(host_, texts::FilterNamesLoadError, [&] {
    IniFile ini(file);
    ini.Load();
    ReadFilterNames(ini, stats_.EditRegistry(), withFavourites);
  });
  // Whatever was applied before a failure stays; the lists follow it.
  stats_.BuildRegistry();
  return ok;
}

bool Workspace::SaveFilterNames(const fs::path& file, bool withFavourites, bool allNames) {
  return Guarded(host_, texts::FilterNamesSaveError, [&] {
    IniFile ini(file);
    ini.Load();  // the names of other languages stay
    WriteFilterNames(ini, stats_.Registry(), withFavourites, allNames);
    ini.Save();
  });
}

bool Workspace::ApplyFavourites(const FavouriteChoice& choice) {
  TStatList& registry = stats_.EditRegistry();
  BusyScope busy(busy_, texts::PleaseWait);
  for (int i = 0; i < registry.Count(); ++i) {
    TStatMethod& m = registry.Items(i);
    const auto at = static_cast<size_t>(i);
    if (at < choice.enabled.size()) m.enabled = choice.enabled[at];
    if (at < choice.names.size()) SetShownName(m, choice.names[at]);
  }
  registry.allEnabled = false;
  registry.NormalizeEnabled();
  registry.ordered = choice.ordered;
  registry.showGroupName = choice.showGroupName;
  registry.showMethodFlags = choice.showMethodFlags;
  const bool saved = SaveFilterNames(files_.Favourites(), true, false);
  stats_.BuildRegistry();
  return saved;
}

bool Workspace::ResetFavourites() {
  if (!host_.ask(texts::FavouritesResetQuestion, false)) return false;
  BusyScope busy(busy_, texts::PleaseWait);
  stats_.EditRegistry().EnableAll();
  const bool saved = SaveFilterNames(files_.Favourites(), true, false);
  stats_.BuildRegistry();
  return saved;
}

bool Workspace::ImportFilterNames(const fs::path& file) {
  BusyScope busy(busy_, texts::PleaseWait);
  return LoadFilterNames(file, false);
}

bool Workspace::ExportFilterNames(const std::vector<std::string>& names, const fs::path& file) {
  BusyScope busy(busy_, texts::PleaseWait);
  TStatList& registry = stats_.EditRegistry();
  for (int i = 0; i < registry.Count() && static_cast<size_t>(i) < names.size(); ++i)
    SetShownName(registry.Items(i), names[static_cast<size_t>(i)]);
  const bool ok = SaveFilterNames(file, false, true);
  // The registry's names go back to what Korvane.flt holds.
  LoadFilterNames(files_.Favourites(), false);
  return ok;
}

}  // namespace korvane
