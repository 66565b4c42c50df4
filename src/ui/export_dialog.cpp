#include "ui/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/ini.h"
#include "core/strutil.h"
#include "export/texts.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

constexpr int RoleField = Qt::UserRole;

// "Параметры поля": the caption, the alignment and the width of one field.
class FieldDialog : public FrameDialog {
 public:
  FieldDialog(QWidget* parent, const ExportField& f)
      : FrameDialog(parent, QStringLiteral("Параметры поля")), field_(f) {
    caption_ = new QLineEdit(Q(f.caption), this);
    align_ = new QComboBox(this);
    for (int a = 0; a < 3; ++a) align_->addItem(Q(ExportAlignText(a)));
    align_->setCurrentIndex(std::clamp(f.align, 0, 2));
    width_ = new QDoubleSpinBox(this);
    width_->setRange(0, 255);
    width_->setDecimals(2);
    width_->setGroupSeparatorShown(true);
    width_->setValue(ExportFieldWidth(f));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Заголовок столбца:"), caption_);
    form->addRow(QStringLiteral("Выравнивание данных:"), align_);
    form->addRow(QStringLiteral("Ширина:"), width_);
    Content()->addLayout(form);
  }
  ExportField Result() const {
    ExportField f = field_;
    f.caption = S(caption_->text());
    f.align = align_->currentIndex();
    f.width = ExportWidthText(width_->value());
    return f;
  }

 private:
  ExportField field_;
  QLineEdit* caption_;
  QComboBox* align_;
  QDoubleSpinBox* width_;
};

}  // namespace

ExportDialog::ExportDialog(QWidget* parent, const ExportSettings& settings, int allRows,
                           int selectedRows, std::string section,
                           std::function<QString(bool save)> chooseFile)
    : FrameDialog(parent, Q(texts::ExportCaption)),
      base_(settings),
      allRows_(allRows),
      selectedRows_(selectedRows),
      section_(std::move(section)),
      chooseFile_(std::move(chooseFile)) {
  OkButton()->setToolTip(QStringLiteral("Начать экспорт"));
  CancelButton()->setToolTip(QStringLiteral("Закрыть окно"));
  pages_ = new QTabWidget(this);

  auto* sheetPage = new QWidget(this);
  auto* sheetLayout = new QVBoxLayout(sheetPage);
  auto* top = new QFormLayout;
  title_ = new QLineEdit(sheetPage);
  title_->setToolTip(QStringLiteral("Название отчета"));
  notes_ = new QLineEdit(sheetPage);
  notes_->setToolTip(QStringLiteral("Дополнительная информация"));
  top->addRow(QStringLiteral("Наименование отчета:"), title_);
  top->addRow(QStringLiteral("Дополнительные сведения:"), notes_);
  sheetLayout->addLayout(top);
  time_ = new QCheckBox(
      QStringLiteral("Добавить строку с датой и временем формирования отчета (экспорта)."),
      sheetPage);
  sheetLayout->addWidget(time_);
  auto* page = new QGroupBox(QStringLiteral(" Параметры листа Microsoft Excel "), sheetPage);
  auto* pageForm = new QFormLayout(page);
  orientation_ = new QComboBox(page);
  orientation_->setToolTip(QStringLiteral("Ориентация страницы"));
  for (const char* t : {texts::ExportOrientationNone, texts::ExportOrientationPortrait,
                        texts::ExportOrientationLandscape})
    orientation_->addItem(Q(t));
  fontSize_ = new QSpinBox(page);
  fontSize_->setRange(1, 100);
  sheet_ = new QLineEdit(page);
  sheet_->setMaxLength(128);
  pageForm->addRow(QStringLiteral("Ориентация:"), orientation_);
  pageForm->addRow(QStringLiteral("Базовый размер шрифта:"), fontSize_);
  pageForm->addRow(QStringLiteral("Наименование листа:"), sheet_);
  sheetLayout->addWidget(page);
  auto* send = new QGroupBox(QStringLiteral(" Режим передачи данных "), sheetPage);
  auto* sendRow = new QHBoxLayout(send);
  mode_ = new QComboBox(send);
  mode_->setToolTip(QStringLiteral("Режим передачи данных в Microsoft Excel"));
  mode_->addItem(Q(texts::ExportSendAll));
  mode_->addItem(Q(texts::ExportSendSelected));
  rows_ = new QLabel(send);
  rows_->setToolTip(QStringLiteral("Число строк, которые будут переданы в Microsoft Excel"));
  sendRow->addWidget(new QLabel(QStringLiteral("Число строк:"), send));
  sendRow->addWidget(mode_, 1);
  sendRow->addWidget(rows_);
  sheetLayout->addWidget(send);
  sheetLayout->addStretch(1);
  pages_->addTab(sheetPage, QStringLiteral("Параметры листа"));

  auto* fieldsPage = new QWidget(this);
  auto* fieldsLayout = new QVBoxLayout(fieldsPage);
  fieldsLayout->addWidget(new QLabel(QStringLiteral("Перечень экспортируемых полей:"), fieldsPage));
  list_ = new QTreeWidget(fieldsPage);
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("Наименование столбца"), QStringLiteral("Выравнивание"),
                          QStringLiteral("Ширина"), QStringLiteral("Физическое поле")});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  up_ = new QPushButton(QStringLiteral("Вверх"), fieldsPage);
  up_->setToolTip(QStringLiteral("Переместить на одну строку вверх"));
  up_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Up")));
  down_ = new QPushButton(QStringLiteral("Вниз"), fieldsPage);
  down_->setToolTip(QStringLiteral("Переместить на одну строку вниз"));
  down_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Down")));
  props_ = new QPushButton(QStringLiteral("Свойства"), fieldsPage);
  props_->setToolTip(QStringLiteral("Изменить свойства экспортируемого поля"));
  props_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Return")));
  for (QPushButton* b : {up_, down_, props_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  listRow->addLayout(buttons);
  fieldsLayout->addLayout(listRow);
  pages_->addTab(fieldsPage, QStringLiteral("Столбцы таблицы"));
  Content()->addWidget(pages_, 1);

  auto* bottom = new QHBoxLayout;
  restore_ =
      new QCheckBox(QStringLiteral("Сохранить параметры экспорта в файле конфигурации"), this);
  auto* params = new QPushButton(QStringLiteral("Параметры"), this);
  params->setToolTip(QStringLiteral("Сохранение параметров экспорта в файле"));
  params->setAutoDefault(false);
  auto* menu = new QMenu(params);
  QAction* load = menu->addAction(QStringLiteral("Загрузить из файла"));
  load->setToolTip(QStringLiteral("Загрузить параметры экспорта из файла"));
  load->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  QAction* save = menu->addAction(QStringLiteral("Сохранить в файле"));
  save->setToolTip(QStringLiteral("Сохранить параметры экспорта в файле"));
  save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  params->setMenu(menu);
  addActions({load, save});
  bottom->addWidget(restore_, 1);
  bottom->addWidget(params);
  Content()->addLayout(bottom);

  connect(load, &QAction::triggered, this, [this] {
    const QString f = chooseFile_ ? chooseFile_(false) : QString();
    if (!f.isEmpty()) LoadFile(f);
  });
  connect(save, &QAction::triggered, this, [this] {
    const QString f = chooseFile_ ? chooseFile_(true) : QString();
    if (!f.isEmpty()) SaveFile(f);
  });
  connect(mode_, &QComboBox::currentIndexChanged, this,
          [this](int m) { rows_->setText(QString::number(m == 1 ? selectedRows_ : allRows_)); });
  connect(pages_, &QTabWidget::currentChanged, this, [this](int i) {
    if (i == 0)
      title_->setFocus();
    else
      list_->setFocus();
  });
  connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
    if (column == 0) Normalize();
  });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { EditField(); });
  connect(up_, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { Move(1); });
  connect(props_, &QPushButton::clicked, this, [this] { EditField(); });

  Fill(settings);
  mode_->setCurrentIndex(std::clamp(settings.sendMode, 0, 1));
  rows_->setText(QString::number(settings.sendMode == 1 ? selectedRows_ : allRows_));
  resize(620, 460);
}

void ExportDialog::Fill(const ExportSettings& s) {
  title_->setText(Q(s.title));
  notes_->setText(Q(s.notes));
  time_->setChecked(s.showCreateTime);
  orientation_->setCurrentIndex(std::clamp(s.pageOrientation, 0, 2));
  fontSize_->setValue(std::clamp(s.baseFontSize, 1, 100));
  sheet_->setText(Q(s.sheetName));
  restore_->setChecked(s.restore);
  FillFields(s.fields, 0);
}

