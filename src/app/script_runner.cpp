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

ScriptRunner::ScriptRunner(Workspace& ws) : ws_(ws), st_(ws.Script()) {}

void ScriptRunner::Fail(const std::string& message) {
  st_.stopped = true;
  st_.failed = true;
  ws_.host().showMessage(MessageKind::Error, message);
}

void ScriptRunner::LogOffset() {
  Log(texts::LogEquals);
  Log(Format(texts::LogOffset, ws_.DrawsOffset()));
  Log(texts::LogEquals);
}

void ScriptRunner::Begin() {
  ws_.RunLog().enabled = ws_.View().scriptLogEnabled;
  ws_.RunLog().onError = [this](const std::string& m) {
    ws_.host().showMessage(MessageKind::Error, m);
  };
  ws_.RunLog().Start(Now());
  Log(texts::LogRunStart);
  st_ = Workspace::ScriptState{};
  st_.running = true;
  savedSortColumn_ = ws_.Stats().SortColumn();
  savedDescending_ = ws_.Stats().Descending();
}

void ScriptRunner::End() {
  st_.cycle = 0;
  st_.running = false;
  st_.stopped = false;
  ws_.Stats().SetSort(savedSortColumn_, savedDescending_);
  Log(texts::LogRunEnd);
  ws_.lastScriptLog = ws_.RunLog().Finish();
  ws_.host().changed(ChangeScript | ChangeStats | ChangeCombs);
}

