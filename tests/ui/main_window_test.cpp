// Drives the main window offscreen as a user would: dialogs are answered from timers, message
// boxes and questions go to recording hooks of the host.

#include "ui/main_window.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <set>

#include "app/workspace.h"
#include "core/archive.h"
#include "core/dates.h"
#include "core/demo.h"
#include "core/encoding.h"
#include "core/fileio.h"
#include "core/strutil.h"
#include "online/texts.h"
#include "support/local_server.h"
#include "support/test_support.h"
#include "support/update_support.h"
#include "ui/action_catalog.h"
#include "ui/action_table.h"
#include "ui/analysis_dialogs.h"
#include "ui/archive_page.h"
#include "ui/catalogue_panel.h"
#include "ui/chart_window.h"
#include "ui/combs_page.h"
#include "ui/download_window.h"
#include "ui/draw_dialog.h"
#include "ui/draw_info_dialog.h"
#include "ui/export_dialog.h"
#include "ui/favourites_dialog.h"
#include "ui/filter_dialog.h"
#include "ui/gen_dialog.h"
#include "ui/help_window.h"
#include "ui/menu_layout.h"
#include "ui/method_combo.h"
#include "ui/proxy_dialog.h"
#include "ui/qt_host.h"
#include "ui/ratings_page.h"
#include "ui/regular_dialog.h"
#include "ui/script_dialogs.h"
#include "ui/script_page.h"
#include "ui/settings_dialog.h"
#include "ui/shredding_dialog.h"
#include "ui/stake_dialogs.h"
#include "ui/stakes_page.h"
#include "ui/stat_model.h"
#include "ui/stat_page.h"
#include "ui/systems_page.h"
#include "ui/tables_page.h"
#include "ui/update_dialog.h"
#include "ui/views_pages.h"
#include "ui/zoom_chart_view.h"

using namespace korvane;
using namespace korvane::ui;

namespace {

// One program instance on a data folder.
struct Instance {
  QtHost host;
  std::unique_ptr<Workspace> ws;
  std::unique_ptr<MainWindow> window;
  QStringList messages;
  QStringList questions;
  bool answer = true;

  // Unless `fresh`, a folder without Korvane.frm gets one that does not download at start-up.
  explicit Instance(const QString& dir, bool fresh = false) {
    const fs::path frm = fs::path(dir.toStdString()) / "Korvane.frm";
    if (!fresh && !fs::exists(frm))
      WriteFileAtomic(frm, "[TFormMain]\r\nDownloadDrawsOnStart=2\r\n");
    host.setMessageSink([this](MessageKind, const QString& t) { messages << t; });
    host.setQuestionResponder([this](const QString& q, bool) {
      questions << q;
      return answer;
    });
    ws = std::make_unique<Workspace>(host, fs::path(dir.toStdString()));
    window = std::make_unique<MainWindow>(*ws, host, CommandLine(std::vector<std::string>{}));
  }
  bool Start() {
    if (!window->Create()) return false;
    window->show();
    return window->Initialise();
  }
  QString Panel(int i) const { return window->Panel(i)->text(); }
};

// Runs f on the modal dialog as soon as it is open.
template <typename D>
void OnDialog(std::function<void(D*)> f) {
  QTimer::singleShot(0, [f] {
    auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(d != nullptr);
    f(d);
  });
}

// Runs f on the modal dialog once it opens, also when events are processed before that (a
// request waiting for its reply).
template <typename D>
void WhenDialogOpens(std::function<void(D*)> f) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, f] {
    auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
    if (d == nullptr) return;
    timer->stop();
    timer->deleteLater();
    f(d);
  });
  timer->start(20);
}

void WriteArchive(const QString& dir, int draws) {
  WriteFileAtomic(fs::path(dir.toStdString()) / "Korvane.ldr",
                  DrawArchive::Serialize(MakeDemoDraws(draws, 3)));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startOnEmptyFolder();
  void addDrawThroughTheDialog();
  void invalidNumbersAreRefused();
  void offsetUpdatesThePanels();
  void deleteAsksFirstAndSaves();
  void secondInstanceIsRefused();
  void placementAndColumnWidthsAreRestored();
  void settingsDialogShowsPrizesByMatchesAndSaves();
  void drawDetailsShowTheDraw();
  void busyStateDisablesEveryAction();
  void statisticsPageShowsWhatTheCommandLinePrints();
  void statisticsHeaderClickSortsAndKeepsSelection();
  void combinationPageGeneratesAndDeletes();
  void keepAndRemoveWithTheTableSelection();
  void filterDialogEditsAndValidates();
  void clipboardAndExclusion();
  void stakesPageAddsChecksAndDeletes();
  void scenarioLinesAreEditedAndRun();
  void scenarioTestStopsMidRun();
  void shreddingFormulasAreSavedAndRenameTheMethods();
  void everyActionIsBoundOnceAndReachable();
  void typedNumbersCountWithoutEnter();
  void statusNumbersKeepTheirWidth();
  void emptyArchiveSaysHowToGetDraws();
  void normColumnsShowWhilePrefetchIsOn();
  void ratingsFollowAScenarioTestAndDrawCharts();
  void regularsAreAddedStakedAndTested();
  void analysisPagesShowTheViewsAndFilter();
  void downloadAtStartAndCancelled();
  void proxyDialogStoresTheChoice();
  void exportDialogWritesTheWorkbookAndKeepsItsSettings();
  void updateOfferedAtStartThenInstalledAndRestarted();
  void systemsPageDownloadsEditsAndPlays();
  void cataloguePanelPublishesRatesAndHides();
  void favouritesShapeTheMethodLists();
  void methodHelpAndGuideOpenInside();
  void sharedKeysReachTheActionOfTheFocusedPage();
};

void MainWindowTest::startOnEmptyFolder() {
  QTemporaryDir dir;
  Instance app(dir.path(), true);
  app.answer = false;
  QVERIFY(app.Start());
  // A new folder asks whether to download the draws.
  QCOMPARE(app.questions, QStringList{Q(texts::DownloadOnStartQuestion)});
  const QString lsk = dir.filePath("Korvane.lsk");
  QVERIFY(QFileInfo::exists(lsk));
  QCOMPARE(QFileInfo(lsk).size(), 0);
  QVERIFY(!QFileInfo::exists(dir.filePath("Korvane.ldr")));
  QCOMPARE(app.Panel(0), QStringLiteral("Архив тиражей: 0"));
  QCOMPARE(app.Panel(1), QStringLiteral("Следующий тираж: 1"));
  QVERIFY(app.messages.isEmpty());
  QVERIFY(app.window->windowTitle().startsWith(
      QStringLiteral("Анализ статистики лотереи \"Florida PICK 3\" версия ")));
  QCOMPARE(app.window->MainPages()->count(), 10);
  QCOMPARE(app.window->MainPages()->tabText(9), QStringLiteral("Сценарий"));
  QVERIFY(!app.window->MainPages()->isTabVisible(8));  // "Системы" starts hidden
}

void MainWindowTest::addDrawThroughTheDialog() {
  QTemporaryDir dir;
  Instance app(dir.path());
  QVERIFY(app.Start());
  OnDialog<DrawDialog>([](DrawDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("Введите данные следующего тиража"));
    QCOMPARE(d->NumberField()->value(), 1);  // an empty archive proposes number 1
    QCOMPARE(d->NumbersField()->text(), QStringLiteral("0;0;0"));
    d->NumbersField()->setText(QStringLiteral("4,0;9"));
    d->DateField()->setDate(QDate(2021, 3, 7));
    d->TimeField()->setTime(QTime(13, 30));
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("DrawsAdd"));
  QCOMPARE(app.ws->Archive().Count(), 1);
  const TDrawRec& d = app.ws->Archive().Draws()[0];
  QCOMPARE(d.number, 1);
  QCOMPARE(d.DateText(), std::string("03/07/2021 M"));
  QCOMPARE(d.nums, (TComb{4, 0, 9}));
  QCOMPARE(QFileInfo(dir.filePath("Korvane.ldr")).size(), 20);
  QCOMPARE(app.Panel(1), QStringLiteral("Следующий тираж: 2"));
  QCOMPARE(app.window->Archive()->List()->model()->rowCount(), 1);
}

void MainWindowTest::invalidNumbersAreRefused() {
  QTemporaryDir dir;
  Instance app(dir.path());
  QVERIFY(app.Start());
  OnDialog<DrawDialog>([&app](DrawDialog* d) {
    for (const char* bad : {"1;2;10", "1;2"}) {
      d->NumbersField()->setText(QString::fromUtf8(bad));
      QVERIFY(!d->TryAccept());
      QVERIFY(d->isVisible());
      QCOMPARE(app.messages.last(), QStringLiteral("Введена некорректная комбинация!"));
    }
    d->reject();
  });
  QVERIFY(app.window->Actions().Trigger("DrawsAdd"));
  QCOMPARE(app.messages.size(), 2);
  QCOMPARE(app.ws->Archive().Count(), 0);
  QVERIFY(!QFileInfo::exists(dir.filePath("Korvane.ldr")));
}

void MainWindowTest::offsetUpdatesThePanels() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 10);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QCOMPARE(app.Panel(0), QStringLiteral("Архив тиражей: 10"));
  QCOMPARE(app.Panel(1), QStringLiteral("Следующий тираж: 11"));
  QCOMPARE(app.Panel(2), QString());
  QSpinBox* offset = app.window->Archive()->OffsetEditor();
  QCOMPARE(offset->maximum(), 9);
  offset->setValue(1);
  QCOMPARE(app.ws->DrawsOffset(), 1);
  QCOMPARE(app.Panel(1), QStringLiteral("Следующий тираж: 10"));
  QCOMPARE(app.Panel(2), Q(CombToText(MakeDemoDraws(10, 3)[9].nums)));
  // The offset row is painted in the offset colour.
  const QModelIndex row1 = app.window->Archive()->List()->model()->index(1, 0);
  QCOMPARE(row1.data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xAA, 0xAA));
}

void MainWindowTest::deleteAsksFirstAndSaves() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 5);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QTableView* list = app.window->Archive()->List();
  QVERIFY(!app.window->Actions().Trigger("DrawsDel"));  // nothing selected: disabled
  list->selectRow(0);
  app.answer = false;
  QVERIFY(app.window->Actions().Trigger("DrawsDel"));
  QCOMPARE(app.questions.last(), QStringLiteral("Удалить выделенную запись?"));
  QCOMPARE(app.ws->Archive().Count(), 5);
  app.answer = true;
  list->selectionModel()->select(list->model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QVERIFY(app.window->Actions().Trigger("DrawsDel"));
  QCOMPARE(app.questions.last(),
           QStringLiteral("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
  QCOMPARE(app.ws->Archive().Count(), 3);
  QCOMPARE(QFileInfo(dir.filePath("Korvane.ldr")).size(), 60);
  QCOMPARE(app.Panel(0), QStringLiteral("Архив тиражей: 3"));
}

void MainWindowTest::secondInstanceIsRefused() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 3);
  Instance first(dir.path());
  QVERIFY(first.Start());
  const auto frmBefore = ReadFile(fs::path(dir.filePath("Korvane.frm").toStdString()));
  {
    Instance second(dir.path());
    QVERIFY(second.window->Create());
    QVERIFY(!second.window->Initialise());
    QCOMPARE(second.messages.size(), 2);
    QVERIFY(second.messages[0].startsWith(QStringLiteral("Ошибка чтения файла ставок!")));
    QVERIFY(second.messages[1].startsWith(
        QStringLiteral("Невозможно получить монопольный доступ к файлам данных!")));
    second.window->close();
  }
  // The refused instance wrote nothing at its end.
  QCOMPARE(ReadFile(fs::path(dir.filePath("Korvane.frm").toStdString())), frmBefore);
  QVERIFY(first.ws->DataFilesOpen());
  QCOMPARE(first.ws->Archive().Count(), 3);
}

