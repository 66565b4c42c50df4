// Filtering the full combination list by selected statistic values, per method.
//
// Run by hand: build/bin/korvane_filters_bench

#include <benchmark/benchmark.h>

#include "core/demo.h"
#include "filters/comb_list.h"
#include "filters/filtering.h"
#include "stats/registry.h"
#include "stats/stat_table.h"

namespace korvane {
namespace {

struct Env {
  TDrawsArray draws = MakeDemoDraws(25000, 1);
  GameSettings settings;
  TStatList registry{draws, settings};
  Env() { registry.Build(); }
};

Env& TheEnv() {
  static Env env;
  return env;
}

void BM_Filter(benchmark::State& state, int entry, bool remove) {
  Env& env = TheEnv();
  StatTable table;
  StatBuildInput in;
  in.registry = &env.registry;
  in.entry = entry;
  in.depth = 1000;
  table.Build(in);
  // Every second row selected.
  for (int r = 0; r < table.RowCount(); r += 2) table.Select(r, true);
  const TStatDrawArray selection = table.SelectedRecords();
  CombList list;
  list.Generate({0, ""});
  list.UndoSave();
  auto stat = env.registry.CreateStat(entry);
  const int last = static_cast<int>(env.draws.size()) - 1;
  for (auto _ : state) {
    FilterFromUndo(list, *stat, selection, last, false, remove);
    benchmark::DoNotOptimize(list.Count());
  }
}

const bool registered = [] {
  Env& env = TheEnv();
  for (int i = 0; i < env.registry.Count(); ++i)
    for (bool remove : {false, true})
      benchmark::RegisterBenchmark(
          ("Filter/" + env.registry.Items(i).MethodCode() + (remove ? "/remove" : "/keep")).c_str(),
          BM_Filter, i, remove)
          ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
}  // namespace korvane
