#include "app/script_runner.h"

#include <optional>
#include <random>

#include "core/error.h"
#include "core/strutil.h"
#include "scenario/row_tests.h"
#include "scenario/texts.h"
#include "scenario/variants.h"
#include "stakes/texts.h"

namespace korvane {

ScriptRunner::ScriptRunner(Workspace& ws)
    : ws_(ws), run_(ws.scenario_), st_(ws.scenario_.State()) {}

void ScriptRunner::LogOffset() {
  Log(texts::LogEquals);
  Log(Format(texts::LogOffset, ws_.DrawsOffset()));
  Log(texts::LogEquals);
}

void ScriptRunner::Begin() {
  run_.BeginRun();
  ws_.stakes_.DeferFlush();
  savedSortColumn_ = ws_.Stats().SortColumn();
  savedDescending_ = ws_.Stats().Descending();
}

void ScriptRunner::End() {
  // The run's stakes are on the disk before it is reported done.
  if (!ws_.stakes_.EndDeferral()) run_.SetFailed(true);
  ws_.stats_.SetSort(savedSortColumn_, savedDescending_);
  run_.EndRun();
  ws_.host().changed(ChangeScript | ChangeStats | ChangeCombs);
}

void ScriptRunner::Forecast() {
  if (ws_.stakes_.Refused()) return;
  BusyScope busy(ws_.busy_, texts::RunningScript);
  Begin();
  run_.SetCycle(1);
  run_.Status(0, 0, texts::RunningScript, 0);
  try {
    LogOffset();
    RunLines();
  } catch (const std::exception& e) {
    run_.Fail(e.what());
  }
  if (!st_.stopped) run_.Status(0, 0, texts::ScriptDone, 0);
  End();
}

void ScriptRunner::Test(int k) {
  if (k <= 0 || ws_.stakes_.Refused()) return;
  BusyScope busy(ws_.busy_, texts::RunningScript);
  Begin();
  const int savedOffset = ws_.DrawsOffset();
  try {
    for (int i = 1; i <= k; ++i) {
      run_.SetCycle(i);
      run_.Status(0, 0, texts::RunningScript, 0);
      if (Poll()) break;
      ws_.SetDrawsOffset(k - i + 1);
      if (Poll()) break;
      LogOffset();
      if (Poll()) break;
      RunLines();
    }
  } catch (const std::exception& e) {
    run_.Fail(e.what());
  }
  if (!st_.stopped) ws_.SetDrawsOffset(savedOffset);
  run_.SetCycle(0);
  run_.Status(0, 0, texts::ScriptDone, 0);
  End();
}

void ScriptRunner::CheckStakes() {
  ws_.stakes_.CheckAndRefresh();
  ws_.stakes_.GridUpdate(true, false);
}

void ScriptRunner::RunLines() {
  if (!ws_.stakes_.AddSeparator()) {
    // The stake file takes nothing (the message is shown): the run ends here.
    run_.Halt();
    run_.SetFailed(true);
    return;
  }
  ws_.stats_.SaveWeights();
  const std::vector<std::string> lines = ws_.ScriptLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Poll()) break;
    if (IsSeparatorLine(lines[i])) continue;
    Log(texts::LogDashes);
    Log(Format(texts::LogScriptLine, static_cast<int>(i + 1), lines[i].c_str()));
    Log(texts::LogDashes);
    RunLine(static_cast<int>(i), lines[i]);
    if (st_.stopped) break;
  }
  if (!ws_.View().stakesCheckOnLine) CheckStakes();
  ws_.stats_.RestoreWeights();
}

void ScriptRunner::RunLine(int i, const std::string& text) {
  ws_.combs_.DiscardUndo();
  const TScriptOptions options = TextToOptions(LineOptions(text));
  bool insideVariant = false;
  try {
    if (Poll()) return;
    std::vector<TFilterItem> items;
    for (int f = 1; f <= FilterSlots; ++f) {
      const std::string field = LineFilter(text, f);
      if (!field.empty()) items.push_back(TextToFilterItem(field, ws_.Registry()));
    }
    Log(texts::MakingVariants);
    run_.Status(i + 1, 0, texts::MakingVariants, 0);
    std::optional<VariantPlan> plan;
    if (!items.empty()) {
      plan.emplace(items);
      Log(Format(texts::LogVariantsMade, static_cast<int>(plan->Count())));
      if (Poll()) return;
    }
    const std::string comment = LineComment(text);
    if (plan && plan->Count() > 0) {
      const int total = static_cast<int>(plan->Count());
      for (uint64_t k = 0; k < plan->Count(); ++k) {
        if (Poll()) break;
        const TFilterVar var = plan->At(k);
        const int v = static_cast<int>(k + 1);
        const std::string varText = FilterVarToText(var);
        insideVariant = true;
        Log("");
        Log(texts::LogDashes);
        Log(Format(texts::LogVariant, v, varText.c_str()));
        Log(texts::LogDashes);
        run_.Status(i + 1, v, varText, total);
        Log(texts::LogStartList);
        PrepareStartList(options);
        Log(Format(texts::LogCount, ws_.Combs().Count()));
        if (Poll()) break;
        ApplyFilterVar(var);
        if (Poll()) break;
        MakeStakes(options, i + 1, v, OptionsToShortText(options) + " + " + varText, comment);
        if (Poll()) break;
        Log(texts::LogDashes);
        if (ws_.View().stakesCheckOnLine) CheckStakes();
        insideVariant = false;
      }
    } else {
      Log(texts::LogNoFilters);
      Log("");
      run_.Status(i + 1, 0, OptionsToShortText(options), 0);
      Log(texts::LogStartList);
      PrepareStartList(options);
      Log(Format(texts::LogCount, ws_.Combs().Count()));
      if (!Poll()) {
        MakeStakes(options, i + 1, 0, OptionsToShortText(options), comment);
        if (ws_.View().stakesCheckOnLine) CheckStakes();
      }
    }
  } catch (const std::exception& e) {
    run_.Fail(e.what());
  }
  if (insideVariant && ws_.View().stakesCheckOnLine) CheckStakes();
  ws_.combs_.DiscardUndo();
}

