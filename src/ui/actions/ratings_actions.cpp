// "Рейтинг": the rebuild, the export, scenario lines from rows, the charts and the
// efficiency mode of the E columns.

#include <QItemSelectionModel>
#include <QTableView>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/chart_window.h"
#include "ui/qt_host.h"
#include "ui/ratings_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

void ShowChart(WindowContext& ctx, const char* id, const std::optional<ChartData>& chart) {
  if (!chart) return;  // the reason was shown
  ChartWindow window(ctx.window, QString::fromUtf8(ctx.actions->Info(id).hint), *chart);
  window.exec();
}

void RatingsExportExecute(WindowContext& ctx) {
  const QString file =
      ctx.chooseFile(true, QStringLiteral("CSV-файлы (*.csv)"), QStringLiteral("csv"));
  if (!file.isEmpty()) ctx.ws.RatingsExport(S(file));
}

void RatingsToScriptExecute(WindowContext& ctx) {
  if (ctx.ws.RatingsToScript(ctx.ratings->SelectedRows()) > 0) ctx.activatePage("tsScript");
}

}  // namespace

void BindRatingsActions(ActionTable& table, WindowContext& ctx) {
  RatingsPage* page = ctx.ratings;
  auto rowsExist = [&ctx] { return ctx.ws.RatingRows().Count() > 0; };
  auto selected = [page] { return !page->SelectedRows().empty(); };
  auto stakesExist = [&ctx] { return ctx.ws.Stakes().IsOpen() && ctx.ws.Stakes().Count() > 0; };
  table.Bind("RatingsRefresh",
             {[&ctx] { ctx.ws.RatingsRefresh(); }, [&ctx] { return ctx.ws.Stakes().IsOpen(); }});
  table.Bind("RatingsExport", {[&ctx] { RatingsExportExecute(ctx); }, rowsExist});
  // The spreadsheet export is not offered yet.
  table.Bind("RatingsToScript", {[&ctx] { RatingsToScriptExecute(ctx); }, selected});
  table.Bind(
      "StakesGraphDraws",
      {[&ctx] { ShowChart(ctx, "StakesGraphDraws", ctx.ws.ProfitByDrawChart()); }, stakesExist});
  table.Bind("StakesGraphOverlap",
             {[&ctx, page] {
                ShowChart(ctx, "StakesGraphOverlap",
                          ctx.ws.RatingsStakesChart(page->SelectedRows(), false));
              },
              [stakesExist, selected] { return stakesExist() && selected(); }});
  table.Bind("StakesGraphProfits",
             {[&ctx, page] {
                ShowChart(ctx, "StakesGraphProfits",
                          ctx.ws.RatingsStakesChart(page->SelectedRows(), true));
              },
              [stakesExist, selected] { return stakesExist() && selected(); }});
  table.Bind("RatingsGraphOverlap", {[&ctx, page] {
                                       ShowChart(
                                           ctx, "RatingsGraphOverlap",
                                           ctx.ws.RatingsDistributionChart(page->SelectedRows()));
                                     },
                                     selected});
  for (int mode = 0; mode < 3; ++mode) {
    const auto m = static_cast<EffMode>(mode);
    table.Bind("RatingsEffMode" + std::to_string(mode),
               {[&ctx, m] { ctx.ws.SetRatingsMode(m); },
                {},
                [&ctx, m] { return ctx.ws.RatingsPart().Mode() == m; },
                1});
  }
  QObject::connect(page->List()->selectionModel(), &QItemSelectionModel::selectionChanged, &table,
                   &ActionTable::UpdateAll);
  QObject::connect(page, &RatingsPage::rowActivated, &table,
                   [&table] { table.Trigger("RatingsGraphOverlap"); });
}

}  // namespace korvane::ui
