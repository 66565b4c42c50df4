#include "ui/catalogue_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "core/datadir.h"
#include "core/strutil.h"
#include "online/systems.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

const char* const kColumns[CatalogueColumnCount] = {
    "Тип",     "Название", "Автор",       "Программа", "Версия",    "Язык",       "Создан",
    "Рейтинг", "Оценок",   "Ваша оценка", "Загрузок",  "Последняя", "Комментарии"};

constexpr int kTitleLength = 64;
constexpr const char* kNoTitle = "Название сценария должно быть указано обязательно!";
constexpr const char* kTitleTaken =
    "Сценарий с таким названием уже существует!\rВыберите другое название.";
constexpr const char* kNoAuthor = "Имя автора должно быть указано обязательно!";
constexpr const char* kPublicHint = "Сценарий виден всем пользователям";
constexpr const char* kPrivateHint = "Сценарий виден только мне";

// The languages a scenario can be marked with.
struct Language {
  int id;
  const char* name;
};
constexpr Language kLanguages[] = {{1049, "Русский"}, {1033, "English"}, {1058, "Українська"}};

// The type column's mark: a filled green disc for public scenarios, a hollow one for
// private ones.
QIcon VisibilityIcon(bool isPublic) {
  auto make = [](bool filled) {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(filled ? QColor(30, 130, 40) : QColor(150, 110, 30), 1.5));
    p.setBrush(filled ? QBrush(QColor(70, 180, 80)) : QBrush(Qt::NoBrush));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.end();
    return QIcon(pm);
  };
  static const QIcon open = make(true);
  static const QIcon closed = make(false);
  return isPublic ? open : closed;
}

QString OneLine(const std::string& text) {
  return Q(text)
      .replace(QStringLiteral("\r\n"), QStringLiteral(" "))
      .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

}  // namespace

// The list --------------------------------------------------------------------------------

CatalogueModel::CatalogueModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws) {}

int CatalogueModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(ws_.CatalogueRows().size());
}

int CatalogueModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CatalogueColumnCount;
}

QVariant CatalogueModel::data(const QModelIndex& index, int role) const {
  const auto& rows = ws_.CatalogueRows();
  if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
  const TScriptInfo& s = rows[static_cast<size_t>(index.row())];
  const int col = index.column();
  if (role == Qt::DisplayRole) {
    switch (col) {
      case 0:
        return QString::fromUtf8(s.own ? "Мой" : "Общий");
      case 1:
        return Q(s.title);
      case 2:
        return Q(s.author);
      case 3:
        return s.universal ? QStringLiteral("Универсальный") : Q(s.appName);
      case 4:
        return Q(s.appVersion);
      case 5:
        return Q(LanguageAbbreviation(s.language));
      case 6:
        return Q(LocalDateTimeText(s.created));
      case 7:
        return Q(FixedText(s.ratingAverage, 3));
      case 8:
        return s.ratingCount;
      case 9:
        if (s.ratingYours == -1) return QStringLiteral("Скрытый");
        return s.ratingYours == 0 ? QString() : QString::number(s.ratingYours);
      case 10:
        return s.downloads;
      case 11:
        return Q(LocalDateTimeText(s.lastDownload));
      default:
        return OneLine(s.description);
    }
  }
  if (role == Qt::DecorationRole && col == 0) return VisibilityIcon(s.isPublic);
  if (role == Qt::ToolTipRole) {
    if (col == 0) return QString::fromUtf8(s.isPublic ? kPublicHint : kPrivateHint);
    if (col == 12 || col == 1) return Q(s.description);
  }
  // The user's own scenarios in green; those this program cannot use in grey.
  if (role == Qt::ForegroundRole) {
    if (!s.usable) return QColor(120, 120, 120);
    if (s.own) return QColor(0, 110, 0);
    return {};
  }
  if (role == Qt::TextAlignmentRole)
    return col == 1 || col == 2 || col == 3 || col == 12
               ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
               : QVariant(Qt::AlignCenter);
  return {};
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= CatalogueColumnCount)
    return {};
  return QString::fromUtf8(kColumns[section]);
}

void CatalogueModel::Reset() {
  beginResetModel();
  endResetModel();
}

