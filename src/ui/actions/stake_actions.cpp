// "Ставки": making stakes from the combinations, checking and deleting them, the stake logs.

#include <QItemSelectionModel>
#include <QTableView>
#include <optional>

#include "app/workspace.h"
#include "stakes/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/combs_page.h"
#include "ui/qt_host.h"
#include "ui/stake_dialogs.h"
#include "ui/stakes_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

// One stake through the stake dialog, with the given numbers proposed.
void AddOneStake(WindowContext& ctx, const std::optional<TComb>& comb) {
  const TStakeData stake = ctx.ws.NewStake(StakeManual, comb, texts::ManualComment);
  StakeDialog dlg(ctx.window, ctx.host, stake);
  if (dlg.exec() == QDialog::Accepted) ctx.ws.AddStake(dlg.Result(), dlg.Draws());
}

// One stake per combination, with the draw, count and comment of the batch dialog.
void AddManyStakes(WindowContext& ctx, const std::vector<TComb>& combs) {
  MultiStakeDialog dlg(ctx.window, ctx.host, ctx.ws.NewStake(StakeManual, std::nullopt, "").draw);
  if (dlg.exec() == QDialog::Accepted)
    ctx.ws.AddStakes(combs, dlg.Draw(), dlg.Draws(), dlg.Comment());
}

void StakeAddExecute(WindowContext& ctx) {
  const int row = ctx.combs->FirstSelectedRow();
  AddOneStake(ctx, row >= 0 ? std::optional<TComb>(ctx.ws.Combs().At(row)) : std::nullopt);
}

void StakeAddRandomExecute(WindowContext& ctx) {
  AddOneStake(ctx, ctx.ws.Combs().At(ctx.ws.RandomIndex(ctx.ws.Combs().Count())));
}

void StakeAddSelectedExecute(WindowContext& ctx) {
  std::vector<TComb> combs;
  for (int r : ctx.combs->SelectedRows()) combs.push_back(ctx.ws.Combs().At(r));
  AddManyStakes(ctx, combs);
  ctx.combs->List()->clearSelection();
}

void StakeAddAllExecute(WindowContext& ctx) { AddManyStakes(ctx, ctx.ws.Combs().ToArray()); }

void StakeDelExecute(WindowContext& ctx) {
  const auto [first, last] = ctx.stakes->SelectedRange();
  if (ctx.ws.DeleteStakeRows(first, last)) ctx.stakes->Grid()->clearSelection();
}

void StakeFilterExecute(WindowContext& ctx) {
  ConditionDialog dlg(ctx.window);
  if (dlg.exec() == QDialog::Accepted) ctx.ws.DeleteStakesByCondition(dlg.Relation(), dlg.Value());
}

void StakesCheckManualExecute(WindowContext& ctx) {
  ctx.ws.StakesCheckAndRefresh();
  ctx.ws.StakesGridUpdate(true, false);
}

}  // namespace

void BindStakeActions(ActionTable& table, WindowContext& ctx) {
  auto open = [&ctx] { return ctx.ws.Stakes().IsOpen(); };
  auto notEmpty = [&ctx] { return ctx.ws.Stakes().IsOpen() && ctx.ws.Stakes().Count() > 0; };
  auto haveCombs = [&ctx, open] { return open() && ctx.ws.Combs().Count() > 0; };
  table.Bind("StakeAdd", {[&ctx] { StakeAddExecute(ctx); }, open});
  table.Bind("StakeAddRandom", {[&ctx] { StakeAddRandomExecute(ctx); }, haveCombs});
  table.Bind("StakeAddSelected",
             {[&ctx] { StakeAddSelectedExecute(ctx); },
              [&ctx, open] { return open() && ctx.combs->FirstSelectedRow() >= 0; },
              {},
              0,
              false,
              ctx.combs});
  table.Bind("StakeAddAll", {[&ctx] { StakeAddAllExecute(ctx); }, haveCombs});
  table.Bind("StakeDel",
             {[&ctx] { StakeDelExecute(ctx); },
              [&ctx, notEmpty] { return notEmpty() && ctx.stakes->SelectedRange().first >= 1; },
              {},
              0,
              false,
              ctx.stakes});
  table.Bind("StakeFilter", {[&ctx] { StakeFilterExecute(ctx); }, notEmpty});
  table.Bind("StakeClear", {[&ctx] { ctx.ws.ClearStakes(); }, notEmpty});
  table.Bind("StakesCheckManual", {[&ctx] { StakesCheckManualExecute(ctx); }, notEmpty});
  table.Bind("LogStakes", {[&ctx] { ctx.ws.ToggleView(ViewFlag::StakesLog); },
                           {},
                           [&ctx] { return ctx.ws.View().stakesLogEnabled; }});
  table.Bind("LogStakesDelete", {[&ctx] { ctx.ws.DeleteStakeLogs(); }});
  table.Bind("StakesScroll", {[&ctx] { ctx.ws.ToggleView(ViewFlag::StakesScroll); },
                              {},
                              [&ctx] { return ctx.ws.View().stakesScrollEnabled; }});
  table.Bind("StakesCheckLine", {[&ctx] { ctx.ws.ToggleView(ViewFlag::StakesCheckOnLine); },
                                 {},
                                 [&ctx] { return ctx.ws.View().stakesCheckOnLine; }});
  // The spreadsheet export is not offered yet.

  QObject::connect(ctx.stakes->Grid()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   &table, &ActionTable::UpdateAll);
  // A double click on a combination makes a stake of it.
  QObject::connect(ctx.combs, &CombsPage::rowActivated, &table, [&ctx, &table](int row) {
    if (!ctx.ws.Stakes().IsOpen() || row < 0 || row >= ctx.ws.Combs().Count()) return;
    ctx.combs->List()->selectRow(row);
    table.Trigger("StakeAdd");
  });
}

}  // namespace korvane::ui
