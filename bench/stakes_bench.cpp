// Checking 100,000 unchecked stakes against a simulated archive of 25,000 draws.
//
// Run by hand: build/bin/korvane_stakes_bench

#include <benchmark/benchmark.h>

#include "core/demo.h"
#include "core/fileio.h"
#include "stakes/ratings.h"
#include "stakes/stake_store.h"

namespace korvane {
namespace {

void BM_CheckStakes(benchmark::State& state) {
  const TDrawsArray draws = MakeDemoDraws(25000, 1);
  TConfigData config;
  config.cost = Money{10000};
  config.profits = {{3, Money{5000000}}, {2, Money{500000}}};
  const fs::path dir = fs::temp_directory_path() / "korvane-bench-stakes";
  fs::create_directories(dir);
  // One file of 100,000 unchecked stakes, copied afresh for every run.
  std::string image;
  {
    StakeStore store;
    store.Open(dir / "seed.lsk");
    store.Truncate();
    for (int i = 0; i < 100000; ++i) {
      TStakeData s;
      s.kind = 3;
      s.draw = 1 + (i * 7919) % 25000;
      s.numbers = CombToCounted(draws[static_cast<size_t>(i % 25000)].nums);
      s.matched.count = -1;
      s.comment = "Сценарий " + std::to_string(i % 50);
      store.Write(s, store.Count());
    }
    store.Close();
    image = ReadFile(dir / "seed.lsk");
  }
  for (auto _ : state) {
    state.PauseTiming();
    WriteFileAtomic(dir / "Korvane.lsk", image);
    StakeStore store;
    store.Open(dir / "Korvane.lsk");
    Ratings ratings;
    state.ResumeTiming();
    const StakeCheckResult r =
        store.Check(draws, config, [&](const TStakeData& s) { ratings.Add(s); }, {});
    benchmark::DoNotOptimize(r.checked);
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_CheckStakes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace korvane
