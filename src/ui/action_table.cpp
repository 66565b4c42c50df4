#include "ui/action_table.h"

#include <QActionGroup>
#include <QApplication>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

namespace korvane::ui {

ActionTable::ActionTable(QWidget* window, std::function<bool()> isBusy)
    : QObject(window), window_(window), isBusy_(std::move(isBusy)) {
  for (const ActionInfo& info : ActionCatalog()) {
    auto* action = new QAction(QString::fromUtf8(info.caption), window_);
    action->setObjectName(QString::fromUtf8(info.id));
    action->setToolTip(QString::fromUtf8(info.hint));
    if (*info.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut)));
    const std::string id = info.id;
    if (!actions_.emplace(id, Entry{&info, action, {}, false}).second)
      throw std::logic_error("action listed twice: " + id);
    connect(action, &QAction::triggered, this, [this, id] { Run(actions_.find(id)->second); });
    connect(action, &QAction::hovered, this, [this, action] {
      if (!isBusy_()) emit hintShown(action->toolTip());
    });
  }
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &ActionTable::UpdateAll);
  timer->start(200);
}

ActionTable::Entry& ActionTable::At(std::string_view id) {
  const auto it = actions_.find(id);
  if (it == actions_.end()) throw std::logic_error("unknown action: " + std::string(id));
  return it->second;
}

const ActionTable::Entry& ActionTable::At(std::string_view id) const {
  const auto it = actions_.find(id);
  if (it == actions_.end()) throw std::logic_error("unknown action: " + std::string(id));
  return it->second;
}

QAction* ActionTable::Get(std::string_view id) const { return At(id).action; }

const ActionInfo& ActionTable::Info(std::string_view id) const { return *At(id).info; }

void ActionTable::Bind(std::string_view id, ActionBinding binding) {
  Entry& e = At(id);
  if (e.bound) throw std::logic_error("action bound twice: " + std::string(id));
  e.bound = true;
  QAction* action = e.action;
  action->setShortcutContext(binding.scope != nullptr ? Qt::WidgetWithChildrenShortcut
                                                      : Qt::WindowShortcut);
  if (binding.checked) action->setCheckable(true);
  if (binding.radioGroup > 0) {
    QActionGroup*& group = groups_[binding.radioGroup];
    if (group == nullptr) {
      group = new QActionGroup(this);
      group->setExclusive(true);
    }
    group->addAction(action);
  }
  (binding.scope != nullptr ? binding.scope : window_)->addAction(action);
  e.binding = std::move(binding);
}

std::vector<std::string> ActionTable::Unbound() const {
  std::vector<std::string> ids;
  for (const auto& [id, e] : actions_)
    if (!e.bound) ids.push_back(id);
  return ids;
}

std::vector<std::string> ActionTable::NamesInCategory(const std::string& category) const {
  std::vector<std::string> names;
  for (const ActionInfo& info : ActionCatalog())
    if (category == info.category) names.emplace_back(info.id);
  return names;
}

void ActionTable::UpdateAll() {
  const bool busy = isBusy_();
  for (auto& [id, e] : actions_) {
    const ActionBinding& b = e.binding;
    const bool enabled = e.bound && (b.enabledWhenBusy || !busy) && (!b.update || b.update());
    if (e.action->isEnabled() != enabled) e.action->setEnabled(enabled);
    if (b.checked) {
      const bool checked = b.checked();
      if (e.action->isChecked() != checked) e.action->setChecked(checked);
    }
  }
}

void ActionTable::ResolveSharedShortcuts() {
  std::map<QString, std::vector<Entry*>> byKey;
  for (const ActionInfo& info : ActionCatalog())
    if (*info.shortcut != '\0')
      byKey[QKeySequence(QString::fromUtf8(info.shortcut)).toString()].push_back(&At(info.id));
  for (auto& [key, entries] : byKey) {
    if (entries.size() < 2) continue;
    // The actions keep the key for their menus' text; one window shortcut picks among them.
    for (Entry* e : entries) {
      QWidget* owner = e->binding.scope != nullptr ? e->binding.scope : window_;
      owner->removeAction(e->action);
      e->action->setShortcutContext(Qt::WidgetShortcut);
    }
    shared_[key] = entries;
    auto* shortcut = new QShortcut(QKeySequence(key), window_);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, key] {
      if (QAction* a = SharedShortcutTarget(QKeySequence(key))) a->trigger();
    });
  }
}

QAction* ActionTable::SharedShortcutTarget(const QKeySequence& key) {
  const auto it = shared_.find(key.toString());
  if (it == shared_.end()) return nullptr;
  UpdateAll();
  const QWidget* focus = QApplication::focusWidget();
  for (Entry* e : it->second) {
    const QWidget* scope = e->binding.scope;
    if (scope != nullptr && focus != nullptr && (scope == focus || scope->isAncestorOf(focus)) &&
        e->action->isEnabled())
      return e->action;
  }
  for (Entry* e : it->second)
    if (e->binding.scope == nullptr && e->action->isEnabled()) return e->action;
  return nullptr;
}

bool ActionTable::Trigger(std::string_view id) {
  UpdateAll();
  QAction* a = Get(id);
  if (!a->isEnabled()) return false;
  a->trigger();
  return true;
}

void ActionTable::Run(Entry& e) {
  const ActionBinding& b = e.binding;
  // A toggle's check mark follows its flag, not Qt's own flipping.
  if (b.checked) e.action->setChecked(b.checked());
  if (!e.bound || (!b.enabledWhenBusy && isBusy_()) || (b.update && !b.update())) return;
  try {
    if (b.execute) b.execute();
  } catch (const std::exception& ex) {
    emit actionFailed(QString::fromUtf8(ex.what()));
  }
  UpdateAll();
}

}  // namespace korvane::ui
