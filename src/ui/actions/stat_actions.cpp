// "Статистика" and the filters of the statistics page.

#include <QToolButton>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/stat_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

void DrawsStatCalcExecute(WindowContext& ctx) {
  // A depth typed but not yet confirmed with Enter counts.
  ctx.stat->CommitDepth();
  ctx.ws.BuildStatTable(true);
}

}  // namespace

void BindStatActions(ActionTable& table, WindowContext& ctx) {
  StatPage* page = ctx.stat;
  table.Bind("DrawsStatCalc",
             {[&ctx] { DrawsStatCalcExecute(ctx); },
              [&ctx] { return !ctx.ws.Archive().Empty() && ctx.ws.StatEntry() >= 0; }});
  table.Bind("DrawsStatePrefetchsEnabled",
             {[&ctx] { ctx.ws.SetPrefetchEnabled(!ctx.ws.View().prefetchsEnabled); },
              {},
              [&ctx] { return ctx.ws.View().prefetchsEnabled; }});
  table.Bind("DrawsStatShowTotalLine",
             {[&ctx] { ctx.ws.SetShowTotalLine(!ctx.ws.View().showTotalLine); },
              [&ctx] { return ctx.ws.View().prefetchsEnabled; },
              [&ctx] { return ctx.ws.View().showTotalLine; }});
  // The spreadsheet export is not offered yet.
  auto filterable = [&ctx] {
    return ctx.ws.Combs().Count() > 0 && ctx.ws.Stats().SelectedCount() > 0;
  };
  table.Bind("StatFilter_Include",
             {[&ctx] { ctx.ws.StatFilter(false); }, filterable, {}, 0, false, page});
  table.Bind("StatFilter_Exclude",
             {[&ctx] { ctx.ws.StatFilter(true); }, filterable, {}, 0, false, page});

  page->IncludeButton()->setDefaultAction(table.Get("StatFilter_Include"));
  page->ExcludeButton()->setDefaultAction(table.Get("StatFilter_Exclude"));
  page->RefreshButton()->setDefaultAction(table.Get("DrawsStatCalc"));
  QObject::connect(page, &StatPage::selectionChanged, &table, &ActionTable::UpdateAll);
  QObject::connect(page, &StatPage::buildRequested, &table, [&ctx, &table] {
    if (table.Get("DrawsStatCalc")->isEnabled()) ctx.ws.BuildStatTable(false);
  });
}

}  // namespace korvane::ui
