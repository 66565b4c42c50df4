#include "ui/filter_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "ui/method_combo.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

constexpr const char* kRangeHint =
    "\n\nДопустимые форматы:\n1 - одно значение\n1, 2, 3 - список значений через "
    "запятую\n1-10;2 - нижняя и верхняя граница диапазона; шаг изменения";

QDoubleSpinBox* Coefficient(QWidget* parent, const char* hint) {
  auto* box = new QDoubleSpinBox(parent);
  box->setDecimals(3);
  box->setRange(-1e9, 1e9);
  box->setToolTip(QString::fromUtf8(hint));
  return box;
}

}  // namespace

FilterDialog::FilterDialog(QWidget* parent, Workspace& ws, const TFilterItem& item)
    : FrameDialog(parent, QStringLiteral("Фильтр")), ws_(ws) {
  auto* form = new QFormLayout;
  Content()->addLayout(form);
  const auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9,;\\-]*"), this);

  method_ = new QComboBox(this);
  method_->setToolTip(QStringLiteral("Тип фильтра"));
  FillMethodCombo(method_, ws, ws.StatMethodList());
  ShowComboEntry(method_, ws.StatEntry());
  MakeMethodComboSearchable(method_);
  form->addRow(QStringLiteral("Тип фильтра:"), method_);

  draws_ = new QLineEdit(QString::number(ws.StatDepth()), this);
  draws_->setToolTip(QStringLiteral("Количество тиражей для расчета статистики") +
                     QString::fromUtf8(kRangeHint));
  draws_->setValidator(digits);
  form->addRow(QStringLiteral("Количество тиражей:"), draws_);

  sort_ = new QComboBox(this);
  sort_->setToolTip(QStringLiteral("Упорядочить полученную статистику по столбцу"));
  for (const char* caption : StatColumnCaptions()) sort_->addItem(QString::fromUtf8(caption));
  sort_->setCurrentIndex(1);
  form->addRow(QStringLiteral("Сортировать по столбцу:"), sort_);

  direction_ = new QComboBox(this);
  direction_->setToolTip(QStringLiteral("Направление движения по списку статистики при обработке"));
  direction_->addItems({QStringLiteral("Сверху-вниз"), QStringLiteral("Снизу-вверх")});
  form->addRow(QStringLiteral("Направление:"), direction_);

  filterMode_ = new QComboBox(this);
  filterMode_->setToolTip(QStringLiteral("Режим отбора комбинаций"));
  filterMode_->addItems(
      {QStringLiteral("Удалить выделенные"), QStringLiteral("Оставить выделенные")});
  form->addRow(QStringLiteral("Режим фильтра:"), filterMode_);

  multi_ = new QCheckBox(
      QStringLiteral("Использовать режим одновременного выделения нескольких значений в списке"),
      this);
  multi_->setToolTip(multi_->text());
  form->addRow(multi_);

  level_ = new QComboBox(this);
  level_->setToolTip(QStringLiteral("Режим выделения значений для фильтра в списке статистики"));
  for (int m = 0; m < LevelModeCount; ++m) level_->addItem(QString::fromUtf8(LevelModeText(m)));
  form->addRow(new QLabel(QStringLiteral("Режим выделения значений в списке статистики:"), this));
  form->addRow(level_);

  values_ = new QLineEdit(this);
  values_->setToolTip(QStringLiteral("Учитываемые значения глубины") +
                      QString::fromUtf8(kRangeHint));
  values_->setValidator(digits);
  form->addRow(QStringLiteral("Значения:"), values_);

  auto* group = new QGroupBox(QStringLiteral(" Коэффициенты для расчета значений \"Вес\" "), this);
  auto* gf = new QFormLayout(group);
  override_ = new QCheckBox(
      QStringLiteral("Использовать приведенные ниже коэффициенты для расчета значений \"Вес\""),
      group);
  override_->setToolTip(QStringLiteral(
      "Использовать приведенные ниже коэффициенты для расчета значений поля \"Вес\""));
  gf->addRow(override_);
  count_ = Coefficient(group,
                       "Коэффициент пересчета значения столбца \"Количество\" в значение "
                       "вычисляемого столбца \"Вес\"");
  deviation_ = Coefficient(group,
                           "Коэффициент пересчета значения столбца \"Отклонение\" в значение "
                           "вычисляемого столбца \"Вес\"");
  depth_ = Coefficient(group,
                       "Коэффициент пересчета значения столбца \"Глубина\" в значение "
                       "вычисляемого столбца \"Вес\"");
  gf->addRow(QStringLiteral("Количество:"), count_);
  gf->addRow(QStringLiteral("Отклонение:"), deviation_);
  gf->addRow(QStringLiteral("Глубина:"), depth_);
  percents_ = new QCheckBox(QStringLiteral("Использовать значения в %"), group);
  percents_->setToolTip(QStringLiteral("При расчетах использовать значения в процентах"));
  abs_ = new QCheckBox(QStringLiteral("Использовать абсолютные значения"), group);
  abs_->setToolTip(QStringLiteral("Преобразовывать отрицательные значения в положительные"));
  gf->addRow(percents_);
  gf->addRow(abs_);
  Content()->addWidget(group);

  auto* stopForm = new QFormLayout;
  stop_ = new QComboBox(this);
  stop_->setToolTip(QStringLiteral("Режим останова обработки"));
  for (int m = 0; m < StopModeCount; ++m) stop_->addItem(QString::fromUtf8(StopModeText(m)));
  stopValue_ = new QSpinBox(this);
  stopValue_->setRange(1, 2147483647);
  stopValue_->setValue(1);
  stopValue_->setToolTip(QStringLiteral("Значение для режима остановки"));
  stopForm->addRow(QStringLiteral("Остановка по:"), stop_);
  stopForm->addRow(QStringLiteral("Значение:"), stopValue_);
  Content()->addLayout(stopForm);

  // The item's fields over the presets.
  TWeightCoefs coefs = ws.Registry().WeightCoefs();
  if (item.used) {
    const int at = ComboIndexOf(method_, ws.Registry().IndexOfCode(item.methodCode));
    method_->setCurrentIndex(
        at >= 0 ? at
                : ComboIndexOf(method_, ws.StatMethodList().empty() ? -1 : ws.StatMethodList()[0]));
    if (!item.drawsText.empty()) draws_->setText(Q(item.drawsText));
    if (!item.levelText.empty()) values_->setText(Q(item.levelText));
    sort_->setCurrentIndex(std::clamp(item.sortColumn, 0, StatColumnCount - 1));
    direction_->setCurrentIndex(item.bottomUp ? 1 : 0);
    filterMode_->setCurrentIndex(item.keep ? 1 : 0);
    multi_->setChecked(item.multiSelect);
    level_->setCurrentIndex(std::min<int>(item.levelMode, LevelModeCount - 1));
    override_->setChecked(item.coefsOverride);
    if (item.coefsOverride) coefs = item.coefs;
    stop_->setCurrentIndex(std::min<int>(item.stopMode, StopModeCount - 1));
    stopValue_->setValue(std::max(1, item.stopValue));
  }
  count_->setValue(static_cast<double>(coefs.count));
  deviation_->setValue(static_cast<double>(coefs.deviation));
  depth_->setValue(static_cast<double>(coefs.level));
  percents_->setChecked(coefs.usePercents);
  abs_->setChecked(coefs.useAbsValues);

  connect(level_, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabling(); });
  connect(override_, &QCheckBox::clicked, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
  resize(560, sizeHint().height());
}

