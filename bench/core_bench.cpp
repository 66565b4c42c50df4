// Archive and CSV speed on a made-up archive of 25,000 draws.

#include <benchmark/benchmark.h>

#include "core/archive.h"
#include "core/csv.h"
#include "core/demo.h"

namespace korvane {
namespace {

const TDrawsArray& Draws() {
  static const TDrawsArray draws = MakeDemoDraws(25000, 1);
  return draws;
}

void BM_ArchiveDecode(benchmark::State& state) {
  const std::string bytes = DrawArchive::Serialize(Draws());
  for (auto _ : state) {
    TDrawsArray out;
    DrawArchive::Deserialize(bytes, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ArchiveDecode);

void BM_IndexOfDrawNumber(benchmark::State& state) {
  DrawArchive a;
  a.AppendAll(Draws());
  int32_t n = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a.IndexOfDrawNumber(n));
    n = (n + 7919) % 25000 + 1;
  }
}
BENCHMARK(BM_IndexOfDrawNumber);

void BM_CsvImportParse(benchmark::State& state) {
  const std::string csv = DrawsToCsv(Draws());
  const DrawArchive empty;
  for (auto _ : state) benchmark::DoNotOptimize(ParseDrawsCsv(csv, empty).draws.size());
}
BENCHMARK(BM_CsvImportParse)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DrawsToCsv(Draws()).size());
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane
