// "Вид": the colour toggles of the lists and grids, and the tab toggles.

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

struct Toggle {
  const char* id;
  ViewFlag flag;
  const char* page;  // the page it shows or hides, or the page it needs visible
  bool tab;
};

constexpr Toggle kToggles[] = {
    {"ViewColorDraws", ViewFlag::ColorDraws, nullptr, false},
    {"ViewColorCombs", ViewFlag::ColorCombs, nullptr, false},
    {"ViewColorCard", ViewFlag::ColorCard, "tsCard", false},
    {"ViewColorCardSequences", ViewFlag::ColorCardSequences, "tsCard", false},
    {"ViewShemaGradient", ViewFlag::LayoutGradient, "tsLayout", false},
    {"TabGraps", ViewFlag::TabGraphs, "tsGraphs", true},
    {"TabCard", ViewFlag::TabCard, "tsCard", true},
    {"TabLayout", ViewFlag::TabLayout, "tsLayout", true},
    {"TabWeek", ViewFlag::TabWeek, "tsWeek", true},
    {"TabTables", ViewFlag::TabTables, "tsTables", true},
};

void ViewToggleExecute(WindowContext& ctx, const Toggle& t) {
  ctx.ws.ToggleView(t.flag);
  if (!t.tab) return;
  const bool shown = ctx.ws.Settings().Flag(t.flag);
  ctx.showPage(t.page, shown);
  if (shown) ctx.activatePage(t.page);  // a tab shown again comes to the front
}

}  // namespace

void BindViewActions(ActionTable& table, WindowContext& ctx) {
  for (const Toggle& t : kToggles) {
    ActionBinding b;
    b.execute = [&ctx, &t] { ViewToggleExecute(ctx, t); };
    // A grid's colours can be changed only while its page shows.
    if (!t.tab && t.page != nullptr) b.update = [&ctx, &t] { return ctx.pageVisible(t.page); };
    b.checked = [&ctx, &t] { return ctx.ws.Settings().Flag(t.flag); };
    table.Bind(t.id, std::move(b));
  }
}

}  // namespace korvane::ui
