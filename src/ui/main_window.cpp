#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/workspace.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "filters/texts.h"
#include "stakes/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/archive_page.h"
#include "ui/catalogue_panel.h"
#include "ui/combs_page.h"
#include "ui/download_window.h"
#include "ui/first_run_dialog.h"
#include "ui/menu_layout.h"
#include "ui/qt_host.h"
#include "ui/ratings_page.h"
#include "ui/script_page.h"
#include "ui/stakes_page.h"
#include "ui/stat_page.h"
#include "ui/status_labels.h"
#include "ui/systems_page.h"
#include "ui/tables_page.h"
#include "ui/ui_texts.h"
#include "ui/update_dialog.h"
#include "ui/views_pages.h"
#include "ui/zoom_chart_view.h"

namespace korvane::ui {

MainWindow::MainWindow(Workspace& ws, QtHost& host, CommandLine args)
    : ws_(ws), host_(host), args_(std::move(args)), ctx_{ws, host} {
  setObjectName(QStringLiteral("TFormMain"));
  setWindowTitle(Q(MainCaption(false)));
  host_.setDialogParent(this);
  actions_ = new ActionTable(this, [this] { return ws_.IsBusy(); });
  ctx_.window = this;
  ctx_.actions = actions_;
  ctx_.chooseFile = [this](bool save, const QString& filter, const QString& suffix) {
    return ChooseFile(save, filter, suffix);
  };
  ctx_.pageVisible = [this](const char* name) {
    return mainPages_->isTabVisible(MainPageIndex(name));
  };
  ctx_.showPage = [this](const char* name, bool visible) {
    mainPages_->setTabVisible(MainPageIndex(name), visible);
  };
  ctx_.afterRun = [this] { AfterRun(); };
  ctx_.restart = [this] { Restart(); };
  ctx_.activatePage = [this](const char* name) {
    mainPages_->setCurrentIndex(MainPageIndex(name));
  };
  BuildLayout();
  BuildStatusBar();
  BindAllActions(*actions_, ctx_);
  BuildMenus();
  actions_->ResolveSharedShortcuts();
  actions_->UpdateAll();
  // Ctrl+Tab and Ctrl+Shift+Tab go through the shown main pages wherever the focus is (the
  // tables would keep the keys otherwise).
  const std::pair<QKeySequence, int> steps[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
  for (const auto& [key, step] : steps) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepPage(step); });
  }

  connect(&host_, &QtHost::stateChanged, this, &MainWindow::OnStateChanged);
  connect(&host_, &QtHost::busyStateChanged, actions_, &ActionTable::UpdateAll);
  connect(actions_, &ActionTable::hintShown, this,
          [this](const QString& hint) { ws_.ShowHint(S(hint)); });
  connect(actions_, &ActionTable::actionFailed, this,
          [this](const QString& text) { host_.showMessage(MessageKind::Error, S(text)); });
}

MainWindow::~MainWindow() = default;

template <class P>
P* MainWindow::AddPage(Side side, P* page) {
  (side == Side::Left ? leftPages_ : mainPages_)->addTab(page, page->Title());
  pages_.push_back(page);
  return page;
}

