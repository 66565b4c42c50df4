#include "ui/combs_page.h"

#include <QApplication>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "filters/texts.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

CombsModel::CombsModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), rows_(ws.Combs().Count()) {}

int CombsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int CombsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant CombsModel::data(const QModelIndex& index, int role) const {
  const CombList& combs = ws_.Combs();
  const int row = index.row();
  if (!index.isValid() || row >= combs.Count()) return {};
  const TComb& c = combs.At(row);
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (col == 0) return row + 1;
      if (col <= 3) return c[static_cast<size_t>(col - 1)];
      return SumOf(c);
    case Qt::BackgroundRole:
      if (!ws_.View().colorCombs) return {};
      if (col >= 1 && col <= 3)
        return QColor(
            QRgb(ChannelColor(c[static_cast<size_t>(col - 1)], ws_.Config().channelSize)));
      return QColor(Qt::white);
    case Qt::ForegroundRole:
      return ws_.View().colorCombs ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::TextAlignmentRole:
      return col == 0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    default:
      return {};
  }
}

QVariant CombsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* kCaptions[5] = {texts::ColCombNo, "1", "2", "3", "S"};
  return section >= 0 && section < 5 ? QString::fromUtf8(kCaptions[section]) : QVariant();
}

void CombsModel::Refresh(bool force) {
  const int count = ws_.Combs().Count();
  if (force || count != rows_) {
    beginResetModel();
    rows_ = count;
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, 4));
  }
}

CombsPage::CombsPage(Workspace& ws, QWidget* parent) : Page(ws, "tsCombs", PageCombs, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("combsTools"));
  tools_->setIconSize(QSize(16, 16));
  tools_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  top->addWidget(tools_, 1);
  // The exclusion of the last N draws, at the right edge of the tool panel.
  auto* excludeBox = new QVBoxLayout;
  exclude_ = new QSpinBox(this);
  exclude_->setObjectName(QStringLiteral("edDrawsExclude"));
  exclude_->setToolTip(
      QStringLiteral("Исключить указанное количество последних тиражей из списка комбинаций"));
  exclude_->setRange(0, 2147483647);
  exclude_->setValue(ws.View().drawsExclude);
  exclude_->setKeyboardTracking(false);
  excludeButton_ = new QToolButton(this);
  excludeButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  excludeBox->addWidget(exclude_);
  excludeBox->addWidget(excludeButton_);
  excludeBox->setSpacing(1);
  top->addLayout(excludeBox);
  top->setContentsMargins(0, 0, 2, 0);
  layout->addLayout(top);
  connect(exclude_, &QSpinBox::valueChanged, this, [this](int v) { ws_.SetExcludeCount(v); });
  connect(exclude_, &QSpinBox::editingFinished, this, [this] {
    if (exclude_->hasFocus()) emit excludeRequested();
  });
  splitter_ = new QSplitter(Qt::Vertical, this);
  model_ = new CombsModel(ws, this);
  list_ = new QTableView(splitter_);
  list_->setObjectName(QStringLiteral("lvCombs"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->setColumnWidth(0, 80);
  for (int c = 1; c < 5; ++c) list_->setColumnWidth(c, 30);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);

  filters_ = new QTreeWidget(splitter_);
  filters_->setObjectName(QStringLiteral("lvFilters"));
  filters_->setColumnCount(3);
  filters_->setHeaderLabels({QString::fromUtf8(texts::ColFilters),
                             QString::fromUtf8(texts::ColFilterValues),
                             QString::fromUtf8(texts::ColFilterCount)});
  filters_->setRootIsDecorated(false);
  filters_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // The captions stay readable: "Примененные фильтры", "Значения", "Комбинаций".
  const QFontMetrics fm = filters_->header()->fontMetrics();
  const int pads[3] = {36, 20, 20};  // the first column also holds the step's icon
  for (int c = 0; c < 3; ++c)
    filters_->setColumnWidth(c, fm.horizontalAdvance(filters_->headerItem()->text(c)) + pads[c]);
  splitter_->addWidget(list_);
  splitter_->addWidget(filters_);
  splitter_->setStretchFactor(0, 3);
  splitter_->setStretchFactor(1, 1);
  layout->addWidget(splitter_);
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { emit rowActivated(i.row()); });
}

unsigned CombsPage::Aspects() const { return ChangeCombs | ChangeSettings | ChangeView; }

void CombsPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, list_, "lvCombs", 5);
  const int height = ws.View().filtersHeight;
  if (height > 0) {
    const int total = std::max(splitter_->height(), height + 100);
    splitter_->setSizes({total - height, height});
  }
}

void CombsPage::StoreState(Workspace& ws, LayoutSizes& sizes) const {
  StoreColumnWidths(ws, list_, "lvCombs", 5);
  sizes.filtersHeight = splitter_->sizes().value(1);
}

int CombsPage::ExcludeCount() const {
  bool ok = false;
  const int typed = exclude_->locale().toInt(exclude_->cleanText(), &ok);
  return ok && typed >= exclude_->minimum() && typed <= exclude_->maximum() ? typed
                                                                            : exclude_->value();
}

std::vector<int> CombsPage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int CombsPage::FirstSelectedRow() const {
  const auto rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void CombsPage::Refresh(bool force) {
  model_->Refresh(force);
  filters_->clear();
  QStyle* style = QApplication::style();
  for (const AppliedFilter& f : ws_.Combs().Filters()) {
    auto* item = new QTreeWidgetItem({Q(f.caption), Q(f.values), QString::number(f.count)});
    item->setTextAlignment(2, Qt::AlignCenter);
    const QStyle::StandardPixmap icon = f.image == FilterImage::Keep ? QStyle::SP_DialogApplyButton
                                        : f.image == FilterImage::Remove
                                            ? QStyle::SP_DialogDiscardButton
                                            : QStyle::SP_ArrowBack;
    item->setIcon(0, style->standardIcon(icon));
    filters_->addTopLevelItem(item);
  }
}

}  // namespace korvane::ui
