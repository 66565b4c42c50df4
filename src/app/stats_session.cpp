#include "app/stats_session.h"

#include <algorithm>

#include "core/strutil.h"
#include "core/texts.h"
#include "stats/prefetch.h"
#include "stats/texts.h"

namespace korvane {

StatsSession::StatsSession(const SessionContext& ctx, const DrawArchive& archive,
                           const SettingsStore& settings, GameSettings& registrySettings)
    : ctx_(ctx),
      archive_(archive),
      settings_(settings),
      registry_(archive.Draws(), registrySettings) {}

void StatsSession::BuildRegistry() {
  // The user's choice of methods survives the rebuild.
  const std::string enabled = registry_.GetEnabledCodes();
  const bool ordered = registry_.ordered;
  const bool showGroup = registry_.showGroupName;
  const bool showFlags = registry_.showMethodFlags;
  std::vector<std::pair<std::string, std::string>> names;
  for (int i = 0; i < registry_.Count(); ++i)
    if (!registry_.Items(i).customName.empty())
      names.emplace_back(registry_.Items(i).MethodCode(), registry_.Items(i).customName);
  registry_.Build();
  // So do the user's names of methods.
  for (const auto& [code, name] : names)
    if (const int i = registry_.IndexOfCode(code); i >= 0) registry_.Items(i).customName = name;
  registry_.SetEnabledCodes(enabled);
  registry_.ordered = ordered;
  registry_.showGroupName = showGroup;
  registry_.showMethodFlags = showFlags;

  methods_.clear();
  for (int i = 0; i < registry_.Count(); ++i)
    if (registry_.InMethodList(i)) methods_.push_back(i);
  if (registry_.ordered)
    std::stable_sort(methods_.begin(), methods_.end(), [this](int a, int b) {
      return CompareCellTexts(registry_.ListText(a, true), registry_.ListText(b, true)) < 0;
    });
  const int n = static_cast<int>(methods_.size());
  if (position_ < 0 || position_ >= n) position_ = n > 0 ? 0 : -1;
  ctx_.host.changed(ChangeRegistry);
}

int StatsSession::Entry() const {
  if (position_ < 0 || position_ >= static_cast<int>(methods_.size())) return -1;
  return methods_[static_cast<size_t>(position_)];
}

void StatsSession::Select(int position, bool byUser) {
  if (position < -1 || position >= static_cast<int>(methods_.size())) return;
  if (position == position_) return;
  position_ = position;
  if (byUser) {
    // The user's choice of another method clears the table; the next build makes it anew.
    table_.Clear();
    table_.lastKey.reset();
  }
  ctx_.host.changed(ChangeStats);
}

bool StatsSession::SelectByCode(const std::string& code, bool byUser) {
  for (size_t p = 0; p < methods_.size(); ++p)
    if (SameText(registry_.Items(methods_[p]).MethodCode(), code)) {
      Select(static_cast<int>(p), byUser);
      return true;
    }
  return false;
}

void StatsSession::Build(bool force) {
  const ViewSettings& view = settings_.View();
  const int entry = Entry();
  StatBuildKey key;
  key.archiveRevision = archive_.Revision();
  key.archiveCount = archive_.Count();
  key.offset = archive_.DrawsOffset();
  key.depth = Depth();
  key.entryCode = entry >= 0 ? registry_.Items(entry).MethodCode() : std::string();
  key.weights = registry_.WeightCoefs();
  key.sortFlag = view.sortedDraws;
  key.prefetch = view.prefetchsEnabled;
  if (!force && table_.lastKey && *table_.lastKey == key) return;
  table_.lastKey = key;

  if (entry < 0 || archive_.Empty()) {
    table_.Clear();
    ctx_.host.changed(ChangeStats);
    return;
  }
  BusyScope busy(ctx_.busy, texts::AnalysingDraws);
  const std::optional<PrefetchData> prefetch = LoadPrefetch(entry);
  StatBuildInput in;
  in.registry = &registry_;
  in.entry = entry;
  in.offset = archive_.DrawsOffset();
  in.depth = Depth();
  in.sortFlag = view.sortedDraws;
  in.prefetch = prefetch ? &*prefetch : nullptr;
  in.showTotalLine = view.showTotalLine;
  try {
    table_.Build(in);
  } catch (const std::exception& e) {
    table_.Clear();
    ctx_.host.showMessage(MessageKind::Error, e.what());
  }
  ctx_.host.changed(ChangeStats);
}

std::optional<PrefetchData> StatsSession::LoadPrefetch(int entry) {
  if (!settings_.View().prefetchsEnabled || !registry_.HasNorm(entry)) return std::nullopt;
  try {
    return OpenPrefetch(ctx_.files.Dir(), registry_, entry, [this](const std::string& name) {
      ctx_.busy.SetStatus(Format(texts::CreatingPrefetch, name.c_str()));
    });
  } catch (const PrefetchError& e) {
    ctx_.host.showMessage(MessageKind::Error,
                          Format(e.creating ? texts::PrefetchCreateError : texts::PrefetchOpenError,
                                 e.path.c_str(), e.text.c_str()));
    return std::nullopt;
  }
}

void StatsSession::CreateAllPrefetch(bool force, const std::set<int>& groups) {
  if (!force && !settings_.View().prefetchsEnabled) return;
  BusyScope busy(ctx_.busy, texts::CreatingAllPrefetch);
  korvane::CreateAllPrefetch(
      ctx_.files.Dir(), registry_, groups,
      [this](int done, int total, const std::string&) {
        ctx_.host.progress(done, total, texts::CreatingAllPrefetch);
        return !ctx_.host.poll();
      },
      [this](const PrefetchError& e) {
        ctx_.host.showMessage(MessageKind::Error,
                              Format(texts::PrefetchCreateError, e.path.c_str(), e.text.c_str()));
      });
  ctx_.host.progress(0, 0, {});
}

std::vector<std::pair<std::string, std::string>> StatsSession::GraphValues(
    int index, int previous, const TComb& nums) const {
  std::vector<std::pair<std::string, std::string>> rows;
  const bool sorted = settings_.View().sortedDraws;
  TComb c = nums;
  if (sorted) SortComb(c);
  for (int i = 0; i < registry_.Count(); ++i) {
    if (!registry_.HasGraph(i) || !registry_.InStatList(i)) continue;
    auto stat = registry_.CreateStat(i);
    rows.emplace_back(stat->Class().NameOf(stat->Param()),
                      std::to_string(stat->GraphValueOf(index, previous, c, sorted)));
  }
  return rows;
}

}  // namespace korvane