void MainWindowTest::placementAndColumnWidthsAreRestored() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 3);
  QRect geometry;
  {
    Instance app(dir.path());
    QVERIFY(app.Start());
    app.window->setGeometry(40, 50, 900, 600);
    geometry = app.window->geometry();
    app.window->Archive()->List()->setColumnWidth(5, 155);
    app.window->close();
    QVERIFY(!app.ws->DataFilesOpen());
  }
  Instance again(dir.path());
  QVERIFY(again.Start());
  QCOMPARE(again.window->geometry(), geometry);
  QCOMPARE(again.window->Archive()->List()->columnWidth(5), 155);
}

void MainWindowTest::settingsDialogShowsPrizesByMatchesAndSaves() {
  QTemporaryDir dir;
  {
    QFile ini(dir.filePath("Korvane.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[STAKES]\r\nProfits=1\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=500\r\n");
  }
  Instance app(dir.path());
  QVERIFY(app.Start());
  app.ws->SetPrefetchEnabled(true);
  auto readFile = [](const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const QString chn1 = dir.filePath("Prefetchs/Korvane_CHN1.dfc");
  const QByteArray chn1Before = readFile(chn1);
  QVERIFY(!chn1Before.isEmpty());
  QComboBox* methods = app.window->Stat()->MethodList();
  const int sgms = app.ws->Registry().IndexOfCode("SGMS");
  const QString sgmsText = Q(app.ws->Registry().ListText(sgms, true));
  methods->setCurrentIndex(methods->findText(sgmsText));
  emit methods->activated(methods->currentIndex());  // as a pick by the user
  QVERIFY(methods->findText(QStringLiteral("{ grp } Количество чисел в 5 канале [ NG ]")) >= 0);
  OnDialog<SettingsDialog>([&app](SettingsDialog* d) {
    QTableWidget* prizes = d->PrizeTable();
    QCOMPARE(prizes->rowCount(), 4);
    QCOMPARE(prizes->item(0, 1)->text(), QStringLiteral("0.00"));
    QCOMPARE(prizes->item(3, 1)->text(), QStringLiteral("500.00"));  // the row of 3 matches
    prizes->item(2, 1)->setText(QStringLiteral("12,5"));
    d->SegmentGrid()->item(4, 1)->setText(QStringLiteral("12"));  // outside 1..9
    QCOMPARE(app.messages.last(),
             QStringLiteral("Некорректное значение: 12!\n\nУкажите любое число от 1 до 9"));
    QCOMPARE(d->SegmentGrid()->item(4, 1)->text(), QStringLiteral("1"));
    d->SegmentGrid()->item(5, 0)->setText(QStringLiteral("7"));
    d->ChannelSizeField()->setValue(3);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("EditConfig"));
  const TConfigData& c = app.ws->Config();
  QCOMPARE(c.channelSize, 3);
  QCOMPARE(PrizeForMatches(c, 3).units, int64_t{5000000});
  QCOMPARE(PrizeForMatches(c, 2).units, int64_t{125000});
  QCOMPARE(SegmentOf(c.segments, 1, 5), 7);
  IniFile ini(fs::path(dir.filePath("Korvane.ini").toStdString()));
  ini.Load();
  QCOMPARE(ini.ReadInt("STAKES", "Profits", 0), 4);
  QCOMPARE(ini.ReadInt("GLOBAL", "ChannelSize", 0), 3);
  QCOMPARE(QString::fromStdString(ini.ReadString("GLOBAL", "MatrixSegments", "")),
           QStringLiteral("111117111111111111111111111111"));
  // Four channels of three now: the registry, the method list and the channel group's
  // prefetch files follow, and the list keeps its selection.
  QVERIFY(app.ws->Registry().IndexOfCode("CHN4") >= 0);
  QCOMPARE(app.ws->Registry().IndexOfCode("CHN5"), -1);
  QCOMPARE(methods->currentText(), sgmsText);
  for (int i = 0; i < methods->count(); ++i)
    QVERIFY(!methods->itemText(i).contains(QStringLiteral("5 канал")));
  QVERIFY(readFile(chn1) != chn1Before);
}

void MainWindowTest::drawDetailsShowTheDraw() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 4);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QTableView* list = app.window->Archive()->List();
  list->setCurrentIndex(list->model()->index(1, 0));
  const TDrawRec draw = MakeDemoDraws(4, 3)[2];
  OnDialog<DrawInfoDialog>([&draw](DrawInfoDialog* d) {
    QTreeWidget* props = d->Properties();
    QCOMPARE(props->topLevelItem(0)->text(0), QStringLiteral("Номер тиража:"));
    QCOMPARE(props->topLevelItem(0)->text(1), QString::number(draw.number));
    QCOMPARE(props->topLevelItem(1)->text(1), Q(draw.DateText()));
    for (int p = 0; p < 3; ++p)
      QCOMPARE(d->Card()->item(draw.nums[p], p)->text(), QString::number(draw.nums[p]));
    d->accept();
  });
  QVERIFY(app.window->Actions().Trigger("DrawsInfo"));
}

void MainWindowTest::busyStateDisablesEveryAction() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 4);
  Instance app(dir.path());
  QVERIFY(app.Start());
  app.ws->ShowHint("Готово");
  {
    BusyScope busy = app.ws->BusyFor("Долгая операция...");
    app.window->Actions().UpdateAll();
    // Every action but the one that stops a long run.
    for (const ActionInfo& a : ActionCatalog())
      QVERIFY2(app.window->Actions().Get(a.id)->isEnabled() ==
                   (std::string(a.id) == "ScriptStop" && app.ws->Script().running),
               a.id);
    // A hint shown now does not replace the operation's status text.
    emit app.window->Actions().Get("DrawsAdd")->hovered();
    QCOMPARE(app.Panel(6), QStringLiteral("Долгая операция..."));
  }
  app.window->Actions().UpdateAll();
  QVERIFY(app.window->Actions().Get("DrawsAdd")->isEnabled());
  QCOMPARE(app.Panel(6), QStringLiteral("Готово"));
  QVERIFY(!app.window->Actions().Get("DrawsSorted")->isEnabled());  // always disabled
}

// The window's statistics table, cell for cell, equals `korvane-cli stats` on the same folder.
void MainWindowTest::statisticsPageShowsWhatTheCommandLinePrints() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 400);
  struct Case {
    const char* code;
    int depth, offset;
  } cases[] = {{"NUMS", 1000, 0}, {"SUMC", 300, 7}, {"EVNV", 50, 3},  {"SUM2", 120, 0},
               {"CHAN", 200, 5},  {"SGMS", 90, 0},  {"KRM3", 400, 0}, {"DIFA", 60, 2},
               {"GRPV", 300, 10}, {"PRDV", 250, 0}, {"SDV2", 150, 4}, {"KNP21", 80, 0},
               {"SHR1", 100, 0},  {"HCO2", 70, 1}};
  QStringList expected;
  for (const Case& c : cases) {
    QProcess cli;
    cli.start(QStringLiteral(KORVANE_CLI_PATH),
              {"--data-dir", dir.path(), "stats", "--method", c.code, "--depth",
               QString::number(c.depth), "--offset", QString::number(c.offset)});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    expected << QString::fromUtf8(cli.readAllStandardOutput());
  }
  Instance app(dir.path());
  QVERIFY(app.Start());
  StatPage* page = app.window->Stat();
  for (size_t k = 0; k < std::size(cases); ++k) {
    const Case& c = cases[k];
    app.window->Archive()->OffsetEditor()->setValue(c.offset);
    page->DepthEditor()->setValue(c.depth);
    emit page->DepthEditor()->editingFinished();
    const int found = ComboIndexOf(page->MethodList(), app.ws->Registry().IndexOfCode(c.code));
    QVERIFY(found >= 0);
    page->MethodList()->setCurrentIndex(found);
    emit page->MethodList()->activated(found);
    QVERIFY(app.window->Actions().Trigger("DrawsStatCalc"));
    StatModel* model = page->Model();
    QString shown;
    QStringList header;
    for (int col = 0; col < model->columnCount(); ++col)
      header << model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    shown += header.join('\t') + '\n';
    for (int row = 0; row < model->rowCount(); ++row) {
      QStringList cells;
      for (int col = 0; col < model->columnCount(); ++col)
        cells << model->index(row, col).data().toString();
      shown += cells.join('\t') + '\n';
    }
    QCOMPARE(shown, expected[static_cast<int>(k)]);
  }
}

void MainWindowTest::statisticsHeaderClickSortsAndKeepsSelection() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 200);
  Instance app(dir.path());
  QVERIFY(app.Start());
  StatPage* page = app.window->Stat();
  QCOMPARE(ComboEntry(page->MethodList()), app.ws->Registry().IndexOfCode("NUMS"));
  QCOMPARE(page->Model()->rowCount(), 10);
  page->Table()->selectRow(2);
  const QString value = page->Model()->index(2, 0).data().toString();
  QCOMPARE(app.ws->Stats().SelectedCount(), 1);
  emit page->Table()->horizontalHeader()->sectionClicked(0);  // by value, ascending
  QCOMPARE(page->Model()->index(0, 0).data().toString(), QStringLiteral("0"));
  const int row = value.toInt();
  QVERIFY(app.ws->Stats().IsSelected(row));
  QVERIFY(page->Table()->selectionModel()->isRowSelected(row, {}));
  emit page->Table()->horizontalHeader()->sectionClicked(0);  // reversed
  QCOMPARE(page->Model()->index(0, 0).data().toString(), QStringLiteral("9"));
}

