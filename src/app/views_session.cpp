#include "app/views_session.h"

#include "app/busy_scope.h"

namespace korvane {

namespace {

constexpr const char* kGraphStatus = "Анализ тиражей и построение графиков...";
constexpr const char* kCardStatus = "Обновление карты тиражей...";
constexpr const char* kLayoutStatus = "Построение схемы выпадения номеров...";
constexpr const char* kWeekStatus = "Построение статистики по дням недели...";

// The settings' lengths of the five compare lists, folded into one number for the inputs.
int CompareKey(const ViewSettings& v) {
  int key = 17;
  for (int len : v.layoutCompareLen) key = key * 31 + len;
  return key;
}

}  // namespace

ViewsSession::ViewsSession(const SessionContext& ctx, const SettingsStore& settings,
                           const DrawArchive& archive, const TStatList& registry)
    : ctx_(ctx), settings_(settings), archive_(archive), registry_(registry) {}

bool ViewsSession::Shown(ViewPart part) const {
  const ViewSettings& v = settings_.View();
  switch (part) {
    case ViewPart::Graph:
      return v.tabGraphs;
    case ViewPart::Card:
      return v.tabCard;
    case ViewPart::Layout:
    case ViewPart::Compare:
      return v.tabLayout;
    case ViewPart::Week:
      return v.tabWeek;
  }
  return false;
}

ViewsSession::Inputs ViewsSession::Now(ViewPart part) const {
  const ViewSettings& v = settings_.View();
  Inputs in;
  in.revision = archive_.Revision();
  in.offset = archive_.DrawsOffset();
  in.made = true;
  switch (part) {
    case ViewPart::Graph:
      in.length = v.drawsGraphLen;
      in.extra = graphMethod_ * 2 + (v.sortedDraws ? 1 : 0);
      break;
    case ViewPart::Card:
      in.offset = 0;  // the whole archive, whatever the offset
      break;
    case ViewPart::Layout:
      in.length = v.layoutLen;
      break;
    case ViewPart::Compare:
      in.extra = CompareKey(v);
      break;
    case ViewPart::Week:
      in.length = v.weekLen;
      break;
  }
  return in;
}

bool ViewsSession::Refresh(ViewPart part, bool force) {
  if (!Shown(part)) return false;
  const Inputs now = Now(part);
  Inputs& last = inputs_[static_cast<size_t>(part)];
  if (!force && last == now) return false;
  last = now;
  const ViewSettings& v = settings_.View();
  const int offset = archive_.DrawsOffset();
  switch (part) {
    case ViewPart::Graph: {
      BusyScope busy(ctx_.busy, kGraphStatus);
      graph_ = BuildDrawsGraph(registry_, graphMethod_, archive_, offset, v.drawsGraphLen,
                               v.sortedDraws);
      break;
    }
    case ViewPart::Card: {
      BusyScope busy(ctx_.busy, kCardStatus);
      card_ = CardGrid(archive_.Draws());
      break;
    }
    case ViewPart::Layout: {
      BusyScope busy(ctx_.busy, kLayoutStatus);
      layout_ = BuildLayout(archive_, offset, v.layoutLen);
      break;
    }
    case ViewPart::Compare: {
      BusyScope busy(ctx_.busy, kLayoutStatus);
      for (size_t i = 0; i < compare_.size(); ++i)
        compare_[i] = BuildCompareList(archive_, offset, v.layoutCompareLen[i]);
      break;
    }
    case ViewPart::Week: {
      BusyScope busy(ctx_.busy, kWeekStatus);
      week_ = BuildWeek(archive_, offset, v.weekLen);
      break;
    }
  }
  ++generation_[static_cast<size_t>(part)];
  ctx_.host.changed(ChangeViews);
  return true;
}

void ViewsSession::Recompute(bool force) {
  for (ViewPart p :
       {ViewPart::Graph, ViewPart::Card, ViewPart::Layout, ViewPart::Compare, ViewPart::Week})
    Refresh(p, force);
}

}  // namespace korvane
