// The ratings and the regular stakes: the operations that cross them with the stakes, the
// archive and the scenario.

#include <algorithm>

#include "app/dialogue.h"
#include "app/workspace.h"
#include "core/strutil.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"
#include "stakes/texts.h"
#include "stats/texts.h"

namespace korvane {

namespace {

// The options field names a start list ("FULL", "EXCL:3", ...).
bool OptionsKnown(std::string_view field) {
  const std::string_view w = Trim(field.substr(0, field.find('#')));
  for (int i = 0; i < 3; ++i) {
    const std::string_view code = StartListCode(i);
    if (!code.empty() && w.size() >= code.size() && SameText(w.substr(0, code.size()), code))
      return true;
  }
  return false;
}

}  // namespace

void Workspace::SetRatingsMode(EffMode mode) {
  settings_.SetRatingsMode(static_cast<int>(mode));
  ratings_.Show();
}

std::vector<std::string> Workspace::RatingsScriptLines(const std::vector<int>& rows) const {
  std::vector<std::string> lines;
  const TRatingsArray& all = ratings_.Rows().Rows();
  for (int r : rows) {
    if (r < 0 || r >= static_cast<int>(all.size())) continue;
    const std::string& comment = all[static_cast<size_t>(r)].comment;
    const std::string line = RatingCommentToScriptLine(comment);
    bool accepted = !RatingCommentMayBeCut(comment) && OptionsKnown(LineOptions(line));
    if (accepted) {
      bool filter = false;
      for (int f = 1; f <= FilterSlots && !filter; ++f) {
        const std::string field = LineFilter(line, f);
        if (Trim(field).empty()) continue;
        const TFilterItem item = TextToFilterItem(field, stats_.Registry());
        filter = item.used && !item.methodCode.empty();
      }
      accepted = filter;
    }
    if (accepted)
      lines.push_back(line);
    else
      host_.showMessage(MessageKind::Error, Format(texts::RatingLineRefused, comment.c_str()));
  }
  return lines;
}

int Workspace::RatingsToScript(const std::vector<int>& rows) {
  BusyScope busy(busy_, texts::MakingScriptLines);
  int added = 0;
  for (const std::string& line : RatingsScriptLines(rows)) {
    scenario_.AddLine(line);
    ++added;
  }
  return added;
}

namespace {

template <class Make>
std::optional<ChartData> GuardedChart(Host& host, BusyState& busy, Make&& make) {
  BusyScope scope(busy, texts::CreatingCharts);
  std::optional<ChartData> chart;
  Guarded(host, nullptr, [&] { chart = make(); });
  return chart;
}

}  // namespace

std::optional<ChartData> Workspace::ProfitByDrawChart() {
  return GuardedChart(host_, busy_, [&] { return korvane::ProfitByDrawChart(stakes_.Store()); });
}

std::optional<ChartData> Workspace::RatingsStakesChart(const std::vector<int>& rows, bool profit) {
  std::vector<std::string> comments;
  for (int r : rows)
    if (r >= 0 && r < ratings_.Rows().Count())
      comments.push_back(ratings_.Rows().Rows()[static_cast<size_t>(r)].comment);
  return GuardedChart(host_, busy_,
                      [&] { return StakesByDrawChart(stakes_.Store(), comments, profit); });
}

std::optional<ChartData> Workspace::RatingsDistributionChart(const std::vector<int>& rows) {
  std::vector<TRatingRec> selected;
  for (int r : rows)
    if (r >= 0 && r < ratings_.Rows().Count())
      selected.push_back(ratings_.Rows().Rows()[static_cast<size_t>(r)]);
  return GuardedChart(host_, busy_, [&] { return MatchDistributionChart(selected); });
}

bool Workspace::AddRegulars(const TTableData& fromDialog, const TSelectedCombs& selected) {
  return tables_.Add(MakeRegulars(fromDialog, selected));
}

std::optional<std::pair<TTableData, TStakeData>> Workspace::PrepareRegularStake(int row) const {
  if (row < 0 || row >= tables_.Rows().Count()) return std::nullopt;
  TTableData copy = tables_.Rows().Rows()[static_cast<size_t>(row)];
  TablesAdvance(copy, archive_, archive_.DrawsOffset());
  TStakeData stake = NewStake(StakeRegular, copy.current, copy.name);
  return std::make_pair(copy, stake);
}

bool Workspace::CommitRegularStake(int row, const TTableData& advanced, const TStakeData& stake,
                                   int draws) {
  if (stakes_.Refused()) return false;
  if (!tables_.Replace(row, advanced)) return false;
  return stakes_.Add(stake, draws);
}

bool Workspace::RegularTest(const std::vector<int>& rows, int count) {
  // Each tested draw needs the draw before it.
  if (count <= 0 || count > archive_.Count() - 1 || rows.empty() || stakes_.Refused()) return false;
  BusyScope busy(busy_, texts::TablesTesting);
  const int savedOffset = archive_.DrawsOffset();
  const bool suspended = suspendViews_;
  suspendViews_ = true;  // the views are not recomputed for every offset
  stakes_.DeferFlush();
  bool ok = true;
  for (int offset = count; offset >= 1 && ok; --offset) {
    SetDrawsOffset(offset);
    for (int r : rows) {
      if (r < 0 || r >= tables_.Rows().Count()) continue;
      const TTableData& regular = tables_.Advance(r, archive_, offset);
      const TStakeData stake = NewStake(StakeRegular, regular.current, regular.name);
      if (!stakes_.AddInBatch(stake, 1, true)) {
        ok = false;  // a failed addition ends the whole test
        break;
      }
    }
  }
  if (!stakes_.EndDeferral()) ok = false;
  SetDrawsOffset(savedOffset);
  tables_.Save();
  if (ok) {
    stakes_.CheckAndRefresh();
    stakes_.GridUpdate(true, true);
  }
  suspendViews_ = suspended;
  RecomputeViews();
  return ok;
}

}  // namespace korvane