void MainWindowTest::combinationPageGeneratesAndDeletes() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 20);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QCOMPARE(app.Panel(3), QStringLiteral("Комбинаций: 1000"));
  OnDialog<GenDialog>([](GenDialog* d) {
    d->ModeList()->setCurrentIndex(2);
    d->TextField()->setText(QStringLiteral("1;2"));
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("CombsGen"));
  QCOMPARE(app.ws->Combs().Count(), 8);
  QCOMPARE(app.Panel(3), QStringLiteral("Комбинаций: 8"));
  CombsPage* page = app.window->Combs();
  QCOMPARE(page->Model()->rowCount(), 8);
  QCOMPARE(page->Model()->index(7, 0).data().toInt(), 8);
  QCOMPARE(page->Model()->index(7, 4).data().toInt(), 6);  // 2-2-2
  page->List()->selectRow(0);
  page->List()->selectionModel()->select(page->Model()->index(3, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QVERIFY(app.window->Actions().Trigger("CombsDelSelected"));
  QCOMPARE(app.ws->Combs().Count(), 6);
  QCOMPARE(page->Filters()->topLevelItemCount(), 1);
  QCOMPARE(page->Filters()->topLevelItem(0)->text(0), QStringLiteral("Выделенные комбинации"));
  QCOMPARE(page->Filters()->topLevelItem(0)->text(1), QStringLiteral("2"));
  QCOMPARE(page->Filters()->topLevelItem(0)->text(2), QStringLiteral("6"));
  QVERIFY(app.ws->Combs().CanUndo());
  QVERIFY(!app.window->Actions().Trigger("CombsInfo"));  // nothing selected any more
}

void MainWindowTest::keepAndRemoveWithTheTableSelection() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 200);
  Instance app(dir.path());
  QVERIFY(app.Start());
  StatPage* page = app.window->Stat();
  emit page->Table()->horizontalHeader()->sectionClicked(0);      // rows 0..9 by value
  QVERIFY(!app.window->Actions().Trigger("StatFilter_Include"));  // nothing selected
  page->Table()->selectRow(3);
  page->Table()->selectionModel()->select(page->Model()->index(7, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QVERIFY(app.window->Actions().Trigger("StatFilter_Include"));
  QCOMPARE(app.ws->Combs().Count(), 488);
  QTreeWidget* filters = app.window->Combs()->Filters();
  QCOMPARE(filters->topLevelItemCount(), 1);
  QCOMPARE(filters->topLevelItem(0)->text(0), QStringLiteral("{ num } Числа тиража [ N ]"));
  QCOMPARE(filters->topLevelItem(0)->text(1), QStringLiteral("3; 7"));
  QCOMPARE(filters->topLevelItem(0)->text(2), QStringLiteral("488"));
  QVERIFY(app.window->Actions().Trigger("CombsUndo"));
  QCOMPARE(app.ws->Combs().Count(), 1000);
  QCOMPARE(filters->topLevelItemCount(), 0);
  QVERIFY(!app.window->Actions().Get("CombsUndo")->isEnabled());
  QVERIFY(app.window->Actions().Trigger("StatFilter_Exclude"));
  QCOMPARE(app.ws->Combs().Count(), 512);
  QCOMPARE(app.Panel(3), QStringLiteral("Комбинаций: 512"));
}

void MainWindowTest::filterDialogEditsAndValidates() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 50);
  Instance app(dir.path());
  QVERIFY(app.Start());
  TFilterItem item = TextToFilterItem("BMF12#SUMS:10#WMV:5#ST:3#0:-1:1:1:0", app.ws->Registry());
  OnDialog<FilterDialog>([&app](FilterDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("Фильтр"));
    QCOMPARE(d->SortList()->currentIndex(), 12);
    QCOMPARE(d->DirectionList()->currentIndex(), 1);
    QCOMPARE(d->ModeList()->currentIndex(), 1);
    QVERIFY(d->MultiSelectBox()->isChecked());
    QCOMPARE(d->LevelList()->currentIndex(), int(WMV));
    QVERIFY(d->OverrideBox()->isEnabled());
    QVERIFY(d->PercentsBox()->isEnabled());
    QCOMPARE(d->StopValueField()->value(), 3);
    d->DrawsField()->setText(QStringLiteral("0"));
    QVERIFY(!d->TryAccept());
    QCOMPARE(app.messages.last(), QStringLiteral("Введен некорректный диапазон значений!"));
    d->DrawsField()->setText(QStringLiteral("5-20;5"));
    d->LevelList()->setCurrentIndex(int(LMV));
    QVERIFY(!d->OverrideBox()->isEnabled());
    QVERIFY(!d->PercentsBox()->isEnabled());
    d->StopList()->setCurrentIndex(1);
    QVERIFY(!d->TryAccept());  // multi-select with the stop by count
    QVERIFY(app.messages.last().startsWith(QStringLiteral("В режиме мультивыделения")));
    d->StopList()->setCurrentIndex(0);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(EditFilterItem(app.window.get(), *app.ws, item));
  QCOMPARE(Q(FilterItemToText(item)), QStringLiteral("BMF12#SUMS:5-20;5#LMV:5#SF:3#0:-1:1:1:0"));
}

void MainWindowTest::clipboardAndExclusion() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 30);
  Instance app(dir.path());
  QVERIFY(app.Start());
  CombsPage* page = app.window->Combs();
  QGuiApplication::clipboard()->setText(QStringLiteral("00 05 09\r\n01 02 03\r\n"));
  QVERIFY(app.window->Actions().Trigger("CombsPaste"));
  QCOMPARE(app.ws->Combs().Count(), 2);
  page->List()->selectAll();
  QVERIFY(app.window->Actions().Trigger("CombsCopy"));
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("00 05 09\r\n01 02 03\r\n"));
  app.ws->CombsGenerate(true, {0, ""});
  QVERIFY(!app.window->Actions().Trigger("CombsDelExists"));  // N = 0
  page->ExcludeEditor()->setValue(1);
  QVERIFY(app.window->Actions().Trigger("CombsDelExists"));
  QCOMPARE(app.ws->Combs().Count(), 999);
  QCOMPARE(page->Filters()->topLevelItem(0)->text(0), QStringLiteral("Последние тиражи"));
  QCOMPARE(app.ws->View().drawsExclude, 1);
}

void MainWindowTest::stakesPageAddsChecksAndDeletes() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 30);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QCOMPARE(app.Panel(4), QStringLiteral("Ставок: 0"));
  StakesPage* page = app.window->Stakes();
  QCOMPARE(page->Model()->rowCount(), 1);  // one empty row

  // A stake on the newest draw (offset 1), from the selected combination.
  app.window->Archive()->OffsetEditor()->setValue(1);
  const TComb newest = MakeDemoDraws(30, 3)[29].nums;
  int row = 0;
  while (app.ws->Combs().At(row) != newest) ++row;
  app.window->Combs()->List()->selectRow(row);
  OnDialog<StakeDialog>([&app](StakeDialog* d) {
    QCOMPARE(d->DrawField()->value(), 30);
    QCOMPARE(d->CommentField()->text(), QStringLiteral("Ставка \"вручную\""));
    d->NumbersField()->setText(QStringLiteral("1;2"));
    QVERIFY(!d->TryAccept());
    QCOMPARE(app.messages.last(), QStringLiteral("Введена некорректная комбинация!"));
    d->NumbersField()->setText(Q(CombToText(MakeDemoDraws(30, 3)[29].nums)));
    d->CommentField()->clear();
    QVERIFY(!d->TryAccept());
    QCOMPARE(app.messages.last(), QStringLiteral("Необходимо ввести комментарий!"));
    d->CommentField()->setText(QStringLiteral("тест"));
    d->DrawsField()->setValue(2);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("StakeAdd"));
  // Draw 30 checked at once (3 matches), then a separator and draw 31, not drawn yet.
  QCOMPARE(app.ws->Stakes().Count(), 3);
  QCOMPARE(app.Panel(4), QStringLiteral("Ставок: 3"));
  QCOMPARE(page->Model()->index(0, 5).data().toString(), QStringLiteral("3"));
  QCOMPARE(page->Model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
           QColor(0xEA, 0xFF, 0xEA));
  QCOMPARE(page->Model()->index(1, 0).data().toString(), QString());
  QCOMPARE(page->Model()->index(2, 0).data().toString(), QStringLiteral("31"));
  QCOMPARE(page->Model()->index(2, 5).data().toString(), QString());

  // Random stake and stakes for the selected combinations.
  OnDialog<StakeDialog>([](StakeDialog* d) { QVERIFY(d->TryAccept()); });
  QVERIFY(app.window->Actions().Trigger("StakeAddRandom"));
  QCOMPARE(app.ws->Stakes().Count(), 4);
  app.window->Combs()->List()->selectRow(0);
  app.window->Combs()->List()->selectionModel()->select(
      app.window->Combs()->Model()->index(5, 0),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  OnDialog<MultiStakeDialog>([](MultiStakeDialog* d) { QVERIFY(d->TryAccept()); });
  QVERIFY(app.window->Actions().Trigger("StakeAddSelected"));
  QCOMPARE(app.ws->Stakes().Count(), 6);
  QVERIFY(!app.window->Combs()->List()->selectionModel()->hasSelection());

  // Delete the first grid row after the confirmation; then by condition.
  page->Grid()->selectRow(0);
  QVERIFY(app.window->Actions().Trigger("StakeDel"));
  QCOMPARE(app.questions.last(), QStringLiteral("Удалить выделенную запись?"));
  QCOMPARE(app.ws->Stakes().Count(), 5);
  OnDialog<ConditionDialog>([](ConditionDialog* d) {
    d->RelationList()->setCurrentIndex(3);  // "Менее [ < ]"
    d->ValueField()->setValue(1);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("StakeFilter"));
  for (int i = 0; i < app.ws->Stakes().Count(); ++i) {
    const TStakeData s = app.ws->Stakes().Read(i);
    QVERIFY(s.IsSeparator() || s.matched.count >= 1);
  }
}

void MainWindowTest::scenarioLinesAreEditedAndRun() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 60);
  Instance app(dir.path());
  QVERIFY(app.Start());
  ScriptPage* page = app.window->Script();
  QCOMPARE(page->Panel(0)->text(), QStringLiteral("Строк: 0"));
  OnDialog<ScriptLineDialog>([](ScriptLineDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("Создание новой строки"));
    d->CommentField()->setText(QStringLiteral("Числа"));
    d->StakeModeList()->setCurrentIndex(3);  // ALL
    d->FilterField(0)->setText(QStringLiteral("tsd#nums:10"));
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("ScriptAdd"));
  QCOMPARE(app.ws->ScriptLines().size(), size_t{1});
  QCOMPARE(Q(app.ws->ScriptLines()[0]), QStringLiteral("FULL:0#ALL|tsd#nums:10| | | | | | |Числа"));
  // The view shows the filter in its normalised form.
  QCOMPARE(page->Model()->index(0, 2).data().toString(), QStringLiteral("TSD1#NUMS:10#LNO:#SF:0"));
  QCOMPARE(page->Model()->index(0, 1).data().toString(),
           QStringLiteral("Исходный список; Все; Все создаваемые ставки"));
  QVERIFY(QFileInfo::exists(dir.filePath("Korvane.lss")));
  // A separator cannot be edited or cloned.
  QVERIFY(app.window->Actions().Trigger("ScriptEmpty"));
  QVERIFY(!app.window->Actions().Get("ScriptEdit")->isEnabled());
  page->SelectOnly(0);
  app.window->Actions().UpdateAll();
  QVERIFY(app.window->Actions().Get("ScriptEdit")->isEnabled());

  QVERIFY(app.window->Actions().Trigger("ScriptRun"));
  QVERIFY(app.ws->Script().stakes >= 1);
  QCOMPARE(app.ws->Stakes().Count(), app.ws->Script().stakes);
  QCOMPARE(page->Panel(3)->text(), QStringLiteral("Ставок: %1").arg(app.ws->Script().stakes));
  QCOMPARE(page->Panel(4)->text(), QStringLiteral("Сценарий завершен!"));
  QVERIFY(app.window->Stakes()->Model()->rowCount() >= 1);
  QVERIFY(app.window->LeftPages()->isEnabled());  // unlocked again
}

