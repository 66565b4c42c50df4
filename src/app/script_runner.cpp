#include "app/script_runner.h"

#include <optional>
#include <random>

#include "core/error.h"
#include "core/strutil.h"
#include "filters/filtering.h"
#include "scenario/texts.h"
#include "stakes/texts.h"

namespace korvane {

ScriptRunner::ScriptRunner(Workspace& ws)
    : ws_(ws), run_(ws.scenario_), st_(ws.scenario_.State()) {}

ScriptRunner::~ScriptRunner() {
  // The workers end before what they read goes.
  cancel_ = true;
  pool_.reset();
}

void ScriptRunner::LogOffset() {
  Log(texts::LogEquals);
  LogF(texts::LogOffset, ws_.DrawsOffset());
  Log(texts::LogEquals);
}

void ScriptRunner::Begin() {
  run_.BeginRun();
  ws_.stakes_.DeferFlush();
  savedSortColumn_ = ws_.Stats().SortColumn();
  savedDescending_ = ws_.Stats().Descending();
  // The views follow the offset once, after the run.
  savedSuspend_ = ws_.suspendViews_;
  ws_.SuspendViews(true);

  // The texts a step reads, and the columns the scenario sorts by.
  uint32_t columns = StepColumns();
  for (const std::string& line : ws_.ScriptLines())
    for (int f = 1; f <= FilterSlots; ++f) {
      const std::string field = LineFilter(line, f);
      if (field.empty()) continue;
      try {
        const TFilterItem item = TextToFilterItem(field, ws_.Registry());
        if (item.sortColumn >= 0 && item.sortColumn < StatColumnCount)
          columns |= 1u << item.sortColumn;
      } catch (const std::exception&) {
        // The line reports it when it runs.
      }
    }
  StepTableInputs inputs;
  inputs.registry = &ws_.Registry();
  inputs.sortFlag = ws_.View().sortedDraws;
  inputs.showTotalLine = ws_.View().showTotalLine;
  inputs.columns = columns;
  inputs.prefetch = &prefetch_;
  tables_ = std::make_unique<StepTables>(inputs);

  context_.registry = &ws_.Registry();
  context_.methods = &ws_.stats_.MethodList();
  context_.sortFlag = ws_.View().sortedDraws;
  context_.logOn = run_.LogEnabled();
  context_.userCoefs = ws_.Registry().WeightCoefs();
  context_.tables = tables_.get();
  serial_ = std::make_unique<VariantWorker>(context_, [this] { return Poll(); });
  jobs_ = ws_.ScriptJobs();
  offsetStarted_ = false;
  history_ = TableHistory{};
  // Before the first step the shown table is the user's.
  const int entry = ws_.StatEntry();
  if (entry >= 0) {
    history_.present = true;
    history_.key = {entry, ws_.StatDepth(), context_.userCoefs};
    history_.column = savedSortColumn_;
    history_.descending = savedDescending_;
  }
}

void ScriptRunner::End() {
  cancel_ = true;
  pool_.reset();
  // The run's stakes are on the disk before it is reported done.
  if (!ws_.stakes_.EndDeferral()) run_.SetFailed(true);
  // The statistics table shows the last step's method and depth, as the user would have left it.
  if (lastStep_) {
    ws_.SelectStatMethodByCode(lastStep_->methodCode, false);
    ws_.SetStatDepth(lastStep_->depth);
  }
  ws_.SuspendViews(savedSuspend_);
  ws_.RecomputeViews();
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

void ScriptRunner::StartOffset() {
  const int offset = ws_.DrawsOffset();
  if (offsetStarted_ && tables_->Offset() == offset) return;
  if (offsetStarted_) {
    // The shown table was built anew for the offset with the last step's method and depth.
    history_ = TableHistory{};
    if (lastStep_) {
      const int listed = ListedEntry(lastStep_->methodCode);
      if (listed >= 0) {
        history_.present = true;
        history_.key = {listed, lastStep_->depth, context_.userCoefs};
        history_.column = lastStep_->sortColumn;
        history_.descending = true;
      }
    }
  }
  offsetStarted_ = true;
  tables_->Reset(offset);
  shownErrors_.clear();
  context_.last = LastAnalysedIndex(ws_.Archive().Draws(), offset);
  serial_->Reset();
  for (auto& w : workers_) w->Reset();
}

void ScriptRunner::RunLines() {
  if (!ws_.stakes_.AddSeparator()) {
    // The stake file takes nothing (the message is shown): the run ends here.
    run_.Halt();
    run_.SetFailed(true);
    return;
  }
  StartOffset();
  ws_.stats_.SaveWeights();
  const std::vector<std::string> lines = ws_.ScriptLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Poll()) break;
    if (IsSeparatorLine(lines[i])) continue;
    Log(texts::LogDashes);
    LogF(texts::LogScriptLine, static_cast<int>(i + 1), lines[i].c_str());
    Log(texts::LogDashes);
    RunLine(static_cast<int>(i), lines[i]);
    if (st_.stopped) break;
  }
  if (!ws_.View().stakesCheckOnLine) CheckStakes();
  ws_.stats_.RestoreWeights();
}

