#include "ui/script_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "app/workspace.h"
#include "filters/filter_item.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"
#include "ui/filter_dialog.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

// Opens the filter dialog on a double-click of a filter field.
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(QObject* parent, std::function<void()> onDoubleClick)
      : QObject(parent), onDoubleClick_(std::move(onDoubleClick)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) {
      onDoubleClick_();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onDoubleClick_;
};

}  // namespace

ScriptLineDialog::ScriptLineDialog(QWidget* parent, Workspace& ws, const QString& title, int n,
                                   const std::string& line)
    : FrameDialog(parent, title), ws_(ws) {
  auto* top = new QFormLayout;
  comment_ = new QLineEdit(this);
  comment_->setToolTip(QStringLiteral("Комментарии (можно оставить пустым)"));
  top->addRow(QStringLiteral("Комментарии:"), comment_);
  Content()->addLayout(top);

  auto* options = new QGroupBox(QStringLiteral(" Опции "), this);
  auto* of = new QFormLayout(options);
  start_ = new QComboBox(options);
  start_->setToolTip(QStringLiteral("Начальный список комбинаций"));
  for (int i = 0; i < 3; ++i) start_->addItem(Q(StartListText(i)));
  exclude_ = new QSpinBox(options);
  exclude_->setRange(0, 2147483647);
  exclude_->setToolTip(QStringLiteral(
      "Исключить указанное количество тиражей из списка комбинаций перед применением фильтров"));
  mode_ = new QComboBox(options);
  mode_->setToolTip(QStringLiteral(
      "В случае неоднозначного результата после применения фильтров выполнить действие"));
  for (int i = 0; i < 9; ++i) mode_->addItem(Q(StakeModeText(i)));
  clear_ = new QCheckBox(
      QStringLiteral("Удалить все ставки перед выполнением (накопление только рейтинга)"), options);
  clear_->setToolTip(QStringLiteral(
      "Перед выполнением строки будет очищен файл ставок (для очень \"массивных\" сценариев, "
      "дающих огромное количество ставок за раз)\nНа накопление рейтинга не влияет"));
  newOnly_ = new QCheckBox(
      QStringLiteral("Только новые ставки (пропускать те ставки, которые уже есть в списке)"),
      options);
  newOnly_->setToolTip(QStringLiteral(
      "Если комбинация уже есть в списке ставок, то она не будет добавлена в список ставок"));
  of->addRow(QStringLiteral("Начальный список комбинаций:"), start_);
  of->addRow(QStringLiteral("Кол-во тиражей:"), exclude_);
  of->addRow(new QLabel(
      QStringLiteral("В случае неоднозначного результата после применения фильтров:"), options));
  of->addRow(mode_);
  of->addRow(clear_);
  of->addRow(newOnly_);
  Content()->addWidget(options);

  auto* filters = new QGroupBox(QStringLiteral(" Фильтры "), this);
  auto* ff = new QFormLayout(filters);
  for (int i = 0; i < FilterSlots; ++i) {
    auto* edit = new QLineEdit(filters);
    edit->setToolTip(QStringLiteral("Фильтр %1").arg(i + 1));
    auto* button = new QToolButton(filters);
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Редактировать фильтр"));
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    ff->addRow(QStringLiteral("Фильтр %1:").arg(i + 1), row);
    filters_[static_cast<size_t>(i)] = edit;
    connect(button, &QToolButton::clicked, this, [this, i] { EditFilter(i); });
    edit->installEventFilter(new DoubleClickFilter(edit, [this, i] { EditFilter(i); }));
  }
  Content()->addWidget(filters);

  exclude_->setValue(n);
  if (!IsSeparatorLine(line)) {
    comment_->setText(Q(LineComment(line)));
    const TScriptOptions o = TextToOptions(LineOptions(line));
    start_->setCurrentIndex(std::min<int>(o.startList, 2));
    exclude_->setValue(o.excludeDraws);
    mode_->setCurrentIndex(std::min<int>(o.stakeMode, 8));
    clear_->setChecked(o.clearStakes);
    newOnly_->setChecked(o.newOnly);
    for (int i = 0; i < FilterSlots; ++i)
      filters_[static_cast<size_t>(i)]->setText(Q(LineFilter(line, i + 1)));
  }
  resize(720, sizeHint().height());
}

void ScriptLineDialog::EditFilter(int i) {
  QLineEdit* edit = filters_[static_cast<size_t>(i)];
  TFilterItem item = TextToFilterItem(S(edit->text()), ws_.Registry());
  if (EditFilterItem(this, ws_, item)) edit->setText(Q(FilterItemToText(item)));
}

std::string ScriptLineDialog::Result() const {
  TScriptOptions o;
  o.excludeDraws = exclude_->value();
  o.startList = static_cast<uint8_t>(start_->currentIndex());
  o.stakeMode = static_cast<uint8_t>(mode_->currentIndex());
  o.clearStakes = clear_->isChecked();
  o.newOnly = newOnly_->isChecked();
  std::array<std::string, FilterSlots> filters;
  for (int i = 0; i < FilterSlots; ++i)
    filters[static_cast<size_t>(i)] = S(filters_[static_cast<size_t>(i)]->text());
  return BuildLine(OptionsToText(o), filters, S(comment_->text()));
}

TestCountDialog::TestCountDialog(QWidget* parent, int maxCount)
    : FrameDialog(parent, QString::fromUtf8(texts::TestsTitle)) {
  auto* form = new QFormLayout;
  count_ = new QSpinBox(this);
  count_->setRange(1, std::max(1, maxCount));
  count_->setValue(std::min(10, std::max(1, maxCount)));
  count_->setToolTip(QString::fromUtf8(texts::TestsHint));
  form->addRow(QString::fromUtf8(texts::TestsLabel), count_);
  Content()->addLayout(form);
}

int TestCountDialog::Count() const { return count_->value(); }

}  // namespace korvane::ui