void MainWindowTest::scenarioTestStopsMidRun() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 80);
  Instance app(dir.path());
  QVERIFY(app.Start());
  app.ws->ScriptAddLine("FULL:0#ALL| | | | | | | |");
  QVERIFY(app.ws->View().stakesCheckOnLine);  // the default
  bool sawLock = false;
  bool stopped = false;
  int cycles = 0;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (!app.ws->Script().running) return;
    sawLock = sawLock || !app.window->LeftPages()->isEnabled();
    cycles = app.ws->Script().cycle;
    if (cycles >= 3 && !stopped) {
      stopped = true;
      QVERIFY(app.window->Actions().Trigger("ScriptStop"));
    }
  });
  watcher.start(20);
  OnDialog<TestCountDialog>([](TestCountDialog* d) {
    QCOMPARE(d->CountField()->maximum(), 79);
    QCOMPARE(d->CountField()->value(), 10);
    d->CountField()->setValue(20);
    QVERIFY(d->TryAccept());
  });
  app.answer = true;  // "Остановить выполнение сценария?" - Yes
  QVERIFY(app.window->Actions().Trigger("ScriptTest"));
  watcher.stop();
  QVERIFY(sawLock);
  QVERIFY(app.questions.contains(QStringLiteral("Остановить выполнение сценария?")));
  QVERIFY(!app.ws->Script().running);
  // Stopped before the twentieth step: the archive stays at the offset where it stopped.
  QVERIFY(app.ws->DrawsOffset() > 1);
  QVERIFY(app.ws->Stakes().Count() < 20 * 1001);
  QVERIFY(app.window->LeftPages()->isEnabled());
}

void MainWindowTest::shreddingFormulasAreSavedAndRenameTheMethods() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 40);
  Instance app(dir.path());
  QVERIFY(app.Start());
  app.ws->SetPrefetchEnabled(true);
  const QString shr1 = dir.filePath("Prefetchs/Korvane_SHR1.dfc");
  QVERIFY(QFileInfo::exists(shr1));
  const QByteArray before = [&] {
    QFile f(shr1);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  OnDialog<ShreddingDialog>([](ShreddingDialog* d) {
    QCOMPARE(d->FormulaField(0)->text(), QStringLiteral("(n1+n2)/n3"));
    d->FormulaField(0)->setText(QStringLiteral("n1/7"));
    d->DigitsField(0)->setValue(3);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("EditShredding"));
  const int entry = app.ws->Registry().IndexOfCode("SHR1");
  QCOMPARE(Q(app.ws->Registry().Items(entry).DisplayName()),
           QStringLiteral("Метод шинковки 1: n1/7"));
  IniFile ini(fs::path(dir.filePath("Korvane.ini").toStdString()));
  ini.Load();
  QCOMPARE(QString::fromStdString(ini.ReadString("SHREDDING", "Formula1", "")),
           QStringLiteral("n1/7"));
  QCOMPARE(ini.ReadInt("SHREDDING", "Formula1Digits", 0), 3);
  QFile after(shr1);
  QVERIFY(after.open(QIODevice::ReadOnly));
  QVERIFY(after.readAll() != before);  // the group's prefetch file was made anew
  // Cancelling changes nothing.
  OnDialog<ShreddingDialog>([](ShreddingDialog* d) {
    d->FormulaField(0)->setText(QStringLiteral("junk"));
    d->reject();
  });
  QVERIFY(app.window->Actions().Trigger("EditShredding"));
  QCOMPARE(Q(app.ws->Settings().Game().shredding[0].formula), QStringLiteral("n1/7"));
}

// The catalogue, the bindings and the layout agree: every action is bound exactly once and
// shows somewhere; an id nobody knows is an error, never skipped.
void MainWindowTest::everyActionIsBoundOnceAndReachable() {
  QTemporaryDir dir;
  Instance app(dir.path());
  ActionTable& actions = app.window->Actions();
  std::vector<std::string> unbound = actions.Unbound();
  QVERIFY2(unbound.empty(), unbound.empty() ? "" : unbound.front().c_str());
  const std::vector<std::string> shown = DefaultMenuLayout().Ids();
  for (const ActionInfo& a : ActionCatalog())
    QVERIFY2(std::find(shown.begin(), shown.end(), a.id) != shown.end(), a.id);
  for (const std::string& id : shown) QVERIFY2(FindAction(id) != nullptr, id.c_str());
  QVERIFY_THROWS_EXCEPTION(std::logic_error, actions.Bind("DrawsAdd", ActionBinding([] {})));
  QVERIFY_THROWS_EXCEPTION(std::logic_error, actions.Get("NoSuchAction"));
  // Each action once, with a caption, a hint, a category and a key Qt can read; a key given
  // to two actions is one of those a page decides between.
  std::set<std::string> ids;
  std::map<QString, int> keys;
  for (const ActionInfo& a : ActionCatalog()) {
    QVERIFY2(ids.insert(a.id).second, a.id);
    QVERIFY2(*a.caption != '\0' && *a.hint != '\0' && *a.category != '\0', a.id);
    QCOMPARE(actions.Get(a.id)->text(), QString::fromUtf8(a.caption));
    if (*a.shortcut == '\0') continue;
    const QKeySequence key(QString::fromUtf8(a.shortcut));
    QVERIFY2(!key.isEmpty() && key[0].key() != Qt::Key_unknown, a.id);
    ++keys[key.toString()];
  }
  const std::set<QString> shared = {QStringLiteral("F7"), QStringLiteral("Ctrl+F7"),
                                    QStringLiteral("Ctrl+J"), QStringLiteral("Alt+F4"),
                                    QStringLiteral("Ctrl+Del")};
  for (const auto& [key, count] : keys)
    QVERIFY2(count == 1 || shared.count(key) == 1, qPrintable(key));

  QMenuBar bar;
  MenuTargets targets;
  targets.menuBar = &bar;
  MenuLayout unknownId;
  unknownId.mainMenu = {{"Файл", {"EditConfig", "NoSuchAction"}}};
  QVERIFY_THROWS_EXCEPTION(std::logic_error, ApplyMenuLayout(unknownId, actions, targets));
  MenuLayout unknownList;
  unknownList.contextMenus["lvNoSuchList"] = {"EditConfig"};
  QVERIFY_THROWS_EXCEPTION(std::logic_error, ApplyMenuLayout(unknownList, actions, targets));
}

// A depth or exclusion count typed into its box and not confirmed with Enter is the one the
// button uses.
void MainWindowTest::typedNumbersCountWithoutEnter() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 300);
  Instance app(dir.path());
  QVERIFY(app.Start());
  StatPage* page = app.window->Stat();
  QVERIFY(app.window->Actions().Trigger("DrawsStatCalc"));
  QCOMPARE(app.ws->Stats().Analysed(), 300);  // the default depth 1000 takes them all
  QLineEdit* depthText = page->DepthEditor()->findChild<QLineEdit*>();
  QVERIFY(depthText != nullptr);
  depthText->selectAll();
  QTest::keyClicks(depthText, "25");
  QCOMPARE(page->DepthEditor()->value(), 1000);  // not confirmed yet
  QTest::mouseClick(page->RefreshButton(), Qt::LeftButton);
  QCOMPARE(app.ws->StatDepth(), 25);
  QCOMPARE(app.ws->Stats().Analysed(), 25);
  QCOMPARE(page->DepthEditor()->value(), 25);

  CombsPage* combs = app.window->Combs();
  app.window->LeftPages()->setCurrentWidget(combs);
  QLineEdit* excludeText = combs->ExcludeEditor()->findChild<QLineEdit*>();
  excludeText->selectAll();
  QTest::keyClicks(excludeText, "3");
  QCOMPARE(combs->ExcludeEditor()->value(), 0);
  app.window->Actions().UpdateAll();
  QVERIFY(combs->ExcludeButton()->isEnabled());
  QTest::mouseClick(combs->ExcludeButton(), Qt::LeftButton);
  QCOMPARE(app.ws->Combs().Filters().size(), size_t{1});
  QCOMPARE(app.ws->Combs().Filters()[0].values, std::string("3"));
  QCOMPARE(app.ws->View().drawsExclude, 3);
}

// A long status text never squeezes the panels that hold numbers.
void MainWindowTest::statusNumbersKeepTheirWidth() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 17342);
  Instance app(dir.path());
  QVERIFY(app.Start());
  app.ws->ShowHint(std::string(600, 'x'));
  QApplication::processEvents();
  for (int i = 0; i < 5; ++i) {
    QLabel* panel = app.window->Panel(i);
    const int need = panel->fontMetrics().horizontalAdvance(panel->text());
    QVERIFY2(panel->width() >= need, qPrintable(panel->text()));
  }
  QCOMPARE(app.Panel(0), QStringLiteral("Архив тиражей: 17342"));
  QVERIFY(app.window->Panel(6)->width() < app.window->width());
}

void MainWindowTest::emptyArchiveSaysHowToGetDraws() {
  QTemporaryDir dir;
  Instance app(dir.path());
  QVERIFY(app.Start());
  QLabel* hint = app.window->Archive()->EmptyHint();
  QVERIFY(hint->isVisible());
  QVERIFY(hint->text().contains(QStringLiteral("Импорт из CSV-файла")));
  QVERIFY(hint->text().contains(QStringLiteral("«Загрузка» (F3)")));
  QVERIFY(app.ws->AddDraw(MakeDemoDraws(1, 1)[0]));
  QVERIFY(!hint->isVisible());
}

// With prefetch on the three norm columns show, "-" for a method without a norm.
void MainWindowTest::normColumnsShowWhilePrefetchIsOn() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 100);
  Instance app(dir.path());
  QVERIFY(app.Start());
  StatPage* page = app.window->Stat();
  for (int c = 3; c <= 5; ++c) QVERIFY(page->Table()->isColumnHidden(c));  // prefetch off
  QVERIFY(app.window->Actions().Trigger("DrawsStatePrefetchsEnabled"));
  int without = -1;
  for (int p = 0; p < static_cast<int>(app.ws->StatMethodList().size()); ++p)
    if (!app.ws->Registry().HasNorm(app.ws->StatMethodList()[static_cast<size_t>(p)])) {
      without = p;
      break;
    }
  QVERIFY(without >= 0);
  const int item =
      ComboIndexOf(page->MethodList(), app.ws->StatMethodList()[static_cast<size_t>(without)]);
  page->MethodList()->setCurrentIndex(item);
  emit page->MethodList()->activated(item);
  QVERIFY(app.window->Actions().Trigger("DrawsStatCalc"));
  QVERIFY(page->Model()->rowCount() > 0);
  for (int c = 3; c <= 5; ++c) {
    QVERIFY(!page->Table()->isColumnHidden(c));
    QCOMPARE(page->Model()->index(0, c).data().toString(), QStringLiteral("-"));
  }
}

