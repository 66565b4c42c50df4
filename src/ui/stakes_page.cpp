#include "ui/stakes_page.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "stakes/texts.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

QColor KindColour(int kind) {
  switch (kind) {
    case 1:
      return QColor(0xEA, 0xFF, 0xEA);
    case 2:
      return QColor(0xFF, 0xEA, 0xEA);
    case 3:
      return QColor(0xEA, 0xFF, 0xFF);
    case 4:
      return QColor(0xFC, 0xFD, 0xD9);
    default:
      return {};
  }
}

// "Моя ставка" and "Результаты тиража" of a checked stake: each number on its own, bold blue
// where the stake and the draw agree at that position.
class NumbersDelegate : public QStyledItemDelegate {
 public:
  NumbersDelegate(const Workspace& ws, QObject* parent) : QStyledItemDelegate(parent), ws_(ws) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int row = index.row();
    if (row >= ws_.Stakes().Count()) return QStyledItemDelegate::paint(p, option, index);
    const TStakeData s = ws_.Stakes().Read(row);
    if (s.IsSeparator() || !s.IsChecked()) return QStyledItemDelegate::paint(p, option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, p, opt.widget);
    const bool stakeColumn = index.column() == 2;
    QFont normal = opt.font;
    QFont bold = normal;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const int n = std::clamp(s.numbers.count, 0, 4);
    std::vector<QString> parts;
    int width = 0;
    for (int i = 0; i < (stakeColumn ? n : NumsCount); ++i) {
      parts.push_back(QString::number(stakeColumn ? s.numbers.nums[static_cast<size_t>(i)]
                                                  : s.result[static_cast<size_t>(i)]));
      width += fm.horizontalAdvance(parts.back()) + (i > 0 ? 3 : 0);
    }
    int x = opt.rect.left() + (opt.rect.width() - width) / 2;
    const bool selected = opt.state & QStyle::State_Selected;
    for (size_t i = 0; i < parts.size(); ++i) {
      const bool match = i < NumsCount && s.numbers.nums[i] == s.result[i];
      p->setFont(match ? bold : normal);
      p->setPen(match ? QColor(Qt::blue)
                      : opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
      const QRect r(x, opt.rect.top(), fm.horizontalAdvance(parts[i]), opt.rect.height());
      p->drawText(r, Qt::AlignCenter, parts[i]);
      x += r.width() + 3;
    }
  }

 private:
  const Workspace& ws_;
};

}  // namespace

StakesModel::StakesModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), rows_(std::max(1, ws.Stakes().Count())) {}

int StakesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int StakesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 9; }

QVariant StakesModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row >= ws_.Stakes().Count()) return {};
  const int col = index.column();
  const TStakeData s = ws_.Stakes().Read(row);
  switch (role) {
    case Qt::DisplayRole:
      return Q(StakeRowTexts(s)[static_cast<size_t>(col)]);
    case Qt::BackgroundRole:
      if (s.IsSeparator()) return {};
      return KindColour(s.kind);
    case Qt::ForegroundRole:
      if (!s.IsSeparator() && s.IsChecked() && col >= 5 && col <= 7)
        return s.profit.units > 0 ? QColor(0, 0x80, 0) : QColor(Qt::red);
      return s.IsSeparator() ? QVariant() : QVariant(QColor(Qt::black));
    case Qt::TextAlignmentRole:
      if (col == 7) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
      if (col == 8) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
      return QVariant(Qt::AlignCenter);
    default:
      return {};
  }
}

QVariant StakesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 8)
    return {};
  return QString::fromUtf8(texts::StakeColumns[section]);
}

void StakesModel::Refresh() {
  const int rows = std::max(1, ws_.Stakes().Count());
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else {
    emit dataChanged(index(0, 0), index(rows_ - 1, 8));
  }
}

StakesPage::StakesPage(Workspace& ws, QWidget* parent) : Page(ws, "tsStakes", PageStakes, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("stakesTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);
  model_ = new StakesModel(ws, this);
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("sgStakes"));
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->setWordWrap(false);
  // A little wider than the captions need, so that they stay readable.
  const QFontMetrics fm = grid_->horizontalHeader()->fontMetrics();
  const int widths[9] = {70, 80, 120, 60, 120, 80, 80, 70, 1000};
  for (int c = 0; c < 9; ++c)
    grid_->setColumnWidth(
        c,
        std::max(widths[c], fm.horizontalAdvance(QString::fromUtf8(texts::StakeColumns[c])) + 20));
  auto* numbers = new NumbersDelegate(ws, grid_);
  grid_->setItemDelegateForColumn(2, numbers);
  grid_->setItemDelegateForColumn(4, numbers);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  layout->addWidget(grid_, 1);
}

void StakesPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, grid_, "sgStakes", 9);
}

void StakesPage::StoreState(Workspace& ws, LayoutSizes& /*sizes*/) const {
  StoreColumnWidths(ws, grid_, "sgStakes", 9);
}

std::pair<int, int> StakesPage::SelectedRange() const {
  int first = -1;
  int last = -1;
  for (const QModelIndex& i : grid_->selectionModel()->selectedRows()) {
    if (i.row() >= ws_.Stakes().Count()) continue;
    first = first < 0 ? i.row() : std::min(first, i.row());
    last = std::max(last, i.row());
  }
  if (first < 0) return {0, -1};
  return {first + 1, last + 1};
}

void StakesPage::Refresh() {
  model_->Refresh();
  if (ws_.TakeStakesScroll() && ws_.Stakes().Count() > 0) {
    const QModelIndex last = model_->index(ws_.Stakes().Count() - 1, 0);
    grid_->selectRow(last.row());
    grid_->scrollTo(last);
  }
}

}  // namespace korvane::ui
