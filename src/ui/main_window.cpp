#include "ui/main_window.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <random>

#include "app/workspace.h"
#include "core/datadir.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "scenario/script_model.h"
#include "scenario/texts.h"
#include "stakes/texts.h"
#include "ui/about_dialog.h"
#include "ui/action_table.h"
#include "ui/archive_page.h"
#include "ui/combs_page.h"
#include "ui/draw_dialog.h"
#include "ui/draw_info_dialog.h"
#include "ui/first_run_dialog.h"
#include "ui/gen_dialog.h"
#include "ui/links.h"
#include "ui/qt_host.h"
#include "ui/script_dialogs.h"
#include "ui/script_page.h"
#include "ui/settings_dialog.h"
#include "ui/shredding_dialog.h"
#include "ui/stake_dialogs.h"
#include "ui/stakes_page.h"
#include "ui/stat_page.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

namespace {

enum MainPage {
  PgStat,
  PgGraphs,
  PgCard,
  PgLayout,
  PgWeek,
  PgStakes,
  PgRatings,
  PgTables,
  PgSystems,
  PgScript
};

QString U(const char* s) { return QString::fromUtf8(s); }

}  // namespace

MainWindow::MainWindow(Workspace& ws, QtHost& host, CommandLine args)
    : ws_(ws), host_(host), args_(std::move(args)) {
  setObjectName(QStringLiteral("TFormMain"));
  setWindowTitle(Q(MainCaption(false)));
  host_.setDialogParent(this);
  actions_ = new ActionTable(this, [this] { return ws_.IsBusy(); });
  BuildLayout();
  BuildStatusBar();
  RegisterActions();
  BuildMenus();

  connect(&host_, &QtHost::stateChanged, this, &MainWindow::OnStateChanged);
  connect(&host_, &QtHost::busyStateChanged, actions_, &ActionTable::UpdateAll);
  connect(actions_, &ActionTable::hintShown, this,
          [this](const QString& hint) { ws_.Busy().SetStatus(S(hint)); });
  connect(actions_, &ActionTable::actionFailed, this,
          [this](const QString& text) { host_.showMessage(MessageKind::Error, S(text)); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildLayout() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  leftPages_ = new QTabWidget(splitter_);
  leftPages_->setObjectName(QStringLiteral("pcLeft"));
  archive_ = new ArchivePage(ws_, leftPages_);
  leftPages_->addTab(archive_, U(PageDraws));
  combs_ = new CombsPage(ws_, leftPages_);
  combs_->setObjectName(QStringLiteral("tsCombs"));
  leftPages_->addTab(combs_, U(PageCombs));

  mainPages_ = new QTabWidget(splitter_);
  mainPages_->setObjectName(QStringLiteral("pcMain"));
  const std::pair<const char*, const char*> pages[] = {
      {"tsStat", PageStat},       {"tsGraphs", PageGraphs}, {"tsCard", PageCard},
      {"tsLayout", PageLayout},   {"tsWeek", PageWeek},     {"tsStakes", PageStakes},
      {"tsRatings", PageRatings}, {"tsTables", PageTables}, {"tsSystems", PageSystems},
      {"tsScript", PageScript}};
  stat_ = new StatPage(ws_, mainPages_);
  stakes_ = new StakesPage(ws_, mainPages_);
  script_ = new ScriptPage(ws_, mainPages_);
  for (size_t i = 0; i < std::size(pages); ++i) {
    QWidget* page = i == PgStat     ? static_cast<QWidget*>(stat_)
                    : i == PgStakes ? static_cast<QWidget*>(stakes_)
                    : i == PgScript ? static_cast<QWidget*>(script_)
                                    : new QWidget(mainPages_);
    page->setObjectName(QString::fromLatin1(pages[i].first));
    pages_[i] = page;
    mainPages_->addTab(page, U(pages[i].second));
  }
  mainPages_->setTabVisible(PgSystems, false);  // the systems tab starts hidden

  splitter_->addWidget(leftPages_);
  splitter_->addWidget(mainPages_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({300, 900});
  setCentralWidget(splitter_);
  resize(1200, 760);

  archive_->List()->addActions({});
  connect(archive_, &ArchivePage::rowActivated, this,
          [this](int) { actions_->Trigger("DrawsInfo"); });
  connect(archive_->List()->selectionModel(), &QItemSelectionModel::selectionChanged, actions_,
          &ActionTable::UpdateAll);
  connect(combs_->List()->selectionModel(), &QItemSelectionModel::selectionChanged, actions_,
          &ActionTable::UpdateAll);
  connect(stat_, &StatPage::selectionChanged, actions_, &ActionTable::UpdateAll);
  connect(stat_, &StatPage::buildRequested, this, [this] {
    if (actions_->Get("DrawsStatCalc")->isEnabled()) ws_.BuildStatTable(false);
  });
}

void MainWindow::BuildStatusBar() {
  for (size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    label->setTextFormat(Qt::PlainText);
    if (i + 1 < panels_.size()) label->setMinimumWidth(90);
    panels_[i] = label;
    statusBar()->addWidget(label, i + 1 == panels_.size() ? 1 : 0);
  }
  progress_ = new QProgressBar(this);
  progress_->setMaximumWidth(200);
  progress_->setTextVisible(true);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
  connect(&host_, &QtHost::progressChanged, this, [this](int done, int total, const QString&) {
    if (total <= 0) {
      progress_->hide();
      return;
    }
    progress_->setRange(0, total);
    progress_->setValue(done);
    progress_->show();
  });
  statusBar()->setSizeGripEnabled(true);
  for (int i = 0; i < StatusPanelCount; ++i)
    panels_[static_cast<size_t>(i)]->setText(Q(ws_.Panel(i)));
  connect(&host_, &QtHost::panelTextChanged, this, [this](int panel, const QString& text) {
    if (panel >= 0 && panel < 6) panels_[static_cast<size_t>(panel)]->setText(text);
  });
  connect(&host_, &QtHost::statusChanged, this, [this](const QString& text) {
    panels_[6]->setText(text);
    panels_[6]->repaint();
  });
}

void MainWindow::RegisterActions() {
  RegisterArchiveActions();
  RegisterCombsActions();
  RegisterStatActions();
  RegisterStakeActions();
  RegisterScriptActions();
  actions_->Add({"ExitProgram",
                 "Выход",
                 "Завершение работы с программой",
                 "Alt+F4",
                 "Файл",
                 [this] { close(); },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"EditConfig",
                 "Параметры",
                 "Редактирование параметров системы",
                 "",
                 "Файл",
                 [this] { EditConfigExecute(); },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"EditShredding",
                 "Формулы шинковки",
                 "Редактирование формул для методов шинковки",
                 "",
                 "Файл",
                 [this] {
                   ShreddingDialog dlg(this, ws_.Settings().shredding);
                   if (dlg.exec() == QDialog::Accepted) ws_.ApplyShredding(dlg.Result());
                 },
                 {},
                 {},
                 0,
                 false});
  RegisterViewActions();
  RegisterHelpActions();
  actions_->UpdateAll();
}

void MainWindow::RegisterArchiveActions() {
  const char* cat = "Архив тиражей";
  auto focused = [this] { return archive_->FocusedRow() >= 0; };
  auto notEmpty = [this] { return !ws_.Archive().Empty(); };
  actions_->Add({"DrawsAdd",
                 "Добавить",
                 "Добавить данные тиража вручную",
                 "",
                 cat,
                 [this] { DrawsAddExecute(); },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"DrawsEdit",
                 "Изменить",
                 "Изменить данные тиража вручную",
                 "",
                 cat,
                 [this] { DrawsEditExecute(); },
                 focused,
                 {},
                 0,
                 false});
  actions_->Add({"DrawsDel",
                 "Удалить",
                 "Удалить выделенные тиражи из списка",
                 "",
                 cat,
                 [this] { DrawsDelExecute(); },
                 [this] { return archive_->List()->selectionModel()->hasSelection(); },
                 {},
                 0,
                 false});
  actions_->Add({"DrawsImport",
                 "Импорт из CSV-файла",
                 "Импорт списка тиражей из CSV-файла",
                 "",
                 cat,
                 [this] { DrawsImportExecute(); },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"DrawsExport",
                 "Экспорт в CSV-файл",
                 "Экспорт списка тиражей в CSV-файл",
                 "",
                 cat,
                 [this] { DrawsExportExecute(); },
                 notEmpty,
                 {},
                 0,
                 false});
  actions_->Add({"DrawsInfo",
                 "Сведения о тираже",
                 "Просмотр подробных сведений о тираже",
                 "",
                 cat,
                 [this] { DrawsInfoExecute(); },
                 focused,
                 {},
                 0,
                 false});
  // Sorting the numbers of a draw is not offered in this game: always disabled.
  actions_->Add({"DrawsSorted",
                 "Упорядочить MIN->MAX",
                 "Упорядочить числа внутри тиража от меньшего к большему",
                 "",
                 cat,
                 {},
                 [] { return false; },
                 [this] { return ws_.View().sortedDraws; },
                 0,
                 false});
  for (const char* name : {"DrawsAdd", "DrawsEdit", "DrawsDel", "DrawsImport", "DrawsExport",
                           "DrawsInfo", "DrawsSorted"})
    archive_->List()->addAction(actions_->Get(name));
}

void MainWindow::AddViewToggle(const char* name, const char* caption, const char* hint,
                               bool ViewSettings::*flag, const char* key,
                               std::function<bool()> update) {
  actions_->Add({name, caption, hint, "", "Вид",
                 [this, flag, key] {
                   ws_.View().*flag = !(ws_.View().*flag);
                   ws_.WriteView(key);
                   archive_->Refresh(false);
                   combs_->Refresh(false);
                 },
                 std::move(update), [this, flag] { return ws_.View().*flag; }, 0, false});
}

void MainWindow::AddTabToggle(const char* name, const char* caption, const char* hint, int page,
                              bool ViewSettings::*flag, const char* key) {
  actions_->Add({name,
                 caption,
                 hint,
                 "",
                 "Вид",
                 [this, flag, key, page] {
                   ws_.View().*flag = !(ws_.View().*flag);
                   mainPages_->setTabVisible(page, ws_.View().*flag);
                   ws_.WriteView(key);
                 },
                 {},
                 [this, flag] { return ws_.View().*flag; },
                 0,
                 false});
}

void MainWindow::RegisterViewActions() {
  using V = ViewSettings;
  auto visible = [this](int page) {
    return [this, page] { return mainPages_->isTabVisible(page); };
  };
  AddViewToggle("ViewColorDraws", "Выделять каналы в списке тиражей",
                "Выделять цветами каналы в списке тиражей", &V::colorDraws, "ColorDraws", {});
  AddViewToggle("ViewColorCombs", "Выделять каналы в списке комбинаций",
                "Выделять цветами каналы в списке комбинаций", &V::colorCombs, "ColorCombs", {});
  AddViewToggle("ViewColorCard", "Выделять каналы в карте тиражей",
                "Выделять цветами каналы в карте тиражей", &V::colorCard, "ColorCard",
                visible(PgCard));
  AddViewToggle("ViewColorCardSequences", "Выделять последовательности в карте тиражей",
                "Выделять цветами последовательности в карте тиражей", &V::colorCardSequences,
                "ColorCardSequences", visible(PgCard));
  AddViewToggle("ViewShemaGradient", "Градиентная раскраска схемы",
                "Градиентная раскраска схемы выпадения номеров", &V::layoutGradient,
                "LayoutGradient", visible(PgLayout));
  AddTabToggle("TabGraps", "Вкладка \"Графики\"", "Скрыть / показать вкладку \"Графики\"", PgGraphs,
               &V::tabGraphs, "TabGraphs");
  AddTabToggle("TabCard", "Вкладка \"Карта\"", "Скрыть / показать вкладку \"Карта тиражей\"",
               PgCard, &V::tabCard, "TabCard");
  AddTabToggle("TabLayout", "Вкладка \"Схема\"",
               "Скрыть / показать вкладку \"Схема выпадения номеров\"", PgLayout, &V::tabLayout,
               "TabLayout");
  AddTabToggle("TabWeek", "Вкладка \"Неделя\"", "Скрыть / показать вкладку \"Неделя\"", PgWeek,
               &V::tabWeek, "TabWeek");
  AddTabToggle("TabTables", "Вкладка \"Регуляры\"",
               "Скрыть / показать вкладку \"Регулярные ставки\"", PgTables, &V::tabTables,
               "TabTables");
}

void MainWindow::RegisterHelpActions() {
  const char* cat = "Справка";
  actions_->Add({"GetHelp",
                 "Справка",
                 "Вызов файла справки",
                 "F1",
                 cat,
                 [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFile())); },
                 [this] { return QFileInfo::exists(HelpFile()); },
                 {},
                 0,
                 false});
  actions_->Add({"About",
                 "О программе",
                 "Информация о программе",
                 "",
                 cat,
                 [this] { AboutDialog(this).exec(); },
                 {},
                 {},
                 0,
                 false});
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
    const char* url;
  } urls[] = {
      {"urlMainSite", "Официальный сайт проекта", "Официальный сайт проекта", links::MainSite},
      {"urlAuthSite", "Страница автора", "Страница автора программы", links::AuthorSite},
      {"urlBlog", "Наш блог", "Официальный блог проекта", links::Blog},
      {"urlYT", "Наш видеоблог", "Видеоблог проекта на сервисе YouTube", links::VideoBlog},
      {"urlVK", "Страница в соцсети \"В контакте\"",
       "Страница проекта в социальной сети \"В контакте\"", links::VK},
      {"urlOK", "Страница в соцсети \"Однокласники\"",
       "Страница проекта в социальной сети \"Однокласники\"", links::OK},
      {"urlAuthText", "Статьи для начинающих", "Статьи, посвященные освоению программы",
       links::Articles},
      {"urlTG", "Канал в Telegram", "Канал в Telegram - новости проекта", links::Telegram},
  };
  for (const auto& u : urls) {
    const QString url = U(u.url);
    actions_->Add({u.name,
                   u.caption,
                   u.hint,
                   "",
                   cat,
                   [url] { QDesktopServices::openUrl(QUrl(url)); },
                   {},
                   {},
                   0,
                   false});
  }
}