void MainWindowTest::ratingsFollowAScenarioTestAndDrawCharts() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 60);
  Instance app(dir.path());
  QVERIFY(app.Start());
  RatingsPage* page = app.window->Ratings();
  QCOMPARE(page->Model()->rowCount(), 0);
  app.ws->ScriptAddLine("FULL:0#ALL| | | | | | | |Все");
  app.ws->ScriptAddLine("FULL:0#FIRST|TSD1#NUMS:10#LMV:1#SF:1| | | | | | |Первая");
  // The rows grow while the test runs, not only at its end.
  std::set<int> seenDuring;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (!app.ws->Script().running) return;
    int stakes = 0;
    for (int r = 0; r < page->Model()->rowCount(); ++r)
      stakes += page->Model()->index(r, 1).data().toInt();
    seenDuring.insert(stakes);
  });
  watcher.start(5);
  OnDialog<TestCountDialog>([](TestCountDialog* d) {
    d->CountField()->setValue(6);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("ScriptTest"));
  watcher.stop();
  QCOMPARE(page->Model()->rowCount(), 2);
  QCOMPARE(app.Panel(5), QStringLiteral("Рейтинг: 2"));
  QString seen;
  for (int n : seenDuring) seen += QString::number(n) + QLatin1Char(' ');
  QVERIFY2(seenDuring.size() >= 3, qPrintable(seen));
  QCOMPARE(page->Model()->columnCount(), 16);
  QCOMPARE(page->Model()->headerData(14, Qt::Horizontal, Qt::DisplayRole).toString(),
           QStringLiteral("p(Угадано)"));
  QVERIFY(!page->Model()->headerData(15, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
  int all = 0;
  while (!page->Model()->index(all, 0).data().toString().startsWith(QStringLiteral("01.000")))
    ++all;
  QCOMPARE(page->Model()->index(all, 1).data().toString(), QStringLiteral("6000"));

  // The efficiency mode changes the E columns and is kept.
  QVERIFY(app.window->Actions().Trigger("RatingsEffMode0"));
  QCOMPARE(page->Model()->index(all, 10).data().toString(), QStringLiteral("4374"));
  QVERIFY(app.window->Actions().Get("RatingsEffMode0")->isChecked());
  QVERIFY(!app.window->Actions().Get("RatingsEffMode1")->isChecked());
  QVERIFY(app.window->Actions().Trigger("RatingsEffMode2"));
  QVERIFY(page->Model()->index(all, 10).data().toString().endsWith(QLatin1Char('%')));

  // Charts: the profit by draw of every stake, then the distribution of the selected rows.
  OnDialog<ChartWindow>([](ChartWindow* w) {
    QCOMPARE(w->windowTitle(), QStringLiteral("График суммарного профита ставок по тиражам"));
    const QList<QAbstractSeries*> series = w->View()->chart()->series();
    QCOMPARE(series.size(), 3);
    QCOMPARE(static_cast<QLineSeries*>(series[0])->count(), 6);
    QVERIFY(w->MarksBox()->isChecked());
    w->MarksBox()->setChecked(false);
    QVERIFY(!static_cast<QLineSeries*>(series[0])->pointLabelsVisible());
    w->accept();
  });
  QVERIFY(app.window->Actions().Trigger("StakesGraphDraws"));
  QVERIFY(!app.window->Actions().Get("RatingsGraphOverlap")->isEnabled());
  page->List()->selectRow(all);
  QVERIFY(app.window->Actions().Get("RatingsGraphOverlap")->isEnabled());
  OnDialog<ChartWindow>([](ChartWindow* w) {
    const QList<QAbstractSeries*> series = w->View()->chart()->series();
    QCOMPARE(series.size(), 2);  // chance and the row
    QCOMPARE(series[0]->name(), QStringLiteral("Нормальные значения"));
    QCOMPARE(static_cast<QLineSeries*>(series[1])->count(), 4);
    w->accept();
  });
  QVERIFY(app.window->Actions().Trigger("RatingsGraphOverlap"));
  page->List()->selectRow(1 - all);  // the line with one stake a draw
  OnDialog<ChartWindow>([](ChartWindow* w) {
    QCOMPARE(w->View()->chart()->series().size(), 1);
    QCOMPARE(static_cast<QLineSeries*>(w->View()->chart()->series()[0])->count(), 6);
    w->accept();
  });
  QVERIFY(app.window->Actions().Trigger("StakesGraphOverlap"));

  // The rebuild asks first and gives the same rows.
  const QString before = page->Model()->index(all, 2).data().toString();
  app.answer = true;
  QVERIFY(app.window->Actions().Trigger("RatingsRefresh"));
  QVERIFY(app.questions.last().startsWith(QStringLiteral("Пересчитать рейтинг")));
  QCOMPARE(page->Model()->rowCount(), 2);
  QVERIFY(app.messages.isEmpty());
  int again = 0;
  while (!page->Model()->index(again, 0).data().toString().startsWith(QStringLiteral("01.000")))
    ++again;
  QCOMPARE(page->Model()->index(again, 2).data().toString(), before);
}

void MainWindowTest::regularsAreAddedStakedAndTested() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 30);
  Instance app(dir.path());
  QVERIFY(app.Start());
  TablesPage* page = app.window->Tables();
  const int tab = app.window->MainPages()->indexOf(page);
  QVERIFY(app.window->MainPages()->isTabVisible(tab));

  // One selected combination gives the start; a repeated comment is refused.
  int row = 0;
  while (app.ws->Combs().At(row) != TComb{8, 9, 0}) ++row;
  app.window->Combs()->List()->selectRow(row);
  OnDialog<RegularDialog>([&app](RegularDialog* d) {
    QCOMPARE(d->StartField()->text(), QStringLiteral("8;9;0"));
    QVERIFY(d->StartField()->isEnabled());
    d->StartField()->setText(QStringLiteral("8;9"));
    QVERIFY(!d->TryAccept());
    QCOMPARE(app.messages.last(), QStringLiteral("Введена некорректная комбинация!"));
    d->StartField()->setText(QStringLiteral("8;9;0"));
    d->CommentField()->setText(QStringLiteral("Вверх"));
    d->StepField()->setValue(3);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("TablesAdd"));
  OnDialog<RegularDialog>([](RegularDialog* d) {
    d->FromDrawRadio()->setChecked(true);
    QVERIFY(!d->StartField()->isEnabled());
    d->CommentField()->setText(QStringLiteral("От тиража"));
    d->StepField()->setValue(-1);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("TablesAdd"));
  QCOMPARE(page->Model()->rowCount(), 2);
  QCOMPARE(page->Model()->index(0, 1).data().toString(), QStringLiteral("8;9;0"));

  // A stake by the first regular: the dialog shows 8;9;0 + 3.
  QVERIFY(!app.window->Actions().Get("TablesStakeAdd")->isEnabled());
  page->List()->selectRow(0);
  QVERIFY(app.window->Actions().Get("TablesStakeAdd")->isEnabled());
  OnDialog<StakeDialog>([](StakeDialog* d) {
    QCOMPARE(d->NumbersField()->text(), QStringLiteral("1;2;3"));
    QCOMPARE(d->CommentField()->text(), QStringLiteral("Вверх"));
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("TablesStakeAdd"));
  QCOMPARE(app.ws->Stakes().Count(), 1);
  QCOMPARE(page->Model()->index(0, 3).data().toString(), QStringLiteral("1;2;3"));
  QCOMPARE(page->Model()->index(0, 4).data().toString(), QStringLiteral("1"));

  // A test of both over five draws: ten stakes, checked.
  page->List()->selectAll();
  OnDialog<TestCountDialog>([](TestCountDialog* d) {
    QCOMPARE(d->CountField()->maximum(), 29);
    d->CountField()->setValue(5);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("TablesStakeTest"));
  QCOMPARE(app.ws->Stakes().Count(), 11);
  QCOMPARE(page->Model()->index(0, 3).data().toString(), QStringLiteral("6;7;8"));
  QCOMPARE(page->Model()->index(1, 4).data().toString(), QStringLiteral("5"));
  QCOMPARE(app.window->Ratings()->Model()->rowCount(), 1 + 1);  // both regulars were checked
  QVERIFY(app.messages.size() == 1);                            // only the refused start above

  // Hiding the tab drops the regulars; showing it reads them back and brings it to the front.
  QVERIFY(app.window->Actions().Trigger("TabTables"));
  QVERIFY(!app.window->MainPages()->isTabVisible(tab));
  QCOMPARE(app.ws->Regulars().Count(), 0);
  QVERIFY(!app.window->Actions().Get("TablesAdd")->isEnabled());
  QVERIFY(app.window->Actions().Trigger("TabTables"));
  QVERIFY(app.window->MainPages()->isTabVisible(tab));
  QCOMPARE(app.window->MainPages()->currentIndex(), tab);
  QCOMPARE(page->Model()->rowCount(), 2);
}

void MainWindowTest::analysisPagesShowTheViewsAndFilter() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 60);
  Instance app(dir.path());
  QVERIFY(app.Start());
  const TDrawsArray draws = MakeDemoDraws(60, 3);

  // Графики: the first method with a graph, over the last 100 draws (all 60 here).
  GraphsPage* graphs = app.window->findChild<GraphsPage*>();
  QVERIFY(graphs != nullptr);
  QVERIFY(graphs->MethodList()->count() > 0);
  QVERIFY(app.window->Actions().Trigger("DrawsGraphDraw"));
  QCOMPARE(graphs->Chart()->chart()->series().size(), 3);
  QCOMPARE(static_cast<QLineSeries*>(graphs->Chart()->chart()->series()[0])->count(), 60);
  graphs->Chart()->zoomAt(4, QPointF(200, 100));
  QCOMPARE(graphs->Chart()->zoomFactor(), 4.0);

  // Карта: the newest draw first; its numbers in their columns.
  CardPage* card = app.window->findChild<CardPage*>();
  QCOMPARE(card->Model()->rowCount(), 60);
  QCOMPARE(card->Model()->index(0, 0).data().toString(), QString::number(draws[59].number));
  const int n = draws[59].nums[0];
  QCOMPARE(card->Model()->index(0, n + 1).data().toString(), QString::number(n));
  // A cell of the number column keeps the combinations with that number.
  app.window->MainPages()->setCurrentWidget(card);
  QVERIFY(!app.window->Actions().Get("CardFilter_Include")->isEnabled());
  card->Grid()->selectionModel()->select(card->Model()->index(0, n + 1),
                                         QItemSelectionModel::ClearAndSelect);
  QVERIFY(app.window->Actions().Get("CardFilter_Include")->isEnabled());
  QVERIFY(app.window->Actions().Trigger("CardFilter_Include"));
  QCOMPARE(app.ws->Combs().Count(), 271);  // 1000 - 9^3
  card->Grid()->selectionModel()->select(card->Model()->index(0, 0), QItemSelectionModel::Select);
  QVERIFY(!app.window->Actions().Get("CardFilter_Include")->isEnabled());  // the draw numbers

  // Схема and Неделя hold their grids; the week chart follows its mode.
  LayoutPage* layout = app.window->findChild<LayoutPage*>();
  QVERIFY(layout->Model()->rowCount() >= 1);
  QVERIFY(layout->CompareList(0)->model()->rowCount() >= 1);
  WeekPage* week = app.window->findChild<WeekPage*>();
  QCOMPARE(week->Model()->rowCount(), 7);
  QCOMPARE(week->Model()->index(0, 0).data().toString(), QStringLiteral("Пн"));
  QVERIFY(app.window->Actions().Trigger("ViewWeekChartMode"));
  QCOMPARE(app.ws->View().weekChartMode, 1);
  QCOMPARE(week->Chart()->chart()->axes(Qt::Horizontal).size(), 1);

  // The analyses open with their data.
  OnDialog<RepeatsDialog>([](RepeatsDialog* d) {
    QCOMPARE(d->List()->model()->rowCount(), static_cast<int>(d->Result().rows.size()));
    QVERIFY(d->List()->model()->rowCount() > 0);
    QVERIFY(!d->List()->model()->index(0, 3).data().toString().isEmpty());
    d->DepthField()->setValue(7);
    d->accept();
  });
  QVERIFY(app.window->Actions().Trigger("AnalyzeRepeats"));
  // The window keeps its windows for the next time.
  OnDialog<RepeatsDialog>([](RepeatsDialog* d) {
    QCOMPARE(d->DepthField()->value(), 7);
    QCOMPARE(d->LengthField()->value(), 100);
    d->accept();
  });
  QVERIFY(app.window->Actions().Trigger("AnalyzeRepeats"));
  QCOMPARE(app.ws->FormInt("TFormRepeats", "DrawsDeep", 0), 7);
  OnDialog<ChartWindow>([](ChartWindow* w) {
    QCOMPARE(w->View()->chart()->series().size(), 5);
    w->accept();
  });
  QVERIFY(app.window->Actions().Trigger("TotalSumCombs"));
  QVERIFY(app.messages.isEmpty());
}

// "Загрузка" at start-up fills the archive up to today from the results service; a slow reply
// is cancelled from the wait window without losing anything.
void MainWindowTest::downloadAtStartAndCancelled() {
  QTemporaryDir dir;
  const fs::path d(dir.path().toStdString());
  const int today = DateToInt(Now());
  const int from = IncDateInt(today, -5);
  WriteFileAtomic(d / "Korvane.ldr", DrawArchive::Serialize(MakeDemoDraws(20, 3, from)));
  std::vector<test::ResultDay> days;
  for (int day = from; day <= today; day = IncDateInt(day, 1))
    days.push_back(
        {Format("%02d/%02d/%04d", day / 100 % 100, day % 100, day / 10000), "1-2-3", "4-5-6"});
  test::WriteResultDays(d / "rows.tsv", days);
  test::LocalServer server({"--rows", (d / "rows.tsv").string(), "--slow", "5"});
  const auto useService = [&](const std::string& mode) {
    WriteFileAtomic(d / "Korvane.ini", "[ONLINE]\r\nResultsUrl=" + server.Url(mode) + "\r\n");
  };
  useService("gzip");
  WriteFileAtomic(d / "Korvane.frm", "[TFormMain]\r\nDownloadDrawsOnStart=1\r\n");
  Instance app(dir.path());
  QVERIFY(app.Start());
  QVERIFY(app.questions.isEmpty());
  QVERIFY2(app.messages.isEmpty(), qPrintable(app.messages.join('\n')));
  QCOMPARE(app.ws->Archive().Count(), 30);  // the five days after the archive's newest, and today
  QCOMPARE(app.Panel(0), QStringLiteral("Архив тиражей: 30"));
  QCOMPARE(app.ws->Archive().AtList(0).DateText(),
           Format("%02d/%02d/%04d E", today / 100 % 100, today % 100, today / 10000));
  // The start-up choice is a radio group that writes Korvane.frm at once.
  QVERIFY(app.window->Actions().Get("AutoDownload1")->isChecked());
  QVERIFY(app.window->Actions().Trigger("AutoDownload2"));
  QVERIFY(app.window->Actions().Get("AutoDownload2")->isChecked());
  QVERIFY(!app.window->Actions().Get("AutoDownload1")->isChecked());
  QVERIFY(ReadFile(d / "Korvane.frm").find("DownloadDrawsOnStart=2") != std::string::npos);

  // The newest four draws go; the service now answers slowly and the user cancels.
  QVERIFY(app.ws->DeleteDraws({0, 1, 2, 3}));
  useService("slow");
  app.ws->LoadGameSettingsFile();
  QString seenRange;
  bool sawWindow = false;
  QTimer::singleShot(400, [&] {
    auto* w = app.window->findChild<DownloadWindow*>();
    sawWindow = w != nullptr && w->isVisible();
    if (w == nullptr) return;
    seenRange = w->RangeLabel()->text();
    w->CancelButton()->click();
  });
  QElapsedTimer timer;
  timer.start();
  QVERIFY(app.window->Actions().Trigger("DrawsDownload"));
  QVERIFY(timer.elapsed() < 3000);
  QVERIFY(sawWindow);
  QVERIFY2(seenRange.startsWith(QStringLiteral("Загрузка тиражей ")), qPrintable(seenRange));
  QCOMPARE(app.ws->Archive().Count(), 26);
  QVERIFY(app.questions.size() == 1);  // only the question of the deletion
  QVERIFY(app.window->Actions().Get("DrawsDownload")->isEnabled());
}

void MainWindowTest::updateOfferedAtStartThenInstalledAndRestarted() {
  QTemporaryDir dir;
  const fs::path d(dir.path().toStdString());
  const fs::path prog = d / "prog";
  fs::create_directories(prog);
  WriteFileAtomic(prog / "korvane", "old program");
  test::UpdateSigner signer;
  qputenv("KORVANE_TEST_UPDATE_KEY", QByteArray::fromStdString(signer.PublicHex()));
  test::LocalServer server({"--files", (d / "site").string()});
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
  test::PublishUpdate(d / "site", signer, base, test::UpdateSection("korvane", "0.2.0.5"),
                      {{"korvane", "new program", 0755}});
  fs::create_directories(d / "site/autoupdates/UpdDescr");
  WriteFileAtomic(d / "site/autoupdates/UpdDescr/UpdDescr_RUS_0.2.0.5.txt",
                  Utf8ToCp1251("Быстрее тест сценариев.\r\n<b>не разметка</b>"));
  WriteFileAtomic(d / "Korvane.ini", "[ONLINE]\r\nUpdateHost=" + base + "\r\n");

  Instance app(dir.path());
  app.ws->SetProgramLocation(prog, "korvane");
  QStringList restart;
  app.window->setRestarter([&](const QString& program, const QStringList& args, const QString& wd) {
    restart << program << args << wd;
  });
  // At start-up (AutoUpdates is on) the offer comes as the dialog; declined, the start goes on.
  QString text;
  QString installHint;
  WhenDialogOpens<UpdateDialog>([&](UpdateDialog* dlg) {
    text = dlg->TextBox()->toPlainText();
    installHint = dlg->InstallButton()->toolTip();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Найдена новая версия программы"));
    dlg->reject();
  });
  QVERIFY(app.Start());
  QCOMPARE(text, QStringLiteral("Быстрее тест сценариев.\n<b>не разметка</b>"));
  QCOMPARE(installHint, QStringLiteral("Установить это обновление"));
  QVERIFY(restart.isEmpty());
  QVERIFY2(app.messages.isEmpty(), qPrintable(app.messages.join('\n')));
  QCOMPARE(QString::fromStdString(ReadFile(prog / "korvane")), QStringLiteral("old program"));

  // "Поиск обновлений": installed, the success box, then the restart of the new program.
  WhenDialogOpens<UpdateDialog>([](UpdateDialog* dlg) { dlg->InstallButton()->click(); });
  QVERIFY(app.window->Actions().Trigger("CheckUpdate"));
  QCOMPARE(app.messages.size(), 1);
  QVERIFY2(app.messages[0].startsWith(QStringLiteral("Установка обновления \"Корване 0.2.0.5\"")),
           qPrintable(app.messages[0]));
  QCOMPARE(QString::fromStdString(ReadFile(prog / "korvane")), QStringLiteral("new program"));
  QCOMPARE(restart, (QStringList{Q((prog / "korvane").string()), QStringLiteral("restart"),
                                 QStringLiteral("--data-dir"), dir.path(), Q(prog.string())}));
  QTRY_VERIFY(!app.window->isVisible());  // this instance ends

  // A package that does not match its signature is refused with a message.
  Instance again(dir.path());
  again.ws->SetProgramLocation(prog, "korvane");
  WriteFileAtomic(d / "Korvane.frm", "[TFormMain]\r\nAutoUpdates=0\r\nDownloadDrawsOnStart=2\r\n");
  QVERIFY(again.Start());
  QVERIFY(!again.window->Actions().Get("AutoSelfUpdate")->isChecked());
  test::WriteTar(d / "site/autoupdates/korvane-update.tar.gz", {{"korvane", "evil", 0755}});
  WhenDialogOpens<UpdateDialog>([](UpdateDialog* dlg) { dlg->InstallButton()->click(); });
  QVERIFY(again.window->Actions().Trigger("CheckUpdate"));
  QCOMPARE(again.messages.size(), 1);
  QVERIFY2(again.messages[0].startsWith(QStringLiteral("Ошибка установки обновления!")),
           qPrintable(again.messages[0]));
  QCOMPARE(QString::fromStdString(ReadFile(prog / "korvane")), QStringLiteral("new program"));
  // "Автоматическое обновление" is the AutoUpdates flag of Korvane.frm.
  QVERIFY(again.window->Actions().Trigger("AutoSelfUpdate"));
  QVERIFY(again.window->Actions().Get("AutoSelfUpdate")->isChecked());
  QVERIFY(ReadFile(d / "Korvane.frm").find("AutoUpdates=1") != std::string::npos);
  qunsetenv("KORVANE_TEST_UPDATE_KEY");
}

void MainWindowTest::systemsPageDownloadsEditsAndPlays() {
  QTemporaryDir dir;
  const fs::path d(dir.path().toStdString());
  const auto server = test::LocalServer::Library();
  WriteFileAtomic(d / "Korvane.ini",
                  Utf8ToCp1251("[ONLINE]\r\nLibraryUrl=" + server->Base() +
                               "\r\nUserName=Тестер\r\nUserMail=tester@example.org\r\n"));
  WriteArchive(dir.path(), 40);
  Instance app(dir.path());
  QVERIFY(app.Start());
  ActionTable& actions = app.window->Actions();
  // "Системная игра" shows the page, which asks the library for its list.
  actions.UpdateAll();
  QVERIFY(!actions.Get("SystemsRefresh")->isEnabled());
  QVERIFY(actions.Trigger("SystemsOn"));
  QVERIFY(actions.Get("SystemsOn")->isChecked());
  auto* page = app.window->findChild<SystemsPage*>();
  QVERIFY(page != nullptr && page->isVisible());
  QCOMPARE(page->List()->model()->rowCount(), 4);
  QCOMPARE(page->List()->model()->index(2, 0).data().toString(), QStringLiteral("Пятёрка"));
  QCOMPARE(page->List()->model()->headerData(6, Qt::Horizontal).toString(),
           QStringLiteral("Статус"));

  // Download the system of five numbers.
  page->FocusRow(2);
  actions.UpdateAll();
  QVERIFY(actions.Get("SystemsDownload")->isEnabled());
  QVERIFY(!actions.Get("SystemsDel")->isEnabled());  // not the user's
  QVERIFY(actions.Trigger("SystemsDownload"));
  QCOMPARE(page->List()->model()->index(2, 6).data().toString(), QStringLiteral("Загружена"));
  QVERIFY(fs::exists(d / "Systems/3-05-1_0012.dat"));

  // Another's system opens read-only with its combinations.
  OnDialog<SystemDialog>([](SystemDialog* dlg) {
    QVERIFY(dlg->TitleField()->isReadOnly());
    QVERIFY(!dlg->OkButton()->isVisible());
    QVERIFY(dlg->CombsField()->toPlainText().startsWith(QStringLiteral("01 02 03\n01 02 04")));
    dlg->reject();
  });
  QVERIFY(actions.Trigger("SystemsProp"));

  // A new system: the lines are normalised and the fields checked in order.
  app.messages.clear();
  OnDialog<SystemDialog>([&app](SystemDialog* dlg) {
    QCOMPARE(dlg->AuthorField()->text(), QStringLiteral("Тестер"));
    dlg->CombsField()->setPlainText(QStringLiteral("1,2,3\n1 2\n2 3 4"));
    dlg->NormaliseCombinations();
    QCOMPARE(dlg->CombsField()->toPlainText(), QStringLiteral("01 02 03\n02 03 04"));
    QCOMPARE(dlg->NumbersField()->text(), QStringLiteral("4"));
    QCOMPARE(dlg->CountField()->text(), QStringLiteral("2"));
    QVERIFY(!dlg->TryAccept());
    QCOMPARE(app.messages.last(),
             QStringLiteral("Название системы должно быть указано обязательно!"));
    dlg->TitleField()->setText(QStringLiteral("Моя"));
    QVERIFY(!dlg->TryAccept());
    QCOMPARE(app.messages.last(),
             QStringLiteral("Описание системы должно быть указано обязательно!"));
    dlg->DescriptionField()->setPlainText(QStringLiteral("проба"));
    QVERIFY(dlg->TryAccept());
  });
  QVERIFY(actions.Trigger("SystemsAdd"));
  QCOMPARE(page->List()->model()->rowCount(), 5);
  QCOMPARE(page->FocusedRow(), 4);
  actions.UpdateAll();
  QVERIFY(actions.Get("SystemsDel")->isEnabled());  // the user's own
  app.answer = true;
  QVERIFY(actions.Trigger("SystemsDel"));
  QCOMPARE(page->List()->model()->rowCount(), 4);

  // System play over a list of the five numbers 1..5.
  QVERIFY(app.ws->CombsPaste("1;2;3\n4;5;1\n"));
  actions.UpdateAll();
  const int before = app.ws->Stakes().Count();
  QString comment;
  OnDialog<MultiStakeDialog>([&comment](MultiStakeDialog* dlg) {
    comment = dlg->CommentField()->text();
    QVERIFY(dlg->TryAccept());
  });
  QVERIFY(actions.Trigger("SystemStakeAll"));
  QCOMPARE(comment, QStringLiteral("Системная игра для 5 чисел [вся система]: 3-05-1_0012"));
  QCOMPARE(app.ws->Stakes().Count() - before, 10);
  // Hidden again, the page's actions are off.
  QVERIFY(actions.Trigger("SystemsOn"));
  actions.UpdateAll();
  QVERIFY(!actions.Get("SystemStakeAll")->isEnabled());
}

void MainWindowTest::cataloguePanelPublishesRatesAndHides() {
  QTemporaryDir dir;
  const fs::path d(dir.path().toStdString());
  const auto server = test::LocalServer::Library();
  WriteFileAtomic(d / "Korvane.ini",
                  Utf8ToCp1251("[ONLINE]\r\nLibraryUrl=" + server->Base() +
                               "\r\nUserName=Тестер\r\nUserMail=tester@example.org\r\n"));
  WriteArchive(dir.path(), 40);
  Instance app(dir.path());
  QVERIFY(app.Start());
  ActionTable& actions = app.window->Actions();
  CataloguePanel* panel = app.window->findChild<ScriptPage*>()->Catalogue();
  QAbstractItemModel* list = panel->List()->model();
  auto rowOf = [&app](int32_t id) {
    const auto& rows = app.ws->CatalogueRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].id == id) return static_cast<int>(i);
    return -1;
  };
  auto cell = [list](int row, int column) { return list->index(row, column).data().toString(); };

  // Start-up loaded the catalogue with the stored filter (all but the hidden ones).
  QVERIFY(app.messages.isEmpty());
  QCOMPARE(panel->FilterBox()->currentText(), QStringLiteral("Все, кроме скрытых (по умолчанию)"));
  QCOMPARE(list->rowCount(), 4);
  QCOMPARE(list->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Рейтинг"));
  const QStringList first = {QStringLiteral("Общий"),   QStringLiteral("Три фильтра"),
                             QStringLiteral("Иван"),    QStringLiteral("Универсальный"),
                             QStringLiteral("0.1.0.1"), QStringLiteral("RUS")};
  for (int c = 0; c < first.size(); ++c) QCOMPARE(cell(rowOf(1), c), first[c]);
  QCOMPARE(cell(rowOf(1), 7), QStringLiteral("4.500"));
  QCOMPARE(cell(rowOf(1), 8), QStringLiteral("2"));
  QCOMPARE(cell(rowOf(2), 0), QStringLiteral("Мой"));
  QCOMPARE(cell(rowOf(3), 3), QStringLiteral("Other"));

  // Another program's scenario can be viewed, not downloaded.
  panel->FocusRow(rowOf(3));
  actions.UpdateAll();
  QVERIFY(!actions.Get("ScriptLibraryDownload")->isEnabled());
  QVERIFY(actions.Get("ScriptLibraryView")->isEnabled());
  QVERIFY(!actions.Get("ScriptLibraryUpload")->isEnabled());  // the editor is empty
  OnDialog<ScriptPropsDialog>([](ScriptPropsDialog* dlg) {
    QVERIFY(dlg->TitleField()->isReadOnly());
    QVERIFY(!dlg->OkButton()->isVisible());
    QCOMPARE(dlg->TitleField()->text(), QStringLiteral("Чужая программа"));
    QVERIFY(dlg->OnlyHere()->isChecked());
    dlg->reject();
  });
  QVERIFY(actions.Trigger("ScriptLibraryView"));

  // Into an empty editor the download asks nothing.
  panel->FocusRow(rowOf(1));
  QVERIFY(actions.Trigger("ScriptLibraryDownload"));
  QVERIFY(app.questions.isEmpty());
  QCOMPARE(app.ws->ScriptLines().size(), size_t{1});

  // Publishing: a taken title keeps the dialog open on the title; a free one is sent.
  OnDialog<ScriptPropsDialog>([&app](ScriptPropsDialog* dlg) {
    QCOMPARE(dlg->AuthorField()->text(), QStringLiteral("Тестер"));
    QVERIFY(dlg->OnlyHere()->isChecked());
    QVERIFY(dlg->ForAll()->isChecked());
    QCOMPARE(dlg->LanguageBox()->currentText(), QStringLiteral("Русский"));
    QVERIFY(!dlg->TryAccept());
    QCOMPARE(app.messages.last(),
             QStringLiteral("Название сценария должно быть указано обязательно!"));
    dlg->TitleField()->setText(QStringLiteral("Три фильтра"));
    QVERIFY(!dlg->TryAccept());
    QCOMPARE(app.messages.last(),
             QStringLiteral("Сценарий с таким названием уже существует!\rВыберите другое "
                            "название."));
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->focusWidget(), dlg->TitleField());
    dlg->TitleField()->setText(QStringLiteral("Мой новый"));
    dlg->AuthorField()->setText(QStringLiteral("  "));
    QVERIFY(!dlg->TryAccept());
    QCOMPARE(dlg->focusWidget(), dlg->AuthorField());
    dlg->AuthorField()->setText(QStringLiteral("Тестер"));
    dlg->Everywhere()->setChecked(true);
    dlg->DescriptionField()->setPlainText(QStringLiteral("две строки\nописания"));
    QVERIFY(dlg->TryAccept());
  });
  actions.UpdateAll();
  QVERIFY(actions.Trigger("ScriptLibraryUpload"));
  QCOMPARE(list->rowCount(), 5);
  QCOMPARE(panel->FocusedRow(), rowOf(6));
  QCOMPARE(cell(rowOf(6), 0), QStringLiteral("Мой"));
  QCOMPARE(cell(rowOf(6), 3), QStringLiteral("Универсальный"));
  QCOMPARE(cell(rowOf(6), 12), QStringLiteral("две строки описания"));
  actions.UpdateAll();
  QVERIFY(actions.Get("ScriptLibraryReplace")->isEnabled());
  QVERIFY(actions.Get("ScriptLibraryDelete")->isEnabled());

  // Rating with a comment; the list comes back with the user's rating, the focus kept.
  panel->FocusRow(rowOf(1));
  OnDialog<CommentDialog>([](CommentDialog* dlg) {
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Комментарий"));
    dlg->Field()->setText(QStringLiteral("хорошо"));
    QVERIFY(dlg->TryAccept());
  });
  QVERIFY(actions.Trigger("ScriptLibraryRate4"));
  QCOMPARE(panel->FocusedRow(), rowOf(1));
  QCOMPARE(cell(rowOf(1), 9), QStringLiteral("4"));
  actions.UpdateAll();
  QVERIFY(actions.Get("ScriptLibraryRate4")->isChecked());
  QVERIFY(!actions.Get("ScriptLibraryRate5")->isChecked());
  QVERIFY(actions.Get("ScriptLibraryRate0")->isEnabled());
  // Cancelling the comment sends nothing.
  OnDialog<CommentDialog>([](CommentDialog* dlg) { dlg->reject(); });
  QVERIFY(actions.Trigger("ScriptLibraryRate1"));
  QCOMPARE(cell(rowOf(1), 9), QStringLiteral("4"));
  WhenDialogOpens<RatesDialog>([](RatesDialog* dlg) {
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Оценки пользователей"));
    QCOMPARE(dlg->Table()->rowCount(), 3);
    QCOMPARE(dlg->Table()->horizontalHeaderItem(0)->text(), QStringLiteral("Имя"));
    QCOMPARE(dlg->Table()->item(2, 5)->text(), QStringLiteral("хорошо"));
    dlg->accept();
  });
  QVERIFY(actions.Trigger("ScriptLibraryRates"));

  // Hidden, the scenario leaves this filter's list and shows under "Скрытые".
  QVERIFY(actions.Trigger("ScriptLibraryHide"));
  QCOMPARE(rowOf(1), -1);
  emit panel->FilterBox()->activated(0);
  QCOMPARE(app.ws->View().scriptLibraryFilter, 0);
  QCOMPARE(list->rowCount(), 2);
  QCOMPARE(cell(rowOf(1), 9), QStringLiteral("Скрытый"));
  panel->FocusRow(rowOf(1));
  actions.UpdateAll();
  QVERIFY(actions.Get("ScriptLibraryHide")->isChecked());
  QVERIFY(!actions.Get("ScriptLibraryDelete")->isEnabled());  // not the user's
  emit panel->FilterBox()->activated(2);

  // The user's own one is deleted after the question.
  panel->FocusRow(rowOf(6));
  app.answer = true;
  QVERIFY(actions.Trigger("ScriptLibraryDelete"));
  QCOMPARE(app.questions.last(),
           QStringLiteral("Вы действительно хотите удалить сценарий \"Мой новый\"?"));
  QCOMPARE(rowOf(6), -1);

  // Hidden, the panel lets its list go and its actions are off; the choice is kept at once.
  QCOMPARE(app.messages.size(), 3);  // the dialog's three refusals, no failure
  QVERIFY(actions.Trigger("ScriptLibrary"));
  QVERIFY(!panel->isVisible());
  QCOMPARE(list->rowCount(), 0);
  actions.UpdateAll();
  QVERIFY(!actions.Get("ScriptLibraryRefresh")->isEnabled());
  QVERIFY(!actions.Get("ScriptLibrary")->isChecked());
  QVERIFY(Cp1251ToUtf8(ReadFile(d / "Korvane.frm")).find("ScriptLibraryOn=0") != std::string::npos);
}

