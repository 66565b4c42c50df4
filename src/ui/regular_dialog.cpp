#include "ui/regular_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/host.h"
#include "core/game.h"
#include "ui/qt_host.h"

namespace korvane::ui {

RegularDialog::RegularDialog(QWidget* parent, Host& host, const TTableData& prepared,
                             std::vector<std::string> existingNames)
    : FrameDialog(parent, QStringLiteral("Добавление регулярной ставки")),
      host_(host),
      prepared_(prepared),
      names_(std::move(existingNames)) {
  auto* form = new QFormLayout;
  Content()->addLayout(form);
  comment_ = new QLineEdit(Q(prepared.name), this);
  comment_->setMaxLength(TableNameMaxChars);
  form->addRow(QStringLiteral("Комментарий к ставке:"), comment_);
  fixed_ = new QRadioButton(QStringLiteral("Использовать постоянную стартовую комбинацию:"), this);
  Content()->addWidget(fixed_);
  start_ = new QLineEdit(this);
  start_->setToolTip(QStringLiteral("Введите числа, разделенные точкой с запятой или запятой"));
  start_->setText(prepared.stakes == 1 ? Q(CombToText(prepared.start))
                                       : QStringLiteral("{...Выделенные комбинации...}"));
  Content()->addWidget(start_);
  fromDraw_ = new QRadioButton(QStringLiteral("Использовать данные предыдущего тиража"), this);
  Content()->addWidget(fromDraw_);
  (prepared.fromDraw != 0 ? fromDraw_ : fixed_)->setChecked(true);
  auto* stepForm = new QFormLayout;
  Content()->addLayout(stepForm);
  step_ = new QSpinBox(this);
  step_->setRange(TableMinStep, TableMaxStep);
  step_->setValue(prepared.step);
  step_->setToolTip(QStringLiteral("Шаг изменения элементов комбинации"));
  stepForm->addRow(QStringLiteral("Шаг:"), step_);
  // The start is typed only for a fixed start from one selected combination.
  auto follow = [this] { start_->setEnabled(fixed_->isChecked() && prepared_.stakes == 1); };
  connect(fixed_, &QRadioButton::toggled, this, follow);
  follow();
}

bool RegularDialog::Validate() {
  step_->interpretText();
  TableDialogInput in;
  in.comment = S(comment_->text());
  in.fixedStart = fixed_->isChecked();
  in.startText = S(start_->text());
  in.step = step_->value();
  const TableDialogResult r = AcceptTableDialog(prepared_, in, names_);
  if (!r.Ok()) {
    host_.showMessage(MessageKind::Error, r.error);
    (r.field == TableDialogField::Start ? start_ : comment_)->setFocus();
    return false;
  }
  result_ = r.record;
  return true;
}

}  // namespace korvane::ui
