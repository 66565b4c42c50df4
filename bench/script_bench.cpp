// A back-test of 1,000 steps on a simulated archive of 25,000 draws.
//
// Run by hand: build/bin/korvane_script_bench

#include <benchmark/benchmark.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "core/fileio.h"

namespace korvane {
namespace {

// A face that never shows anything and never asks to stop.
class QuietHost : public Host {
 public:
  void showMessage(MessageKind, const std::string&) override {}
  bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
  void setStatus(const std::string&) override {}
  void progress(int, int, const std::string&) override {}
  bool poll() override { return false; }
};

void BM_ScenarioTest(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / "korvane-bench-script";
  fs::remove_all(dir);
  fs::create_directories(dir);
  WriteFileAtomic(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(25000, 1)));
  // Three filters of the number and sum families; the first has 2 draws values and 3 level
  // values: 6 variants. Single-select walks, stake mode FIRST, no log.
  WriteFileAtomic(dir / "bench.lsc",
                  "FULL:0#FIRST|TSD1#NUMS:10,20#LMV:1-3;1#SF:1|TSD1#SUMS:30#LNO:#SC:50|"
                  "TSD1#EVEN:25#LNO:#SF:1| | | | |bench\r\n");
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(dir / "Korvane.lsk");
    QuietHost host;
    Workspace ws(host, dir);
    ws.Open();
    ws.ScriptLoadFile(dir / "bench.lsc", false);
    state.ResumeTiming();
    ws.ScriptTest(static_cast<int>(state.range(0)));
    state.counters["stakes"] = ws.Script().stakes;
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ScenarioTest)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace korvane
