// The "Экспорт в Microsoft Excel" actions of the seven views: the export dialog, then the
// workbook, opened with the desktop's program for it.

#include <QDesktopServices>
#include <QItemSelectionModel>
#include <QTableView>
#include <QUrl>
#include <set>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/archive_page.h"
#include "ui/combs_page.h"
#include "ui/export_dialog.h"
#include "ui/qt_host.h"
#include "ui/ratings_page.h"
#include "ui/stakes_page.h"
#include "ui/stat_page.h"
#include "ui/views_pages.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

QTableView* ViewOf(WindowContext& ctx, ExportView view) {
  switch (view) {
    case ExportView::Draws:
      return ctx.archive->List();
    case ExportView::Stats:
      return ctx.stat->Table();
    case ExportView::Combs:
      return ctx.combs->List();
    case ExportView::Stakes:
      return ctx.stakes->Grid();
    case ExportView::Ratings:
      return ctx.ratings->List();
    case ExportView::Card:
      return ctx.card->Grid();
    case ExportView::Layout:
      return ctx.layout->Grid();
  }
  return nullptr;
}

void ExportExecute(WindowContext& ctx, ExportView view) {
  QTableView* table = ViewOf(ctx, view);
  std::vector<int> widths;
  std::set<int> selected;
  if (table != nullptr && table->model() != nullptr) {
    for (int c = 0; c < table->model()->columnCount(); ++c) widths.push_back(table->columnWidth(c));
    if (table->selectionModel() != nullptr)
      for (const QModelIndex& i : table->selectionModel()->selectedIndexes())
        selected.insert(i.row());
  }
  const std::vector<int> rows(selected.begin(), selected.end());
  const ExportViewInfo& info = ExportViewOf(view);
  const ExportTable data = ctx.ws.ExportTableOf(view);
  const int all = static_cast<int>(data.rows.size());
  const ExportSettings defaults = ctx.ws.ExportDefaults(view, data, widths, rows.size() > 1);
  ExportDialog dlg(ctx.window, defaults, all, static_cast<int>(rows.size()),
                   ExportSectionName("FormMain", info.control), [&ctx](bool save) {
                     return ctx.chooseFile(save,
                                           QStringLiteral("Файлы параметров экспорта (*.exp)"),
                                           QStringLiteral("exp"));
                   });
  if (dlg.exec() != QDialog::Accepted) return;
  const QString file = ctx.chooseFile(true, QStringLiteral("Книги Microsoft Excel (*.xlsx)"),
                                      QStringLiteral("xlsx"));
  if (file.isEmpty()) return;
  if (ctx.ws.ExportWorkbook(view, dlg.Result(), rows, fs::path(file.toStdString())))
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace

void BindExportActions(ActionTable& table, WindowContext& ctx) {
  const std::pair<const char*, ExportView> actions[] = {
      {"DrawsXlsExport", ExportView::Draws},     {"DrawsStatExportToExcel", ExportView::Stats},
      {"CombsXlsExport", ExportView::Combs},     {"StakesXlsExport", ExportView::Stakes},
      {"RatingsXlsExport", ExportView::Ratings}, {"CardXlsExport", ExportView::Card},
      {"LayoutXlsExport", ExportView::Layout}};
  for (const auto& [id, view] : actions) {
    const ExportView v = view;
    table.Bind(id, {[&ctx, v] { ExportExecute(ctx, v); }});
  }
}

}  // namespace korvane::ui
