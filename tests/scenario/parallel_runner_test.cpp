// Runs with several workers give what one worker gives: the stake file, the ratings, the logs,
// the counters and the list left behind.

#include <gtest/gtest.h>

#include <regex>

#include "app/workspace.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "filters/filtering.h"
#include "scenario/variant_worker.h"
#include "support/test_support.h"

namespace korvane {
namespace {

// Everything a run leaves that may not depend on the number of workers.
struct Outcome {
  std::string stakeFile, ratingsFile, runLog, stakeLogs;
  std::vector<std::string> stakes;  // as the face is told of them
  std::vector<std::pair<MessageKind, std::string>> messages;
  int counted = 0;
  bool failed = false;
  TCombsArray list;
  std::vector<std::string> filters;
  std::string statMethod;
  int statDepth = 0;
  bool operator==(const Outcome&) const = default;
};

// The time stamps of the log lines are cut off.
std::string Unstamped(const std::string& text) {
  static const std::regex stamp(
      R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\]: |\d{4}\.\d\d\.\d\d \d\d:\d\d:\d\d: )");
  return std::regex_replace(text, stamp, "");
}

// A workspace opened on an archive of made draws, in a folder of its own.
struct DemoWorkspace {
  DemoWorkspace(Host& host, int draws, uint64_t seed) : ws(host, dir.path()) {
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(draws, seed)));
    opened = ws.Open();
  }
  test::TempDir dir;
  Workspace ws;
  bool opened = false;
};

Outcome RunScenario(const std::vector<std::string>& lines, int steps, int jobs,
                    bool byIni = false) {
  test::TempDir dir;
  test::RecordingHost host;
  test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(400, 5)));
  if (byIni)
    test::WriteBytes(dir / "Korvane.ini",
                     "[GLOBAL]\r\nScriptJobs=" + std::to_string(jobs) + "\r\n");
  Outcome o;
  {
    Workspace ws(host, dir.path());
    EXPECT_TRUE(ws.Open());
    if (!byIni) ws.SetScriptJobs(jobs);
    EXPECT_EQ(ws.ScriptJobs(), jobs);
    ws.SeedRandom(11);
    ws.OverrideView(ViewFlag::ScriptLog, true);
    ws.OverrideView(ViewFlag::StakesLog, true);
    ws.OnScenarioStake([&o](const TStakeData& s) {
      o.stakes.push_back(std::to_string(s.draw) + " " + CountedToText(s.numbers, ";") + " " +
                         std::to_string(s.sample) + " " + s.comment);
    });
    ws.ScriptClear();
    for (const std::string& l : lines) ws.ScriptAddLine(l);
    ws.ScriptTest(steps);
    o.counted = ws.Script().stakes;
    o.failed = ws.Script().failed;
    o.list = ws.Combs().ToArray();
    for (const AppliedFilter& f : ws.Combs().Filters())
      o.filters.push_back(f.caption + "|" + f.values + "|" + std::to_string(f.count));
    o.statMethod = ws.StatEntry() >= 0 ? ws.Registry().Items(ws.StatEntry()).MethodCode() : "";
    o.statDepth = ws.StatDepth();
    o.messages = host.messages;
  }
  o.stakeFile = test::ReadBytes(dir / "Korvane.lsk");
  o.ratingsFile = test::ReadBytes(dir / "Korvane.lrt");
  for (const auto& e : fs::directory_iterator(dir.path())) {
    const std::string name = e.path().filename().string();
    if (name.rfind("ScriptLog_", 0) == 0) o.runLog += Unstamped(test::ReadBytes(e.path()));
    if (name.rfind("Korvane-", 0) == 0 && e.path().extension() == ".log")
      o.stakeLogs += name + ":" + Unstamped(test::ReadBytes(e.path()));
  }
  return o;
}

void ExpectSame(const Outcome& a, const Outcome& b, int jobs) {
  SCOPED_TRACE("workers: " + std::to_string(jobs));
  EXPECT_EQ(a.stakeFile, b.stakeFile);
  EXPECT_EQ(a.ratingsFile, b.ratingsFile);
  EXPECT_EQ(a.runLog, b.runLog);
  EXPECT_EQ(a.stakeLogs, b.stakeLogs);
  EXPECT_EQ(a.stakes, b.stakes);
  EXPECT_EQ(a.messages, b.messages);
  EXPECT_EQ(a.counted, b.counted);
  EXPECT_EQ(a.failed, b.failed);
  EXPECT_EQ(a.list, b.list);
  EXPECT_EQ(a.filters, b.filters);
  EXPECT_EQ(a.statMethod, b.statMethod);
  EXPECT_EQ(a.statDepth, b.statDepth);
}