void ScriptRunner::Forecast() {
  BusyScope busy(ws_.Busy(), texts::RunningScript);
  Begin();
  st_.cycle = 1;
  ws_.ScriptStatus(0, 0, texts::RunningScript, 0);
  try {
    LogOffset();
    RunLines();
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  const bool failed = st_.failed;
  if (!st_.stopped) ws_.ScriptStatus(0, 0, texts::ScriptDone, 0);
  End();
  st_.failed = failed;
}

void ScriptRunner::Test(int k) {
  if (k <= 0) return;
  BusyScope busy(ws_.Busy(), texts::RunningScript);
  Begin();
  const int savedOffset = ws_.DrawsOffset();
  try {
    for (int i = 1; i <= k; ++i) {
      st_.cycle = i;
      ws_.ScriptStatus(0, 0, texts::RunningScript, 0);
      if (Poll()) break;
      ws_.SetDrawsOffset(k - i + 1);
      if (Poll()) break;
      LogOffset();
      if (Poll()) break;
      RunLines();
    }
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  const bool failed = st_.failed;
  if (!st_.stopped) ws_.SetDrawsOffset(savedOffset);
  st_.cycle = 0;
  ws_.ScriptStatus(0, 0, texts::ScriptDone, 0);
  End();
  st_.failed = failed;
}

void ScriptRunner::CheckStakes() {
  ws_.StakesCheckAndRefresh();
  ws_.StakesGridUpdate(true, false);
}

void ScriptRunner::RunLines() {
  try {
    ws_.Stakes().AppendSeparator();
  } catch (const Error& e) {
    ws_.ReportError(texts::StakeAppendError, e.what());
  }
  ws_.Registry().SaveWeightCoefs();
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
  ws_.Registry().RestoreWeightCoefs();
}

void ScriptRunner::RunLine(int i, const std::string& text) {
  ws_.Combs().UndoDiscard();
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
    ws_.ScriptStatus(i + 1, 0, texts::MakingVariants, 0);
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
        ws_.ScriptStatus(i + 1, v, varText, total);
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
      ws_.ScriptStatus(i + 1, 0, OptionsToShortText(options), 0);
      Log(texts::LogStartList);
      PrepareStartList(options);
      Log(Format(texts::LogCount, ws_.Combs().Count()));
      if (!Poll()) {
        MakeStakes(options, i + 1, 0, OptionsToShortText(options), comment);
        if (ws_.View().stakesCheckOnLine) CheckStakes();
      }
    }
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  if (insideVariant && ws_.View().stakesCheckOnLine) CheckStakes();
  ws_.Combs().UndoDiscard();
}

void ScriptRunner::PrepareStartList(const TScriptOptions& o) {
  if (o.startList == StartFull || o.startList == StartExcl)
    ws_.CombsGenerate(true, ws_.DefaultGenParams());
  if (Poll()) return;
  if (o.startList == StartExcl && o.excludeDraws > 0) ws_.CombsDelExists(o.excludeDraws);
  if (Poll()) return;
  if (o.clearStakes) {
    // The stakes of earlier variants are checked first, so that the ratings keep them.
    CheckStakes();
    try {
      ws_.Stakes().Truncate();
    } catch (const Error& e) {
      ws_.ReportError(texts::StakeDeleteError, e.what());
    }
    ws_.StakesGridUpdate(true, false);
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
  ws_.Combs().UndoSave();
  ws_.ApplyStatFilter(&stat, entry, !keep);
  Log(Format(texts::LogCount, ws_.Combs().Count()));
}

void ScriptRunner::RollBack() {
  Log(texts::LogUndo);
  ws_.Combs().UndoRestore();
  ws_.Combs().FiltersListAddUndo();
  ws_.CombsRefresh();
}

void ScriptRunner::ApplyFilterPart(const TFilterPart& p) {
  StatTable& table = ws_.Stats();
  table.SelectAll(false);
  if (!ws_.SelectStatMethodByCode(p.methodCode, false)) {
    const int known = ws_.Registry().IndexOfCode(p.methodCode);
    const std::string name = known >= 0 ? ws_.Registry().Items(known).DisplayName() : std::string();
    throw Error(Format(texts::MethodNotFound, p.methodCode.c_str(), name.c_str()));
  }
  const int entry = ws_.StatEntry();
  table.SetSort(p.sortColumn, true);
  ws_.SetStatDepth(p.drawsLen);
  Log(Format(texts::LogTable, ws_.Registry().ListText(entry, true).c_str(), p.drawsLen));
  ws_.Registry().ApplyWeightCoefs(p.coefsOverride ? std::optional<TWeightCoefs>(p.coefs)
                                                  : std::nullopt);
  ws_.BuildStatTable(false);
  if (Poll()) return;
  if (ws_.RunLog().enabled)
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
        table.Select(r, true);
        Log(Format(texts::LogStep, steps + 1, vals.value.c_str(), vals.count.c_str(),
                   vals.countPercent.c_str(), vals.deviation.c_str(), vals.deviationPercent.c_str(),
                   vals.depth.c_str(), vals.depthPercent.c_str(), vals.weight.c_str()));
      }
      ++steps;
      continue;
    }
    if (!RowQualifies(p, vals, value)) continue;
    table.SelectOnly({r});
    Log(Format(texts::LogStep, steps + 1, vals.value.c_str(), vals.count.c_str(),
               vals.countPercent.c_str(), vals.deviation.c_str(), vals.deviationPercent.c_str(),
               vals.depth.c_str(), vals.depthPercent.c_str(), vals.weight.c_str()));
    Filter(*stat, entry, p.keep);
    table.SelectAll(false);
    if (ws_.Combs().Count() == 0) {
      RollBack();
      if (p.stopMode == SZ) break;
    } else {
      ++steps;
    }
  }
  if (p.multiSelect && !st_.stopped) {
    Filter(*stat, entry, p.keep);
    table.SelectAll(false);
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
    st_.stopped = true;
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
      case ModeRand: {
        std::uniform_int_distribution<int> pick(0, count - 1);
        AddScenarioStake(ws_.Combs().At(pick(ws_.Random())), false);
        break;
      }
      case ModeFirst:
        AddScenarioStake(ws_.Combs().At(0), false);
        break;
      case ModeLast:
        AddScenarioStake(ws_.Combs().At(count - 1), false);
        break;
      case ModeAll:
        for (int k = 0; k < count; ++k) {
          if (Poll()) break;
          if (!AddScenarioStake(ws_.Combs().At(k), true) && st_.stopped) break;
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
  ws_.StakesGridUpdate(true, true);
}

bool ScriptRunner::AddScenarioStake(const TComb& comb, bool batch) {
  std::string comment = stakeComment_;
  TStakeData stake = ws_.NewStake(StakeScenario, comb, comment);
  stake.profit = StakeProfit(ws_.Config(), 3, -1);
  if (newOnly_ && ws_.Stakes().Find(stake.draw, stake.numbers)) {
    Log(Format(texts::LogNotNew, stake.draw, CountedToText(stake.numbers, ";").c_str()));
    return false;
  }
  if (!ws_.AddStakeInBatch(stake, 1, batch)) return false;
  Log(Format(texts::LogAdded, stake.draw, CountedToText(stake.numbers, ";").c_str()));
  ++st_.stakes;
  if (ws_.onScenarioStake) ws_.onScenarioStake(stake);
  const auto now = std::chrono::steady_clock::now();
  if (!batch || now - lastPanel_ > std::chrono::milliseconds(100)) {
    lastPanel_ = now;
    ws_.host().changed(ChangeScript);
    Poll();
  }
  return true;
}

void ScriptRunner::SystemStakes(bool /*combsOnly*/) {
  // The wheel systems come from the systems store; without one for these numbers nothing is
  // staked and the run goes on.
  const TByteArray numbers =
      DistinctNumberList(ws_.Combs().ToArray(), static_cast<size_t>(ws_.Combs().Count()));
  const std::string message = Format(texts::NoSystem, static_cast<int>(numbers.size()));
  ws_.host().showMessage(MessageKind::Error, message);
  Log(Format(texts::LogSystemError, static_cast<int>(numbers.size()), message.c_str()));
}

}  // namespace korvane
