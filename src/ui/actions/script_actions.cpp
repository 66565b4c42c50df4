// "Сценарий": editing the current scenario, its files, forecast and test runs, the run logs.

#include <QItemSelectionModel>
#include <QTableView>

#include "app/dialogue.h"
#include "app/workspace.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/combs_page.h"
#include "ui/qt_host.h"
#include "ui/script_dialogs.h"
#include "ui/script_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

const QString kLscFilter = QStringLiteral("Файлы сценариев (*.lsc)");

void ScriptOpenExecute(WindowContext& ctx, bool append) {
  const QString file = ctx.chooseFile(false, kLscFilter, QStringLiteral("lsc"));
  if (file.isEmpty()) return;
  ctx.ws.ScriptLoadFile(S(file), append);
  ctx.ws.ScriptAutoSave();
}

void ScriptSaveExecute(WindowContext& ctx) {
  const QString file = ctx.chooseFile(true, kLscFilter, QStringLiteral("lsc"));
  if (!file.isEmpty()) ctx.ws.ScriptSaveFile(S(file));
}

// "Добавить фильтры" (an empty line) and "Клонировать" (a copy of the selected one).
void ScriptAddExecute(WindowContext& ctx, bool clone) {
  const std::string text = clone ? ctx.ws.ScriptGetLine(ctx.script->FirstSelectedRow()) : "";
  ScriptLineDialog dlg(ctx.window, ctx.ws, QString::fromUtf8(texts::NewLineTitle),
                       ctx.combs->ExcludeCount(), text);
  if (dlg.exec() == QDialog::Accepted) ctx.script->SelectOnly(ctx.ws.ScriptAddLine(dlg.Result()));
}

void ScriptEditExecute(WindowContext& ctx) {
  const int row = ctx.script->FirstSelectedRow();
  ScriptLineDialog dlg(ctx.window, ctx.ws, QString::fromUtf8(texts::EditLineTitle),
                       ctx.combs->ExcludeCount(), ctx.ws.ScriptGetLine(row));
  if (dlg.exec() == QDialog::Accepted) ctx.ws.ScriptSetLine(row, dlg.Result());
}

void ScriptDelExecute(WindowContext& ctx) {
  const auto rows = ctx.script->SelectedRows();
  if (!ConfirmDelete(ctx.host, static_cast<int>(rows.size()))) return;
  ctx.script->View()->clearSelection();
  ctx.ws.ScriptDeleteLines(rows);
}

void ScriptClrExecute(WindowContext& ctx) {
  if (!ConfirmDelete(ctx.host, static_cast<int>(ctx.ws.ScriptLines().size()))) return;
  ctx.script->View()->clearSelection();
  ctx.ws.ScriptClear();
}

void ScriptMoveExecute(WindowContext& ctx, int step) {
  const int row = ctx.script->FirstSelectedRow();
  ctx.ws.ScriptSwap(row, row + step);
  ctx.script->SelectOnly(row + step);
}

void ScriptRunExecute(WindowContext& ctx) {
  ctx.ws.ScriptRun();
  ctx.afterRun();
}

void ScriptTestExecute(WindowContext& ctx) {
  TestCountDialog dlg(ctx.window, ctx.ws.Archive().Count() - 1);
  if (dlg.exec() != QDialog::Accepted) return;
  ctx.ws.ScriptTest(dlg.Count());
  ctx.afterRun();
}

void ScriptStopExecute(WindowContext& ctx) {
  if (ctx.host.ask(texts::AskStopScript, false)) ctx.ws.ScriptStop();
}

}  // namespace

void BindScriptActions(ActionTable& table, WindowContext& ctx) {
  ScriptPage* page = ctx.script;
  auto hasRows = [&ctx] { return !ctx.ws.ScriptLines().empty(); };
  auto selectedLine = [&ctx, page] {
    const int row = page->FirstSelectedRow();
    return row >= 0 && !IsSeparatorLine(ctx.ws.ScriptLines()[static_cast<size_t>(row)]);
  };
  auto idle = [&ctx] { return !ctx.ws.Script().running; };
  auto onPage = [page](std::function<void()> execute, std::function<bool()> update = {}) {
    return ActionBinding{std::move(execute), std::move(update), {}, 0, false, page};
  };
  table.Bind("ScriptOpen", onPage([&ctx] { ScriptOpenExecute(ctx, false); }));
  table.Bind("ScriptSave", onPage([&ctx] { ScriptSaveExecute(ctx); }, hasRows));
  table.Bind("ScriptAdd", onPage([&ctx] { ScriptAddExecute(ctx, false); }));
  table.Bind("ScriptEmpty",
             onPage([&ctx, page] { page->SelectOnly(ctx.ws.ScriptAddLine("")); }, hasRows));
  table.Bind("ScriptLoad", onPage([&ctx] { ScriptOpenExecute(ctx, true); }));
  table.Bind("ScriptClone", onPage([&ctx] { ScriptAddExecute(ctx, true); }, selectedLine));
  table.Bind("ScriptEdit", onPage([&ctx] { ScriptEditExecute(ctx); }, selectedLine));
  table.Bind("ScriptDel", onPage([&ctx] { ScriptDelExecute(ctx); },
                                 [page] { return page->FirstSelectedRow() >= 0; }));
  table.Bind("ScriptClr", onPage([&ctx] { ScriptClrExecute(ctx); }, hasRows));
  table.Bind("ScriptUp", onPage([&ctx] { ScriptMoveExecute(ctx, -1); },
                                [page] { return page->FirstSelectedRow() > 0; }));
  table.Bind("ScriptDown", onPage([&ctx] { ScriptMoveExecute(ctx, 1); },
                                  [&ctx, page] {
                                    const int row = page->FirstSelectedRow();
                                    return row >= 0 &&
                                           row + 1 < static_cast<int>(ctx.ws.ScriptLines().size());
                                  }));
  table.Bind("ScriptRun", {[&ctx] { ScriptRunExecute(ctx); },
                           [&ctx, hasRows] { return hasRows() && !ctx.ws.Archive().Empty(); }});
  // A test needs two draws: one to predict and one before it.
  table.Bind("ScriptTest",
             {[&ctx] { ScriptTestExecute(ctx); },
              [&ctx, hasRows] { return hasRows() && ctx.ws.Archive().Count() >= 2; }});
  table.Bind("ScriptStop", {[&ctx] { ScriptStopExecute(ctx); },
                            [&ctx] { return ctx.ws.Script().running && !ctx.ws.Script().stopped; },
                            {},
                            0,
                            true});
  table.Bind("LogToggle", {[&ctx] { ctx.ws.ToggleView(ViewFlag::ScriptLog); }, idle,
                           [&ctx] { return ctx.ws.View().scriptLogEnabled; }});
  table.Bind("LogsDelete", {[&ctx] { ctx.ws.DeleteScriptLogs(); }, idle});

  QObject::connect(page->View()->selectionModel(), &QItemSelectionModel::selectionChanged, &table,
                   &ActionTable::UpdateAll);
  QObject::connect(page, &ScriptPage::rowActivated, &table,
                   [&table] { table.Trigger("ScriptEdit"); });
}

}  // namespace korvane::ui