TEST(ParallelRunner, AnyNumberOfWorkersGivesTheSameRun) {
  // Every stake mode and start list, multi-select, bottom-up walks, list tests, sorts by a
  // difference column (whose order depends on the order before it) and deleted stakes; every
  // line on a fresh list has enough variants for the workers.
  const std::vector<std::string> lines = {
      "FULL:0#RAND|TSD1#NUMS:10,20#LMV:1-3;1#SF:1|TSD1#SUMS:30#LNO:#SC:50|"
      "TSD1#EVEN:25,40#LNO:#SF:1| | | | |случайно",
      "FULL:0#FIRST#NEX|TMD1#DIFM:20,40,60,80#LMV:1-2;1#SF:1|BSD1#POS1:30#LNO:#SC:20| | | | | |"
      "first",
      "EXCL:3#LAST|TSD19#CHAN:10-40;10#LNO:#SC:40|TSD17#SUMS:30,60#LNO:#ST:3| | | | | |last",
      "",
      "FULL:0#ALL|TSD1#NUMS:20,30#LNO:#SC:5|TSD1#SUMS:10-40;10#LNO:#SC:3| | | | | |all",
      "FULL:0#SKIP|TSD1#EVEN:10-80;10#LNO:#SF:1| | | | | | |skip",
      "CURR:0#FIRST|TSD1#SMAL:10,20#LNO:#SF:1| | | | | | |curr",
      "FULL:0#FIRST#CLR|TSD18#KNM2:50-200;50#LMV:1#SC:30|TSD18#KNM2:50,100#LNO:#SC:10| | | | | |"
      "clear",
      "FULL:0#SYSA|TSD1#NUMS:10-80;10#LNO:#SC:20| | | | | | |system",
      "FULL:0#LAST|BMF2#SUMS:20-80;20#CDV:1,2,3#ST:2|TSD1#NUMS:15,30#LVA:1,3,5#SF:1| | | | | |"
      "lists",
      "FULL:0#NONE|TSD1#NUMS:10-80;10#LNO:#SC:100| | | | | | |none"};
  const Outcome serial = RunScenario(lines, 4, 1);
  EXPECT_GT(serial.counted, 50);
  EXPECT_FALSE(serial.runLog.empty());
  for (int jobs : {2, 4}) ExpectSame(serial, RunScenario(lines, 4, jobs), jobs);
  // The setting in Korvane.ini does the same.
  ExpectSame(serial, RunScenario(lines, 4, 3, true), 3);

  // A STOP ends the run where one worker ends it; a failing line (a disabled method) too.
  const std::vector<std::string> stop = {
      "FULL:0#FIRST|TSD1#NUMS:10,20,30#LMV:1-3;1#SF:1| | | | | | |first",
      "FULL:0#STOP|TSD1#SUMS:10-80;10#LNO:#SC:2| | | | | | |stop",
      "FULL:0#FIRST|TSD1#NUMS:10,20,30,40#LNO:#SF:1| | | | | | |never"};
  const Outcome stopped = RunScenario(stop, 3, 1);
  EXPECT_FALSE(stopped.messages.empty());
  for (int jobs : {2, 4}) ExpectSame(stopped, RunScenario(stop, 3, jobs), jobs);
  const std::vector<std::string> bad = {
      "FULL:0#FIRST|TSD1#NUMS:10,20,30#LMV:1-3;1#SF:1|TSD1#NOPE:10#LNO:#SF:1| | | | | |bad"};
  const Outcome failed = RunScenario(bad, 2, 1);
  EXPECT_TRUE(failed.failed);
  for (int jobs : {2, 4}) ExpectSame(failed, RunScenario(bad, 2, jobs), jobs);
}

// A host that asks to stop after some polls.
class StoppingHost : public test::RecordingHost {
 public:
  int pollsLeft = 0;
  bool poll() override { return --pollsLeft < 0; }
};

TEST(ParallelRunner, StopEndsARunWithWorkers) {
  StoppingHost host;
  host.pollsLeft = 3;
  DemoWorkspace demo(host, 400, 5);
  ASSERT_TRUE(demo.opened);
  Workspace& ws = demo.ws;
  ws.SetScriptJobs(4);
  ws.ScriptAddLine("FULL:0#FIRST|TSD1#NUMS:10-200;10#LMV:1-3;1#SF:1| | | | | | |many");
  ws.ScriptTest(50);
  EXPECT_FALSE(ws.Script().running);
  EXPECT_FALSE(ws.IsBusy());
  EXPECT_LT(ws.Script().stakes, 50 * 60);
  // What was staked is in the file, whole.
  EXPECT_EQ(test::ReadBytes(demo.dir / "Korvane.lsk").size() % StakeRecSize, 0u);
}