QMenu* MainWindow::Menu(const char* caption) const {
  for (QAction* a : menuBar()->actions())
    if (a->menu() != nullptr && a->text() == U(caption)) return a->menu();
  return nullptr;
}

void MainWindow::BuildMenus() {
  // The context menu of the combination list.
  for (const char* name : {"CombsInfo",
                           "CombsCheckNums",
                           "CombsFindInDraws",
                           "",
                           "CombsGen",
                           "CombsDelExists",
                           "CombsDelSelected",
                           "",
                           "CombsCopy",
                           "CombsPaste",
                           "CombsSelectAll",
                           "",
                           "CombsOpen",
                           "CombsSave",
                           "",
                           "CombsUndo",
                           "",
                           "StakeAdd",
                           "StakeAddRandom",
                           "StakeAddSelected",
                           "StakeAddAll"}) {
    if (*name == '\0') {
      auto* sep = new QAction(combs_->List());
      sep->setSeparator(true);
      combs_->List()->addAction(sep);
    } else {
      combs_->List()->addAction(actions_->Get(name));
    }
  }

  auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* n : names) {
      if (*n == '\0')
        menu->addSeparator();
      else if (QAction* a = actions_->Get(n))
        menu->addAction(a);
    }
  };
  QMenu* file = menuBar()->addMenu(U(MenuFile));
  languageMenu_ = file->addMenu(U(MenuLanguage));
  add(file, {"", "EditConfig", "EditShredding", "", "ExitProgram"});
  QMenu* draws = menuBar()->addMenu(U(MenuDraws));
  add(draws, {"DrawsAdd", "DrawsEdit", "DrawsDel", "", "DrawsImport", "DrawsExport", "",
              "DrawsInfo", "DrawsSorted"});
  QMenu* combs = menuBar()->addMenu(U(MenuCombs));
  add(combs,
      {"CombsInfo", "CombsFindInDraws", "", "CombsGen", "CombsDelSelected", "", "CombsSelectAll"});
  QMenu* stat = menuBar()->addMenu(U(MenuStat));
  add(stat, {"DrawsStatCalc", "", "DrawsStatePrefetchsEnabled", "DrawsStatShowTotalLine", "",
             "DrawsStatExportToExcel"});
  QMenu* stakesMenu = menuBar()->addMenu(U(MenuStakes));
  add(stakesMenu, {"StakeAdd", "StakeAddRandom", "StakeAddSelected", "StakeAddAll", "", "StakeDel",
                   "StakeFilter", "StakeClear", "", "StakesCheckManual", "", "LogStakes",
                   "LogStakesDelete", "StakesScroll", "StakesCheckLine", "", "StakesXlsExport"});
  for (const char* caption : {MenuRatings, MenuTables, MenuSystems}) {
    QMenu* m = menuBar()->addMenu(U(caption));
    m->menuAction()->setVisible(false);  // shown once it holds actions
  }
  QMenu* view = menuBar()->addMenu(U(MenuView));
  add(view, {"ViewColorDraws", "ViewColorCombs", "ViewColorCard", "ViewColorCardSequences",
             "ViewShemaGradient", "", "TabGraps", "TabCard", "TabLayout", "TabWeek", "TabTables"});
  QMenu* help = menuBar()->addMenu(U(MenuHelp));
  add(help, {"GetHelp", "", "urlMainSite", "urlAuthSite", "urlBlog", "urlYT", "urlVK", "urlOK",
             "urlAuthText", "urlTG", "", "About"});
}

