#include "ui/tables_page.h"

#include <QHeaderView>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "core/strutil.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

const char* const kColumns[5] = {"Комментарий", "Стартовая комбинация", "Шаг", "Текущая комбинация",
                                 "Ставок"};

}  // namespace

TablesModel::TablesModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws) {}

int TablesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ws_.Regulars().Count();
}

int TablesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant TablesModel::data(const QModelIndex& index, int role) const {
  const TTablesArray& rows = ws_.Regulars().Rows();
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const TTableData& r = rows[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case 0:
        return Q(r.name);
      case 1:
        return Q(CombToText(r.start));
      case 2:
        return r.step;
      case 3:
        return Q(CombToText(r.current));
      default:
        return r.stakes;
    }
  }
  if (role == Qt::TextAlignmentRole)
    return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                               : QVariant(Qt::AlignCenter);
  return {};
}

QVariant TablesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 4)
    return {};
  return QString::fromUtf8(kColumns[section]);
}

void TablesModel::Reset() {
  beginResetModel();
  endResetModel();
}

TablesPage::TablesPage(Workspace& ws, QWidget* parent) : Page(ws, "tsTables", PageTables, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("tablesTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);
  model_ = new TablesModel(ws, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvTables"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->setWordWrap(false);
  const QFontMetrics fm = list_->horizontalHeader()->fontMetrics();
  const int widths[5] = {200, 150, 50, 150, 70};
  for (int c = 0; c < 5; ++c)
    list_->setColumnWidth(
        c, std::max(widths[c], fm.horizontalAdvance(QString::fromUtf8(kColumns[c])) + 20));
  layout->addWidget(list_, 1);
}

void TablesPage::Refresh(unsigned /*aspects*/) {
  list_->clearSelection();
  model_->Reset();
}

void TablesPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, list_, "lvTables", 5);
}

void TablesPage::StoreState(Workspace& ws, LayoutSizes& /*sizes*/) const {
  StoreColumnWidths(ws, list_, "lvTables", 5);
}

std::vector<int> TablesPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace korvane::ui
