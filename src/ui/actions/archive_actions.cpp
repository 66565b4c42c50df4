// "Архив тиражей": adding, editing, deleting, importing and exporting draws.

#include <QItemSelectionModel>
#include <QTableView>

#include "app/workspace.h"
#include "core/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/archive_page.h"
#include "ui/download_window.h"
#include "ui/draw_dialog.h"
#include "ui/draw_info_dialog.h"
#include "ui/qt_host.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

const QString kCsvFilter = QStringLiteral("Файлы тиражей (*.csv)");

void DrawsAddExecute(WindowContext& ctx) {
  DrawDialog dlg(ctx.window, ctx.host, QString::fromUtf8(texts::DrawDialogCaption),
                 NewDrawProposal(ctx.ws.Archive()), true);
  if (dlg.exec() != QDialog::Accepted) return;
  ctx.ws.AddDraw(dlg.Result());
}

void DrawsEditExecute(WindowContext& ctx) {
  const int row = ctx.archive->FocusedRow();
  if (row < 0) return;
  DrawDialog dlg(ctx.window, ctx.host, QString::fromUtf8(texts::DrawDialogCaption),
                 ctx.ws.Archive().AtList(row), true);
  if (dlg.exec() != QDialog::Accepted) return;
  ctx.ws.EditDraw(row, dlg.Result());
}

void DrawsDelExecute(WindowContext& ctx) {
  if (ctx.ws.DeleteDraws(ctx.archive->SelectedRows())) ctx.archive->List()->clearSelection();
}

void DrawsImportExecute(WindowContext& ctx) {
  const QString file = ctx.chooseFile(false, kCsvFilter, QStringLiteral("csv"));
  if (!file.isEmpty()) ctx.ws.ImportCsv(file.toStdString());
}

void DrawsExportExecute(WindowContext& ctx) {
  const QString file = ctx.chooseFile(true, kCsvFilter, QStringLiteral("csv"));
  if (!file.isEmpty()) ctx.ws.ExportCsv(file.toStdString());
}

void DrawsInfoExecute(WindowContext& ctx) {
  const int row = ctx.archive->FocusedRow();
  if (row >= 0) DrawInfoDialog(ctx.window, ctx.ws, row).exec();
}

}  // namespace

void BindArchiveActions(ActionTable& table, WindowContext& ctx) {
  auto focused = [&ctx] { return ctx.archive->FocusedRow() >= 0; };
  table.Bind("DrawsDownload", {[&ctx] { RunDrawDownload(ctx); }});
  for (int choice = 0; choice < 3; ++choice)
    table.Bind("AutoDownload" + std::to_string(choice),
               {[&ctx, choice] { ctx.ws.SetDownloadOnStart(choice); },
                {},
                [&ctx, choice] { return ctx.ws.View().downloadDrawsOnStart == choice; },
                2});
  table.Bind("DrawsAdd", {[&ctx] { DrawsAddExecute(ctx); }});
  table.Bind("DrawsEdit", {[&ctx] { DrawsEditExecute(ctx); }, focused});
  table.Bind("DrawsDel",
             {[&ctx] { DrawsDelExecute(ctx); },
              [&ctx] { return ctx.archive->List()->selectionModel()->hasSelection(); }});
  table.Bind("DrawsImport", {[&ctx] { DrawsImportExecute(ctx); }});
  table.Bind("DrawsExport",
             {[&ctx] { DrawsExportExecute(ctx); }, [&ctx] { return !ctx.ws.Archive().Empty(); }});
  table.Bind("DrawsInfo", {[&ctx] { DrawsInfoExecute(ctx); }, focused});
  // Sorting the numbers of a draw is not offered in this game: always disabled.
  table.Bind("DrawsSorted",
             {{}, [] { return false; }, [&ctx] { return ctx.ws.View().sortedDraws; }});

  QObject::connect(ctx.archive, &ArchivePage::rowActivated, &table,
                   [&table](int) { table.Trigger("DrawsInfo"); });
  QObject::connect(ctx.archive->List()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   &table, &ActionTable::UpdateAll);
}

}  // namespace korvane::ui
