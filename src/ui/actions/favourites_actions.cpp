// The favourite methods, the method descriptions and the user guide.

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/favourites_dialog.h"
#include "ui/help_window.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

void FiltersManagerExecute(WindowContext& ctx) {
  FavouritesDialog dlg(ctx.window, ctx.ws);
  if (dlg.exec() != QDialog::Accepted) return;
  ctx.ws.ApplyFavourites(dlg.Choice());
  ctx.ws.RecomputeViews(false);
}

}  // namespace

void BindFavouritesActions(ActionTable& table, WindowContext& ctx) {
  table.Bind("FiltersManager", {[&ctx] { FiltersManagerExecute(ctx); }});
  table.Bind("FiltersReset", {[&ctx] {
               if (ctx.ws.ResetFavourites()) ctx.ws.RecomputeViews(false);
             }});
  table.Bind("FiltersInfo", {[&ctx] {
                               const int entry = ctx.ws.StatEntry();
                               if (entry < 0) return;
                               ShowHelpWindow(ctx.window,
                                              QStringLiteral("Описание методики расчета"),
                                              MethodHelpPage(ctx.ws.Registry().Items(entry)));
                             },
                             [&ctx] { return ctx.ws.StatEntry() >= 0; }});
  table.Bind("GetHelp",
             {[&ctx] { ShowHelpWindow(ctx.window, QStringLiteral("Справка"), GuidePage()); }});
}

}  // namespace korvane::ui