void ScriptRunner::PrepareStartList(const TScriptOptions& o) {
  if (o.startList == StartFull || o.startList == StartExcl)
    ws_.combs_.Generate(true, ws_.combs_.DefaultGenParams());
  if (Poll()) return;
  if (o.startList == StartExcl && o.excludeDraws > 0) ws_.CombsDelExists(o.excludeDraws);
  if (Poll()) return;
  if (o.clearStakes) {
    // The stakes of earlier variants are checked first, so that the ratings keep them.
    CheckStakes();
    ws_.stakes_.Truncate();
  }
}

void ScriptRunner::ApplyFilterVar(const TFilterVar& v) {
  for (const TFilterPart& p : v.parts) {
    if (st_.stopped) return;
    if (ws_.Combs().Count() > 1 && p.used) ApplyFilterPart(p);
  }
}

std::string ScriptRunner::RowLog(const TStatValues& v) const {
  return Format(texts::LogRow, v.value.c_str(), v.count.c_str(), v.countPercent.c_str(),
                v.deviation.c_str(), v.deviationPercent.c_str(), v.depth.c_str(),
                v.depthPercent.c_str(), v.weight.c_str());
}

void ScriptRunner::Filter(TCustomStat& stat, int entry, bool keep) {
  Log(keep ? texts::LogKeep : texts::LogRemove);
  ws_.combs_.UndoSave();
  ws_.ApplyStatFilter(&stat, entry, !keep);
  Log(Format(texts::LogCount, ws_.Combs().Count()));
}

void ScriptRunner::RollBack() {
  Log(texts::LogUndo);
  ws_.combs_.RollBack();
}

void ScriptRunner::ApplyFilterPart(const TFilterPart& p) {
  const StatTable& table = ws_.Stats();
  ws_.stats_.ClearSelection();
  if (!ws_.SelectStatMethodByCode(p.methodCode, false)) {
    const int known = ws_.Registry().IndexOfCode(p.methodCode);
    const std::string name = known >= 0 ? ws_.Registry().Items(known).DisplayName() : std::string();
    throw Error(Format(texts::MethodNotFound, p.methodCode.c_str(), name.c_str()));
  }
  const int entry = ws_.StatEntry();
  ws_.stats_.SetSort(p.sortColumn, true);
  ws_.SetStatDepth(p.drawsLen);
  Log(Format(texts::LogTable, ws_.Registry().ListText(entry, true).c_str(), p.drawsLen));
  ws_.stats_.ApplyWeights(p.coefsOverride ? std::optional<TWeightCoefs>(p.coefs) : std::nullopt);
  ws_.BuildStatTable(false);
  if (Poll()) return;
  if (run_.LogEnabled())
    for (int r = 0; r < table.RowCount(); ++r) Log(RowLog(table.RowToStatValues(r)));
  if (Poll()) return;

  auto stat = ws_.Registry().CreateStat(entry);
  int steps = 0;
  const int rows = table.RowCount();
  for (int k = 0; k < rows; ++k) {
    if (Poll()) return;
    const int r = p.bottomUp ? rows - 1 - k : k;
    TStatValues vals = table.RowToStatValues(r);
    const int32_t value = stat->ParseValue(vals.value);
    if (StopBeforeRow(p, vals, ws_.Combs().Count(), steps)) break;
    if (p.multiSelect) {
      if (RowQualifies(p, vals, value)) {
        ws_.stats_.SelectRow(r, true);
        Log(Format(texts::LogStep, steps + 1, vals.value.c_str(), vals.count.c_str(),
                   vals.countPercent.c_str(), vals.deviation.c_str(), vals.deviationPercent.c_str(),
                   vals.depth.c_str(), vals.depthPercent.c_str(), vals.weight.c_str()));
      }
      ++steps;
      continue;
    }
    if (!RowQualifies(p, vals, value)) continue;
    ws_.stats_.SelectRows({r});
    Log(Format(texts::LogStep, steps + 1, vals.value.c_str(), vals.count.c_str(),
               vals.countPercent.c_str(), vals.deviation.c_str(), vals.deviationPercent.c_str(),
               vals.depth.c_str(), vals.depthPercent.c_str(), vals.weight.c_str()));
    Filter(*stat, entry, p.keep);
    ws_.stats_.ClearSelection();
    if (ws_.Combs().Count() == 0) {
      RollBack();
      if (p.stopMode == SZ) break;
    } else {
      ++steps;
    }
  }
  if (p.multiSelect && !st_.stopped) {
    Filter(*stat, entry, p.keep);
    ws_.stats_.ClearSelection();
    if (ws_.Combs().Count() == 0) RollBack();
  }
}