void ExportDialog::FillFields(const std::vector<ExportField>& fields, int select) {
  const QSignalBlocker block(list_);
  list_->clear();
  for (size_t i = 0; i < fields.size(); ++i) {
    const ExportField& f = fields[i];
    auto* item = new QTreeWidgetItem(
        list_, {Q(f.caption), Q(ExportAlignText(f.align)), Q(f.width), Q(f.physicalName)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, f.checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, RoleField, static_cast<int>(i));
  }
  base_.fields = fields;
  if (select >= 0 && select < list_->topLevelItemCount()) {
    list_->setCurrentItem(list_->topLevelItem(select));
    list_->scrollToItem(list_->currentItem());
  }
  UpdateButtons();
}

std::vector<ExportField> ExportDialog::Fields() const {
  std::vector<ExportField> fields;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list_->topLevelItem(i);
    ExportField f = base_.fields[static_cast<size_t>(item->data(0, RoleField).toInt())];
    f.checked = item->checkState(0) == Qt::Checked;
    fields.push_back(f);
  }
  return fields;
}

void ExportDialog::Normalize() {
  std::vector<ExportField> fields = Fields();
  const int current = list_->indexOfTopLevelItem(list_->currentItem());
  const int id = current >= 0 ? fields[static_cast<size_t>(current)].columnId : -1;
  NormalizeExportFields(fields);
  int select = 0;
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].columnId == id) select = static_cast<int>(i);
  FillFields(fields, select);
}

void ExportDialog::Move(int by) {
  std::vector<ExportField> fields = Fields();
  const int i = list_->indexOfTopLevelItem(list_->currentItem());
  const int j = i + by;
  if (i < 0 || j < 0 || j >= static_cast<int>(fields.size())) return;
  std::swap(fields[static_cast<size_t>(i)], fields[static_cast<size_t>(j)]);
  const int id = fields[static_cast<size_t>(j)].columnId;
  NormalizeExportFields(fields);
  int select = j;
  for (size_t k = 0; k < fields.size(); ++k)
    if (fields[k].columnId == id) select = static_cast<int>(k);
  FillFields(fields, select);
}

void ExportDialog::EditField() {
  const int i = list_->indexOfTopLevelItem(list_->currentItem());
  if (i < 0) return;
  std::vector<ExportField> fields = Fields();
  FieldDialog dlg(this, fields[static_cast<size_t>(i)]);
  if (dlg.exec() != QDialog::Accepted) return;
  fields[static_cast<size_t>(i)] = dlg.Result();
  FillFields(fields, i);
}

void ExportDialog::UpdateButtons() {
  const int i = list_->indexOfTopLevelItem(list_->currentItem());
  up_->setEnabled(i > 0);
  down_->setEnabled(i >= 0 && i + 1 < list_->topLevelItemCount());
  props_->setEnabled(i >= 0);
}

ExportSettings ExportDialog::Result() const {
  ExportSettings s = base_;
  s.title = S(title_->text());
  s.notes = S(notes_->text());
  s.showCreateTime = time_->isChecked();
  s.pageOrientation = orientation_->currentIndex();
  s.baseFontSize = fontSize_->value();
  s.sheetName = S(sheet_->text());
  s.sendMode = mode_->currentIndex();
  s.restore = restore_->isChecked();
  s.fields = Fields();
  return s;
}

void ExportDialog::LoadFile(const QString& file) {
  ExportSettings s = Result();
  try {
    IniFile ini(fs::path(file.toStdString()));
    ini.Load();
    LoadExportParams(ini, section_, s, false, [this](const std::string& e) {
      QMessageBox::critical(this, QStringLiteral("Ошибка"), Q(e));
    });
  } catch (const std::exception&) {
    QMessageBox::critical(this, QStringLiteral("Ошибка"),
                          Q(Format(texts::ExportParamsLoadError, file.toStdString().c_str())));
    return;
  }
  const int mode = mode_->currentIndex();
  Fill(s);
  mode_->setCurrentIndex(mode);
}

void ExportDialog::SaveFile(const QString& file) {
  try {
    IniFile ini(fs::path(file.toStdString()));
    SaveExportParams(ini, section_, Result(), false);
    ini.Save();
  } catch (const std::exception&) {
    QMessageBox::critical(this, QStringLiteral("Ошибка"),
                          Q(Format(texts::ExportParamsSaveError, file.toStdString().c_str())));
  }
}

}  // namespace korvane::ui
