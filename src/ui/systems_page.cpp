#include "ui/systems_page.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "app/workspace.h"
#include "core/encoding.h"
#include "core/strutil.h"
#include "online/texts.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

constexpr int kColumnCount = 11;
const char* const kColumns[kColumnCount] = {"Название",   "Автор",         "Числа",  "Блок",
                                            "Комбинаций", "Дата создания", "Статус", "Загрузок",
                                            "Последняя",  "Комментарии",   "Ссылка"};

// The dialog's texts.
constexpr const char* kInvalidTitle = "Название системы должно быть указано обязательно!";
constexpr const char* kInvalidNumbers = "Указано недопустмое количество используемых чисел!";
constexpr const char* kInvalidBlock = "Указан недопустмый размер блока!";
constexpr const char* kInvalidAuthor = "Имя автора должно быть указано обязательно!";
constexpr const char* kInvalidDescription = "Описание системы должно быть указано обязательно!";
constexpr const char* kInvalidCombs = "Содержимое системы должно быть указано обязательно!";

}  // namespace

SystemsModel::SystemsModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws) {}

int SystemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(ws_.Systems().List().size());
}

int SystemsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant SystemsModel::data(const QModelIndex& index, int role) const {
  const auto& list = ws_.Systems().List();
  if (!index.isValid() || index.row() >= static_cast<int>(list.size())) return {};
  const TSystemData& s = list[static_cast<size_t>(index.row())];
  const bool real = s.id > 0;
  const bool downloaded = ws_.Systems().Downloaded(s);
  if (role == Qt::DisplayRole) {
    if (!real) return index.column() == 0 ? Q(s.title) : QVariant();
    switch (index.column()) {
      case 0:
        return Q(s.title);
      case 1:
        return Q(s.author);
      case 2:
        return Q(Format("%.2d", s.nums));
      case 3:
        return s.block;
      case 4:
        return s.count;
      case 5:
        return Q(LocalDateTimeText(s.created));
      case 6:
        return downloaded ? QString::fromUtf8(texts::SystemLoaded) : QString();
      case 7:
        return s.downloads;
      case 8:
        return Q(LocalDateTimeText(s.lastDownload));
      case 9:
        return Q(s.description).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
      default:
        return Q(s.link);
    }
  }
  // Own systems in green, systems without an author's address in grey; downloaded ones bold.
  if (role == Qt::ForegroundRole && real) {
    if (ws_.Systems().IsOwn(s)) return QColor(0, 110, 0);
    if (Trim(s.mail).empty()) return QColor(110, 110, 110);
    return {};
  }
  if (role == Qt::FontRole && downloaded) {
    QFont f;
    f.setBold(true);
    return f;
  }
  if (role == Qt::TextAlignmentRole)
    return index.column() >= 2 && index.column() <= 8 ? QVariant(Qt::AlignCenter)
                                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role == Qt::ToolTipRole && index.column() == 9 && real) return Q(s.description);
  return {};
}

QVariant SystemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumnCount)
    return {};
  return QString::fromUtf8(kColumns[section]);
}

void SystemsModel::Reset() {
  beginResetModel();
  endResetModel();
}

