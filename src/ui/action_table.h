#pragma once

// The actions of the main window: one QAction per catalogue row, bound exactly once to what
// it does by the page that owns it. The busy state disables all of them.

#include <QAction>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/action_catalog.h"

namespace korvane::ui {

// What an action does (Execute) and when it is enabled (Update, on top of the window being
// idle).
struct ActionBinding {
  ActionBinding() = default;
  ActionBinding(std::function<void()> execute_, std::function<bool()> update_ = {},
                std::function<bool()> checked_ = {}, int radioGroup_ = 0,
                bool enabledWhenBusy_ = false, QWidget* scope_ = nullptr)
      : execute(std::move(execute_)),
        update(std::move(update_)),
        checked(std::move(checked_)),
        radioGroup(radioGroup_),
        enabledWhenBusy(enabledWhenBusy_),
        scope(scope_) {}

  std::function<void()> execute;
  std::function<bool()> update;   // empty: enabled whenever the window is idle
  std::function<bool()> checked;  // set for toggles: the flag the check mark shows
  int radioGroup = 0;             // > 0: one checked action per group
  bool enabledWhenBusy = false;   // the stop action of long runs
  // A page-bound shortcut: active only while the focus is inside this widget (several pages
  // share shortcuts); null for window-wide shortcuts.
  QWidget* scope = nullptr;
};

class ActionTable : public QObject {
  Q_OBJECT
 public:
  // Creates the actions of the catalogue.
  ActionTable(QWidget* window, std::function<bool()> isBusy);

  // The action of an id; throws std::logic_error for an id the catalogue does not know.
  QAction* Get(std::string_view id) const;
  const ActionInfo& Info(std::string_view id) const;
  // Binds an action; throws std::logic_error for an unknown id or a second binding.
  void Bind(std::string_view id, ActionBinding binding);
  // The ids of the catalogue that nothing bound.
  std::vector<std::string> Unbound() const;
  std::vector<std::string> NamesInCategory(const std::string& category) const;

  // Keys the catalogue gives to more than one action reach one of them: the enabled action
  // whose page holds the focus, else the first enabled window-wide one in catalogue order.
  // Called once every action is bound.
  void ResolveSharedShortcuts();
  // The action a shared key press reaches now (null: none); for the tests.
  QAction* SharedShortcutTarget(const QKeySequence& key);

  // Runs every update handler now; called on a timer, after every action and when the busy
  // state changes.
  void UpdateAll();
  // Runs the action as if the user chose it (when it is enabled); true when it ran.
  bool Trigger(std::string_view id);

 signals:
  // The hint of the action under the pointer (shown as the status text while idle).
  void hintShown(const QString& hint);
  // An action's handler failed with this text.
  void actionFailed(const QString& text);

 private:
  struct Entry {
    const ActionInfo* info = nullptr;
    QAction* action = nullptr;
    ActionBinding binding;
    bool bound = false;
  };
  Entry& At(std::string_view id);
  const Entry& At(std::string_view id) const;
  void Run(Entry& e);

  QWidget* window_;
  std::function<bool()> isBusy_;
  std::map<std::string, Entry, std::less<>> actions_;
  std::map<int, QActionGroup*> groups_;
  std::map<QString, std::vector<Entry*>> shared_;  // by the key's text
};

}  // namespace korvane::ui