void ScriptRunner::MakeStakes(const TScriptOptions& o, int line, int variant,
                              const std::string& text, const std::string& comment) {
  Log(Format(texts::LogStakeMode, StakeModeText(o.stakeMode).c_str()));
  const int count = ws_.Combs().Count();
  if (count == 0 || o.stakeMode == ModeNone) return;
  stakeComment_ = StakeComment(line, variant, comment, text);
  newOnly_ = o.newOnly;
  if (count > 1 && o.stakeMode == ModeStop) {
    run_.Halt();
    Log(texts::LogStopped);
    ws_.host().showMessage(MessageKind::Attention,
                           Format(texts::StoppedMoreThanOne, count, stakeComment_.c_str()));
    return;
  }
  if (count > 1 && o.stakeMode == ModeSkip) {
    Log(texts::LogSkipped);
    return;
  }
  if (Poll()) return;
  lastPanel_ = {};
  if (count == 1) {
    AddScenarioStake(ws_.Combs().At(0), false);
  } else {
    switch (o.stakeMode) {
      case ModeRand:
        AddScenarioStake(ws_.Combs().At(ws_.RandomIndex(count)), false);
        break;
      case ModeFirst:
        AddScenarioStake(ws_.Combs().At(0), false);
        break;
      case ModeLast:
        AddScenarioStake(ws_.Combs().At(count - 1), false);
        break;
      case ModeAll:
        for (int k = 0; k < count; ++k) {
          if (Poll()) break;
          // A failed append (the message is shown) ends the batch and the run.
          if (AddScenarioStake(ws_.Combs().At(k), true) == StakeResult::Failed) break;
        }
        break;
      case ModeSysA:
        SystemStakes(false);
        break;
      case ModeSysC:
        SystemStakes(true);
        break;
      default:
        break;
    }
  }
  ws_.stakes_.GridUpdate(true, true);
}

ScriptRunner::StakeResult ScriptRunner::AddScenarioStake(const TComb& comb, bool batch) {
  std::string comment = stakeComment_;
  TStakeData stake = ws_.NewStake(StakeScenario, comb, comment);
  stake.profit = StakeProfit(ws_.Config(), 3, -1);
  if (newOnly_ && ws_.stakes_.Exists(stake.draw, stake.numbers)) {
    Log(Format(texts::LogNotNew, stake.draw, CountedToText(stake.numbers, ";").c_str()));
    return StakeResult::Skipped;
  }
  if (!ws_.stakes_.AddInBatch(stake, 1, batch)) {
    run_.Halt();
    run_.SetFailed(true);
    return StakeResult::Failed;
  }
  Log(Format(texts::LogAdded, stake.draw, CountedToText(stake.numbers, ";").c_str()));
  run_.CountStake();
  if (ws_.onScenarioStake_) ws_.onScenarioStake_(stake);
  const auto now = std::chrono::steady_clock::now();
  if (!batch || now - lastPanel_ > std::chrono::milliseconds(100)) {
    lastPanel_ = now;
    ws_.host().changed(ChangeScript);
    Poll();
  }
  return StakeResult::Added;
}

void ScriptRunner::SystemStakes(bool combsOnly) {
  // The wheel system for the distinct numbers of the list comes from the local systems; without
  // one (its box is shown) nothing is staked and the run goes on.
  const TByteArray numbers =
      DistinctNumberList(ws_.Combs().ToArray(), static_cast<size_t>(ws_.Combs().Count()));
  const int n = static_cast<int>(numbers.size());
  const LocalSystem system = ws_.systems_.LoadLocal(numbers);
  if (!system.ok) {
    Log(Format(texts::LogSystemError, n, system.text.c_str()));
    return;
  }
  const std::string name = fs::path(system.text).stem().string();
  Log(Format(combsOnly ? texts::LogSystemCombs : texts::LogSystemAll, n, name.c_str()));
  for (TComb c : system.combs) {
    if (Poll()) break;
    SortComb(c);
    if (combsOnly && !ws_.combs_.List().Contains(c)) continue;
    if (AddScenarioStake(c, true) == StakeResult::Failed) break;
  }
}

}  // namespace korvane

namespace korvane {

void Workspace::ScriptRun() { ScriptRunner(*this).Forecast(); }
void Workspace::ScriptTest(int k) { ScriptRunner(*this).Test(k); }

}  // namespace korvane
