#include "ui/archive_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "ui/draws_model.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

ArchivePage::ArchivePage(Workspace& ws, QWidget* parent) : Page(ws, "tsDraws", PageDraws, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  auto* label = new QLabel(QString::fromUtf8(OffsetLabel), this);
  offset_ = new QSpinBox(this);
  offset_->setObjectName(QStringLiteral("edDrawsOffset"));
  offset_->setToolTip(QString::fromUtf8(OffsetHint));
  offset_->setRange(0, 0);
  offset_->setKeyboardTracking(false);
  label->setBuddy(offset_);
  top->addWidget(label);
  top->addWidget(offset_);
  top->addStretch(1);
  layout->addLayout(top);
  emptyHint_ = new QLabel(QString::fromUtf8(EmptyArchiveHint), this);
  emptyHint_->setObjectName(QStringLiteral("lbEmptyArchive"));
  emptyHint_->setWordWrap(true);
  emptyHint_->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(emptyHint_);

  model_ = new DrawsModel(ws, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvDraws"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->setWordWrap(false);
  // Wide enough for "12345", one digit and "03/07/2021 M" in the window's font.
  const QFontMetrics fm = list_->fontMetrics();
  const int digit = fm.horizontalAdvance(QStringLiteral("0")) + 14;
  const int widths[] = {fm.horizontalAdvance(QStringLiteral("Тираж")) + 24,
                        digit,
                        digit,
                        digit,
                        fm.horizontalAdvance(QStringLiteral("27")) + 14,
                        fm.horizontalAdvance(QStringLiteral("03/07/2021 M")) + 16};
  for (int c = 0; c < 6; ++c) list_->setColumnWidth(c, widths[c]);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setContextMenuPolicy(Qt::ActionsContextMenu);
  layout->addWidget(list_, 1);

  connect(offset_, &QSpinBox::valueChanged, this, [this](int v) { ws_.SetDrawsOffset(v); });
  Refresh(true);
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { emit rowActivated(i.row()); });
}

int ArchivePage::FocusedRow() const {
  const QModelIndex i = list_->currentIndex();
  return i.isValid() && i.row() < ws_.Archive().Count() ? i.row() : -1;
}

std::vector<int> ArchivePage::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

unsigned ArchivePage::Aspects() const {
  return ChangeArchive | ChangeOffset | ChangeSettings | ChangeView;
}

void ArchivePage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, list_, "lvDraws", ArchiveColumnCount);
}

void ArchivePage::StoreState(Workspace& ws, LayoutSizes& /*sizes*/) const {
  StoreColumnWidths(ws, list_, "lvDraws", ArchiveColumnCount);
}

void ArchivePage::Refresh(bool force) {
  model_->Refresh(force);
  emptyHint_->setVisible(ws_.Archive().Empty());
  const int max = std::max(0, ws_.Archive().Count() - 1);
  const QSignalBlocker block(offset_);
  offset_->setMaximum(max);
  if (offset_->value() != ws_.DrawsOffset()) offset_->setValue(ws_.DrawsOffset());
}

}  // namespace korvane::ui
