#include "ui/settings_dialog.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "app/host.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

// An editor that lets only the characters of a pattern be typed.
class RestrictedDelegate : public QStyledItemDelegate {
 public:
  RestrictedDelegate(const QString& pattern, QObject* parent)
      : QStyledItemDelegate(parent), pattern_(pattern) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern_), edit));
    return edit;
  }

 private:
  QString pattern_;
};

QDoubleSpinBox* Coefficient(QWidget* parent, long double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setDecimals(3);
  box->setRange(-1e6, 1e6);
  box->setValue(static_cast<double>(value));
  return box;
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* parent, Host& host, const TConfigData& config)
    : FrameDialog(parent, QString::fromUtf8(ConfigTitle)), host_(host), config_(config) {
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);
  Content()->addLayout(columns);

  // Stakes and prizes.
  auto* stakeForm = new QFormLayout;
  cost_ = new QDoubleSpinBox(this);
  cost_->setDecimals(2);
  cost_->setRange(0, 1e9);
  cost_->setValue(config.cost.ToDouble());
  stakeForm->addRow(QString::fromUtf8(ConfigCost), cost_);
  auto* maxStakeLabel = new QLabel(QString::fromUtf8(ConfigMaxStake), this);
  auto* maxStake = new QSpinBox(this);
  maxStake->setValue(config.maxStake);
  stakeForm->addRow(maxStakeLabel, maxStake);
  maxStakeLabel->hide();  // not used in this game
  maxStake->hide();
  left->addLayout(stakeForm);

  left->addWidget(new QLabel(QString::fromUtf8(ConfigPrizes), this));
  prizes_ = new QTableWidget(NumsCount + 1, 2, this);
  prizes_->setHorizontalHeaderLabels(
      {QString::fromUtf8(ConfigPrizeMatches), QString::fromUtf8(ConfigPrizeSum)});
  prizes_->verticalHeader()->hide();
  prizes_->horizontalHeader()->setStretchLastSection(true);
  prizes_->setItemDelegateForColumn(
      1, new RestrictedDelegate(QStringLiteral("[0-9]*[.,]?[0-9]*"), prizes_));
  for (int k = 0; k <= NumsCount; ++k) {
    auto* key = new QTableWidgetItem(QString::number(k));
    key->setFlags(key->flags() & ~Qt::ItemIsEditable);
    prizes_->setItem(k, 0, key);
    // Row k shows the prize of the rule for k matches.
    prizes_->setItem(k, 1, new QTableWidgetItem(Q(PrizeForMatches(config, k).Text())));
  }
  prizes_->setFixedHeight(prizes_->horizontalHeader()->height() +
                          (NumsCount + 1) * prizes_->verticalHeader()->defaultSectionSize() + 4);
  left->addWidget(prizes_);

  auto* weights = new QGroupBox(QString::fromUtf8(ConfigWeights), this);
  auto* wf = new QFormLayout(weights);
  count_ = Coefficient(weights, config.weights.count);
  deviation_ = Coefficient(weights, config.weights.deviation);
  level_ = Coefficient(weights, config.weights.level);
  wf->addRow(QString::fromUtf8(ConfigCount), count_);
  wf->addRow(QString::fromUtf8(ConfigDeviation), deviation_);
  wf->addRow(QString::fromUtf8(ConfigLevel), level_);
  percents_ = new QCheckBox(QString::fromUtf8(ConfigUsePercents), weights);
  percents_->setChecked(config.weights.usePercents);
  abs_ = new QCheckBox(QString::fromUtf8(ConfigUseAbs), weights);
  abs_->setChecked(config.weights.useAbsValues);
  wf->addRow(percents_);
  wf->addRow(abs_);
  left->addWidget(weights);
  left->addStretch(1);

  // Matrix and channels.
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(new QLabel(QString::fromUtf8(ConfigMatrixSize), this));
  matrixCols_ = new QSpinBox(this);
  matrixCols_->setRange(1, 10);
  matrixCols_->setValue(config.matrixCols);
  matrixCols_->setEnabled(false);
  matrixRows_ = new QSpinBox(this);
  matrixRows_->setRange(ValuesCount, ValuesCount);
  matrixRows_->setValue(ValuesCount);
  matrixRows_->setReadOnly(true);
  matrixRows_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  sizeRow->addWidget(matrixCols_);
  sizeRow->addWidget(new QLabel(QStringLiteral("x"), this));
  sizeRow->addWidget(matrixRows_);
  sizeRow->addStretch(1);
  right->addLayout(sizeRow);

  right->addWidget(new QLabel(QString::fromUtf8(ConfigSegments), this));
  segments_ = new QTableWidget(ValuesCount, config.matrixCols, this);
  segments_->setItemDelegate(new RestrictedDelegate(QStringLiteral("[0-9]*"), segments_));
  QStringList rowNames;
  for (int v = MinNum; v <= MaxNum; ++v) rowNames << Q(NumToText(v));
  segments_->setVerticalHeaderLabels(rowNames);
  segments_->horizontalHeader()->setDefaultSectionSize(40);
  for (int p = 0; p < config.matrixCols; ++p)
    for (int v = 0; v < ValuesCount; ++v) {
      const int seg = p < NumsCount ? SegmentOf(config.segments, p + 1, v + MinNum) : 1;
      auto* item = new QTableWidgetItem(QString::number(seg));
      item->setTextAlignment(Qt::AlignCenter);
      segments_->setItem(v, p, item);
    }
  connect(segments_, &QTableWidget::itemChanged, this, &SettingsDialog::CheckSegmentCell);
  right->addWidget(segments_, 1);

  auto* channelRow = new QHBoxLayout;
  channelRow->addWidget(new QLabel(QString::fromUtf8(ConfigChannelSize), this));
  channelSize_ = new QSpinBox(this);
  channelSize_->setRange(1, 10);
  channelSize_->setValue(config.channelSize);
  channelRow->addWidget(channelSize_);
  channelRow->addStretch(1);
  right->addLayout(channelRow);
  resize(640, 520);
}