int ScriptRunner::ListedEntry(const std::string& code) const {
  for (int e : ws_.stats_.MethodList())
    if (SameText(ws_.Registry().Items(e).MethodCode(), code)) return e;
  return -1;
}

void ScriptRunner::LoadPrefetch(const std::vector<TFilterItem>& items) {
  if (!ws_.View().prefetchsEnabled) return;
  for (const TFilterItem& item : items) {
    const std::string code =
        item.methodCode.empty()
            ? std::string(Trim(item.methodText.substr(0, item.methodText.find(':'))))
            : item.methodCode;
    // Loaded once a run; a failure is shown once and the tables go without the norm.
    const int e = ListedEntry(code);
    if (e >= 0 && prefetchTried_.insert(e).second)
      if (auto data = ws_.stats_.LoadPrefetch(e)) prefetch_.emplace(e, std::move(*data));
  }
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
      LogF(texts::LogVariantsMade, static_cast<int>(plan->Count()));
      if (Poll()) return;
    }
    const std::string comment = LineComment(text);
    if (plan && plan->Count() > 0) {
      LoadPrefetch(items);
      const Line line{i, options, comment, static_cast<int>(plan->Count())};
      RunVariants(line, *plan, insideVariant);
    } else {
      Log(texts::LogNoFilters);
      Log("");
      run_.Status(i + 1, 0, OptionsToShortText(options), 0);
      Log(texts::LogStartList);
      MakeStartList(options);
      if (!Poll()) ClearStakesIfAsked(options);
      LogF(texts::LogCount, ws_.Combs().Count());
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

void ScriptRunner::MakeStartList(const TScriptOptions& o) {
  if (o.startList == StartFull || o.startList == StartExcl)
    ws_.combs_.Generate(true, ws_.combs_.DefaultGenParams());
  if (Poll()) return;
  if (o.startList == StartExcl && o.excludeDraws > 0) ws_.CombsDelExists(o.excludeDraws);
}

void ScriptRunner::ClearStakesIfAsked(const TScriptOptions& o) {
  if (o.clearStakes) {
    // The stakes of earlier variants are checked first, so that the ratings keep them.
    CheckStakes();
    ws_.stakes_.Truncate();
  }
}

void ScriptRunner::RunVariants(const Line& line, const VariantPlan& plan, bool& insideVariant) {
  const bool current = line.options.startList == StartCurr;
  if (!current) {
    // Every variant starts from the same fresh list.
    MakeStartList(line.options);
    if (Poll()) return;
    lineStart_ = ws_.combs_.List();
  }
  // A short line gains nothing from the workers: starting them and their learning the line's
  // tables and filters costs more than its few variants.
  constexpr uint64_t ParallelVariants = 8;
  if (jobs_ > 1 && !current && plan.Count() >= ParallelVariants) {
    RunVariantsInParallel(line, plan, insideVariant);
    return;
  }
  // One after another: a variant on the current list starts from the one before it.
  for (uint64_t k = 0; k < plan.Count(); ++k) {
    if (Poll()) break;
    const TFilterVar var = plan.At(k);
    serial_->Run(var, current ? ws_.combs_.List() : lineStart_, history_, serialResult_);
    if (!Commit(line, k, var, serialResult_, insideVariant)) break;
  }
}

void ScriptRunner::RunVariantsInParallel(const Line& line, const VariantPlan& plan,
                                         bool& insideVariant) {
  // This thread is one of the workers: it filters a variant whenever the one it must take next
  // is not ready, so `jobs_` threads share the cores.
  const uint64_t window = 32 * static_cast<uint64_t>(jobs_);
  if (!pool_) {
    pool_ = std::make_unique<WorkerPool>(jobs_ - 1);
    for (int w = 0; w < jobs_ - 1; ++w)
      workers_.push_back(
          std::make_unique<VariantWorker>(context_, [this] { return cancel_.load(); }));
    // Workers run at most this far ahead of the variant being taken: far enough that they rarely
    // wait for this thread, near enough that the results held stay few.
    slots_ = std::vector<Slot>(window);
  }
  const uint64_t total = plan.Count();
  std::mutex mutex;
  std::condition_variable changed;
  uint64_t next = 0;   // the next variant to filter, under mutex
  uint64_t taken = 0;  // the variants taken so far, under mutex
  cancel_ = false;
  // Filters variant k into its slot with a worker that does not know the variants before it.
  auto filter = [&](VariantWorker& worker, uint64_t k) {
    Slot& slot = slots_[k % window];
    try {
      slot.var = plan.At(k);
      TableHistory unknown;
      unknown.known = false;
      worker.Run(slot.var, lineStart_, unknown, slot.result);
    } catch (const std::exception& e) {
      slot.result.error = e.what();
    }
    {
      const std::lock_guard lock(mutex);
      slot.ready = true;
    }
    changed.notify_all();
  };
  // The next variant to filter when the window has room for it.
  auto claim = [&](uint64_t& k) {
    if (cancel_ || next >= total || next >= taken + window) return false;
    k = next++;
    return true;
  };
  pool_->Start([&](int w) {
    for (;;) {
      uint64_t k = 0;
      bool got = false;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return cancel_.load() || next >= total || (got = claim(k)); });
      }
      if (!got) return;
      filter(*workers_[static_cast<size_t>(w)], k);
    }
  });
  auto finish = [&] {
    {
      const std::lock_guard lock(mutex);
      cancel_ = true;
    }
    changed.notify_all();
    pool_->Wait();
  };
  try {
    for (uint64_t k = 0; k < total; ++k) {
      Slot& slot = slots_[k % window];
      bool ready = false;
      while (!ready) {
        uint64_t j = 0;
        bool help = false;
        {
          std::unique_lock lock(mutex);
          if (slot.ready) {
            ready = true;
            break;
          }
          help = claim(j);
          if (!help)
            ready =
                changed.wait_for(lock, std::chrono::milliseconds(20), [&] { return slot.ready; });
        }
        if (help) filter(*serial_, j);
        if (!ready && Poll()) break;
      }
      if (!ready || Poll()) break;
      Slot& done = slot;
      // A table whose order follows the steps before it is filtered again here, in turn.
      if (done.result.needsHistory) serial_->Run(done.var, lineStart_, history_, done.result);
      const bool go = Commit(line, k, done.var, done.result, insideVariant);
      {
        const std::lock_guard lock(mutex);
        done.ready = false;
        taken = k + 1;
      }
      changed.notify_all();
      if (!go) break;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

bool ScriptRunner::Commit(const Line& line, uint64_t k, const TFilterVar& var, VariantResult& r,
                          bool& insideVariant) {
  const int v = static_cast<int>(k + 1);
  const std::string varText = FilterVarToText(var);
  insideVariant = true;
  Log("");
  Log(texts::LogDashes);
  LogF(texts::LogVariant, v, varText.c_str());
  Log(texts::LogDashes);
  run_.Status(line.index + 1, v, varText, line.total);
  Log(texts::LogStartList);
  ClearStakesIfAsked(line.options);
  LogF(texts::LogCount, r.startCount);
  if (Poll()) return false;
  for (const std::string& text : r.log) Log(text);
  for (const auto& table : r.tables)
    if (shownErrors_.insert(table.get()).second)
      ws_.host().showMessage(MessageKind::Error, table->error);
  for (const std::string& message : r.messages) ws_.host().showMessage(MessageKind::Error, message);
  ws_.combs_.Assign(r.list);
  if (r.last) lastStep_ = r.last;
  history_ = r.history;
  if (!r.error.empty()) throw Error(r.error);
  if (r.stopped || Poll()) return false;
  MakeStakes(line.options, line.index + 1, v, OptionsToShortText(line.options) + " + " + varText,
             line.comment);
  if (Poll()) return false;
  Log(texts::LogDashes);
  if (ws_.View().stakesCheckOnLine) CheckStakes();
  insideVariant = false;
  return true;
}

void ScriptRunner::MakeStakes(const TScriptOptions& o, int line, int variant,
                              const std::string& text, const std::string& comment) {
  LogF(texts::LogStakeMode, StakeModeText(o.stakeMode).c_str());
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
    if (run_.LogEnabled())
      Log(Format(texts::LogNotNew, stake.draw, CountedToText(stake.numbers, ";").c_str()));
    return StakeResult::Skipped;
  }
  if (!ws_.stakes_.AddInBatch(stake, 1, batch)) {
    run_.Halt();
    run_.SetFailed(true);
    return StakeResult::Failed;
  }
  if (run_.LogEnabled())
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
int Workspace::ScriptJobs() const {
  return WorkerCount(scriptJobs_ > 0 ? scriptJobs_ : settings_.Game().scriptJobs);
}
void Workspace::ScriptTest(int k) { ScriptRunner(*this).Test(k); }

}  // namespace korvane
