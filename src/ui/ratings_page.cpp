#include "ui/ratings_page.h"

#include <QHeaderView>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "stakes/texts.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

RatingsModel::RatingsModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws) {}

int RatingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ws_.RatingRows().Count();
}

int RatingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RatingColumnCount;
}

QVariant RatingsModel::data(const QModelIndex& index, int role) const {
  const TRatingsArray& rows = ws_.RatingRows().Rows();
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const auto column = static_cast<RatingColumn>(index.column());
  if (role == Qt::DisplayRole)
    return Q(
        RatingCellText(rows[static_cast<size_t>(index.row())], column, ws_.RatingsPart().Mode()));
  if (role == Qt::ToolTipRole && column == RatingColumn::Comment)
    return Q(rows[static_cast<size_t>(index.row())].comment);  // the whole of a long comment
  if (role == Qt::TextAlignmentRole) {
    if (column == RatingColumn::Comment) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (column == RatingColumn::Profit || column == RatingColumn::AverageProfit)
      return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant(Qt::AlignCenter);
  }
  return {};
}

QVariant RatingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= RatingColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromUtf8(texts::RatingColumns[section]);
  if (role == Qt::ToolTipRole) {
    if (section == static_cast<int>(RatingColumn::PMatched))
      return QString::fromUtf8(texts::RatingPMatchedHint);
    if (section == static_cast<int>(RatingColumn::PWins))
      return QString::fromUtf8(texts::RatingPWinsHint);
  }
  return {};
}

void RatingsModel::Reset() {
  beginResetModel();
  endResetModel();
}

RatingsPage::RatingsPage(Workspace& ws, QWidget* parent)
    : Page(ws, "tsRatings", PageRatings, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("ratingsTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);
  chartTools_ = new QToolBar(this);
  chartTools_->setObjectName(QStringLiteral("ratingsCharts"));
  chartTools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(chartTools_);
  model_ = new RatingsModel(ws, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvRatings"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->horizontalHeader()->setSectionsClickable(true);
  list_->horizontalHeader()->setSortIndicatorShown(true);
  list_->setWordWrap(false);
  const QFontMetrics fm = list_->horizontalHeader()->fontMetrics();
  const int widths[RatingColumnCount] = {200, 60, 60, 60, 80, 80, 30, 30,
                                         30,  30, 70, 70, 70, 70, 80, 70};
  // Every column fits its caption; the counters also fit six digits (a long test makes
  // thousands of stakes).
  const int counters = list_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
  for (int c = 0; c < RatingColumnCount; ++c) {
    int width =
        std::max(widths[c], fm.horizontalAdvance(QString::fromUtf8(texts::RatingColumns[c])) + 20);
    if (c >= static_cast<int>(RatingColumn::Hits0) && c <= static_cast<int>(RatingColumn::Hits3))
      width = std::max(width, counters);
    list_->setColumnWidth(c, width);
  }
  layout->addWidget(list_, 1);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { ws_.RatingsClickColumn(column); });
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { emit rowActivated(i.row()); });
  Refresh(ChangeRatings);
}

void RatingsPage::Refresh(unsigned /*aspects*/) {
  // The rows are re-sorted in place: the selection goes with the rows it was on before.
  list_->clearSelection();
  model_->Reset();
  const int column = ws_.RatingsPart().SortColumn();
  list_->horizontalHeader()->setSortIndicator(
      column, ws_.RatingsPart().Descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void RatingsPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, list_, "lvRatings", RatingColumnCount);
}

void RatingsPage::StoreState(Workspace& ws, LayoutSizes& /*sizes*/) const {
  StoreColumnWidths(ws, list_, "lvRatings", RatingColumnCount);
  ListState sort;
  sort.sort = std::make_pair(ws.RatingsPart().SortColumn(), ws.RatingsPart().Descending() ? 1 : 0);
  ws.StoreList("lvRatings", sort);
}

std::vector<int> RatingsPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace korvane::ui
