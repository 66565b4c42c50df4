#include "ui/stake_dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "app/host.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/texts.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

QSpinBox* DrawSpin(QWidget* parent, int value) {
  auto* s = new QSpinBox(parent);
  s->setRange(1, 2147483647);
  s->setValue(std::max(1, value));
  s->setToolTip(QStringLiteral("Номер первого тиража"));
  return s;
}

QSpinBox* DrawsSpin(QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setRange(1, 65535);
  s->setValue(1);
  s->setToolTip(
      QStringLiteral("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
  return s;
}

}  // namespace

StakeDialog::StakeDialog(QWidget* parent, Host& host, const TStakeData& stake)
    : FrameDialog(parent, QString::fromUtf8(texts::StakeDialogTitle)), host_(host), stake_(stake) {
  auto* form = new QFormLayout;
  Content()->addLayout(form);
  draw_ = DrawSpin(this, stake.draw);
  draws_ = DrawsSpin(this);
  form->addRow(QStringLiteral("Номер тиража:"), draw_);
  form->addRow(QStringLiteral("Кол-во тиражей:"), draws_);
  numbers_ = new QLineEdit(Q(CountedToText(stake.numbers, ";")), this);
  numbers_->setToolTip(QStringLiteral("Введите числа, разделенные точкой с запятой или запятой"));
  sum_ = new QLineEdit(this);
  sum_->setReadOnly(true);
  sum_->setMaximumWidth(60);
  auto* row = new QHBoxLayout;
  row->addWidget(numbers_, 1);
  row->addWidget(new QLabel(QStringLiteral("Сумма:"), this));
  row->addWidget(sum_);
  form->addRow(QStringLiteral("Ставка:"), row);
  comment_ = new QLineEdit(Q(stake.comment), this);
  comment_->setMaxLength(64);
  form->addRow(QStringLiteral("Комментарий к ставке:"), comment_);
  auto updateSum = [this] {
    sum_->setText(QString::number(ParseStakeNumbers(S(numbers_->text())).sum));
  };
  connect(numbers_, &QLineEdit::textChanged, this, updateSum);
  updateSum();
  numbers_->setFocus();
  resize(420, sizeHint().height());
}

bool StakeDialog::Validate() {
  if (!ParseStakeNumbers(S(numbers_->text())).ok) {
    host_.showMessage(MessageKind::Error, texts::BadDrawNumbers);
    numbers_->setFocus();
    return false;
  }
  if (comment_->text().trimmed().isEmpty()) {
    host_.showMessage(MessageKind::Error, texts::NeedComment);
    comment_->setFocus();
    return false;
  }
  return true;
}

TStakeData StakeDialog::Result() const {
  TStakeData s = stake_;
  s.draw = draw_->value();
  s.comment = S(comment_->text());
  s.numbers = ParseStakeNumbers(S(numbers_->text())).numbers;
  return s;
}

int StakeDialog::Draws() const { return draws_->value(); }

MultiStakeDialog::MultiStakeDialog(QWidget* parent, Host& host, int32_t draw)
    : FrameDialog(parent, QString::fromUtf8(texts::MultiStakeTitle)), host_(host) {
  auto* form = new QFormLayout;
  Content()->addLayout(form);
  draw_ = DrawSpin(this, draw);
  draws_ = DrawsSpin(this);
  comment_ = new QLineEdit(QString::fromUtf8(texts::ManualComment), this);
  comment_->setMaxLength(64);
  form->addRow(QStringLiteral("Номер тиража:"), draw_);
  form->addRow(QStringLiteral("Кол-во тиражей:"), draws_);
  form->addRow(QStringLiteral("Комментарий к ставке:"), comment_);
  resize(380, sizeHint().height());
}

bool MultiStakeDialog::Validate() {
  if (comment_->text().trimmed().isEmpty()) {
    host_.showMessage(MessageKind::Error, texts::NeedComment);
    comment_->setFocus();
    return false;
  }
  return true;
}

int32_t MultiStakeDialog::Draw() const { return draw_->value(); }
int MultiStakeDialog::Draws() const { return draws_->value(); }
std::string MultiStakeDialog::Comment() const { return S(comment_->text()); }

ConditionDialog::ConditionDialog(QWidget* parent)
    : FrameDialog(parent, QString::fromUtf8(texts::ConditionTitle)) {
  auto* form = new QFormLayout;
  Content()->addLayout(form);
  op_ = new QComboBox(this);
  for (const char* op : texts::ConditionOps) op_->addItem(QString::fromUtf8(op));
  value_ = new QSpinBox(this);
  value_->setRange(0, 3);
  form->addRow(new QLabel(QStringLiteral("Выберите условие:"), this));
  form->addRow(op_);
  form->addRow(QStringLiteral("Количество совпадений"), value_);
}

StakeRelation ConditionDialog::Relation() const {
  return static_cast<StakeRelation>(op_->currentIndex());
}
int ConditionDialog::Value() const { return value_->value(); }

}  // namespace korvane::ui
