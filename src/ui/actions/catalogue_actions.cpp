// "Библиотека": the online scenario catalogue on the Сценарий page.

#include <QComboBox>
#include <QTableView>
#include <string>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/catalogue_panel.h"
#include "ui/qt_host.h"
#include "ui/script_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

CataloguePanel* Panel(WindowContext& ctx) { return ctx.script->Catalogue(); }

TScriptData DataOf(const TScriptInfo& s) {
  TScriptData d;
  d.id = s.id;
  d.author = s.author;
  d.language = s.language;
  d.universal = s.universal;
  d.isPublic = s.isPublic;
  d.title = s.title;
  d.description = s.description;
  return d;
}

ScriptPropsDialog::TitleCheck TitleCheckOf(WindowContext& ctx) {
  return
      [&ctx](int32_t id, const std::string& title) { return ctx.ws.CatalogueTitleFree(id, title); };
}

// Shows or hides the panel (the choice is kept), then refreshes: a shown panel asks the
// catalogue for its list, a hidden one lets it go.
void ToggleExecute(WindowContext& ctx) {
  ctx.ws.ToggleView(ViewFlag::ScriptLibrary);
  ctx.script->Refresh();
  if (ctx.ws.View().scriptLibraryOn) {
    ctx.activatePage("tsScript");
    ctx.ws.CatalogueRefresh(ctx.ws.CatalogueFilter());
  } else {
    ctx.ws.CatalogueClear();
  }
}

void UploadExecute(WindowContext& ctx) {
  ScriptPropsDialog dlg(ctx.window, ctx.host, ctx.ws.CatalogueNewRecord(), false,
                        TitleCheckOf(ctx));
  if (dlg.exec() != QDialog::Accepted) return;
  if (const auto row = ctx.ws.CataloguePublish(dlg.Result())) Panel(ctx)->FocusRow(*row);
}

void ReplaceExecute(WindowContext& ctx) {
  const int row = Panel(ctx)->FocusedRow();
  if (row < 0) return;
  ScriptPropsDialog dlg(ctx.window, ctx.host, DataOf(*Panel(ctx)->Focused()), false,
                        TitleCheckOf(ctx));
  if (dlg.exec() == QDialog::Accepted) ctx.ws.CatalogueChange(row, dlg.Result());
}

void ViewExecute(WindowContext& ctx) {
  const TScriptInfo* s = Panel(ctx)->Focused();
  if (s == nullptr) return;
  ScriptPropsDialog dlg(ctx.window, ctx.host, DataOf(*s), true);
  dlg.exec();
}

void RatesExecute(WindowContext& ctx) {
  const int row = Panel(ctx)->FocusedRow();
  if (row < 0) return;
  const std::string title = ctx.ws.CatalogueRows()[static_cast<size_t>(row)].title;
  const auto rates = ctx.ws.CatalogueRates(row);
  if (!rates) return;
  RatesDialog dlg(ctx.window, title, *rates);
  dlg.exec();
}

// 1..5 ask for a comment first (cancel ends); removing the rating and hiding send none.
void RateExecute(WindowContext& ctx, int value) {
  const int row = Panel(ctx)->FocusedRow();
  if (row < 0) return;
  std::string comment;
  if (value >= 1) {
    CommentDialog dlg(ctx.window);
    if (dlg.exec() != QDialog::Accepted) return;
    comment = dlg.Comment();
  }
  ctx.ws.CatalogueRate(row, value, comment, ctx.ws.CatalogueFilter());
}

}  // namespace

void BindCatalogueActions(ActionTable& table, WindowContext& ctx) {
  auto shown = [&ctx] { return ctx.ws.View().scriptLibraryOn; };
  auto focused = [&ctx, shown] { return shown() && Panel(ctx)->Focused() != nullptr; };
  auto focusedWith = [&ctx, focused](bool (*test)(const TScriptInfo&)) {
    return [&ctx, focused, test] { return focused() && test(*Panel(ctx)->Focused()); };
  };
  auto hasScenario = [&ctx] { return !ctx.ws.ScriptLines().empty(); };

  table.Bind("ScriptLibrary", {[&ctx] { ToggleExecute(ctx); }, {}, shown});
  table.Bind("ScriptLibraryRefresh",
             {[&ctx] { ctx.ws.CatalogueRefresh(ctx.ws.CatalogueFilter()); }, shown});
  table.Bind("ScriptLibraryDownload",
             {[&ctx] { ctx.ws.CatalogueDownload(Panel(ctx)->FocusedRow()); },
              focusedWith([](const TScriptInfo& s) { return s.usable; })});
  table.Bind("ScriptLibraryUpload", {[&ctx] { UploadExecute(ctx); },
                                     [shown, hasScenario] { return shown() && hasScenario(); }});
  auto editable = focusedWith([](const TScriptInfo& s) { return s.Editable(); });
  table.Bind("ScriptLibraryReplace",
             {[&ctx] { ReplaceExecute(ctx); },
              [editable, hasScenario] { return editable() && hasScenario(); }});
  table.Bind("ScriptLibraryDelete",
             {[&ctx] { ctx.ws.CatalogueDelete(Panel(ctx)->FocusedRow()); }, editable});
  table.Bind("ScriptLibraryView", {[&ctx] { ViewExecute(ctx); }, focused});
  table.Bind("ScriptLibraryRates", {[&ctx] { RatesExecute(ctx); }, focused});
  table.Bind("ScriptLibraryRate0",
             {[&ctx] { RateExecute(ctx, 0); },
              focusedWith([](const TScriptInfo& s) { return s.ratingYours != 0; })});
  auto yours = [&ctx, focused](int value) {
    return
        [&ctx, focused, value] { return focused() && Panel(ctx)->Focused()->ratingYours == value; };
  };
  for (int value = 1; value <= 5; ++value)
    table.Bind("ScriptLibraryRate" + std::to_string(value),
               {[&ctx, value] { RateExecute(ctx, value); }, focused, yours(value)});
  table.Bind("ScriptLibraryHide", {[&ctx] { RateExecute(ctx, -1); }, focused, yours(-1)});

  CataloguePanel* panel = Panel(ctx);
  QObject::connect(panel, &CataloguePanel::rowActivated, panel, [&table] {
    if (QAction* a = table.Get("ScriptLibraryView"); a != nullptr && a->isEnabled()) a->trigger();
  });
  // A new filter choice is kept and the list asked for again.
  QObject::connect(panel, &CataloguePanel::filterChosen, panel, [&ctx](int choice) {
    ctx.ws.SetCatalogueFilter(choice);
    ctx.ws.CatalogueRefresh(ctx.ws.CatalogueFilter());
  });
}

}  // namespace korvane::ui
