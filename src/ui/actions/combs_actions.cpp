// "Комбинации": generation, files, the clipboard, undo and the exclusion of drawn
// combinations.

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include "app/workspace.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/combs_page.h"
#include "ui/draw_info_dialog.h"
#include "ui/gen_dialog.h"
#include "ui/qt_host.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

const QString kLcvFilter = QStringLiteral("Файлы комбинаций (*.lcv)");

void CombsGenExecute(WindowContext& ctx) {
  GenDialog dlg(ctx.window, ctx.ws.DefaultGenParams());
  if (dlg.exec() == QDialog::Accepted) ctx.ws.CombsGen(dlg.Result(), dlg.SaveAsDefault());
}

void CombsSelectAllExecute(WindowContext& ctx) {
  BusyScope busy = ctx.ws.BusyFor(texts::PleaseWait);
  ctx.combs->List()->selectAll();
}

void CombsDelSelectedExecute(WindowContext& ctx) {
  const auto rows = ctx.combs->SelectedRows();
  ctx.combs->List()->clearSelection();
  ctx.ws.CombsDeleteRows(rows);
}

void CombsFindInDrawsExecute(WindowContext& ctx) {
  ctx.ws.CombsFindInDraws(ctx.ws.Combs().At(ctx.combs->FirstSelectedRow()));
}

void CombsInfoExecute(WindowContext& ctx) {
  DrawInfoDialog(ctx.window, ctx.ws, ctx.ws.Combs().At(ctx.combs->FirstSelectedRow())).exec();
}

void CombsOpenExecute(WindowContext& ctx) {
  const QString file = ctx.chooseFile(false, kLcvFilter, QStringLiteral("lcv"));
  if (!file.isEmpty()) ctx.ws.CombsOpen(S(file));
}

void CombsSaveExecute(WindowContext& ctx) {
  const QString file = ctx.chooseFile(true, kLcvFilter, QStringLiteral("lcv"));
  if (!file.isEmpty()) ctx.ws.CombsSave(S(file));
}

void CombsCopyExecute(WindowContext& ctx) {
  std::string text;
  {
    BusyScope busy = ctx.ws.BusyFor(texts::PleaseWait);
    text = ctx.ws.CombsCopyText(ctx.combs->SelectedRows());
  }
  QGuiApplication::clipboard()->setText(Q(text));
}

void CombsPasteExecute(WindowContext& ctx) {
  ctx.combs->List()->clearSelection();
  ctx.ws.CombsPaste(S(QGuiApplication::clipboard()->text()));
}

void CombsUndoExecute(WindowContext& ctx) {
  ctx.combs->List()->clearSelection();
  ctx.ws.CombsUndo();
}

void CombsDelExistsExecute(WindowContext& ctx) {
  ctx.combs->List()->clearSelection();
  ctx.combs->ExcludeEditor()->interpretText();  // a count typed without Enter counts
  ctx.ws.CombsDelExists(ctx.combs->ExcludeCount());
}

}  // namespace

void BindCombsActions(ActionTable& table, WindowContext& ctx) {
  CombsPage* page = ctx.combs;
  auto selected = [page] { return page->FirstSelectedRow() >= 0; };
  auto notEmpty = [&ctx] { return ctx.ws.Combs().Count() > 0; };
  table.Bind("CombsGen", {[&ctx] { CombsGenExecute(ctx); }});
  table.Bind("CombsSelectAll",
             {[&ctx] { CombsSelectAllExecute(ctx); }, notEmpty, {}, 0, false, page});
  table.Bind("CombsDelSelected", {[&ctx] { CombsDelSelectedExecute(ctx); },
                                  [notEmpty, selected] { return notEmpty() && selected(); },
                                  {},
                                  0,
                                  false,
                                  page});
  table.Bind("CombsFindInDraws",
             {[&ctx] { CombsFindInDrawsExecute(ctx); }, selected, {}, 0, false, page});
  table.Bind("CombsInfo", {[&ctx] { CombsInfoExecute(ctx); }, selected});
  table.Bind("CombsOpen", {[&ctx] { CombsOpenExecute(ctx); }});
  table.Bind("CombsSave", {[&ctx] { CombsSaveExecute(ctx); }, notEmpty});
  table.Bind("CombsCopy", {[&ctx] { CombsCopyExecute(ctx); }, notEmpty, {}, 0, false, page});
  table.Bind("CombsPaste", {[&ctx] { CombsPasteExecute(ctx); },
                            [] {
                              const QMimeData* data = QGuiApplication::clipboard()->mimeData();
                              return data != nullptr && data->hasText();
                            },
                            {},
                            0,
                            false,
                            page});
  table.Bind("CombsUndo",
             {[&ctx] { CombsUndoExecute(ctx); }, [&ctx] { return ctx.ws.Combs().CanUndo(); }});
  table.Bind("CombsDelExists", {[&ctx] { CombsDelExistsExecute(ctx); },
                                [&ctx, page] {
                                  return ctx.ws.Combs().Count() > 0 && !ctx.ws.Archive().Empty() &&
                                         page->ExcludeCount() > 0;
                                }});
  table.Bind("CombsCheckNums", {[&ctx] { ctx.ws.CombsCheckNums(); }});

  // The "[-] Тиражи" button under the exclusion count, and Enter in the count.
  QAction* exclude = table.Get("CombsDelExists");
  page->ExcludeButton()->setText(QStringLiteral("[-] Тиражи"));
  page->ExcludeButton()->setToolTip(exclude->toolTip());
  QObject::connect(exclude, &QAction::changed, page->ExcludeButton(),
                   [page, exclude] { page->ExcludeButton()->setEnabled(exclude->isEnabled()); });
  QObject::connect(page->ExcludeButton(), &QToolButton::clicked, exclude, &QAction::trigger);
  QObject::connect(page, &CombsPage::excludeRequested, &table,
                   [&table] { table.Trigger("CombsDelExists"); });
  QObject::connect(page->List()->selectionModel(), &QItemSelectionModel::selectionChanged, &table,
                   &ActionTable::UpdateAll);
}

}  // namespace korvane::ui
