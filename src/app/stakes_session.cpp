#include "app/stakes_session.h"

#include "app/dialogue.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/texts.h"

namespace korvane {

StakesSession::StakesSession(const SessionContext& ctx, const DrawArchive& archive,
                             const SettingsStore& settings, RatingsSession& ratings)
    : ctx_(ctx), archive_(archive), settings_(settings), ratings_(ratings), log_(ctx.files.Dir()) {}

StakesSession::~StakesSession() { stakes_.Close(); }

void StakesSession::Open() {
  const StakeFileRepair repair = stakes_.Open(ctx_.files.Stakes());
  if (repair.kind == StakeFileRepair::OldVersion)
    ctx_.host.showMessage(MessageKind::Warning,
                          std::string(texts::OldStakeFile) + "\n\n" +
                              Format(texts::StakeFileBackup, repair.backup.string().c_str()));
  if (repair.unfinishedRecords > 0)
    ctx_.host.showMessage(
        MessageKind::Warning,
        Format(texts::UnfinishedBatch, static_cast<long long>(repair.unfinishedRecords)));
  if (repair.kind == StakeFileRepair::TornTail)
    ctx_.host.showMessage(MessageKind::Warning,
                          Format(texts::TornStakeFile, static_cast<long long>(repair.tailBytes),
                                 repair.backup.string().c_str()));
  GridUpdate(true, false);
}

void StakesSession::OpenForReading() {
  stakes_.OpenForReading(ctx_.files.Stakes());
  GridUpdate(true, false);
}

bool StakesSession::Refused() const {
  if (refusal_.empty()) return false;
  ReportError(ctx_.host, texts::DrawsReadError, refusal_);
  return true;
}

TStakeData StakesSession::NewStake(uint8_t kind, const std::optional<TComb>& comb,
                                   const std::string& comment, int sample) const {
  TStakeData s;
  s.version = StakeVersion;
  s.kind = kind;
  s.draw = archive_.NextDrawNumber(archive_.DrawsOffset());
  if (s.draw < 1) s.draw = 1;
  s.checked = 0;
  s.sample = sample;
  if (comb) s.numbers = CombToCounted(*comb);
  s.matched.count = -1;
  s.profit = StakeProfit(settings_.Config(), s.numbers.count, -1);
  s.comment = comment;
  return s;
}

bool StakesSession::AddInBatch(const TStakeData& stake, int draws, bool batch) {
  if (Refused()) return false;
  BusyScope busy(ctx_.busy, batch ? texts::MakingStakes : texts::MakingStake);
  if (!Guarded(ctx_.host, texts::StakeAppendError, [&] { stakes_.Append(stake, draws); }))
    return false;
  GridUpdate(false, !batch || settings_.View().stakesScrollEnabled);
  return true;
}

bool StakesSession::Add(const TStakeData& stake, int draws) {
  if (Refused()) return false;
  {
    BusyScope busy(ctx_.busy, texts::MakingStake);
    if (!Guarded(ctx_.host, texts::StakeAppendError, [&] { stakes_.Append(stake, draws); }))
      return false;
  }
  CheckAndRefresh();
  GridUpdate(true, true);
  return true;
}

int StakesSession::AddMany(const std::vector<TStakeData>& stakes, int draws) {
  if (Refused()) return 0;
  {
    // One unit: all of the batch is in the file, or none of it.
    BusyScope busy(ctx_.busy, texts::MakingStakes);
    if (!Guarded(ctx_.host, texts::StakeAppendError, [&] { stakes_.AppendBatch(stakes, draws); }))
      return 0;
  }
  GridUpdate(false, settings_.View().stakesScrollEnabled);
  CheckAndRefresh();
  GridUpdate(true, false);
  return static_cast<int>(stakes.size());
}

void StakesSession::DeferFlush() {
  stakes_.DeferFlush(true);
  ratings_.DeferSave(true);
}

bool StakesSession::EndDeferral() {
  const bool ok = Guarded(ctx_.host, texts::StakesWriteError, [&] { stakes_.DeferFlush(false); });
  ratings_.DeferSave(false);
  return ok;
}

bool StakesSession::AddSeparator() {
  return Guarded(ctx_.host, texts::StakeAppendError, [&] { stakes_.AppendSeparator(); });
}

StakeCheckResult StakesSession::CheckAndRefresh() {
  StakeCheckResult result;
  if (!stakes_.IsOpen() || stakes_.Count() == 0 || Refused()) return result;
  int seen = 0;  // the stakes whose results are in the file, also when a later span failed
  {
    BusyScope busy(ctx_.busy, texts::CheckingStakes);
    try {
      result = stakes_.Check(
          archive_.Draws(), settings_.Config(),
          [this, &seen](const TStakeData& s) {
            ++seen;
            ratings_.Add(s);
            if (settings_.View().stakesLogEnabled)
              log_.Write(s, [this](const std::string& message) {
                ctx_.host.showMessage(MessageKind::Error, message);
              });
          },
          [this](int done, int total) {
            ctx_.busy.SetStatus(Format(texts::CheckingStakesProgress, 100.0 * done / total));
            ctx_.host.poll();
          });
    } catch (const Error& e) {
      ReportError(ctx_.host, texts::StakesCheckError, e.what());
    }
  }
  if (seen > 0) {
    stakes_.Reopen();
    ratings_.AfterCheck();
    GridUpdate(true, false);
  }
  return result;
}

bool StakesSession::DeleteRows(int first, int last) {
  if (!stakes_.IsOpen() || stakes_.Count() == 0 || first < 1 || last < first) return false;
  if (!ConfirmDelete(ctx_.host, last - first + 1)) return false;
  const bool ok =
      Guarded(ctx_.host, texts::StakeDeleteError, [&] { stakes_.DeleteRows(first, last); });
  CheckAndRefresh();
  GridUpdate(true, false);
  return ok;
}

bool StakesSession::DeleteByCondition(StakeRelation op, int value) {
  const bool ok =
      Guarded(ctx_.host, texts::StakeDeleteError, [&] { stakes_.DeleteByCondition(op, value); });
  CheckAndRefresh();
  GridUpdate(true, false);
  return ok;
}

bool StakesSession::Clear() {
  if (!stakes_.IsOpen() || stakes_.Count() == 0) return false;
  if (!ConfirmDelete(ctx_.host, stakes_.Count())) return false;
  if (!Guarded(ctx_.host, texts::StakeDeleteError, [&] { stakes_.Truncate(); })) return false;
  GridUpdate(false, false);
  ratings_.Refresh(stakes_);
  return true;
}

void StakesSession::Recheck(const std::vector<int32_t>& drawNumbers) {
  if (!stakes_.IsOpen() || drawNumbers.empty()) return;
  std::vector<TStakeData> old;
  if (!Guarded(ctx_.host, texts::StakesCheckError,
               [&] { old = stakes_.Uncheck(drawNumbers, settings_.Config()); }))
    return;
  if (old.empty()) return;
  for (const TStakeData& s : old) ratings_.Remove(s);
  GridUpdate(true, false);
  // Checking puts them back with their new results (and saves the ratings); when none of
  // the numbers has a draw now, the ratings are saved without them.
  if (CheckAndRefresh().checked == 0) ratings_.AfterCheck();
}

bool StakesSession::Truncate() {
  const bool ok = Guarded(ctx_.host, texts::StakeDeleteError, [&] { stakes_.Truncate(); });
  GridUpdate(true, false);
  return ok;
}

void StakesSession::DeleteLogs() {
  DeleteLogFiles(ctx_.host, ctx_.busy, log_.Files(), texts::NoLogFiles);
}

void StakesSession::GridUpdate(bool refresh, bool selectLast) {
  if (selectLast) scroll_ = true;
  ctx_.panels.Set(StatusPanel::Stakes, Format(texts::PanelStakes, Count()));
  if (refresh || selectLast) ctx_.host.changed(ChangeStakes);
}

bool StakesSession::TakeScroll() {
  const bool s = scroll_;
  scroll_ = false;
  return s;
}

}  // namespace korvane
