#pragma once

// What the action handlers of the pages work with: the engine, the face's host, the window
// and its pages, and the few services only the window has.

#include <QString>
#include <functional>

class QWidget;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class ActionTable;
class ArchivePage;
class CombsPage;
class QtHost;
class RatingsPage;
class ScriptPage;
class TablesPage;
class GraphsPage;
class CardPage;
class LayoutPage;
class WeekPage;
class StakesPage;
class StatPage;
class SystemsPage;

struct WindowContext {
  WindowContext(Workspace& ws_, QtHost& host_) : ws(ws_), host(host_) {}
  Workspace& ws;
  QtHost& host;
  QWidget* window = nullptr;
  ActionTable* actions = nullptr;
  ArchivePage* archive = nullptr;
  CombsPage* combs = nullptr;
  StatPage* stat = nullptr;
  StakesPage* stakes = nullptr;
  ScriptPage* script = nullptr;
  RatingsPage* ratings = nullptr;
  TablesPage* tables = nullptr;
  SystemsPage* systems = nullptr;
  GraphsPage* graphs = nullptr;
  CardPage* card = nullptr;
  LayoutPage* layout = nullptr;
  WeekPage* week = nullptr;
  // A file to open (save = false) or to write; empty when the user cancelled. `filter` is
  // the dialog's filter ("Файлы тиражей (*.csv)"), `suffix` the default extension.
  std::function<QString(bool save, const QString& filter, const QString& suffix)> chooseFile;
  // Main pages by object name ("tsCard"): shown or hidden.
  std::function<bool(const char* page)> pageVisible;
  std::function<void(const char* page, bool visible)> showPage;
  // Brings a main page to the front.
  std::function<void(const char* page)> activatePage;
  // After a scenario run: open its log, close the window when that was asked meanwhile.
  std::function<void()> afterRun;
  // Starts the program anew and closes this window (after an installed update).
  std::function<void()> restart;
  // True while the draw download or an update runs.
  bool downloading = false;
};

}  // namespace korvane::ui
