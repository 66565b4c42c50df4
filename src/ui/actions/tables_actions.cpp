// "Регуляры": making, deleting, staking and testing regular stakes.

#include <QItemSelectionModel>
#include <QTableView>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/combs_page.h"
#include "ui/qt_host.h"
#include "ui/regular_dialog.h"
#include "ui/script_dialogs.h"
#include "ui/stake_dialogs.h"
#include "ui/tables_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

TSelectedCombs SelectedCombs(WindowContext& ctx) {
  TSelectedCombs selected;
  for (int r : ctx.combs->SelectedRows()) selected.emplace_back(r + 1, ctx.ws.Combs().At(r));
  return selected;
}

void TablesAddExecute(WindowContext& ctx) {
  const TSelectedCombs selected = SelectedCombs(ctx);
  RegularDialog dlg(ctx.window, ctx.host, PrepareRegular(selected), ctx.ws.TablesPart().Names());
  if (dlg.exec() == QDialog::Accepted) ctx.ws.AddRegulars(dlg.Result(), selected);
}

void TablesStakeAddExecute(WindowContext& ctx) {
  const std::vector<int> rows = ctx.tables->SelectedRows();
  if (rows.empty()) return;
  const auto prepared = ctx.ws.PrepareRegularStake(rows.front());
  if (!prepared) return;
  // Cancelling leaves the regular as it was.
  StakeDialog dlg(ctx.window, ctx.host, prepared->second);
  if (dlg.exec() == QDialog::Accepted)
    ctx.ws.CommitRegularStake(rows.front(), prepared->first, dlg.Result(), dlg.Draws());
}

void TablesStakeTestExecute(WindowContext& ctx) {
  TestCountDialog dlg(ctx.window, ctx.ws.Archive().Count() - 1);
  if (dlg.exec() == QDialog::Accepted) ctx.ws.RegularTest(ctx.tables->SelectedRows(), dlg.Count());
}

}  // namespace

void BindTablesActions(ActionTable& table, WindowContext& ctx) {
  TablesPage* page = ctx.tables;
  auto visible = [&ctx] { return ctx.ws.View().tabTables; };
  auto selected = [visible, page] { return visible() && !page->SelectedRows().empty(); };
  table.Bind("TablesAdd", {[&ctx] { TablesAddExecute(ctx); }, visible});
  table.Bind("TablesDel",
             {[&ctx, page] { ctx.ws.DeleteRegulars(page->SelectedRows()); }, selected});
  table.Bind("TablesStakeAdd",
             {[&ctx] { TablesStakeAddExecute(ctx); },
              [&ctx, selected] { return selected() && ctx.ws.Stakes().IsOpen(); }});
  // A test needs two draws: the one staked and the one before it.
  table.Bind("TablesStakeTest",
             {[&ctx] { TablesStakeTestExecute(ctx); },
              [&ctx, selected] { return selected() && ctx.ws.Archive().Count() >= 2; }});
  QObject::connect(page->List()->selectionModel(), &QItemSelectionModel::selectionChanged, &table,
                   &ActionTable::UpdateAll);
}

}  // namespace korvane::ui
