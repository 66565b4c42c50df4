#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"
#include "ui/window_context.h"

class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class ActionTable;
class ArchivePage;
class CombsPage;
class Page;
class QtHost;
class StatPage;
class StakesPage;
class ScriptPage;
class RatingsPage;
class TablesPage;

// The main window: the pages, the status bar and the menus over one Workspace. It only
// composes; each page binds its own actions (ui/actions/) and the menus come from the layout
// lists (ui/menu_layout).
class MainWindow : public QMainWindow, public StartupFace {
  Q_OBJECT
 public:
  MainWindow(Workspace& ws, QtHost& host, CommandLine args);
  ~MainWindow() override;

  // Window creation steps; false when the program must end at once.
  bool Create();
  // The one-shot initialisation once the window is on screen; false when the program must
  // end (nothing is written to the working files then).
  bool Initialise();

  ActionTable& Actions() const { return *actions_; }
  ArchivePage* Archive() const { return ctx_.archive; }
  StatPage* Stat() const { return ctx_.stat; }
  CombsPage* Combs() const { return ctx_.combs; }
  StakesPage* Stakes() const { return ctx_.stakes; }
  ScriptPage* Script() const { return ctx_.script; }
  RatingsPage* Ratings() const { return ctx_.ratings; }
  TablesPage* Tables() const { return ctx_.tables; }
  QTabWidget* LeftPages() const { return leftPages_; }
  QTabWidget* MainPages() const { return mainPages_; }
  // The next (1) or previous (-1) shown main page.
  void StepPage(int step);
  const std::vector<Page*>& Pages() const { return pages_; }
  QLabel* Panel(int index) const { return panels_[static_cast<size_t>(index)]; }
  QMenu* Menu(const char* caption) const;

  // Tests choose files instead of the file dialogs: (save?, suggested name) -> path or empty.
  void setFileChooser(std::function<QString(bool, const QString&)> chooser) {
    fileChooser_ = std::move(chooser);
  }

  // StartupFace.
  void ApplyLanguage(int language) override;
  void RestoreWindowState() override;
  void SetCaption(const std::string& caption) override;
  void ShowFirstRunDialog() override;
  void DownloadDraws() override;
  void StoreWindowState() override;
  UpdateResult CheckForUpdate(bool silent) override;
  void Restart() override;

  // Tests see the restart instead of a new process: (program, arguments, working folder).
  using Restarter = std::function<void(const QString&, const QStringList&, const QString&)>;
  void setRestarter(Restarter restarter) { restarter_ = std::move(restarter); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Side { Left, Main };
  template <class P>
  P* AddPage(Side side, P* page);
  void BuildLayout();
  void BuildStatusBar();
  void BuildMenus();
  void OnStateChanged(unsigned aspects);
  void ScriptLock(bool running);
  void AfterRun();
  QString ChooseFile(bool save, const QString& filter, const QString& suffix);
  int MainPageIndex(const char* name) const;

  Workspace& ws_;
  QtHost& host_;
  CommandLine args_;
  WindowContext ctx_;
  ActionTable* actions_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTabWidget* leftPages_ = nullptr;
  QTabWidget* mainPages_ = nullptr;
  std::vector<Page*> pages_;
  std::array<QLabel*, 7> panels_{};
  QProgressBar* progress_ = nullptr;
  std::map<std::string, QMenu*> submenus_;
  bool closeAfterRun_ = false;
  Restarter restarter_;
  bool locked_ = false;
  bool running_ = false;
  bool shutDown_ = false;
  std::function<QString(bool, const QString&)> fileChooser_;
};

}  // namespace korvane::ui
