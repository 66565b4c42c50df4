// Checking 100,000 unchecked stakes against a simulated archive of 25,000 draws; rebuilding
// the ratings from 100,000 checked stakes of 1,000 comments.
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

// The ratings made afresh from a stake file of 100,000 checked stakes with 1,000 comments
// (what opening an old stake file without its ratings file costs).
void BM_RebuildRatings(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / "korvane-bench-ratings";
  fs::create_directories(dir);
  {
    std::string image(100000 * StakeRecSize, '\0');
    for (int i = 0; i < 100000; ++i) {
      TStakeData s;
      s.kind = StakeScenario;
      s.draw = 1 + i / 20;
      s.checked = 1;
      s.numbers = CombToCounted({static_cast<uint8_t>(i % 10), static_cast<uint8_t>(i / 10 % 10),
                                 static_cast<uint8_t>(i / 100 % 10)});
      s.matched.count = i % 4;
      s.profit = Money{i % 4 == 3 ? 4990000 : -10000};
      s.comment = "Сценарий " + std::to_string(i % 1000) + " @ Сумма + Чётность";
      EncodeStake(s,
                  reinterpret_cast<uint8_t*>(image.data()) + static_cast<size_t>(i) * StakeRecSize);
    }
    WriteFileAtomic(dir / "Korvane.lsk", image);
  }
  StakeStore store;
  store.Open(dir / "Korvane.lsk");
  Ratings ratings;
  for (auto _ : state) {
    ratings.Rebuild(store);
    benchmark::DoNotOptimize(ratings.Count());
  }
  store.Close();
  fs::remove_all(dir);
}
BENCHMARK(BM_RebuildRatings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
