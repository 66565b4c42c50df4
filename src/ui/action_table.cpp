#include "ui/action_table.h"

#include <QActionGroup>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

namespace korvane::ui {

ActionTable::ActionTable(QWidget* window, std::function<bool()> isBusy)
    : QObject(window), window_(window), isBusy_(std::move(isBusy)) {
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &ActionTable::UpdateAll);
  timer->start(200);
}

QAction* ActionTable::Add(ActionSpec spec) {
  auto* action = new QAction(QString::fromUtf8(spec.caption), window_);
  action->setObjectName(QString::fromUtf8(spec.name));
  action->setToolTip(QString::fromUtf8(spec.hint));
  if (*spec.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromUtf8(spec.shortcut)));
  action->setShortcutContext(spec.scope != nullptr ? Qt::WidgetWithChildrenShortcut
                                                   : Qt::WindowShortcut);
  if (spec.checked) action->setCheckable(true);
  if (spec.radioGroup > 0) {
    QActionGroup*& group = groups_[spec.radioGroup];
    if (group == nullptr) {
      group = new QActionGroup(this);
      group->setExclusive(true);
    }
    group->addAction(action);
  }
  (spec.scope != nullptr ? spec.scope : window_)->addAction(action);
  const std::string name = spec.name;
  order_.push_back(name);
  Entry& e = actions_[name];
  e.spec = std::move(spec);
  e.action = action;
  connect(action, &QAction::triggered, this, [this, name] { Run(actions_.at(name)); });
  connect(action, &QAction::hovered, this, [this, name] {
    if (!isBusy_()) emit hintShown(actions_.at(name).action->toolTip());
  });
  return action;
}

QAction* ActionTable::Get(const std::string& name) const {
  auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second.action;
}

const ActionSpec& ActionTable::Spec(const std::string& name) const {
  return actions_.at(name).spec;
}

std::vector<std::string> ActionTable::NamesInCategory(const std::string& category) const {
  std::vector<std::string> names;
  for (const std::string& n : order_)
    if (category == actions_.at(n).spec.category) names.push_back(n);
  return names;
}

void ActionTable::UpdateAll() {
  const bool busy = isBusy_();
  for (auto& [name, e] : actions_) {
    const bool enabled = (e.spec.enabledWhenBusy || !busy) && (!e.spec.update || e.spec.update());
    if (e.action->isEnabled() != enabled) e.action->setEnabled(enabled);
    if (e.spec.checked) {
      const bool checked = e.spec.checked();
      if (e.action->isChecked() != checked) e.action->setChecked(checked);
    }
  }
}

bool ActionTable::Trigger(const std::string& name) {
  UpdateAll();
  QAction* a = Get(name);
  if (a == nullptr || !a->isEnabled()) return false;
  a->trigger();
  return true;
}

void ActionTable::Run(Entry& e) {
  // A toggle's check mark follows its flag, not Qt's own flipping.
  if (e.spec.checked) e.action->setChecked(e.spec.checked());
  if ((!e.spec.enabledWhenBusy && isBusy_()) || (e.spec.update && !e.spec.update())) return;
  try {
    if (e.spec.execute) e.spec.execute();
  } catch (const std::exception& ex) {
    emit actionFailed(QString::fromUtf8(ex.what()));
  }
  UpdateAll();
}

}  // namespace korvane::ui