void MainWindow::RegisterStatActions() {
  const char* cat = "Статистика";
  actions_->Add({"DrawsStatCalc",
                 "Обновить",
                 "Пересчитать статистику по выбранным параметрам",
                 "",
                 cat,
                 [this] { ws_.BuildStatTable(true); },
                 [this] { return !ws_.Archive().Empty() && ws_.StatEntry() >= 0; },
                 {},
                 0,
                 false});
  actions_->Add({"DrawsStatePrefetchsEnabled",
                 "Использовать сравнение с полным набором комбинаций",
                 "Использовать режим сравнения статистики с распределением по полному набору "
                 "комбинаций",
                 "",
                 cat,
                 [this] { ws_.SetPrefetchEnabled(!ws_.View().prefetchsEnabled); },
                 {},
                 [this] { return ws_.View().prefetchsEnabled; },
                 0,
                 false});
  actions_->Add({"DrawsStatShowTotalLine", "График идеального распределения",
                 "Пропорциональный график распределения значений по всем возможным комбинациям "
                 "лотереи",
                 "", cat, [this] { ws_.SetShowTotalLine(!ws_.View().showTotalLine); },
                 [this] { return ws_.View().prefetchsEnabled; },
                 [this] { return ws_.View().showTotalLine; }, 0, false});
  // The spreadsheet export is not offered yet.
  actions_->Add({"DrawsStatExportToExcel",
                 "Экспорт статистики в Microsoft Excel",
                 "Экспорт данных статистики в Microsoft Excel",
                 "",
                 cat,
                 {},
                 [] { return false; },
                 {},
                 0,
                 false});
  const char* filters = "Фильтры";
  auto filterable = [this] { return ws_.Combs().Count() > 0 && ws_.Stats().SelectedCount() > 0; };
  actions_->Add({"StatFilter_Include",
                 "Оставить выделенные",
                 "В списке комбинаций оставить комбинации с выделенными характеристиками",
                 "F7",
                 filters,
                 [this] { ws_.StatFilter(false); },
                 filterable,
                 {},
                 0,
                 false,
                 stat_});
  actions_->Add({"StatFilter_Exclude",
                 "Удалить выделенные",
                 "Из списка комбинаций удалить комбинации с выделенными характеристиками",
                 "Ctrl+F7",
                 filters,
                 [this] { ws_.StatFilter(true); },
                 filterable,
                 {},
                 0,
                 false,
                 stat_});
  stat_->IncludeButton()->setDefaultAction(actions_->Get("StatFilter_Include"));
  stat_->ExcludeButton()->setDefaultAction(actions_->Get("StatFilter_Exclude"));
  stat_->RefreshButton()->setDefaultAction(actions_->Get("DrawsStatCalc"));
  for (const char* name :
       {"StatFilter_Include", "StatFilter_Exclude", "DrawsStatCalc", "DrawsStatePrefetchsEnabled",
        "DrawsStatShowTotalLine", "DrawsStatExportToExcel"})
    stat_->Table()->addAction(actions_->Get(name));
}

