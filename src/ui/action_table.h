#pragma once

#include <QAction>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korvane::ui {

// One action of the main window: its name, caption, hint, shortcut and category, what it
// does (Execute) and when it is enabled (Update, on top of the window being idle).
struct ActionSpec {
  const char* name = "";
  const char* caption = "";
  const char* hint = "";
  const char* shortcut = "";
  const char* category = "";
  std::function<void()> execute;
  std::function<bool()> update;   // empty: enabled whenever the window is idle
  std::function<bool()> checked;  // set for toggles: the flag the check mark shows
  int radioGroup = 0;             // > 0: one checked action per group
  bool enabledWhenBusy = false;   // the stop action of long runs
  // A page-bound shortcut: active only while the focus is inside this widget (several pages
  // share shortcuts); null for window-wide shortcuts.
  QWidget* scope = nullptr;
};

// The action table: every action of the window in one place. The busy state disables all.
class ActionTable : public QObject {
  Q_OBJECT
 public:
  ActionTable(QWidget* window, std::function<bool()> isBusy);

  QAction* Add(ActionSpec spec);
  QAction* Get(const std::string& name) const;
  bool Has(const std::string& name) const { return actions_.count(name) > 0; }
  const ActionSpec& Spec(const std::string& name) const;
  std::vector<std::string> NamesInCategory(const std::string& category) const;

  // Runs every update handler now; called on a timer, after every action and when the busy
  // state changes.
  void UpdateAll();
  // Runs the action as if the user chose it (when it is enabled); true when it ran.
  bool Trigger(const std::string& name);

 signals:
  // The hint of the action under the pointer (shown as the status text while idle).
  void hintShown(const QString& hint);
  // An action's handler failed with this text.
  void actionFailed(const QString& text);

 private:
  struct Entry {
    ActionSpec spec;
    QAction* action = nullptr;
  };
  void Run(Entry& e);

  QWidget* window_;
  std::function<bool()> isBusy_;
  std::map<std::string, Entry> actions_;
  std::vector<std::string> order_;
  std::map<int, QActionGroup*> groups_;
};

}  // namespace korvane::ui
