// The analysis pages: the graph, the card, layout and week grids with their filters, the week
// chart's mode and type, and the two analyses.

#include <QComboBox>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolButton>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/analysis_dialogs.h"
#include "ui/chart_window.h"
#include "ui/views_pages.h"
#include "ui/window_context.h"
#include "views/analyses.h"

namespace korvane::ui {

namespace {

std::vector<int> SelectedColumns(const QTableView* view) {
  std::vector<int> columns;
  for (const GridCell& cell : SelectedGridCells(view))
    if (cell.second >= 1 && std::find(columns.begin(), columns.end(), cell.second) == columns.end())
      columns.push_back(cell.second);
  return columns;
}

}  // namespace

void BindViewsActions(ActionTable& table, WindowContext& ctx) {
  Workspace& ws = ctx.ws;
  auto hasDraws = [&ws] { return !ws.Archive().Empty(); };
  auto shown = [&ctx](const char* page) { return [&ctx, page] { return ctx.pageVisible(page); }; };
  auto combs = [&ws] { return ws.Combs().Count() > 0; };

  GraphsPage* graphs = ctx.graphs;
  table.Bind("DrawsGraphDraw", {[graphs] { graphs->Build(true); },
                                [graphs, hasDraws] {
                                  return hasDraws() && graphs->MethodList()->currentIndex() >= 0;
                                }});
  graphs->RefreshButton()->setDefaultAction(table.Get("DrawsGraphDraw"));

  CardPage* card = ctx.card;
  LayoutPage* layout = ctx.layout;
  WeekPage* week = ctx.week;
  for (bool remove : {false, true}) {
    const std::string suffix = remove ? "_Exclude" : "_Include";
    table.Bind(
        "CardFilter" + suffix,
        {[&ws, card, remove] { ws.ApplyCardFilterAt(SelectedGridCells(card->Grid()), remove); },
         [card, shown, combs] {
           return shown("tsCard")() && combs() &&
                  GridFilterAllowed(SelectedGridCells(card->Grid()));
         }});
    table.Bind("LayoutFilter" + suffix,
               {[&ws, layout, remove] {
                  ws.ApplyLayoutFilterAt(SelectedGridCells(layout->Grid()), remove);
                },
                [layout, shown, combs] {
                  return shown("tsLayout")() && combs() &&
                         GridFilterAllowed(SelectedGridCells(layout->Grid()));
                }});
    table.Bind("WeekFilter" + suffix,
               {[&ws, week, remove] { ws.ApplyWeekFilter(SelectedColumns(week->Grid()), remove); },
                [shown, combs] { return shown("tsWeek")() && combs(); }});
  }
  // The spreadsheet export is not offered yet.
  table.Bind("LayoutCalc", {[&ws, layout] {
                              layout->CommitLengths();
                              ws.RefreshView(ViewPart::Layout, true);
                            },
                            [shown, hasDraws] { return shown("tsLayout")() && hasDraws(); }});
  table.Bind("LayoutCmpCalc", {[&ws, layout] {
                                 layout->CommitLengths();
                                 ws.RefreshView(ViewPart::Compare, true);
                               },
                               [shown, hasDraws] { return shown("tsLayout")() && hasDraws(); }});
  table.Bind("WeekStatCalc", {[&ws, week] {
                                week->CommitLength();
                                ws.RefreshView(ViewPart::Week, true);
                              },
                              [shown, hasDraws] { return shown("tsWeek")() && hasDraws(); }});
  table.Bind("ViewWeekChartMode",
             {[&ws] { ws.SetWeekChart(1 - ws.View().weekChartMode, ws.View().weekChartType); },
              shown("tsWeek"), [&ws] { return ws.View().weekChartMode == 1; }});
  table.Bind("ViewWeekChartType",
             {[&ws] { ws.SetWeekChart(ws.View().weekChartMode, !ws.View().weekChartType); },
              shown("tsWeek"), [&ws] { return ws.View().weekChartType; }});

  table.Bind("AnalyzeRepeats", {[&ctx] {
                                  RepeatsDialog dlg(ctx.window, ctx.ws);
                                  dlg.exec();
                                },
                                hasDraws});
  table.Bind("TotalSumCombs", {[&ctx] {
               const SumsAnalysis sums = AnalyzeSums(ctx.ws.Archive().Draws());
               ChartWindow window(ctx.window,
                                  QString::fromUtf8(ctx.actions->Info("TotalSumCombs").caption),
                                  sums.chart);
               window.exec();
             }});

  for (QTableView* grid : {card->Grid(), layout->Grid(), week->Grid()})
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, &table,
                     &ActionTable::UpdateAll);
}

}  // namespace korvane::ui
