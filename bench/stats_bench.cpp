// Statistics table builds and prefetch files on a simulated archive of 25,000 draws.
//
// Run by hand: build/bin/korvane_stats_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <memory>

#include "core/demo.h"
#include "core/fileio.h"
#include "stats/prefetch.h"
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

void BM_TableBuild(benchmark::State& state, int entry, int depth, int offset) {
  Env& env = TheEnv();
  StatBuildInput in;
  in.registry = &env.registry;
  in.entry = entry;
  in.depth = depth;
  in.offset = offset;
  StatTable table;
  for (auto _ : state) {
    table.Build(in);
    benchmark::DoNotOptimize(table.Rows().data());
  }
}

void BM_CreateAllPrefetch(benchmark::State& state) {
  Env& env = TheEnv();
  const fs::path dir = fs::temp_directory_path() / "korvane-bench-prefetch";
  for (auto _ : state) {
    std::set<int> all;
    for (int g = 0; g < StatGroupCount; ++g) all.insert(g);
    benchmark::DoNotOptimize(CreateAllPrefetch(dir, env.registry, all, {}, {}));
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_CreateAllPrefetch)->Unit(benchmark::kMillisecond);

const bool registered = [] {
  Env& env = TheEnv();
  for (int i = 0; i < env.registry.Count(); ++i) {
    const std::string code = env.registry.Items(i).MethodCode();
    for (int depth : {1000, 25000})
      for (int offset : {0, 100})
        benchmark::RegisterBenchmark(("Table/" + code + "/depth:" + std::to_string(depth) +
                                      "/offset:" + std::to_string(offset))
                                         .c_str(),
                                     BM_TableBuild, i, depth, offset)
            ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
}  // namespace korvane