CataloguePanel::CataloguePanel(Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setObjectName(QStringLiteral("pnScriptLibrary"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 0);
  // The caption with the filter choice on one line, the tool bar under them.
  auto* top = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("Online каталог сценариев"), this);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  top->addWidget(caption);
  top->addStretch(1);
  auto* filterLabel = new QLabel(QStringLiteral("Фильтр сценариев:"), this);
  top->addWidget(filterLabel);
  filter_ = new QComboBox(this);
  filter_->setObjectName(QStringLiteral("cbScriptLibraryFilter"));
  filter_->setToolTip(QStringLiteral("Фильтр сценариев"));
  for (const char* choice : ScriptLibraryFilters) filter_->addItem(QString::fromUtf8(choice));
  filter_->setCurrentIndex(ws.CatalogueFilter());
  filter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  filterLabel->setBuddy(filter_);
  top->addWidget(filter_);
  layout->addLayout(top);
  tools_ = new QToolBar(this);
  tools_->setObjectName(QStringLiteral("scriptLibraryTools"));
  tools_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(tools_);

  model_ = new CatalogueModel(ws, this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("lvScriptLibrary"));
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->horizontalHeader()->setStretchLastSection(true);
  const int dateWidth = DateTimeWidth(list_);
  const int widths[CatalogueColumnCount] = {70, 220, 120, 110, 70,        50, dateWidth,
                                            70, 60,  90,  70,  dateWidth, 250};
  for (int c = 0; c < CatalogueColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
  layout->addWidget(list_, 1);

  connect(list_, &QTableView::doubleClicked, this, &CataloguePanel::rowActivated);
  connect(filter_, &QComboBox::activated, this, &CataloguePanel::filterChosen);
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            const auto& rows = ws_.CatalogueRows();
            focusedId_ = current.isValid() && current.row() < static_cast<int>(rows.size())
                             ? rows[static_cast<size_t>(current.row())].id
                             : 0;
          });
  Refresh();
}

int CataloguePanel::FocusedRow() const {
  const QModelIndex i = list_->currentIndex();
  return i.isValid() && i.row() < static_cast<int>(ws_.CatalogueRows().size()) ? i.row() : -1;
}

const TScriptInfo* CataloguePanel::Focused() const {
  const int row = FocusedRow();
  return row < 0 ? nullptr : &ws_.CatalogueRows()[static_cast<size_t>(row)];
}

void CataloguePanel::FocusRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  list_->selectionModel()->setCurrentIndex(
      model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  list_->scrollTo(model_->index(row, 0));
}

void CataloguePanel::Refresh() {
  if (filter_->currentIndex() != ws_.CatalogueFilter())
    filter_->setCurrentIndex(ws_.CatalogueFilter());
  if (revision_ == ws_.CatalogueRevision()) return;
  revision_ = ws_.CatalogueRevision();
  // The rows are new objects after a refresh: the focus follows the scenario's id.
  const int32_t id = focusedId_;
  model_->Reset();
  const auto& rows = ws_.CatalogueRows();
  for (size_t r = 0; r < rows.size(); ++r)
    if (id != 0 && rows[r].id == id) {
      FocusRow(static_cast<int>(r));
      break;
    }
}

// The properties dialog --------------------------------------------------------------------

