#pragma once

// The analysis views (graph, card, layout with its compare lists, week): computed only while
// their page shows and only when what they are made of changed since they were last made.

#include <array>
#include <cstdint>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "core/archive.h"
#include "stats/registry.h"
#include "views/graphs.h"
#include "views/grids.h"

namespace korvane {

enum class ViewPart { Graph, Card, Layout, Compare, Week };

class ViewsSession {
 public:
  ViewsSession(const SessionContext& ctx, const SettingsStore& settings, const DrawArchive& archive,
               const TStatList& registry);

  // Every shown view whose inputs changed (each shown view when forced).
  void Recompute(bool force);
  // One view, when its page shows and its inputs changed (or forced); true when it was made.
  bool Refresh(ViewPart part, bool force);

  // The graph's method (a registry entry with a graph value; -1 for none).
  int GraphMethod() const { return graphMethod_; }
  void SetGraphMethod(int entry) { graphMethod_ = entry; }

  const DrawsGraph& Graph() const { return graph_; }
  const CardGrid& Card() const { return card_; }
  const LayoutGrid& Layout() const { return layout_; }
  const std::array<CompareList, 5>& Compare() const { return compare_; }
  const WeekGrid& Week() const { return week_; }
  // Counts the makings of a view, so that a face redraws only what changed.
  uint64_t Generation(ViewPart part) const { return generation_[static_cast<size_t>(part)]; }

 private:
  // What a view was made of: the archive's revision (an edit in place counts), the offset,
  // the window and the method.
  struct Inputs {
    uint64_t revision = 0;
    int offset = 0;
    int length = 0;
    int extra = 0;
    bool made = false;
    bool operator==(const Inputs&) const = default;
  };
  bool Shown(ViewPart part) const;
  Inputs Now(ViewPart part) const;

  const SessionContext& ctx_;
  const SettingsStore& settings_;
  const DrawArchive& archive_;
  const TStatList& registry_;
  std::array<Inputs, 5> inputs_{};
  std::array<uint64_t, 5> generation_{};
  int graphMethod_ = -1;
  DrawsGraph graph_;
  CardGrid card_;
  LayoutGrid layout_;
  std::array<CompareList, 5> compare_;
  WeekGrid week_;
};

}  // namespace korvane