void MainWindowTest::favouritesShapeTheMethodLists() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 20);
  Instance app(dir.path());
  QVERIFY(app.Start());
  QComboBox* list = app.window->findChild<StatPage*>()->MethodList();
  // The list shows each group's caption before its methods; a caption cannot be chosen.
  QCOMPARE(list->itemText(0), Q(TStatList::GroupCaption(0)));
  QVERIFY(
      !(qobject_cast<QStandardItemModel*>(list->model())->item(0)->flags() & Qt::ItemIsEnabled));
  QCOMPARE(list->currentIndex(), 1);
  const int nums = app.ws->Registry().IndexOfCode("NUMS");
  const int digs = app.ws->Registry().IndexOfCode("DIGS");
  OnDialog<FavouritesDialog>([&](FavouritesDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("Менеджер избранных методов расчета статистики"));
    QCOMPARE(d->Tree()->topLevelItem(0)->text(0), Q(TStatList::GroupCaption(0)));
    QCOMPARE(d->EntryNode(nums)->checkState(0), Qt::Checked);
    d->SetAll(false);
    d->EntryNode(nums)->setCheckState(0, Qt::Checked);
    d->EntryNode(digs)->setCheckState(0, Qt::Checked);
    d->Tree()->setCurrentItem(d->EntryNode(digs));
    d->Rename(QStringLiteral("Мои цифры"));
    d->OrderedBox()->setChecked(true);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("FiltersManager"));
  // Sorted by name: no captions, the renamed method first.
  QCOMPARE(list->count(), 2);
  QCOMPARE(list->itemText(0), QStringLiteral("{ num } Мои цифры [ N ]"));
  QVERIFY(QFileInfo::exists(dir.filePath("Korvane.flt")));
  // "Все доступные статистики" after the question; the names stay.
  app.answer = true;
  QVERIFY(app.window->Actions().Trigger("FiltersReset"));
  QCOMPARE(app.questions.last(),
           QStringLiteral("Вы действительно хотите сбросить список избранных фильтров?"));
  QCOMPARE(static_cast<size_t>(list->count()), app.ws->StatMethodList().size());
  QVERIFY(list->findText(QStringLiteral("{ num } Мои цифры [ N ]")) >= 0);

  // Typing part of a code finds the method; choosing it selects it as a click does.
  QCompleter* completer = list->lineEdit()->completer();
  QVERIFY(completer != nullptr);
  completer->setCompletionPrefix(QStringLiteral("pos2"));
  QCOMPARE(completer->completionCount(), 1);
  emit completer->activated(completer->completionModel()->index(0, 0));
  QTRY_COMPARE(app.ws->Registry().Items(app.ws->StatEntry()).MethodCode(), std::string("POS2"));
  QCOMPARE(list->currentText(), list->itemText(list->currentIndex()));
  // ... and part of a name anywhere in it.
  completer->setCompletionPrefix(QStringLiteral("ПРОСТЫХ"));
  QVERIFY(completer->completionCount() >= 1);
}