void FilterDialog::UpdateEnabling() {
  const int mode = level_->currentIndex();
  const bool weightModes = mode == WMV || mode == WLV || mode == WDV;
  override_->setEnabled(weightModes);
  const bool fields = weightModes && override_->isChecked();
  count_->setEnabled(fields);
  deviation_->setEnabled(fields);
  depth_->setEnabled(fields);
  percents_->setEnabled(fields);
  abs_->setEnabled(fields);
}

TFilterItem FilterDialog::Result() const {
  TFilterItem item;
  item.used = true;
  const int entry = ComboEntry(method_);
  if (entry >= 0) item.methodCode = ws_.Registry().Items(entry).MethodCode();
  item.drawsText = S(draws_->text());
  item.sortColumn = sort_->currentIndex();
  item.bottomUp = direction_->currentIndex() == 1;
  item.multiSelect = multi_->isChecked();
  item.keep = filterMode_->currentIndex() == 1;
  item.levelMode = static_cast<uint8_t>(level_->currentIndex());
  item.levelText = S(values_->text());
  item.coefsOverride = override_->isChecked();
  item.coefs = {count_->value(), deviation_->value(), depth_->value(), percents_->isChecked(),
                abs_->isChecked()};
  item.stopMode = static_cast<uint8_t>(stop_->currentIndex());
  item.stopValue = stopValue_->value();
  return item;
}

bool FilterDialog::Validate() {
  const TFilterItem item = Result();
  const int entry = method_->currentData().toInt();
  const bool accepts =
      method_->currentIndex() >= 0 && ws_.Registry().Items(entry).AcceptsValueText();
  const auto error = ValidateFilterItem(item, accepts);
  if (!error) return true;
  ws_.host().showMessage(MessageKind::Error, error->message);
  switch (error->field) {
    case FilterField::Draws:
      draws_->setFocus();
      break;
    case FilterField::Mode:
      level_->setFocus();
      break;
    case FilterField::Values:
      values_->setFocus();
      break;
    case FilterField::Stop:
      stop_->setFocus();
      break;
  }
  return false;
}

bool EditFilterItem(QWidget* parent, Workspace& ws, TFilterItem& item) {
  FilterDialog dlg(parent, ws, item);
  if (dlg.exec() != QDialog::Accepted) return false;
  item = dlg.Result();
  return true;
}

}  // namespace korvane::ui