SystemsPage::SystemsPage(Workspace& ws, QWidget* parent)
    : Page(ws, "tsSystems", PageSystems, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("systemsTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);
  model_ = new SystemsModel(ws, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvSystems"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->horizontalHeader()->setStretchLastSection(true);
  const int widths[kColumnCount] = {190, 110, 50, 45, 85, 160, 100, 70, 160, 220, 160};
  for (int c = 0; c < kColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
  connect(list_, &QTableView::doubleClicked, this, &SystemsPage::rowActivated);
  layout->addWidget(list_);
}

void SystemsPage::Refresh(unsigned /*aspects*/) {
  const int row = FocusedRow();
  const int32_t id = row >= 0 && row < static_cast<int>(ws_.Systems().List().size())
                         ? ws_.Systems().List()[static_cast<size_t>(row)].id
                         : 0;
  std::set<int32_t> selected;
  for (int r : SelectedRows()) selected.insert(ws_.Systems().List()[static_cast<size_t>(r)].id);
  model_->Reset();
  // The focus and the selection stay with their systems.
  for (size_t r = 0; r < ws_.Systems().List().size(); ++r)
    if (selected.count(ws_.Systems().List()[r].id) != 0)
      list_->selectionModel()->select(model_->index(static_cast<int>(r), 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  if (id != 0) {
    const int again = ws_.Systems().RowOf(id);
    if (again >= 0)
      list_->selectionModel()->setCurrentIndex(model_->index(again, 0),
                                               QItemSelectionModel::NoUpdate);
  }
}

int SystemsPage::FocusedRow() const {
  const QModelIndex i = list_->currentIndex();
  return i.isValid() ? i.row() : -1;
}

std::vector<int> SystemsPage::SelectedRows() const {
  std::vector<int> rows;
  if (list_->selectionModel() == nullptr) return rows;
  for (const QModelIndex& i : list_->selectionModel()->selectedRows())
    if (i.row() < static_cast<int>(ws_.Systems().List().size())) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void SystemsPage::FocusRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  list_->selectionModel()->setCurrentIndex(
      model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list_->scrollTo(model_->index(row, 0));
}

void SystemsPage::RestoreState(const Workspace& ws) {
  RestoreColumnWidths(ws, list_, "lvSystems", kColumnCount);
}

void SystemsPage::StoreState(Workspace& ws, LayoutSizes& /*sizes*/) const {
  StoreColumnWidths(ws, list_, "lvSystems", kColumnCount);
}

// The system dialog ------------------------------------------------------------------------

SystemDialog::SystemDialog(QWidget* parent, Host& host, const TSystemData& system, bool readOnly)
    : FrameDialog(parent, QStringLiteral("Система")), host_(host), system_(system) {
  setObjectName(QStringLiteral("SystemDialog"));
  auto digits = [this] {
    auto* e = new QLineEdit(this);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), e));
    e->setMaximumWidth(90);
    return e;
  };
  title_ = new QLineEdit(Q(system.title), this);
  descr_ = new QPlainTextEdit(this);
  descr_->setPlainText(Q(system.description).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  descr_->setMaximumHeight(80);
  author_ = new QLineEdit(Q(system.author), this);
  link_ = new QLineEdit(Q(system.link), this);
  open_ = new QPushButton(QStringLiteral("Открыть ссылку в браузере"), this);
  combs_ = new QPlainTextEdit(this);
  combs_->setPlainText(
      Q(system.combinations).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
  combs_->setMinimumHeight(200);
  combs_->setContextMenuPolicy(Qt::CustomContextMenu);
  combs_->installEventFilter(this);
  QFont mono = combs_->font();
  mono.setFamily(QStringLiteral("monospace"));
  combs_->setFont(mono);
  created_ = new QLineEdit(Q(LocalDateTimeText(system.created)), this);
  created_->setReadOnly(true);
  count_ = digits();
  count_->setText(QString::number(system.count));
  nums_ = digits();
  nums_->setText(QString::number(system.nums));
  length_ = new QLineEdit(QStringLiteral("3"), this);
  length_->setReadOnly(true);
  length_->setMaximumWidth(90);
  block_ = digits();
  block_->setText(QString::number(system.block));
  downloads_ = digits();
  downloads_->setText(QString::number(system.downloads));
  downloads_->setReadOnly(true);
  last_ = new QLineEdit(Q(LocalDateTimeText(system.lastDownload)), this);
  last_->setReadOnly(true);
  // The dates are shown whole.
  const int dateWidth = DateTimeWidth(created_);
  created_->setMinimumWidth(dateWidth);
  last_->setMinimumWidth(dateWidth);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Наименование:"), title_);
  form->addRow(QStringLiteral("Описание:"), descr_);
  form->addRow(QStringLiteral("Автор:"), author_);
  auto* linkRow = new QHBoxLayout;
  linkRow->addWidget(link_, 1);
  linkRow->addWidget(open_);
  form->addRow(QStringLiteral("Ссылка:"), linkRow);
  auto* grid = new QGridLayout;
  const std::pair<const char*, QLineEdit*> fields[] = {
      {"Создана:", created_}, {"Комбинаций:", count_},   {"Числа:", nums_},    {"Длина:", length_},
      {"Блок:", block_},      {"Загрузок:", downloads_}, {"Последняя:", last_}};
  int r = 0;
  for (const auto& [caption, edit] : fields) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
    grid->addWidget(edit, r, 1);
    ++r;
  }
  grid->setRowStretch(r, 1);
  auto* lower = new QHBoxLayout;
  auto* combsBox = new QVBoxLayout;
  combsBox->addWidget(new QLabel(QStringLiteral("Список комбинаций:"), this));
  combsBox->addWidget(combs_, 1);
  lower->addLayout(combsBox, 1);
  lower->addLayout(grid);
  Content()->addLayout(form);
  Content()->addLayout(lower, 1);
  resize(640, 560);

  auto updateOpen = [this] { open_->setEnabled(!link_->text().trimmed().isEmpty()); };
  updateOpen();
  connect(link_, &QLineEdit::textChanged, this, updateOpen);
  connect(open_, &QPushButton::clicked, this,
          [this] { QDesktopServices::openUrl(QUrl(link_->text().trimmed())); });
  connect(combs_, &QPlainTextEdit::customContextMenuRequested, this, &SystemDialog::CombsMenu);
  if (readOnly) {
    for (QLineEdit* e : {title_, author_, link_, count_, nums_, block_}) e->setReadOnly(true);
    descr_->setReadOnly(true);
    combs_->setReadOnly(true);
    OkButton()->hide();
  }
}

void SystemDialog::CombsMenu(const QPoint& at) {
  QMenu menu(this);
  const bool editable = !combs_->isReadOnly();
  menu.addAction(QStringLiteral("Копировать в буфер обмена"), this, [this] {
    const QString text = combs_->textCursor().hasSelection() ? combs_->textCursor().selectedText()
                                                             : combs_->toPlainText();
    QApplication::clipboard()->setText(QString(text).replace(QChar(0x2029), QLatin1Char('\n')));
  });
  menu.addAction(QStringLiteral("Вставить из буфера обмена"), this,
                 [this] {
                   combs_->insertPlainText(QApplication::clipboard()->text());
                   NormaliseCombinations();
                 })
      ->setEnabled(editable);
  menu.addAction(QStringLiteral("Выделить все"), combs_, &QPlainTextEdit::selectAll);
  menu.addSeparator();
  menu.addAction(QStringLiteral("Загрузить из файла"), this,
                 [this] {
                   const QString file = QFileDialog::getOpenFileName(
                       this, QString(), QString(), QStringLiteral("Системы (*.dat *.txt)"));
                   if (file.isEmpty()) return;
                   try {
                     combs_->setPlainText(Q(Cp1251ToUtf8(ReadFile(S(file)))));
                     NormaliseCombinations();
                   } catch (const Error& e) {
                     host_.showMessage(MessageKind::Error, e.what());
                   }
                 })
      ->setEnabled(editable);
  menu.addAction(QStringLiteral("Сохранить в файле"), this, [this] {
    const QString file = QFileDialog::getSaveFileName(this, QString(), QString(),
                                                      QStringLiteral("Системы (*.dat *.txt)"));
    if (file.isEmpty()) return;
    try {
      WriteFileAtomic(S(file), S(combs_->toPlainText()).append("\n"));
    } catch (const Error& e) {
      host_.showMessage(MessageKind::Error, e.what());
    }
  });
  menu.exec(combs_->mapToGlobal(at));
}

bool SystemDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == combs_ && event->type() == QEvent::FocusOut && !combs_->isReadOnly())
    NormaliseCombinations();
  return FrameDialog::eventFilter(watched, event);
}

void SystemDialog::NormaliseCombinations() {
  int numbers = 0, lines = 0;
  const std::string text = NormaliseSystemText(S(combs_->toPlainText()), numbers, lines);
  combs_->setPlainText(Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  nums_->setText(QString::number(numbers));
  count_->setText(QString::number(lines));
}

bool SystemDialog::Validate() {
  NormaliseCombinations();
  auto refuse = [this](const char* text, QWidget* field) {
    host_.showMessage(MessageKind::Warning, text);
    field->setFocus();
    return false;
  };
  if (title_->text().trimmed().isEmpty()) return refuse(kInvalidTitle, title_);
  const int n = nums_->text().toInt();
  if (n < SystemMinNumbers || n > SystemMaxNumbers) return refuse(kInvalidNumbers, nums_);
  const int block = block_->text().toInt();
  if (block < 0 || block > 2) return refuse(kInvalidBlock, block_);
  if (author_->text().trimmed().isEmpty()) return refuse(kInvalidAuthor, author_);
  if (descr_->toPlainText().trimmed().isEmpty()) return refuse(kInvalidDescription, descr_);
  if (combs_->toPlainText().trimmed().isEmpty()) return refuse(kInvalidCombs, combs_);
  return true;
}

TSystemData SystemDialog::Result() const {
  TSystemData s = system_;
  s.title = S(title_->text().trimmed());
  s.description = S(descr_->toPlainText()).empty()
                      ? std::string()
                      : S(descr_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  s.author = S(author_->text().trimmed());
  s.link = S(link_->text().trimmed());
  s.nums = nums_->text().toInt();
  s.block = block_->text().toInt();
  s.count = count_->text().toInt();
  s.combinations = S(combs_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  if (s.created.seconds <= 0) s.created = Now();
  return s;
}

}  // namespace korvane::ui