ScriptPropsDialog::ScriptPropsDialog(QWidget* parent, Host& host, const TScriptData& data,
                                     bool viewOnly, TitleCheck titleFree)
    : FrameDialog(parent, QStringLiteral("Свойства сценария")),
      host_(host),
      data_(data),
      titleFree_(std::move(titleFree)) {
  setObjectName(QStringLiteral("ScriptPropsDialog"));
  title_ = new QLineEdit(Q(data.title), this);
  title_->setMaxLength(kTitleLength);
  author_ = new QLineEdit(Q(data.author), this);
  author_->setMaxLength(kTitleLength);
  language_ = new QComboBox(this);
  for (const Language& l : kLanguages) language_->addItem(QString::fromUtf8(l.name), l.id);
  int at = language_->findData(data.language);
  if (at < 0) {
    // A language this program does not offer is kept as it came.
    language_->addItem(Q(LanguageAbbreviation(data.language)), data.language);
    at = language_->count() - 1;
  }
  language_->setCurrentIndex(at);

  auto* applicability = new QGroupBox(QStringLiteral(" Применяемость "), this);
  onlyHere_ = new QRadioButton(Q(Format("Только в \"%s\"", FileBaseName)), applicability);
  everywhere_ = new QRadioButton(QStringLiteral("В любом приложении Velmora"), applicability);
  auto* al = new QVBoxLayout(applicability);
  al->addWidget(onlyHere_);
  al->addWidget(everywhere_);
  (data.universal ? everywhere_ : onlyHere_)->setChecked(true);

  auto* availability = new QGroupBox(QStringLiteral(" Доступность "), this);
  forAll_ = new QRadioButton(QString::fromUtf8(kPublicHint), availability);
  onlyMe_ = new QRadioButton(QString::fromUtf8(kPrivateHint), availability);
  auto* vl = new QVBoxLayout(availability);
  vl->addWidget(forAll_);
  vl->addWidget(onlyMe_);
  (data.isPublic ? forAll_ : onlyMe_)->setChecked(true);

  descr_ = new QPlainTextEdit(this);
  descr_->setPlainText(Q(data.description).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  descr_->setMinimumHeight(110);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Название:"), title_);
  form->addRow(QStringLiteral("Автор:"), author_);
  form->addRow(QStringLiteral("Язык:"), language_);
  Content()->addLayout(form);
  auto* groups = new QHBoxLayout;
  groups->addWidget(applicability);
  groups->addWidget(availability);
  Content()->addLayout(groups);
  Content()->addWidget(new QLabel(QStringLiteral("Описание:"), this));
  Content()->addWidget(descr_, 1);
  OkButton()->setToolTip(QStringLiteral("Отправить сценарий на сервер"));
  resize(560, 420);

  if (viewOnly) {
    title_->setReadOnly(true);
    author_->setReadOnly(true);
    descr_->setReadOnly(true);
    for (QWidget* w : std::initializer_list<QWidget*>{language_, applicability, availability})
      w->setEnabled(false);
    OkButton()->hide();
    CancelButton()->setText(QStringLiteral("Закрыть"));
  }
}

bool ScriptPropsDialog::Validate() {
  auto refuse = [this](const char* text, QWidget* field) {
    if (text != nullptr) host_.showMessage(MessageKind::Warning, text);
    field->setFocus();
    return false;
  };
  const std::string title = S(title_->text().trimmed());
  if (title.empty()) return refuse(kNoTitle, title_);
  if (titleFree_) {
    const std::optional<bool> free = titleFree_(data_.id, title);
    if (!free) return refuse(nullptr, title_);  // the failed check has spoken already
    if (!*free) return refuse(kTitleTaken, title_);
  }
  if (author_->text().trimmed().isEmpty()) return refuse(kNoAuthor, author_);
  return true;
}

TScriptData ScriptPropsDialog::Result() const {
  TScriptData d = data_;
  d.title = S(title_->text().trimmed());
  d.author = S(author_->text().trimmed());
  d.language = language_->currentData().toInt();
  d.universal = everywhere_->isChecked();
  d.isPublic = forAll_->isChecked();
  const QString text = descr_->toPlainText();
  d.description = S(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  return d;
}

// The comment of a rating -----------------------------------------------------------------

CommentDialog::CommentDialog(QWidget* parent) : FrameDialog(parent, QStringLiteral("Комментарий")) {
  setObjectName(QStringLiteral("CommentDialog"));
  field_ = new QLineEdit(this);
  field_->setMaxLength(1000);
  field_->setMinimumWidth(380);
  Content()->addWidget(new QLabel(QStringLiteral("Вы можете оставить свой комментарий:"), this));
  Content()->addWidget(field_);
}

std::string CommentDialog::Comment() const { return S(field_->text().trimmed()); }

// The users' ratings ------------------------------------------------------------------------

RatesDialog::RatesDialog(QWidget* parent, const std::string& title,
                         const std::vector<TScriptRate>& rates)
    : FrameDialog(parent, QStringLiteral("Оценки пользователей")) {
  setObjectName(QStringLiteral("RatesDialog"));
  auto* caption = new QLabel(Q(title), this);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  Content()->addWidget(caption);
  table_ = new QTableWidget(static_cast<int>(rates.size()), 6, this);
  table_->setObjectName(QStringLiteral("lvScriptRates"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Имя"), QStringLiteral("Оценка"),
                                     QStringLiteral("Дата"), QStringLiteral("Программа"),
                                     QStringLiteral("Версия"), QStringLiteral("Комментарии")});
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  for (int r = 0; r < static_cast<int>(rates.size()); ++r) {
    const TScriptRate& rate = rates[static_cast<size_t>(r)];
    const QString cells[6] = {
        Q(rate.author),
        rate.rate == -1 ? QStringLiteral("Скрытый") : QString::number(rate.rate),
        Q(LocalDateTimeText(rate.created)),
        Q(rate.appName),
        Q(rate.appVersion),
        OneLine(rate.notes)};
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c == 1 || c == 2 || c == 4) item->setTextAlignment(Qt::AlignCenter);
      if (c == 5) item->setToolTip(Q(rate.notes));
      table_->setItem(r, c, item);
    }
  }
  const int dateWidth = DateTimeWidth(table_);
  const int widths[5] = {140, 60, dateWidth, 110, 70};
  for (int c = 0; c < 5; ++c) table_->setColumnWidth(c, widths[c]);
  Content()->addWidget(table_, 1);
  CancelButton()->hide();
  OkButton()->setText(QStringLiteral("Закрыть"));
  resize(760, 360);
}

}  // namespace korvane::ui
