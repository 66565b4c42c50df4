// The analysis views on a long archive.

#include <benchmark/benchmark.h>

#include "core/demo.h"
#include "core/settings.h"
#include "views/analyses.h"
#include "views/graphs.h"
#include "views/grids.h"

namespace korvane {
namespace {

const DrawArchive& LongArchive() {
  static const DrawArchive archive = [] {
    DrawArchive a;
    a.AppendAll(MakeDemoDraws(25000, 11));
    return a;
  }();
  return archive;
}

void BM_Graph(benchmark::State& state) {
  GameSettings settings;
  TStatList registry(LongArchive().Draws(), settings);
  registry.Build();
  const int sums = registry.IndexOfCode("SUMS");
  for (auto _ : state)
    benchmark::DoNotOptimize(
        BuildDrawsGraph(registry, sums, LongArchive(), 0, static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_Graph)->Arg(100)->Arg(25000)->Unit(benchmark::kMillisecond);

void BM_Card(benchmark::State& state) {
  for (auto _ : state) {
    const CardGrid card(LongArchive().Draws());
    // The rows a window shows, texts and colours.
    uint32_t sum = 0;
    for (int r = 0; r < 60; ++r)
      for (int c = 0; c < CardGrid::Cols(); ++c)
        sum += card.Colour(r, c, true, true, 2) + card.Text(r, c).size();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_Card)->Unit(benchmark::kMillisecond);

// Every cell of the card, as an export reads it.
void BM_CardAllCells(benchmark::State& state) {
  const CardGrid card(LongArchive().Draws());
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int r = 0; r < card.Rows(); ++r)
      for (int c = 0; c < CardGrid::Cols(); ++c)
        sum += card.Colour(r, c, true, true, 2) + card.Text(r, c).size();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_CardAllCells)->Unit(benchmark::kMillisecond);

// The numbers of a selection of a thousand rows of the card.
void BM_CardNumbers(benchmark::State& state) {
  const CardGrid card(LongArchive().Draws());
  std::vector<GridCell> cells;
  for (int r = 1; r <= 1000; ++r)
    for (int c = 1; c <= 10; ++c) cells.emplace_back(r, c);
  for (auto _ : state) benchmark::DoNotOptimize(CardNumbers(card, cells));
}
BENCHMARK(BM_CardNumbers)->Unit(benchmark::kMillisecond);

void BM_Layout(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildLayout(LongArchive(), 0, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Layout)->Arg(100)->Arg(25000)->Unit(benchmark::kMillisecond);

void BM_CompareLists(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildCompareLists(LongArchive(), 0, {50, 100, 200, 300, 400}));
}
BENCHMARK(BM_CompareLists)->Unit(benchmark::kMillisecond);

void BM_Week(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildWeek(LongArchive(), 0, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Week)->Arg(1000)->Arg(25000)->Unit(benchmark::kMillisecond);

void BM_Repeats(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(AnalyzeRepeats(LongArchive().Draws(), n, n, {}, false));
}
BENCHMARK(BM_Repeats)->Arg(100)->Arg(25000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same with the draw lists, written nowhere (as korvane-cli analyze-repeats makes them).
void BM_RepeatsLists(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    size_t chars = 0;
    ForEachRepeatsRow(LongArchive().Draws(), n, n,
                      [&chars](const RepeatsRow& row) { chars += row.draws.size(); });
    benchmark::DoNotOptimize(chars);
  }
}
BENCHMARK(BM_RepeatsLists)->Arg(100)->Arg(25000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Sums(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(AnalyzeSums(LongArchive().Draws()));
}
BENCHMARK(BM_Sums)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