void MainWindowTest::methodHelpAndGuideOpenInside() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 20);
  Instance app(dir.path());
  QVERIFY(app.Start());
  // Every method of the registry has its page in the program.
  const TStatList& registry = app.ws->Registry();
  for (int i = 0; i < registry.Count(); ++i)
    QVERIFY2(!MethodHelpPage(registry.Items(i)).isEmpty(), registry.Items(i).MethodCode().c_str());
  QVERIFY(MethodHelpPage(registry.Items(registry.IndexOfCode("SUM2")))
              .toString()
              .endsWith(QStringLiteral("SUMx.html")));
  QVERIFY(app.ws->SelectStatMethodByCode("POS2"));
  QVERIFY(app.window->Actions().Trigger("FiltersInfo"));
  HelpWindow* help = app.window->findChild<HelpWindow*>();
  QVERIFY(help != nullptr && help->isVisible());
  QCOMPARE(help->windowTitle(), QStringLiteral("Описание методики расчета"));
  QVERIFY(help->Browser()->source().toString().endsWith(QStringLiteral("methods/POSx.html")));
  QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("POS")));
  help->close();
  QVERIFY(app.window->Actions().Trigger("GetHelp"));
  HelpWindow* guide = nullptr;
  for (HelpWindow* w : app.window->findChildren<HelpWindow*>())
    if (w->windowTitle() == QStringLiteral("Справка")) guide = w;
  QVERIFY(guide != nullptr);
  QVERIFY(guide->Browser()->source().toString().endsWith(QStringLiteral("guide.html")));
  QVERIFY(guide->Browser()->toPlainText().contains(QStringLiteral("Сценари")));
}

