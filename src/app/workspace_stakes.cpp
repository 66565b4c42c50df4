// The stake store part of the workspace: adding, checking, deleting, logs.

#include "app/workspace.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/texts.h"

namespace korvane {

TStakeData Workspace::NewStake(uint8_t kind, const std::optional<TComb>& comb,
                               const std::string& comment) const {
  TStakeData s;
  s.version = StakeVersion;
  s.kind = kind;
  s.draw = archive_.NextDrawNumber(archive_.DrawsOffset());
  if (s.draw < 1) s.draw = 1;
  s.checked = 0;
  s.sample = combs_.Count();
  if (comb) s.numbers = CombToCounted(*comb);
  s.matched.count = -1;
  s.profit = StakeProfit(settings_.config, s.numbers.count, -1);
  s.comment = comment;
  return s;
}

bool Workspace::AddStakeInBatch(const TStakeData& stake, int draws, bool batch) {
  BusyScope busy(busy_, batch ? texts::MakingStakes : texts::MakingStake);
  try {
    stakes_.Append(stake, draws);
  } catch (const Error& e) {
    ReportError(texts::StakeAppendError, e.what());
    return false;
  }
  StakesGridUpdate(false, !batch || view_.stakesScrollEnabled);
  return true;
}

bool Workspace::AddStake(const TStakeData& stake, int draws) {
  {
    BusyScope busy(busy_, texts::MakingStake);
    try {
      stakes_.Append(stake, draws);
    } catch (const Error& e) {
      ReportError(texts::StakeAppendError, e.what());
      return false;
    }
  }
  StakesCheckAndRefresh();
  StakesGridUpdate(true, true);
  return true;
}

int Workspace::AddStakes(const std::vector<TComb>& combs, int32_t draw, int draws,
                         const std::string& comment) {
  int added = 0;
  for (const TComb& c : combs) {
    TStakeData s = NewStake(StakeManual, c, comment);
    s.draw = draw;
    if (!AddStakeInBatch(s, draws, true)) return added;  // a failed append stops the batch
    ++added;
  }
  StakesCheckAndRefresh();
  StakesGridUpdate(true, false);
  return added;
}

StakeCheckResult Workspace::StakesCheckAndRefresh() {
  StakeCheckResult result;
  if (!stakes_.IsOpen() || stakes_.Count() == 0) return result;
  {
    BusyScope busy(busy_, texts::CheckingStakes);
    try {
      result = stakes_.Check(
          archive_.Draws(), settings_.config,
          [this](const TStakeData& s) {
            ratings_.Add(s);
            if (view_.stakesLogEnabled)
              stakeLog_.Write(s, [this](const std::string& message) {
                host_.showMessage(MessageKind::Error, message);
              });
          },
          [this](int done, int total) {
            busy_.SetStatus(Format(texts::CheckingStakesProgress, 100.0 * done / total));
            host_.poll();
          });
    } catch (const Error& e) {
      ReportError(texts::StakesCheckError, e.what());
    }
  }
  if (result.checked > 0) {
    stakes_.Reopen();
    StakesGridUpdate(true, false);
  }
  return result;
}

bool Workspace::DeleteStakeRows(int first, int last) {
  if (!stakes_.IsOpen() || stakes_.Count() == 0 || first < 1 || last < first) return false;
  const int rows = last - first + 1;
  const std::string question =
      rows == 1 ? std::string(texts::AskDeleteOne) : Format(texts::AskDeleteMany, rows);
  if (!host_.askWarning(question, false)) return false;
  bool ok = true;
  try {
    stakes_.DeleteRows(first, last);
  } catch (const Error& e) {
    ReportError(texts::StakeDeleteError, e.what());
    ok = false;
  }
  StakesCheckAndRefresh();
  StakesGridUpdate(true, false);
  return ok;
}

bool Workspace::DeleteStakesByCondition(StakeRelation op, int value) {
  bool ok = true;
  try {
    stakes_.DeleteByCondition(op, value);
  } catch (const Error& e) {
    ReportError(texts::StakeDeleteError, e.what());
    ok = false;
  }
  StakesCheckAndRefresh();
  StakesGridUpdate(true, false);
  return ok;
}

bool Workspace::ClearStakes() {
  if (!stakes_.IsOpen() || stakes_.Count() == 0) return false;
  const int n = stakes_.Count();
  const std::string question =
      n == 1 ? std::string(texts::AskDeleteOne) : Format(texts::AskDeleteMany, n);
  if (!host_.askWarning(question, false)) return false;
  try {
    stakes_.Truncate();
  } catch (const Error& e) {
    ReportError(texts::StakeDeleteError, e.what());
    return false;
  }
  StakesGridUpdate(false, false);
  return true;
}

void Workspace::DeleteStakeLogs() {
  if (stakeLog_.CountFiles() == 0) {
    host_.showMessage(MessageKind::Information, texts::NoLogFiles);
    return;
  }
  std::pair<int, int> r;
  {
    BusyScope busy(busy_, texts::SearchingLogs);
    r = stakeLog_.DeleteAll();
  }
  if (r.second == 0)
    host_.showMessage(MessageKind::Information, Format(texts::LogsDeleted, r.first));
  else
    host_.showMessage(MessageKind::Warning, Format(texts::LogsNotDeleted, r.first, r.second));
}

void Workspace::StakesGridUpdate(bool refresh, bool selectLast) {
  if (selectLast) stakesScroll_ = true;
  SetPanel(4, Format(texts::PanelStakes, stakes_.IsOpen() ? stakes_.Count() : 0));
  if (refresh || selectLast) host_.changed(ChangeStakes);
}

bool Workspace::TakeStakesScroll() {
  const bool s = stakesScroll_;
  stakesScroll_ = false;
  return s;
}

}  // namespace korvane
