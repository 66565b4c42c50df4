// Back-tests on a simulated archive of 25,000 draws, each with one worker and with one per core:
//  - BM_ScenarioTest: one line of three filters and 6 variants over 1,000 steps;
//  - BM_HeavyScenario: ten lines of three filters and 48 variants each over 200 steps.
// The counter peak_MB is the process's peak resident memory so far.
//
// Run by hand: build/bin/korvane_script_bench

#include <benchmark/benchmark.h>
#include <sys/resource.h>

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

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Runs the scenario over `steps` draws with `jobs` workers (0: one per core).
void RunTest(benchmark::State& state, const char* name, const std::string& scenario, int steps,
             int jobs) {
  const fs::path dir = fs::temp_directory_path() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  WriteFileAtomic(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(25000, 1)));
  WriteFileAtomic(dir / "bench.lsc", scenario);
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(dir / "Korvane.lsk");
    QuietHost host;
    Workspace ws(host, dir);
    ws.Open();
    ws.ScriptLoadFile(dir / "bench.lsc", false);
    ws.SetScriptJobs(jobs);
    state.counters["workers"] = ws.ScriptJobs();
    state.ResumeTiming();
    ws.ScriptTest(steps);
    state.counters["stakes"] = ws.Script().stakes;
  }
  state.counters["peak_MB"] = PeakMegabytes();
  fs::remove_all(dir);
}

void BM_ScenarioTest(benchmark::State& state) {
  // Three filters of the number and sum families; the first has 2 draws values and 3 level
  // values: 6 variants. Single-select walks, stake mode FIRST, no log.
  RunTest(state, "korvane-bench-script",
          "FULL:0#FIRST|TSD1#NUMS:10,20#LMV:1-3;1#SF:1|TSD1#SUMS:30#LNO:#SC:50|"
          "TSD1#EVEN:25#LNO:#SF:1| | | | |bench\r\n",
          static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(BM_ScenarioTest)
    ->ArgNames({"steps", "jobs"})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

// Ten lines of different families, each 4 x 3 x 2 x 2 = 48 variants: the first filter has four
// draws values and three level values, the other two two draws values each.
const char* const HeavyScenario =
    "FULL:0#FIRST|TSD1#NUMS:10,20,30,40#LMV:1-3;1#SF:1|TSD1#SUMS:30,60#LNO:#SC:50|"
    "TSD1#EVEN:25,50#LNO:#SF:1| | | | |numbers\r\n"
    "FULL:0#RAND|TSD1#DIFM:20,40,60,80#LMV:1-3;1#SF:1|TSD1#CHAN:30,60#LNO:#SC:40|"
    "BSD1#POS1:50,100#LNO:#SC:20| | | | |differences\r\n"
    "EXCL:3#FIRST|TSD1#KNM2:50,100,150,200#LLV:1-3;1#SC:100|TSD1#SMAL:30,60#LNO:#SF:1|"
    "TSD1#PRIM:20,40#LNO:#SC:30| | | | |pairs\r\n"
    "FULL:0#LAST|TSD1#SUMC:20,40,60,80#LMV:2-4;1#SF:1|TSD1#DIGS:30,60#LNO:#SC:60|"
    "TSD1#LENS:25,50#LNO:#SF:1| | | | |sums\r\n"
    "FULL:0#FIRST|TMD1#NUMS:30,60,90,120#LMV:3-5;1#SF:1|TSD1#SGMS:30,60#LNO:#SC:50|"
    "TSD1#RPV2:40,80#LNO:#SF:1| | | | |multi\r\n"
    "FULL:0#FIRST|TSD6#POS2:20,40,60,80#LMP:10-30;10#SF:1|TSD1#SUMS:40,80#LNO:#SC:30|"
    "BSD1#CHN1:30,60#LNO:#SC:10| | | | |depth\r\n"
    "FULL:0#RAND|TSD8#POS3:20,40,60,80#WMV:1-3;1#ST:3|TSD1#DIFA:30,60#LNO:#SC:40|"
    "TSD1#EVEN:20,40#LNO:#SF:1| | | | |weight\r\n"
    "FULL:0#FIRST|BSD1#SUM1:30,60,90,120#LMV:1-3;1#ST:4|TSD1#SEQL:30,60#LNO:#SC:50|"
    "TSD1#KNS2:50,100#LNO:#SC:20| | | | |bottom\r\n"
    "EXCL:5#LAST|TSD1#SGM1:20,40,60,80#LMV:1-3;1#SF:1|TSD2#PRV+1:30,60#LNO:#SC:60|"
    "TSD1#SUMT:25,50#LNO:#SF:1| | | | |segments\r\n"
    "FULL:0#FIRST|TSD1#KCM2:40,80,120,160#LMV:1-3;1#SC:80|TSD1#SDV2:30,60#LNO:#SC:40|"
    "TSD1#HCO1:25,50#LNO:#SF:1| | | | |mixed\r\n";

void BM_HeavyScenario(benchmark::State& state) {
  RunTest(state, "korvane-bench-heavy", HeavyScenario, static_cast<int>(state.range(0)),
          static_cast<int>(state.range(1)));
}
BENCHMARK(BM_HeavyScenario)
    ->ArgNames({"steps", "jobs"})
    ->Args({200, 1})
    ->Args({200, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
}  // namespace korvane