void MainWindowTest::sharedKeysReachTheActionOfTheFocusedPage() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 20);
  Instance app(dir.path());
  QVERIFY(app.Start());
  ActionTable& actions = app.window->Actions();
  // F7 on the statistics table with rows selected keeps them; elsewhere it opens the manager.
  StatPage* stat = app.window->findChild<StatPage*>();
  app.window->MainPages()->setCurrentWidget(stat);
  app.ws->BuildStatTable(true);
  app.ws->StatSelectRows({0});
  actions.UpdateAll();
  QVERIFY(actions.Get("StatFilter_Include")->isEnabled());
  QApplication::setActiveWindow(app.window.get());
  stat->Table()->setFocus();
  QCOMPARE(QApplication::focusWidget(), stat->Table());
  QCOMPARE(actions.SharedShortcutTarget(QKeySequence(QStringLiteral("F7"))),
           actions.Get("StatFilter_Include"));
  app.window->Archive()->List()->setFocus();
  QCOMPARE(actions.SharedShortcutTarget(QKeySequence(QStringLiteral("F7"))),
           actions.Get("FiltersManager"));
  // Alt+F4 outside the combination list is "Выход".
  QCOMPARE(actions.SharedShortcutTarget(QKeySequence(QStringLiteral("Alt+F4"))),
           actions.Get("ExitProgram"));
  // Ctrl+Tab from a table goes to the next shown main page, Ctrl+Shift+Tab back; the hidden
  // "Системы" page is passed over.
  QTabWidget* pages = app.window->MainPages();
  pages->setCurrentIndex(7);  // Регуляры
  QTest::keyClick(app.window->Archive()->List(), Qt::Key_Tab, Qt::ControlModifier);
  QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Сценарий"));
  QTest::keyClick(app.window->Archive()->List(), Qt::Key_Backtab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(pages->currentIndex(), 7);
  // The menus open with Alt and a letter of their own.
  QSet<QChar> letters;
  for (QAction* menu : app.window->menuBar()->actions()) {
    if (!menu->isVisible()) continue;
    const int amp = menu->text().indexOf(QLatin1Char('&'));
    QVERIFY2(amp >= 0, qPrintable(menu->text()));
    const QChar letter = menu->text().at(amp + 1).toLower();
    QVERIFY2(!letters.contains(letter), qPrintable(menu->text()));
    letters.insert(letter);
  }
}

void MainWindowTest::proxyDialogStoresTheChoice() {
  QTemporaryDir dir;
  Instance app(dir.path());
  QVERIFY(app.Start());
  OnDialog<ProxyDialog>([](ProxyDialog* d) {
    QVERIFY(d->NoneButton()->isChecked());
    QVERIFY(!d->HostField()->isEnabled());
    d->ManualButton()->setChecked(true);
    QVERIFY(d->HostField()->isEnabled());
    d->HostField()->setText(QStringLiteral("bad host"));
    d->PortField()->setValue(3128);
    d->UserField()->setText(QStringLiteral("me"));
    d->PasswordField()->setText(QStringLiteral("secret"));
    QTimer::singleShot(0, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    QVERIFY(!d->TryAccept());  // a host with a space is refused
    d->HostField()->setText(QStringLiteral("proxy.example"));
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("EditProxy"));
  const ProxySettings p = app.ws->Proxy();
  QCOMPARE(static_cast<int>(p.mode), 2);
  QCOMPARE(QString::fromStdString(p.server), QStringLiteral("proxy.example"));
  QCOMPARE(p.port, 3128);
  QCOMPARE(QString::fromStdString(p.password), QStringLiteral("secret"));
  // The file holding the password is the user's alone.
  const fs::path ini = fs::path(dir.path().toStdString()) / "Korvane.ini";
  QCOMPARE(fs::status(ini).permissions() & (fs::perms::group_all | fs::perms::others_all),
           fs::perms::none);
  // The automatic search clears the fields.
  OnDialog<ProxyDialog>([](ProxyDialog* d) {
    QVERIFY(d->ManualButton()->isChecked());
    d->AutoButton()->setChecked(true);
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("EditProxy"));
  QCOMPARE(static_cast<int>(app.ws->Proxy().mode), 1);
  QVERIFY(app.ws->Proxy().server.empty() && app.ws->Proxy().password.empty());
}

// "Экспорт в Microsoft Excel" of the archive: the dialog keeps the checked columns first, the
// workbook holds what was chosen, and the next export opens with the same choice.
void MainWindowTest::exportDialogWritesTheWorkbookAndKeepsItsSettings() {
  QTemporaryDir dir;
  WriteArchive(dir.path(), 12);
  Instance app(dir.path());
  QVERIFY(app.Start());
  const QString book = dir.filePath("archive.xlsx");
  app.window->setFileChooser([&](bool save, const QString&) { return save ? book : QString(); });
  app.window->Archive()->List()->selectRow(2);
  OnDialog<ExportDialog>([](ExportDialog* d) {
    QCOMPARE(d->TitleField()->text(), QStringLiteral("Архив тиражей"));
    QCOMPARE(d->SendMode()->currentIndex(), 0);  // one selected row: every row is sent
    QCOMPARE(d->RowsCount()->text(), QStringLiteral("12"));
    d->SendMode()->setCurrentIndex(1);
    QCOMPARE(d->RowsCount()->text(), QStringLiteral("1"));
    d->SendMode()->setCurrentIndex(0);
    QTreeWidget* list = d->FieldList();
    QCOMPARE(list->topLevelItemCount(), 6);
    // Unchecking "S" moves it behind the checked columns.
    list->topLevelItem(4)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(list->topLevelItem(5)->text(3), QStringLiteral("S"));
    // "Дата тиража" goes up to the front.
    list->setCurrentItem(list->topLevelItem(4));
    QCOMPARE(list->currentItem()->text(3), QStringLiteral("Дата тиража"));
    for (int i = 0; i < 4; ++i) d->UpButton()->click();
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Дата тиража"));
    QVERIFY(!d->UpButton()->isEnabled());
    QVERIFY(d->TryAccept());
  });
  QVERIFY(app.window->Actions().Trigger("DrawsXlsExport"));
  QVERIFY(QFileInfo::exists(book));
  const QString xml = QString::fromStdString(test::WorkbookSheetXml(fs::path(book.toStdString())));
  QVERIFY2(
      xml.contains(QStringLiteral("<c r=\"A4\" s=\"3\" t=\"inlineStr\"><is><t>Дата тиража</t>")),
      qPrintable(xml.left(1500)));
  QVERIFY(!xml.contains(QStringLiteral("<t>S</t>")));
  const std::string ini = ReadFile(fs::path(dir.filePath("Korvane.ini").toStdString()));
  QVERIFY(ini.find("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]") != std::string::npos);
  // The next export opens with the same columns.
  OnDialog<ExportDialog>([](ExportDialog* d) {
    QTreeWidget* list = d->FieldList();
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Дата тиража"));
    QCOMPARE(list->topLevelItem(5)->checkState(0), Qt::Unchecked);
    d->reject();
  });
  QVERIFY(app.window->Actions().Trigger("DrawsXlsExport"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
