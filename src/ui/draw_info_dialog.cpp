#include "ui/draw_info_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

DrawInfoDialog::DrawInfoDialog(QWidget* parent, const Workspace& ws, int listIndex)
    : FrameDialog(parent, QString::fromUtf8(DrawInfoTitle)) {
  TComb nums = ws.Archive().AtList(listIndex).nums;
  if (ws.View().sortedDraws) SortComb(nums);
  Fill(ws, ws.DrawDetails(listIndex), nums);
}

DrawInfoDialog::DrawInfoDialog(QWidget* parent, const Workspace& ws, const TComb& comb)
    : FrameDialog(parent, QString::fromUtf8(DrawInfoTitle)) {
  Fill(ws, ws.CombDetails(comb), comb);
}

void DrawInfoDialog::Fill(const Workspace& ws,
                          const std::vector<std::pair<std::string, std::string>>& rows,
                          const TComb& nums) {
  CancelButton()->hide();
  auto* row = new QHBoxLayout;

  properties_ = new QTreeWidget(this);
  properties_->setColumnCount(2);
  properties_->setHeaderLabels({QString::fromUtf8(InfoProperty), QString::fromUtf8(InfoValue)});
  properties_->setRootIsDecorated(false);
  properties_->setAlternatingRowColors(true);
  for (const auto& [name, value] : rows)
    properties_->addTopLevelItem(new QTreeWidgetItem({Q(name), Q(value)}));
  properties_->resizeColumnToContents(0);
  properties_->setColumnWidth(0, std::min(properties_->columnWidth(0) + 12, 420));
  row->addWidget(properties_, 1);

  auto* cardBox = new QVBoxLayout;
  auto* colsRow = new QHBoxLayout;
  auto* cols = new QSpinBox(this);
  cols->setRange(1, 10);
  cols->setValue(ws.Config().matrixCols);
  cols->setEnabled(false);
  colsRow->addWidget(new QLabel(QString::fromUtf8(InfoColumns), this));
  colsRow->addWidget(cols);
  colsRow->addStretch(1);
  cardBox->addLayout(colsRow);

  const int columns = ws.Config().matrixCols;
  card_ = new QTableWidget(ValuesCount, columns, this);
  card_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  card_->setSelectionMode(QAbstractItemView::NoSelection);
  QStringList rowNames;
  for (int v = MinNum; v <= MaxNum; ++v) rowNames << Q(NumToText(v));
  card_->setVerticalHeaderLabels(rowNames);
  card_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  card_->horizontalHeader()->setDefaultSectionSize(32);
  card_->verticalHeader()->setDefaultSectionSize(22);
  for (int v = 0; v < ValuesCount; ++v) {
    const QColor colour(QRgb(ChannelColor(v + MinNum, ws.Config().channelSize)));
    for (int p = 0; p < columns; ++p) {
      auto* item = new QTableWidgetItem;
      item->setBackground(colour);
      item->setTextAlignment(Qt::AlignCenter);
      if (p < NumsCount && nums[static_cast<size_t>(p)] == v + MinNum)
        item->setText(Q(NumToText(v + MinNum)));
      card_->setItem(v, p, item);
    }
  }
  card_->setFixedWidth(columns * 32 + card_->verticalHeader()->sizeHint().width() + 4);
  cardBox->addWidget(card_, 1);
  row->addLayout(cardBox);
  Content()->addLayout(row);
  resize(780, 420);
}

}  // namespace korvane::ui