void MainWindow::RegisterStakeActions() {
  const char* cat = "Ставки";
  auto open = [this] { return ws_.Stakes().IsOpen(); };
  auto notEmpty = [this] { return ws_.Stakes().IsOpen() && ws_.Stakes().Count() > 0; };
  auto addOne = [this](std::optional<TComb> comb) {
    const TStakeData stake = ws_.NewStake(StakeManual, comb, texts::ManualComment);
    StakeDialog dlg(this, host_, stake);
    if (dlg.exec() == QDialog::Accepted) ws_.AddStake(dlg.Result(), dlg.Draws());
  };
  auto addMany = [this](const std::vector<TComb>& combs) {
    MultiStakeDialog dlg(this, host_, ws_.NewStake(StakeManual, std::nullopt, "").draw);
    if (dlg.exec() == QDialog::Accepted)
      ws_.AddStakes(combs, dlg.Draw(), dlg.Draws(), dlg.Comment());
  };
  actions_->Add({"StakeAdd",
                 "Сделать ставку",
                 "Добавить текущую комбинацию в список ставок с возможностью ручного ввода",
                 "F4",
                 cat,
                 [this, addOne] {
                   const int row = combs_->FirstSelectedRow();
                   addOne(row >= 0 ? std::optional<TComb>(ws_.Combs().At(row)) : std::nullopt);
                 },
                 open,
                 {},
                 0,
                 false});
  actions_->Add({"StakeAddRandom",
                 "Сделать случайную ставку",
                 "Добавить ставку, выбранную случайным образом из списка комбинаций",
                 "Ctrl+F4",
                 cat,
                 [this, addOne] {
                   std::uniform_int_distribution<int> pick(0, ws_.Combs().Count() - 1);
                   addOne(ws_.Combs().At(pick(ws_.Random())));
                 },
                 [this, open] { return open() && ws_.Combs().Count() > 0; },
                 {},
                 0,
                 false});
  actions_->Add({"StakeAddSelected",
                 "Сделать ставки для выделенных комбинаций",
                 "Добавить выделенные комбинации в список ввода",
                 "Alt+F4",
                 cat,
                 [this, addMany] {
                   std::vector<TComb> combs;
                   for (int r : combs_->SelectedRows()) combs.push_back(ws_.Combs().At(r));
                   addMany(combs);
                   combs_->List()->clearSelection();
                 },
                 [this, open] { return open() && combs_->FirstSelectedRow() >= 0; },
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add({"StakeAddAll",
                 "Сделать ставки для всех комбинаций",
                 "Добавить все существующие комбинации в список ввода",
                 "Ctrl+Alt+F4",
                 cat,
                 [this, addMany] { addMany(ws_.Combs().ToArray()); },
                 [this, open] { return open() && ws_.Combs().Count() > 0; },
                 {},
                 0,
                 false});
  actions_->Add({"StakeDel",
                 "Удалить ставку",
                 "Удалить выделенные ставки из списка ставок",
                 "Ctrl+Del",
                 cat,
                 [this] {
                   const auto [first, last] = stakes_->SelectedRange();
                   if (ws_.DeleteStakeRows(first, last)) stakes_->Grid()->clearSelection();
                 },
                 [this, notEmpty] { return notEmpty() && stakes_->SelectedRange().first >= 1; },
                 {},
                 0,
                 false,
                 stakes_});
  actions_->Add({"StakeFilter",
                 "Удалить по условию",
                 "Удалить ставки с заданным количеством совпадений из списка ставок",
                 "Alt+D",
                 cat,
                 [this] {
                   ConditionDialog dlg(this);
                   if (dlg.exec() == QDialog::Accepted)
                     ws_.DeleteStakesByCondition(dlg.Relation(), dlg.Value());
                 },
                 notEmpty,
                 {},
                 0,
                 false});
  actions_->Add({"StakeClear",
                 "Удалить все ставки",
                 "Очистить список ставок",
                 "Ctrl+Shift+Del",
                 cat,
                 [this] { ws_.ClearStakes(); },
                 notEmpty,
                 {},
                 0,
                 false});
  actions_->Add({"StakesCheckManual",
                 "Проверить ставки",
                 "Выполнить проверку ставок по архиву тиражей",
                 "Ctrl+F5",
                 cat,
                 [this] {
                   ws_.StakesCheckAndRefresh();
                   ws_.StakesGridUpdate(true, false);
                 },
                 notEmpty,
                 {},
                 0,
                 false});
  actions_->Add({"LogStakes",
                 "Журналы ставок",
                 "Создавать текстовые файлы журналов ставок",
                 "",
                 cat,
                 [this] {
                   ws_.View().stakesLogEnabled = !ws_.View().stakesLogEnabled;
                   ws_.WriteView("StakesLogEnabled");
                 },
                 {},
                 [this] { return ws_.View().stakesLogEnabled; },
                 0,
                 false});
  actions_->Add({"LogStakesDelete",
                 "Удалить журналы ставок",
                 "Удалить имеющиеся файлы журналов ставок",
                 "",
                 cat,
                 [this] { ws_.DeleteStakeLogs(); },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"StakesScroll",
                 "Прокручивать список при добавлении",
                 "Прокручивать список ставок при добавлении новой ставки",
                 "",
                 cat,
                 [this] {
                   ws_.View().stakesScrollEnabled = !ws_.View().stakesScrollEnabled;
                   ws_.WriteView("StakesScrollEnabled");
                 },
                 {},
                 [this] { return ws_.View().stakesScrollEnabled; },
                 0,
                 false});
  actions_->Add({"StakesCheckLine",
                 "Проверять ставки после каждой строки сценария",
                 "Проверять ставки после каждой строки сценария",
                 "",
                 cat,
                 [this] {
                   ws_.View().stakesCheckOnLine = !ws_.View().stakesCheckOnLine;
                   ws_.WriteView("StakesCheckOnLine");
                 },
                 {},
                 [this] { return ws_.View().stakesCheckOnLine; },
                 0,
                 false});
  // The spreadsheet export is not offered yet.
  actions_->Add({"StakesXlsExport",
                 "Экспорт ставок в Microsoft Excel",
                 "Экспорт ставок в Microsoft Excel",
                 "",
                 cat,
                 {},
                 [] { return false; },
                 {},
                 0,
                 false});
  auto tool = [this](const char* name, const char* caption) {
    QAction* a = actions_->Get(name);
    auto* b = new QToolButton(stakes_->Tools());
    b->setDefaultAction(a);
    if (caption != nullptr) b->setText(QString::fromUtf8(caption));
    connect(a, &QAction::changed, b, [b, caption] {
      if (caption != nullptr) b->setText(QString::fromUtf8(caption));
    });
    stakes_->Tools()->addWidget(b);
  };
  tool("StakeAdd", nullptr);
  tool("StakeAddRandom", "Случайная ставка");
  tool("StakeClear", nullptr);
  tool("StakeFilter", nullptr);
  tool("StakesXlsExport", "Экспорт в Excel");
  for (const char* name :
       {"StakeAdd", "StakeAddRandom", "StakeDel", "StakeFilter", "StakeClear", "StakesCheckManual"})
    stakes_->Grid()->addAction(actions_->Get(name));
  connect(stakes_->Grid()->selectionModel(), &QItemSelectionModel::selectionChanged, actions_,
          &ActionTable::UpdateAll);
  connect(combs_, &CombsPage::rowActivated, this, [this](int row) {
    if (!ws_.Stakes().IsOpen() || row < 0 || row >= ws_.Combs().Count()) return;
    combs_->List()->selectRow(row);
    actions_->Trigger("StakeAdd");
  });
}

void MainWindow::ScriptLock(bool running) {
  locked_ = running;
  leftPages_->setEnabled(!running);
  mainPages_->widget(PgStat)->setEnabled(!running);
  actions_->UpdateAll();
}

void MainWindow::AfterRun() {
  if (!ws_.lastScriptLog.empty()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(ws_.lastScriptLog.string())));
    ws_.lastScriptLog.clear();
  }
  if (closeAfterRun_) QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::RegisterScriptActions() {
  const char* cat = "Сценарий";
  const QString lsc = QStringLiteral("Файлы сценариев (*.lsc)");
  auto hasRows = [this] { return !ws_.ScriptLines().empty(); };
  auto selectedLine = [this] {
    const int row = script_->FirstSelectedRow();
    return row >= 0 && !IsSeparatorLine(ws_.ScriptLines()[static_cast<size_t>(row)]);
  };
  auto exclude = [this] { return combs_->ExcludeEditor()->value(); };
  auto runnable = [this, hasRows] { return hasRows() && !ws_.Archive().Empty(); };
  actions_->Add({"ScriptOpen",
                 "Открыть",
                 "Загрузить сценарий из файла",
                 "Ctrl+J",
                 cat,
                 [this, lsc] {
                   const QString file = ChooseFile(false, QString(), lsc, QStringLiteral("lsc"));
                   if (file.isEmpty()) return;
                   ws_.ScriptLoadFile(S(file), false);
                   ws_.ScriptAutoSave();
                 },
                 {},
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptSave",
                 "Сохранить",
                 "Сохранить сценарий в файле",
                 "Ctrl+I",
                 cat,
                 [this, lsc] {
                   const QString file = ChooseFile(true, QString(), lsc, QStringLiteral("lsc"));
                   if (!file.isEmpty()) ws_.ScriptSaveFile(S(file));
                 },
                 hasRows,
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptAdd",
                 "Добавить фильтры",
                 "Добавить новую команду в сценарий",
                 "Ctrl+Ins",
                 cat,
                 [this, exclude] {
                   ScriptLineDialog dlg(this, ws_, QString::fromUtf8(texts::NewLineTitle),
                                        exclude(), "");
                   if (dlg.exec() == QDialog::Accepted)
                     script_->SelectOnly(ws_.ScriptAddLine(dlg.Result()));
                 },
                 {},
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptEmpty",
                 "Добавить разделитель",
                 "Добавить разделитель в сценарий",
                 "Ctrl+Alt+Ins",
                 cat,
                 [this] { script_->SelectOnly(ws_.ScriptAddLine("")); },
                 hasRows,
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptLoad",
                 "Добавить сценарий",
                 "Добавить выбранный сценарий из файла в текущий сценарий",
                 "",
                 cat,
                 [this, lsc] {
                   const QString file = ChooseFile(false, QString(), lsc, QStringLiteral("lsc"));
                   if (file.isEmpty()) return;
                   ws_.ScriptLoadFile(S(file), true);
                   ws_.ScriptAutoSave();
                 },
                 {},
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptClone",
                 "Клонировать",
                 "Добавить новую команду в сценарий и скопировать в нее данные из выделенной",
                 "Ctrl+K",
                 cat,
                 [this, exclude] {
                   const int row = script_->FirstSelectedRow();
                   ScriptLineDialog dlg(this, ws_, QString::fromUtf8(texts::NewLineTitle),
                                        exclude(), ws_.ScriptGetLine(row));
                   if (dlg.exec() == QDialog::Accepted)
                     script_->SelectOnly(ws_.ScriptAddLine(dlg.Result()));
                 },
                 selectedLine,
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptEdit",
                 "Изменить",
                 "Редактировать выделенную команду",
                 "Ctrl+Return",
                 cat,
                 [this, exclude] {
                   const int row = script_->FirstSelectedRow();
                   ScriptLineDialog dlg(this, ws_, QString::fromUtf8(texts::EditLineTitle),
                                        exclude(), ws_.ScriptGetLine(row));
                   if (dlg.exec() == QDialog::Accepted) ws_.ScriptSetLine(row, dlg.Result());
                 },
                 selectedLine,
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptDel",
                 "Удалить",
                 "Удалить выделенные строки",
                 "Ctrl+Del",
                 cat,
                 [this] {
                   const auto rows = script_->SelectedRows();
                   const std::string q = rows.size() == 1 ? std::string(texts::AskDeleteOne)
                                                          : Format(texts::AskDeleteMany,
                                                                   static_cast<int>(rows.size()));
                   if (!host_.askWarning(q, false)) return;
                   script_->View()->clearSelection();
                   ws_.ScriptDeleteLines(rows);
                 },
                 [this] { return script_->FirstSelectedRow() >= 0; },
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptClr",
                 "Удалить все",
                 "Удалить весь сценарий",
                 "",
                 cat,
                 [this] {
                   const int n = static_cast<int>(ws_.ScriptLines().size());
                   const std::string q =
                       n == 1 ? std::string(texts::AskDeleteOne) : Format(texts::AskDeleteMany, n);
                   if (!host_.askWarning(q, false)) return;
                   script_->View()->clearSelection();
                   ws_.ScriptClear();
                 },
                 hasRows,
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptUp",
                 "Переместить вверх",
                 "Переместить выделенную строку вверх",
                 "Ctrl+Up",
                 cat,
                 [this] {
                   const int row = script_->FirstSelectedRow();
                   ws_.ScriptSwap(row, row - 1);
                   script_->SelectOnly(row - 1);
                 },
                 [this] { return script_->FirstSelectedRow() > 0; },
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptDown",
                 "Переместить вниз",
                 "Переместить выделенную строку вниз",
                 "Ctrl+Down",
                 cat,
                 [this] {
                   const int row = script_->FirstSelectedRow();
                   ws_.ScriptSwap(row, row + 1);
                   script_->SelectOnly(row + 1);
                 },
                 [this] {
                   const int row = script_->FirstSelectedRow();
                   return row >= 0 && row + 1 < static_cast<int>(ws_.ScriptLines().size());
                 },
                 {},
                 0,
                 false,
                 script_});
  actions_->Add({"ScriptRun",
                 "Прогноз",
                 "Выполнить сценарий для текущего тиража и смещения",
                 "F10",
                 cat,
                 [this] {
                   ws_.ScriptRun();
                   AfterRun();
                 },
                 runnable,
                 {},
                 0,
                 false});
  actions_->Add({"ScriptTest",
                 "Тест",
                 "Тестирование сценария на основе результатов предыдуших тиражей",
                 "Ctrl+F10",
                 cat,
                 [this] {
                   TestCountDialog dlg(this, ws_.Archive().Count() - 1);
                   if (dlg.exec() != QDialog::Accepted) return;
                   ws_.ScriptTest(dlg.Count());
                   AfterRun();
                 },
                 // A test needs two draws: one to predict and one before it.
                 [this, hasRows] { return hasRows() && ws_.Archive().Count() >= 2; },
                 {},
                 0,
                 false});
  actions_->Add({"ScriptStop",
                 "Стоп",
                 "Остановить выполнение сценария",
                 "Ctrl+X",
                 cat,
                 [this] {
                   if (host_.ask(texts::AskStopScript, false)) ws_.ScriptStop();
                 },
                 [this] { return ws_.Script().running && !ws_.Script().stopped; },
                 {},
                 0,
                 true});
  actions_->Add({"LogToggle", "Журнал выполнения сценария",
                 "Создание подробного журнала выполнения сценария для анализа его работы", "", cat,
                 [this] {
                   ws_.View().scriptLogEnabled = !ws_.View().scriptLogEnabled;
                   ws_.WriteView("ScriptLogEnabled");
                 },
                 [this] { return !ws_.Script().running; },
                 [this] { return ws_.View().scriptLogEnabled; }, 0, false});
  actions_->Add({"LogsDelete",
                 "Удалить журналы выполнения сценариев",
                 "Удалить файлы журналов выполнения сценария",
                 "",
                 cat,
                 [this] {
                   if (ws_.RunLog().CountFiles() == 0) {
                     host_.showMessage(MessageKind::Information, texts::NoScriptLogs);
                     return;
                   }
                   std::pair<int, int> r;
                   {
                     BusyScope busy(ws_.Busy(), texts::SearchingLogs);
                     r = ws_.RunLog().DeleteAll();
                   }
                   host_.showMessage(
                       r.second == 0 ? MessageKind::Information : MessageKind::Warning,
                       r.second == 0 ? Format(texts::LogsDeleted, r.first)
                                     : Format(texts::LogsNotDeleted, r.first, r.second));
                 },
                 [this] { return !ws_.Script().running; },
                 {},
                 0,
                 false});
  // The run buttons first, so that "Стоп" never hides behind the tool bar's edge.
  for (const char* name :
       {"ScriptRun", "ScriptTest", "ScriptStop", "", "ScriptOpen", "ScriptSave", "", "ScriptAdd",
        "ScriptEmpty", "ScriptClone", "ScriptEdit", "ScriptDel", "ScriptUp", "ScriptDown"}) {
    if (*name == '\0')
      script_->Tools()->addSeparator();
    else
      script_->Tools()->addAction(actions_->Get(name));
  }
  for (const char* name : {"ScriptOpen",
                           "ScriptSave",
                           "",
                           "ScriptAdd",
                           "ScriptEmpty",
                           "ScriptLoad",
                           "ScriptClone",
                           "ScriptEdit",
                           "ScriptDel",
                           "ScriptClr",
                           "",
                           "ScriptUp",
                           "ScriptDown",
                           "",
                           "ScriptRun",
                           "ScriptTest",
                           "ScriptStop",
                           "",
                           "LogToggle",
                           "LogsDelete",
                           "StakesCheckLine"}) {
    if (*name == '\0') {
      auto* sep = new QAction(script_->View());
      sep->setSeparator(true);
      script_->View()->addAction(sep);
    } else {
      script_->View()->addAction(actions_->Get(name));
    }
  }
  connect(script_->View()->selectionModel(), &QItemSelectionModel::selectionChanged, actions_,
          &ActionTable::UpdateAll);
  connect(script_, &ScriptPage::rowActivated, this, [this] { actions_->Trigger("ScriptEdit"); });
}

void MainWindow::RegisterCombsActions() {
  const char* cat = "Комбинации";
  auto selected = [this] { return combs_->FirstSelectedRow() >= 0; };
  actions_->Add({"CombsGen",
                 "Генерировать",
                 "Перегенерировать список комбинаций",
                 "F2",
                 cat,
                 [this] {
                   GenDialog dlg(this, ws_.DefaultGenParams());
                   if (dlg.exec() == QDialog::Accepted)
                     ws_.CombsGen(dlg.Result(), dlg.SaveAsDefault());
                 },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"CombsSelectAll",
                 "Выделить все",
                 "Выделить все комбинации",
                 "Ctrl+A",
                 cat,
                 [this] {
                   BusyScope busy(ws_.Busy(), texts::PleaseWait);
                   combs_->List()->selectAll();
                 },
                 [this] { return ws_.Combs().Count() > 0; },
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add({"CombsDelSelected",
                 "Удалить выделенные",
                 "Удалить выделенные комбинации из списка",
                 "Ctrl+Del",
                 cat,
                 [this] {
                   const auto rows = combs_->SelectedRows();
                   combs_->List()->clearSelection();
                   ws_.CombsDeleteRows(rows);
                 },
                 [this, selected] { return ws_.Combs().Count() > 0 && selected(); },
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add({"CombsFindInDraws",
                 "Проверить по архиву тиражей",
                 "Проверка комбинации по списку тиражей",
                 "Ctrl+F",
                 cat,
                 [this] { ws_.CombsFindInDraws(ws_.Combs().At(combs_->FirstSelectedRow())); },
                 selected,
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add(
      {"CombsInfo",
       "Сведения о комбинации",
       "Просмотр подробных сведений о комбинации",
       "",
       cat,
       [this] { DrawInfoDialog(this, ws_, ws_.Combs().At(combs_->FirstSelectedRow())).exec(); },
       selected,
       {},
       0,
       false});
  const QString lcv = QStringLiteral("Файлы комбинаций (*.lcv)");
  actions_->Add({"CombsOpen",
                 "Открыть",
                 "Загрузить список комбинаций из файла",
                 "Ctrl+O",
                 cat,
                 [this, lcv] {
                   const QString file = ChooseFile(false, QString(), lcv, QStringLiteral("lcv"));
                   if (!file.isEmpty()) ws_.CombsOpen(S(file));
                 },
                 {},
                 {},
                 0,
                 false});
  actions_->Add({"CombsSave",
                 "Сохранить",
                 "Сохранить список комбинаций в файле",
                 "Ctrl+S",
                 cat,
                 [this, lcv] {
                   const QString file = ChooseFile(true, QString(), lcv, QStringLiteral("lcv"));
                   if (!file.isEmpty()) ws_.CombsSave(S(file));
                 },
                 [this] { return ws_.Combs().Count() > 0; },
                 {},
                 0,
                 false});
  actions_->Add({"CombsCopy",
                 "Копировать в буфер",
                 "Копировать выделенные комбинации в буфер обмена",
                 "Ctrl+C",
                 cat,
                 [this] {
                   std::string text;
                   {
                     BusyScope busy(ws_.Busy(), texts::PleaseWait);
                     text = ws_.CombsCopyText(combs_->SelectedRows());
                   }
                   QGuiApplication::clipboard()->setText(Q(text));
                 },
                 [this] { return ws_.Combs().Count() > 0; },
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add({"CombsPaste",
                 "Вставить из буфера",
                 "Вставить комбинации из буфера обмена",
                 "Ctrl+V",
                 cat,
                 [this] {
                   combs_->List()->clearSelection();
                   ws_.CombsPaste(S(QGuiApplication::clipboard()->text()));
                 },
                 [] {
                   return QGuiApplication::clipboard()->mimeData() != nullptr &&
                          QGuiApplication::clipboard()->mimeData()->hasText();
                 },
                 {},
                 0,
                 false,
                 combs_});
  actions_->Add({"CombsUndo",
                 "Отменить",
                 "Отменить последнее действие",
                 "Ctrl+Z",
                 cat,
                 [this] {
                   combs_->List()->clearSelection();
                   ws_.CombsUndo();
                 },
                 [this] { return ws_.Combs().CanUndo(); },
                 {},
                 0,
                 false});
  actions_->Add({"CombsDelExists",
                 "Исключить тиражи",
                 "Удалить N последних тиражей из списка комбинаций",
                 "Ctrl+E",
                 cat,
                 [this] {
                   combs_->List()->clearSelection();
                   ws_.CombsDelExists(combs_->ExcludeEditor()->value());
                 },
                 [this] {
                   return ws_.Combs().Count() > 0 && !ws_.Archive().Empty() &&
                          combs_->ExcludeEditor()->value() > 0;
                 },
                 {},
                 0,
                 false});
  actions_->Add({"CombsCheckNums",
                 "Количество уникальных номеров",
                 "Подсчет количества уникальных номеров, которые содержатся в текущем списке "
                 "комбинаций",
                 "",
                 cat,
                 [this] { ws_.CombsCheckNums(); },
                 {},
                 {},
                 0,
                 false});
  QAction* exclude = actions_->Get("CombsDelExists");
  combs_->ExcludeButton()->setText(QStringLiteral("[-] Тиражи"));
  combs_->ExcludeButton()->setToolTip(exclude->toolTip());
  connect(exclude, &QAction::changed, combs_->ExcludeButton(),
          [this, exclude] { combs_->ExcludeButton()->setEnabled(exclude->isEnabled()); });
  connect(combs_->ExcludeButton(), &QToolButton::clicked, exclude, &QAction::trigger);
  connect(combs_, &CombsPage::excludeRequested, this,
          [this] { actions_->Trigger("CombsDelExists"); });
  const struct {
    const char* action;
    const char* theme;
    QStyle::StandardPixmap fallback;
  } tools[] = {{"CombsGen", "document-new", QStyle::SP_FileIcon},
               {"CombsOpen", "document-open", QStyle::SP_DialogOpenButton},
               {"CombsSave", "document-save", QStyle::SP_DialogSaveButton},
               {"CombsUndo", "edit-undo", QStyle::SP_ArrowBack},
               {"CombsCopy", "edit-copy", QStyle::SP_FileDialogDetailedView},
               {"CombsPaste", "edit-paste", QStyle::SP_FileDialogContentsView}};
  for (const auto& t : tools) {
    QAction* a = actions_->Get(t.action);
    a->setIcon(QIcon::fromTheme(QString::fromLatin1(t.theme), style()->standardIcon(t.fallback)));
    combs_->Tools()->addAction(a);
  }
}

// Start-up ----------------------------------------------------------------------------------

bool MainWindow::Create() {
  return RunWindowCreation(ws_, args_, *this) == StartupResult::Continue;
}

bool MainWindow::Initialise() {
  const bool go_on = RunInitialisation(ws_, args_, *this) == StartupResult::Continue;
  running_ = go_on && ws_.DataFilesOpen();
  actions_->UpdateAll();
  return go_on;
}

void MainWindow::ApplyLanguage(int /*language*/) {
  // The interface is built in Russian; it is the one language offered.
  languageMenu_->clear();
  QAction* russian = languageMenu_->addAction(QStringLiteral("Русский"));
  russian->setCheckable(true);
  russian->setChecked(true);
}

QString MainWindow::HelpFile() const {
  const QString name = QStringLiteral("Velmora_RUS.chm");
  const QString dir = Q(ExecutableDir().string());
  const QString candidates[] = {dir + "/" + name, dir + "/help/" + name, dir + "/../help/" + name};
  for (const QString& c : candidates)
    if (QFileInfo::exists(c)) return c;
  return candidates[2];
}

void MainWindow::RestoreWindowState() {
  const ViewSettings& v = ws_.View();
  mainPages_->setTabVisible(PgGraphs, v.tabGraphs);
  mainPages_->setTabVisible(PgCard, v.tabCard);
  mainPages_->setTabVisible(PgLayout, v.tabLayout);
  mainPages_->setTabVisible(PgWeek, v.tabWeek);
  mainPages_->setTabVisible(PgTables, v.tabTables);

  const QRect screen = QApplication::primaryScreen() != nullptr
                           ? QApplication::primaryScreen()->geometry()
                           : QRect(0, 0, 1280, 1024);
  if (auto p = ReadPlacement(ws_.Frm(), MainFormSection, screen.width(), screen.height())) {
    if (p->pixelsPerInch == logicalDpiY()) {
      const Rect& r = p->normPos;
      if (r.right > r.left && r.bottom > r.top)
        setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (p->showCmd == 3) setWindowState(windowState() | Qt::WindowMaximized);
    }
  }
  if (v.leftPanelWidth > 0) {
    const int total = std::max(splitter_->width(), v.leftPanelWidth + 200);
    splitter_->setSizes({v.leftPanelWidth, total - v.leftPanelWidth});
  }
  RestoreList(archive_->List(), "lvDraws", ArchiveColumnCount);
  RestoreList(combs_->List(), "lvCombs", 5);
  RestoreList(stat_->Table(), "lvDrawsStat", StatColumnCount);
  RestoreList(stakes_->Grid(), "sgStakes", 9);
  RestoreList(script_->View(), "lvScript", 9);
  const ListState st = ReadListState(ws_.Frm(), MainFormSection, "lvDrawsStat", 0);
  if (st.sort) ws_.Stats().SetSort(st.sort->first, st.sort->second != 0);
  if (v.drawsStatHeight > 0) {
    const int total = std::max(stat_->Splitter()->height(), v.drawsStatHeight + 100);
    stat_->Splitter()->setSizes({total - v.drawsStatHeight, v.drawsStatHeight});
  }
  if (v.filtersHeight > 0) {
    const int total = std::max(combs_->Splitter()->height(), v.filtersHeight + 100);
    combs_->Splitter()->setSizes({total - v.filtersHeight, v.filtersHeight});
  }
}

void MainWindow::RestoreList(QTableView* list, const char* name, int columns) {
  const ListState st = ReadListState(ws_.Frm(), MainFormSection, name, columns);
  for (int c = 0; c < columns; ++c)
    if (st.columnWidths[static_cast<size_t>(c)] > 0)
      list->setColumnWidth(c, st.columnWidths[static_cast<size_t>(c)]);
}

void MainWindow::StoreList(QTableView* list, const char* name, int columns) {
  ListState st;
  for (int c = 0; c < columns; ++c)
    st.columnWidths.push_back(list->isColumnHidden(c) ? -1 : list->columnWidth(c));
  WriteListState(ws_.Frm(), MainFormSection, name, st);
}

void MainWindow::StoreWindowState() {
  const QRect screen = QApplication::primaryScreen() != nullptr
                           ? QApplication::primaryScreen()->geometry()
                           : QRect(0, 0, 1280, 1024);
  WindowPlacement p;
  p.showCmd = isMaximized() ? 3 : 1;
  p.pixelsPerInch = logicalDpiY();
  const QRect g = isMaximized() ? normalGeometry() : geometry();
  p.normPos = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  p.minMaxPos = {-1, -1, -1, -1};
  WritePlacement(ws_.Frm(), MainFormSection, p, screen.width(), screen.height());
  ws_.View().leftPanelWidth = splitter_->sizes().value(0);
  ws_.View().drawsStatHeight = stat_->Splitter()->sizes().value(1);
  ws_.View().filtersHeight = combs_->Splitter()->sizes().value(1);
  ws_.View().drawsStatLen = ws_.StatDepth();
  StoreList(archive_->List(), "lvDraws", ArchiveColumnCount);
  StoreList(combs_->List(), "lvCombs", 5);
  StoreList(stat_->Table(), "lvDrawsStat", StatColumnCount);
  StoreList(stakes_->Grid(), "sgStakes", 9);
  StoreList(script_->View(), "lvScript", 9);
  ListState sort;
  sort.sort = std::make_pair(ws_.Stats().SortColumn(), ws_.Stats().Descending() ? 1 : 0);
  WriteListState(ws_.Frm(), MainFormSection, "lvDrawsStat", sort);
}

void MainWindow::SetCaption(const std::string& caption) {
  setWindowTitle(Q(caption));
  QApplication::setApplicationDisplayName(QString());
}

void MainWindow::ShowFirstRunDialog() {
  FirstRunDialog dlg(this, HelpFile());
  dlg.exec();
  if (dlg.DontShowAgain()) {
    ws_.View().firstRun = false;
    ws_.WriteView("FirstRun");
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A running scenario is stopped first; the window closes once the run has unwound.
  if (ws_.Script().running) {
    ws_.ScriptStop();
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  if (running_ && !shutDown_) {
    shutDown_ = true;
    RunShutdown(ws_, *this);
  }
  event->accept();
}

void MainWindow::OnStateChanged(unsigned aspects) {
  if (aspects & (ChangeArchive | ChangeOffset | ChangeSettings)) archive_->Refresh(false);
  if (aspects & ChangeRegistry) stat_->FillMethods();
  if (aspects & ChangeStats) stat_->ShowTable();
  if (aspects & (ChangeCombs | ChangeSettings)) combs_->Refresh(false);
  if (aspects & ChangeStakes) stakes_->Refresh();
  if (aspects & ChangeScript) {
    script_->Refresh();
    if (ws_.Script().running != locked_) ScriptLock(ws_.Script().running);
  }
  actions_->UpdateAll();
}

QString MainWindow::ChooseFile(bool save, const QString& suggested, const QString& filter,
                               const QString& suffix) {
  if (fileChooser_) return fileChooser_(save, suggested);
  QFileDialog dlg(this, QString(), suggested, filter);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setDefaultSuffix(suffix);
  return dlg.exec() == QDialog::Accepted ? dlg.selectedFiles().value(0) : QString();
}

// Archive actions ---------------------------------------------------------------------------

void MainWindow::DrawsAddExecute() {
  DrawDialog dlg(this, host_, U(texts::DrawDialogCaption), NewDrawProposal(ws_.Archive()), true);
  if (dlg.exec() != QDialog::Accepted) return;
  ws_.AddDraw(dlg.Result());
}

void MainWindow::DrawsEditExecute() {
  const int row = archive_->FocusedRow();
  if (row < 0) return;
  DrawDialog dlg(this, host_, U(texts::DrawDialogCaption), ws_.Archive().AtList(row), true);
  if (dlg.exec() != QDialog::Accepted) return;
  ws_.EditDraw(row, dlg.Result());
}

void MainWindow::DrawsDelExecute() {
  if (ws_.DeleteDraws(archive_->SelectedRows())) archive_->List()->clearSelection();
}

void MainWindow::DrawsImportExecute() {
  const QString file =
      ChooseFile(false, QString(), QStringLiteral("Файлы тиражей (*.csv)"), QStringLiteral("csv"));
  if (file.isEmpty()) return;
  ws_.ImportCsv(S(file));
}

void MainWindow::DrawsExportExecute() {
  const QString file =
      ChooseFile(true, QString(), QStringLiteral("Файлы тиражей (*.csv)"), QStringLiteral("csv"));
  if (file.isEmpty()) return;
  ws_.ExportCsv(S(file));
}

void MainWindow::DrawsInfoExecute() {
  const int row = archive_->FocusedRow();
  if (row < 0) return;
  DrawInfoDialog(this, ws_, row).exec();
}

void MainWindow::EditConfigExecute() {
  SettingsDialog dlg(this, host_, ws_.Config());
  if (dlg.exec() != QDialog::Accepted) return;
  ws_.ApplyGameSettings(dlg.Result());
  archive_->Refresh(true);
}

}  // namespace korvane::ui
