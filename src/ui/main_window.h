#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>

#include "app/command_line.h"
#include "app/startup.h"
#include "core/settings.h"

class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTableView;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class ActionTable;
class ArchivePage;
class CombsPage;
class QtHost;
class StatPage;
class StakesPage;
class ScriptPage;

// The main window: pages, menus, status bar and the action table over one Workspace.
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
  ArchivePage* Archive() const { return archive_; }
  StatPage* Stat() const { return stat_; }
  CombsPage* Combs() const { return combs_; }
  StakesPage* Stakes() const { return stakes_; }
  ScriptPage* Script() const { return script_; }
  QTabWidget* LeftPages() const { return leftPages_; }
  QTabWidget* MainPages() const { return mainPages_; }
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
  void StoreWindowState() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void BuildStatusBar();
  void RegisterActions();
  void RegisterArchiveActions();
  void RegisterViewActions();
  void RegisterHelpActions();
  void RegisterStatActions();
  void RegisterCombsActions();
  void RegisterStakeActions();
  void RegisterScriptActions();
  void ScriptLock(bool running);
  void AfterRun();
  void StoreList(QTableView* list, const char* name, int columns);
  void RestoreList(QTableView* list, const char* name, int columns);
  void BuildMenus();
  void OnStateChanged(unsigned aspects);
  QString ChooseFile(bool save, const QString& suggested, const QString& filter,
                     const QString& suffix);
  QString HelpFile() const;
  void AddTabToggle(const char* name, const char* caption, const char* hint, int page,
                    bool ViewSettings::*flag, const char* key);
  void AddViewToggle(const char* name, const char* caption, const char* hint,
                     bool ViewSettings::*flag, const char* key, std::function<bool()> update);

  // Archive actions.
  void DrawsAddExecute();
  void DrawsEditExecute();
  void DrawsDelExecute();
  void DrawsImportExecute();
  void DrawsExportExecute();
  void DrawsInfoExecute();
  void EditConfigExecute();

  Workspace& ws_;
  QtHost& host_;
  CommandLine args_;
  ActionTable* actions_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTabWidget* leftPages_ = nullptr;
  QTabWidget* mainPages_ = nullptr;
  ArchivePage* archive_ = nullptr;
  StatPage* stat_ = nullptr;
  CombsPage* combs_ = nullptr;
  StakesPage* stakes_ = nullptr;
  ScriptPage* script_ = nullptr;
  bool closeAfterRun_ = false;
  bool locked_ = false;
  std::array<QLabel*, 7> panels_{};
  QProgressBar* progress_ = nullptr;
  std::array<QWidget*, 10> pages_{};
  QMenu* languageMenu_ = nullptr;
  bool running_ = false;
  bool shutDown_ = false;
  std::function<QString(bool, const QString&)> fileChooser_;
};

}  // namespace korvane::ui
