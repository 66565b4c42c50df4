// The statistics part of the workspace: the registry, the method list, the table build and
// the prefetch files.

#include <algorithm>

#include "app/workspace.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stats/texts.h"

namespace korvane {

void Workspace::BuildRegistry() {
  // The user's choice of methods survives the rebuild.
  const std::string enabled = registry_.GetEnabledCodes();
  const bool ordered = registry_.ordered;
  const bool showGroup = registry_.showGroupName;
  const bool showFlags = registry_.showMethodFlags;
  registry_.Build();
  registry_.SetEnabledCodes(enabled);
  registry_.ordered = ordered;
  registry_.showGroupName = showGroup;
  registry_.showMethodFlags = showFlags;

  statMethods_.clear();
  for (int i = 0; i < registry_.Count(); ++i)
    if (registry_.InMethodList(i)) statMethods_.push_back(i);
  if (registry_.ordered)
    std::stable_sort(statMethods_.begin(), statMethods_.end(), [this](int a, int b) {
      return CompareCellTexts(registry_.ListText(a, true), registry_.ListText(b, true)) < 0;
    });
  const int n = static_cast<int>(statMethods_.size());
  if (statPosition_ < 0 || statPosition_ >= n) statPosition_ = n > 0 ? 0 : -1;
  host_.changed(ChangeRegistry);
}

int Workspace::StatEntry() const {
  if (statPosition_ < 0 || statPosition_ >= static_cast<int>(statMethods_.size())) return -1;
  return statMethods_[static_cast<size_t>(statPosition_)];
}

void Workspace::SelectStatMethod(int position, bool byUser) {
  if (position < -1 || position >= static_cast<int>(statMethods_.size())) return;
  if (position == statPosition_) return;
  statPosition_ = position;
  if (byUser) {
    // The user's choice of another method clears the table; the next build makes it anew.
    statTable_.Clear();
    statTable_.lastKey.reset();
  }
  host_.changed(ChangeStats);
}

bool Workspace::SelectStatMethodByCode(const std::string& code, bool byUser) {
  for (size_t p = 0; p < statMethods_.size(); ++p)
    if (SameText(registry_.Items(statMethods_[p]).MethodCode(), code)) {
      SelectStatMethod(static_cast<int>(p), byUser);
      return true;
    }
  return false;
}

void Workspace::SetStatDepth(int depth) { view_.drawsStatLen = std::max(1, depth); }

void Workspace::BuildStatTable(bool force) {
  const int entry = StatEntry();
  StatBuildKey key;
  key.archiveRevision = archive_.Revision();
  key.archiveCount = archive_.Count();
  key.offset = archive_.DrawsOffset();
  key.depth = StatDepth();
  key.entryCode = entry >= 0 ? registry_.Items(entry).MethodCode() : std::string();
  key.weights = registry_.WeightCoefs();
  key.sortFlag = view_.sortedDraws;
  key.prefetch = view_.prefetchsEnabled;
  if (!force && statTable_.lastKey && *statTable_.lastKey == key) return;
  statTable_.lastKey = key;

  if (entry < 0 || archive_.Empty()) {
    statTable_.Clear();
    host_.changed(ChangeStats);
    return;
  }
  BusyScope busy(busy_, texts::AnalysingDraws);
  PrefetchData prefetch;
  bool havePrefetch = false;
  if (view_.prefetchsEnabled && registry_.HasNorm(entry)) {
    try {
      prefetch = OpenPrefetch(files_.Dir(), registry_, entry, [this](const std::string& name) {
        busy_.SetStatus(Format(texts::CreatingPrefetch, name.c_str()));
      });
      havePrefetch = true;
    } catch (const PrefetchError& e) {
      host_.showMessage(MessageKind::Error,
                        Format(e.creating ? texts::PrefetchCreateError : texts::PrefetchOpenError,
                               e.path.c_str(), e.text.c_str()));
    }
  }
  StatBuildInput in;
  in.registry = &registry_;
  in.entry = entry;
  in.offset = archive_.DrawsOffset();
  in.depth = StatDepth();
  in.sortFlag = view_.sortedDraws;
  in.prefetch = havePrefetch ? &prefetch : nullptr;
  in.showTotalLine = view_.showTotalLine;
  try {
    statTable_.Build(in);
  } catch (const std::exception& e) {
    statTable_.Clear();
    host_.showMessage(MessageKind::Error, e.what());
  }
  host_.changed(ChangeStats);
}

void Workspace::SetPrefetchEnabled(bool on) {
  view_.prefetchsEnabled = on;
  WriteView("PrefetchsEnabled");
  CreateAllPrefetch(false, {});
  BuildStatTable(true);
}

void Workspace::SetShowTotalLine(bool on) {
  BusyScope busy(busy_, texts::CreatingCharts);
  view_.showTotalLine = on;
  WriteView("ShowTotalLine");
  BuildStatTable(true);
}

void Workspace::CreateAllPrefetch(bool force, const std::set<int>& groups) {
  if (!force && !view_.prefetchsEnabled) return;
  BusyScope busy(busy_, texts::CreatingAllPrefetch);
  korvane::CreateAllPrefetch(
      files_.Dir(), registry_, groups,
      [this](int done, int total, const std::string&) {
        host_.progress(done, total, texts::CreatingAllPrefetch);
        return !host_.poll();
      },
      [this](const PrefetchError& e) {
        host_.showMessage(MessageKind::Error,
                          Format(texts::PrefetchCreateError, e.path.c_str(), e.text.c_str()));
      });
  host_.progress(0, 0, {});
}

void Workspace::ApplyShredding(const std::array<ShreddingFormula, 3>& formulas) {
  settings_.shredding = formulas;
  {
    BusyScope busy(busy_, texts::SavingConfig);
    try {
      SaveShreddingSettings(ini_, settings_);
      ini_.Save();
    } catch (const Error& e) {
      ReportError(texts::ConfigWriteError, e.what());
    }
  }
  CreateAllPrefetch(false, {12});
  BuildRegistry();
  statTable_.lastKey.reset();
  RecomputeViews(true);
}

std::vector<std::pair<std::string, std::string>> Workspace::CombDetails(const TComb& comb) const {
  std::vector<std::pair<std::string, std::string>> rows;
  // The combination stands for the draw to be predicted: the one after the offset.
  const int index = archive_.Count() - archive_.DrawsOffset();
  TComb c = comb;
  if (view_.sortedDraws) SortComb(c);
  for (int i = 0; i < registry_.Count(); ++i) {
    if (!registry_.HasGraph(i) || !registry_.InStatList(i)) continue;
    auto stat = registry_.CreateStat(i);
    rows.emplace_back(stat->Class().NameOf(stat->Param()),
                      std::to_string(stat->GraphValueOf(index, index - 1, c, view_.sortedDraws)));
  }
  return rows;
}

}  // namespace korvane
