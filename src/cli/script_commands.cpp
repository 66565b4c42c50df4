// Commands over scenarios: forecast and test runs, the parsed view of a scenario file.

#include <memory>

#include "cli/commands.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

struct RunOptions {
  std::string file;
  int offset = 0;
  int count = 0;
  int64_t seed = -1;
  bool log = false;
  int jobs = 0;
};

// Loads the scenario (without touching Korvane.lss) and prints every stake it adds.
bool PrepareRun(Workspace& ws, const RunOptions& o, std::ostream& out) {
  if (o.seed >= 0) ws.SeedRandom(static_cast<uint64_t>(o.seed));
  if (o.jobs > 0) ws.SetScriptJobs(o.jobs);
  if (!ws.ScriptLoadFile(o.file, false)) return false;
  ws.OverrideView(ViewFlag::ScriptLog, o.log);  // for this run only
  PrintTsvRow(out, {std::begin(texts::StakeColumns), std::end(texts::StakeColumns)});
  ws.OnScenarioStake([&out](const TStakeData& s) { PrintTsvRow(out, StakeRowTexts(s)); });
  return true;
}

int Finish(Workspace& ws, std::ostream& out) {
  out << "stakes " << ws.Script().stakes << '\n';
  return ws.Script().failed ? ExitFailed : ExitOk;
}

}  // namespace

void RegisterScriptCommands(CLI::App& app, CommandTable& table) {
  {
    auto o = std::make_shared<RunOptions>();
    CLI::App* sub = app.add_subcommand("forecast", "Run a scenario for the next draw");
    sub->add_option("FILE", o->file, "Scenario file (*.lsc)")->required();
    sub->add_option("--offset", o->offset, "Newest draws treated as not yet drawn")
        ->check(CLI::NonNegativeNumber);
    sub->add_option("--seed", o->seed, "Seed of the random choice (RAND)")
        ->check(CLI::NonNegativeNumber);
    sub->add_flag("--log", o->log, "Write the run log ScriptLog_*.txt");
    sub->add_option("--jobs", o->jobs,
                    "Workers filtering variants side by side (default: ScriptJobs in "
                    "Korvane.ini, else one per core); the results are the same for any number")
        ->check(CLI::Range(1, 256));
    table.Add(sub, Access::Write, [o](Workspace& ws, std::ostream& out) {
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      if (!PrepareRun(ws, *o, out)) return ExitFailed;
      ws.SetDrawsOffset(o->offset);
      ws.ScriptRun();
      return Finish(ws, out);
    });
  }
  {
    auto o = std::make_shared<RunOptions>();
    CLI::App* sub = app.add_subcommand("test", "Back-test a scenario over the last K draws");
    sub->add_option("FILE", o->file, "Scenario file (*.lsc)")->required();
    sub->add_option("--count", o->count, "Number of test steps K")
        ->required()
        ->check(CLI::PositiveNumber);
    sub->add_option("--seed", o->seed, "Seed of the random choice (RAND)")
        ->check(CLI::NonNegativeNumber);
    sub->add_flag("--log", o->log, "Write the run log ScriptLog_*.txt");
    sub->add_option("--jobs", o->jobs,
                    "Workers filtering variants side by side (default: ScriptJobs in "
                    "Korvane.ini, else one per core); the results are the same for any number")
        ->check(CLI::Range(1, 256));
    table.Add(sub, Access::Write, [o](Workspace& ws, std::ostream& out) {
      if (o->count > ws.Archive().Count() - 1) {
        ws.host().showMessage(
            MessageKind::Error,
            Format("Количество тестов должно быть от 1 до %d.", ws.Archive().Count() - 1));
        return ExitFailed;
      }
      if (!PrepareRun(ws, *o, out)) return ExitFailed;
      ws.ScriptTest(o->count);
      return Finish(ws, out);
    });
  }
  {
    auto file = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("scenario-text", "The scenario view rows of a file as TSV");
    sub->add_option("FILE", *file, "Scenario file (*.lsc)")->required();
    table.Add(sub, Access::Read, [file](Workspace& ws, std::ostream& out) {
      if (!ws.ScriptLoadFile(*file, false)) return ExitFailed;
      PrintTsvRow(out, {std::begin(texts::ScriptColumns), std::end(texts::ScriptColumns)});
      for (const std::string& line : ws.ScriptLines()) {
        std::vector<std::string> cells(9);
        if (!IsSeparatorLine(line)) {
          cells[0] = LineComment(line);
          cells[1] = OptionsToDisplayText(TextToOptions(LineOptions(line)));
          for (int f = 1; f <= FilterSlots; ++f) {
            const std::string field = LineFilter(line, f);
            if (!field.empty())
              cells[static_cast<size_t>(f + 1)] =
                  FilterItemToText(TextToFilterItem(field, ws.Registry()));
          }
        }
        PrintTsvRow(out, cells);
      }
      return ExitOk;
    });
  }
}

}  // namespace korvane