void MainWindow::BuildLayout() {
  splitter_ = new QSplitter(Qt::Horizontal, this);
  leftPages_ = new QTabWidget(splitter_);
  leftPages_->setObjectName(QStringLiteral("pcLeft"));
  mainPages_ = new QTabWidget(splitter_);
  mainPages_->setObjectName(QStringLiteral("pcMain"));

  ctx_.archive = AddPage(Side::Left, new ArchivePage(ws_));
  ctx_.combs = AddPage(Side::Left, new CombsPage(ws_));
  ctx_.stat = AddPage(Side::Main, new StatPage(ws_));
  ctx_.graphs = AddPage(Side::Main, new GraphsPage(ws_));
  ctx_.card = AddPage(Side::Main, new CardPage(ws_));
  ctx_.layout = AddPage(Side::Main, new LayoutPage(ws_));
  ctx_.week = AddPage(Side::Main, new WeekPage(ws_));
  ctx_.stakes = AddPage(Side::Main, new StakesPage(ws_));
  ctx_.ratings = AddPage(Side::Main, new RatingsPage(ws_));
  ctx_.tables = AddPage(Side::Main, new TablesPage(ws_));
  ctx_.systems = AddPage(Side::Main, new SystemsPage(ws_));
  ctx_.script = AddPage(Side::Main, new ScriptPage(ws_));
  mainPages_->setTabVisible(MainPageIndex("tsSystems"), false);  // the systems tab starts hidden

  splitter_->addWidget(leftPages_);
  splitter_->addWidget(mainPages_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  setCentralWidget(splitter_);
  resize(1280, 800);
}

int MainWindow::MainPageIndex(const char* name) const {
  for (int i = 0; i < mainPages_->count(); ++i)
    if (mainPages_->widget(i)->objectName() == QLatin1String(name)) return i;
  return -1;
}

void MainWindow::BuildStatusBar() {
  // The number panels keep their width; only the status text elides.
  const QString widest[] = {Q(Format(texts::PanelArchive, 99999)),
                            Q(Format(texts::PanelNextDraw, 99999)),
                            QStringLiteral("9 9 9"),
                            Q(Format(texts::PanelCombs, 1000)),
                            Q(Format(texts::PanelStakes, 99999)),
                            Q(Format("Рейтинг: %d", 9999))};
  for (size_t i = 0; i + 1 < panels_.size(); ++i) {
    auto* label = new NumberLabel(widest[i], this);
    panels_[i] = label;
    statusBar()->addWidget(label);
  }
  panels_.back() = new ElidedLabel(this);
  statusBar()->addWidget(panels_.back(), 1);
  for (size_t i = 0; i < panels_.size(); ++i)
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
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
  auto setPanel = [this](int panel, const QString& text) {
    if (panel < 0 || panel >= StatusPanelCount) return;
    if (panel + 1 < StatusPanelCount)
      static_cast<NumberLabel*>(panels_[static_cast<size_t>(panel)])->setText(text);
    else
      panels_.back()->setText(text);
  };
  for (int i = 0; i < StatusPanelCount; ++i) setPanel(i, Q(ws_.Panel(static_cast<StatusPanel>(i))));
  connect(&host_, &QtHost::panelTextChanged, this, [setPanel](int panel, const QString& text) {
    if (panel != static_cast<int>(StatusPanel::Text)) setPanel(panel, text);
  });
  connect(&host_, &QtHost::statusChanged, this, [this](const QString& text) {
    panels_.back()->setText(text);
    panels_.back()->repaint();
  });
}

QMenu* MainWindow::Menu(const char* caption) const {
  for (QAction* a : menuBar()->actions())
    if (a->menu() != nullptr && a->text() == QString::fromUtf8(caption)) return a->menu();
  return nullptr;
}

void MainWindow::StepPage(int step) {
  const int count = mainPages_->count();
  int at = mainPages_->currentIndex();
  for (int tried = 0; tried < count; ++tried) {
    at = (at + step + count) % count;
    if (mainPages_->isTabVisible(at)) {
      mainPages_->setCurrentIndex(at);
      return;
    }
  }
}

void MainWindow::BuildMenus() {
  MenuTargets targets;
  targets.menuBar = menuBar();
  QWidget* lists[] = {ctx_.archive->List(), ctx_.combs->List(),
                      ctx_.stat->Table(),   ctx_.stakes->Grid(),
                      ctx_.script->View(),  ctx_.ratings->List(),
                      ctx_.tables->List(),  ctx_.graphs->Chart(),
                      ctx_.card->Grid(),    ctx_.layout->Grid(),
                      ctx_.week->Grid(),    ctx_.week->Chart(),
                      ctx_.systems->List(), ctx_.script->Catalogue()->List()};
  for (QWidget* list : lists) targets.lists[S(list->objectName())] = list;
  for (QToolBar* bar :
       {ctx_.combs->Tools(), ctx_.stakes->Tools(), ctx_.script->Tools(), ctx_.ratings->Tools(),
        ctx_.ratings->ChartTools(), ctx_.tables->Tools(), ctx_.card->Tools(), ctx_.layout->Tools(),
        ctx_.layout->CompareTools(), ctx_.week->Tools(), ctx_.systems->Tools(),
        ctx_.script->Catalogue()->Tools()})
    targets.toolBars[S(bar->objectName())] = bar;
  submenus_ = ApplyMenuLayout(DefaultMenuLayout(), *actions_, targets);
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
  QMenu* menu = submenus_.at("Language");
  menu->clear();
  QAction* russian = menu->addAction(QStringLiteral("Русский"));
  russian->setCheckable(true);
  russian->setChecked(true);
}

void MainWindow::RestoreWindowState() {
  const struct {
    const char* page;
    ViewFlag flag;
  } tabs[] = {{"tsGraphs", ViewFlag::TabGraphs},
              {"tsCard", ViewFlag::TabCard},
              {"tsLayout", ViewFlag::TabLayout},
              {"tsWeek", ViewFlag::TabWeek},
              {"tsTables", ViewFlag::TabTables}};
  for (const auto& t : tabs)
    mainPages_->setTabVisible(MainPageIndex(t.page), ws_.Settings().Flag(t.flag));

  const QRect screen = QApplication::primaryScreen() != nullptr
                           ? QApplication::primaryScreen()->geometry()
                           : QRect(0, 0, 1280, 1024);
  if (auto p = ws_.Settings().Placement(screen.width(), screen.height())) {
    if (p->pixelsPerInch == logicalDpiY()) {
      const Rect& r = p->normPos;
      if (r.right > r.left && r.bottom > r.top)
        setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (p->showCmd == 3) setWindowState(windowState() | Qt::WindowMaximized);
    }
  }
  // The left pages keep their width when the window grows; by default wide enough for the
  // captions of the applied-filters list.
  const int left = ws_.View().leftPanelWidth > 0 ? ws_.View().leftPanelWidth : 370;
  const int total = std::max(splitter_->width(), left + 200);
  splitter_->setSizes({left, total - left});
  for (Page* page : pages_) page->RestoreState(ws_);
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
  ws_.StorePlacement(p, screen.width(), screen.height());
  LayoutSizes sizes;
  sizes.leftPanelWidth = splitter_->sizes().value(0);
  for (Page* page : pages_) page->StoreState(ws_, sizes);
  ws_.SetLayoutSizes(sizes);
}

void MainWindow::SetCaption(const std::string& caption) {
  setWindowTitle(Q(caption));
  QApplication::setApplicationDisplayName(QString());
}

void MainWindow::ShowFirstRunDialog() {
  FirstRunDialog dlg(this, ws_.Online().links);
  dlg.exec();
  if (dlg.DontShowAgain()) ws_.FirstRunDone();
}

void MainWindow::DownloadDraws() { RunDrawDownload(ctx_); }

UpdateResult MainWindow::CheckForUpdate(bool silent) { return RunUpdateCheck(ctx_, silent); }

void MainWindow::Restart() {
  // The program file as it was at start (an update has replaced the folder since), with the
  // data folder of this run.
  const OnlineSession& online = ws_.OnlineServices();
  const QString dir = Q(online.ProgramDir().string());
  const QString program = Q((online.ProgramDir() / online.ExeName()).string());
  const QStringList arguments = {QStringLiteral("restart"), QStringLiteral("--data-dir"),
                                 Q(ws_.Files().Dir().string())};
  if (restarter_)
    restarter_(program, arguments, dir);
  else
    QProcess::startDetached(program, arguments, dir);
  // The new instance waits until this one has ended.
  if (running_) QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A running scenario is stopped first; the window closes once the run has unwound.
  if (ws_.Script().running) {
    ws_.ScriptStop();
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  // So is a download on its way: it stops after the range it is fetching.
  if (ctx_.downloading) {
    host_.requestStop();
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
  for (Page* page : pages_)
    if (page->Aspects() & aspects) page->Refresh(aspects);
  if ((aspects & ChangeScript) && ws_.Script().running != locked_) ScriptLock(ws_.Script().running);
  actions_->UpdateAll();
}

void MainWindow::ScriptLock(bool running) {
  locked_ = running;
  leftPages_->setEnabled(!running);
  ctx_.stat->setEnabled(!running);
  actions_->UpdateAll();
}

void MainWindow::AfterRun() {
  const fs::path log = ws_.TakeLastScriptLog();
  if (!log.empty()) QDesktopServices::openUrl(QUrl::fromLocalFile(Q(log.string())));
  if (closeAfterRun_) QTimer::singleShot(0, this, &QWidget::close);
}

QString MainWindow::ChooseFile(bool save, const QString& filter, const QString& suffix) {
  if (fileChooser_) return fileChooser_(save, QString());
  // The dialogs open in the data folder.
  QFileDialog dlg(this, QString(), Q(ws_.Files().Dir().string()), filter);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setDefaultSuffix(suffix);
  return dlg.exec() == QDialog::Accepted ? dlg.selectedFiles().value(0) : QString();
}

}  // namespace korvane::ui