void SettingsDialog::CheckSegmentCell(QTableWidgetItem* item) {
  if (checkingSegment_) return;
  const QString text = item->text().trimmed();
  if (text.isEmpty()) return;  // an empty cell counts as 1
  const auto v = ParseInt32(S(text));
  if (v && *v >= 1 && *v <= 9) return;
  checkingSegment_ = true;
  host_.showMessage(MessageKind::Error, Format(texts::BadSegmentValue, S(text).c_str()));
  item->setText(QStringLiteral("1"));
  checkingSegment_ = false;
}

TConfigData SettingsDialog::Result() const {
  TConfigData c = config_;
  c.cost = Money::FromDouble(cost_->value());
  c.profits.clear();
  for (int k = 0; k <= NumsCount; ++k) {
    const int matches = IntOrZero(S(prizes_->item(k, 0)->text()));
    const double prize = ParseFloat(S(prizes_->item(k, 1)->text())).value_or(0);
    c.profits.push_back({static_cast<uint8_t>(matches), Money::FromDouble(prize)});
  }
  c.weights.count = count_->value();
  c.weights.deviation = deviation_->value();
  c.weights.level = level_->value();
  c.weights.usePercents = percents_->isChecked();
  c.weights.useAbsValues = abs_->isChecked();
  for (int p = 0; p < NumsCount && p < segments_->columnCount(); ++p)
    for (int v = 0; v < ValuesCount; ++v) {
      const auto seg = ParseInt32(S(segments_->item(v, p)->text().trimmed()));
      c.segments[static_cast<size_t>(p * ValuesCount + v)] =
          static_cast<uint8_t>(seg && *seg >= 1 && *seg <= 9 ? *seg : 1);
    }
  c.channelSize = channelSize_->value();
  return c;
}

}  // namespace korvane::ui