// The worker learns each combination's match once per selection; the answers are the method's
// own for every method, whatever list asks first.
TEST(VariantWorker, LearntMatchesAgreeWithTheMethodForEveryMethod) {
  test::RecordingHost host;
  DemoWorkspace demo(host, 300, 9);
  ASSERT_TRUE(demo.opened);
  Workspace& ws = demo.ws;
  const TStatList& registry = ws.Registry();
  std::vector<int> methods(static_cast<size_t>(registry.Count()));
  for (int i = 0; i < registry.Count(); ++i) methods[static_cast<size_t>(i)] = i;
  StepTableInputs inputs;
  inputs.registry = &registry;
  StepTables tables(inputs);
  tables.Reset(0);
  VariantContext ctx;
  ctx.registry = &registry;
  ctx.methods = &methods;
  ctx.last = LastAnalysedIndex(ws.Archive().Draws(), 0);
  ctx.userCoefs = registry.WeightCoefs();
  ctx.tables = &tables;

  CombList full;
  full.Generate({});
  // Every third combination: a list the method has not seen.
  CombList sparse;
  TCombsArray some;
  for (int i = 0; i < full.Count(); i += 3) some.push_back(full.At(i));
  sparse.Assign(some);

  for (int entry = 0; entry < registry.Count(); ++entry) {
    const std::string code = registry.Items(entry).MethodCode();
    SCOPED_TRACE(code);
    TFilterVar var;
    TFilterPart& p = var.parts[0];
    p.used = true;
    p.methodCode = code;
    p.drawsLen = 60;
    p.sortColumn = 1;
    p.levelMode = LNO;
    p.stopMode = ST;
    p.stopValue = 2;  // removes the two rows of the most frequent values
    const std::shared_ptr<const StepTable> table = tables.Get({entry, 60, ctx.userCoefs});
    const std::vector<int>& order = table->Sorted(1, true).rows;

    // What the method itself says, combination by combination, one row at a time.
    auto expected = [&](const CombList& start) {
      TCombsArray list = start.ToArray();
      if (list.size() <= 1) return list;
      auto stat = registry.CreateStat(entry);
      // A row that would empty the list is taken back and does not count as a step.
      int steps = 0;
      for (size_t k = 0; k < order.size() && steps < 2; ++k) {
        const TStatDrawArray selection = {table->rows[static_cast<size_t>(order[k])].rec};
        stat->LoadDraws(-1, ctx.last, false);
        TCombsArray kept;
        for (const TComb& c : list)
          if (!stat->CombMatches(selection, ctx.last, c, false, true)) kept.push_back(c);
        if (kept.empty()) continue;
        list = kept;
        ++steps;
      }
      return list;
    };
    VariantWorker first(ctx, [] { return false; });
    VariantWorker second(ctx, [] { return false; });
    TableHistory history;
    VariantResult r;
    first.Run(var, full, history, r);
    EXPECT_EQ(r.list.ToArray(), expected(full));
    first.Run(var, sparse, history, r);  // learnt on the full list
    EXPECT_EQ(r.list.ToArray(), expected(sparse));
    second.Run(var, sparse, history, r);  // learnt on the sparse list
    EXPECT_EQ(r.list.ToArray(), expected(sparse));
    second.Run(var, full, history, r);
    EXPECT_EQ(r.list.ToArray(), expected(full));
  }
}

// A step's table lists its rows in the order the statistics page shows for the same sort, for
// every method, also on the difference columns whose comparison is not transitive.
TEST(StepTables, RowsInTheOrderOfTheStatisticsPage) {
  test::RecordingHost host;
  DemoWorkspace demo(host, 300, 4);
  ASSERT_TRUE(demo.opened);
  Workspace& ws = demo.ws;
  const TStatList& registry = ws.Registry();
  for (int column : {1, 9, 13, 17, 19}) {
    StepTableInputs inputs;
    inputs.registry = &registry;
    inputs.columns = StepColumns() | (1u << column);
    StepTables tables(inputs);
    tables.Reset(3);
    ws.SetDrawsOffset(3);
    for (int entry = 0; entry < registry.Count(); ++entry) {
      const std::string code = registry.Items(entry).MethodCode();
      if (!ws.SelectStatMethodByCode(code)) continue;
      SCOPED_TRACE(code + " column " + std::to_string(column));
      ws.SetStatDepth(120);
      ws.StatSetSort(column, true);
      ws.BuildStatTable(true);
      std::vector<std::string> shown;
      for (const StatRow& row : ws.Stats().Rows()) shown.push_back(row.Text(StatColumn::Value));
      const auto table = tables.Get({ws.StatEntry(), 120, registry.WeightCoefs()});
      std::vector<std::string> step;
      for (int r : table->Sorted(column, true).rows)
        step.push_back(table->rows[static_cast<size_t>(r)].Text(StatColumn::Value));
      EXPECT_EQ(step, shown);
    }
  }
}

}  // namespace
}  // namespace korvane
