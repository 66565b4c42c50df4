#include "ui/favourites_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/datadir.h"
#include "ui/help_window.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

constexpr int kIndexRole = Qt::UserRole;
const QString kNamesFilter = QStringLiteral("Наименования фильтров (*.flt)");

}  // namespace

FavouritesDialog::FavouritesDialog(QWidget* parent, Workspace& ws)
    : FrameDialog(parent, QStringLiteral("Менеджер избранных методов расчета статистики")),
      ws_(ws) {
  setObjectName(QStringLiteral("FavouritesDialog"));
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(
      QStringLiteral("Отметьте методы расчета статистики, которые Вы хотите использовать:"), this));
  top->addStretch(1);
  total_ = new QLabel(this);
  top->addWidget(total_);
  Content()->addLayout(top);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("tvFavourites"));
  tree_->setHeaderHidden(true);
  tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  Content()->addWidget(tree_, 1);

  auto* buttons = new QHBoxLayout;
  auto* rename = new QPushButton(QStringLiteral("Переименовать"), this);
  rename->setToolTip(QStringLiteral("Переименовать фильтр"));
  auto* reset = new QPushButton(QStringLiteral("Вернуть"), this);
  reset->setToolTip(QStringLiteral("Вернуть наименование \"по умолчанию\""));
  auto* info = new QPushButton(QStringLiteral("Описание"), this);
  info->setToolTip(QStringLiteral("Справочная информация о выделенном методе расчета статистики"));
  for (QPushButton* b : {rename, reset, info}) buttons->addWidget(b);
  buttons->addStretch(1);
  Content()->addLayout(buttons);

  auto* options = new QGroupBox(
      QStringLiteral(" Параметры вывода наименований в списках методов расчета статистики "), this);
  auto* ol = new QVBoxLayout(options);
  ordered_ = new QCheckBox(QStringLiteral("Сортировать списки по названию метода"), options);
  group_ = new QCheckBox(
      QStringLiteral("Отображать идентификатор группы { xxx } перед названием метода"), options);
  flags_ = new QCheckBox(
      QStringLiteral("Отображать особенности метода [ YYY ] после названия метода"), options);
  for (QCheckBox* c : {ordered_, group_, flags_}) ol->addWidget(c);
  Content()->addWidget(options);
  resize(720, 680);

  connect(rename, &QPushButton::clicked, this, [this] { AskRename(); });
  connect(reset, &QPushButton::clicked, this, [this] { ResetName(); });
  connect(info, &QPushButton::clicked, this, [this] { ShowInfo(); });
  // The box takes a click; a double click on the name toggles the tick too.
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [](QTreeWidgetItem* item, int) {
    if (item->parent() == nullptr) return;
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  });
  connect(tree_, &QTreeWidget::customContextMenuRequested, this, &FavouritesDialog::ContextMenu);
  Build();
}

void FavouritesDialog::Build() {
  const TStatList& registry = ws_.Registry();
  tree_->clear();
  total_->setText(QStringLiteral("всего %1 методов").arg(registry.Count()));
  std::vector<std::pair<QString, QTreeWidgetItem*>> groups;
  for (int i = 0; i < registry.Count(); ++i) {
    const TStatMethod& m = registry.Items(i);
    const QString caption = Q(TStatList::GroupCaption(m.statClass->group));
    QTreeWidgetItem* parent = nullptr;
    for (const auto& [text, node] : groups)
      if (text.compare(caption, Qt::CaseInsensitive) == 0) parent = node;
    if (parent == nullptr) {
      parent = new QTreeWidgetItem(tree_, {caption});
      QFont bold = parent->font(0);
      bold.setBold(true);
      parent->setFont(0, bold);
      groups.emplace_back(caption, parent);
    }
    auto* node =
        new QTreeWidgetItem(parent, {Q(m.customName.empty() ? m.DefaultName() : m.customName)});
    node->setData(0, kIndexRole, i);
    node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    node->setCheckState(0, registry.IsEnabled(i) ? Qt::Checked : Qt::Unchecked);
    node->setToolTip(0, Q(m.MethodCode()));
  }
  tree_->expandAll();
  ordered_->setChecked(registry.ordered);
  group_->setChecked(registry.showGroupName);
  flags_->setChecked(registry.showMethodFlags);
}

QTreeWidgetItem* FavouritesDialog::EntryNode(int index) const {
  for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = tree_->topLevelItem(g);
    for (int c = 0; c < group->childCount(); ++c)
      if (group->child(c)->data(0, kIndexRole).toInt() == index) return group->child(c);
  }
  return nullptr;
}

QTreeWidgetItem* FavouritesDialog::SelectedEntry() const {
  QTreeWidgetItem* item = tree_->currentItem();
  return item != nullptr && item->parent() != nullptr ? item : nullptr;
}

Workspace::FavouriteChoice FavouritesDialog::Choice() const {
  Workspace::FavouriteChoice c;
  const int n = ws_.Registry().Count();
  c.enabled.assign(static_cast<size_t>(n), true);
  c.names.assign(static_cast<size_t>(n), std::string());
  for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = tree_->topLevelItem(g);
    for (int k = 0; k < group->childCount(); ++k) {
      QTreeWidgetItem* node = group->child(k);
      const int i = node->data(0, kIndexRole).toInt();
      if (i < 0 || i >= n) continue;
      c.enabled[static_cast<size_t>(i)] = node->checkState(0) == Qt::Checked;
      c.names[static_cast<size_t>(i)] = S(node->text(0));
    }
  }
  c.ordered = ordered_->isChecked();
  c.showGroupName = group_->isChecked();
  c.showMethodFlags = flags_->isChecked();
  return c;
}

void FavouritesDialog::SetAll(bool on) {
  for (int g = 0; g < tree_->topLevelItemCount(); ++g)
    for (int k = 0; k < tree_->topLevelItem(g)->childCount(); ++k)
      tree_->topLevelItem(g)->child(k)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void FavouritesDialog::SetGroup(bool on) {
  QTreeWidgetItem* item = tree_->currentItem();
  if (item == nullptr) return;
  QTreeWidgetItem* group = item->parent() != nullptr ? item->parent() : item;
  for (int k = 0; k < group->childCount(); ++k)
    group->child(k)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void FavouritesDialog::AskRename() {
  QTreeWidgetItem* item = SelectedEntry();
  if (item == nullptr) return;
  bool ok = false;
  const QString name = QInputDialog::getText(this, QStringLiteral("Переименование"),
                                             QStringLiteral("Введите наименование фильтра:"),
                                             QLineEdit::Normal, item->text(0), &ok);
  if (ok) Rename(name);
}

void FavouritesDialog::Rename(const QString& name) {
  if (QTreeWidgetItem* item = SelectedEntry()) item->setText(0, name.trimmed());
}

void FavouritesDialog::ResetName() {
  if (QTreeWidgetItem* item = SelectedEntry())
    item->setText(0, Q(ws_.Registry().Items(item->data(0, kIndexRole).toInt()).DefaultName()));
}

void FavouritesDialog::ShowInfo() {
  if (QTreeWidgetItem* item = SelectedEntry())
    ShowHelpWindow(this, QStringLiteral("Описание методики расчета"),
                   MethodHelpPage(ws_.Registry().Items(item->data(0, kIndexRole).toInt())));
}

void FavouritesDialog::ImportNames(const QString& file) {
  if (file.isEmpty()) return;
  ws_.ImportFilterNames(S(file));
  Build();
}

void FavouritesDialog::ExportNames(const QString& file) {
  if (file.isEmpty()) return;
  ws_.ExportFilterNames(Choice().names, S(file));
}

void FavouritesDialog::ContextMenu(const QPoint& at) {
  QMenu menu(this);
  const bool any = tree_->topLevelItemCount() > 0;
  const bool selected = tree_->currentItem() != nullptr;
  const bool entry = SelectedEntry() != nullptr;
  auto add = [&](const char* caption, const char* hint, bool enabled, auto&& f) {
    QAction* a = menu.addAction(QString::fromUtf8(caption), this, f);
    a->setToolTip(QString::fromUtf8(hint));
    a->setEnabled(enabled);
  };
  add("Сбросить группу", "Снять отметки со всех фильтров группы", selected,
      [this] { SetGroup(false); });
  add("Выбрать группу", "Поставить отметки у всех фильтров группы", selected,
      [this] { SetGroup(true); });
  menu.addSeparator();
  add("Сбросить все", "Снять отметки со всех фильтров", any, [this] { SetAll(false); });
  add("Выбрать все", "Поставить отметки у всех фильтров", any, [this] { SetAll(true); });
  menu.addSeparator();
  add("Описание", "Справочная информация о выделенном методе расчета статистики", entry,
      [this] { ShowInfo(); });
  menu.addSeparator();
  add("Переименовать", "Переименовать фильтр", entry, [this] { AskRename(); });
  add("Вернуть", "Вернуть наименование \"по умолчанию\"", entry, [this] { ResetName(); });
  menu.addSeparator();
  const QString dir = Q(ExecutableDir().string());
  add("Импорт названий", "Импорт названий фильтров из файла", true, [this, dir] {
    ImportNames(QFileDialog::getOpenFileName(this, QString(), dir, kNamesFilter));
  });
  add("Экспорт названий", "Экспорт названий фильтров в файл", true, [this, dir] {
    QString file = QFileDialog::getSaveFileName(this, QString(), dir, kNamesFilter);
    if (!file.isEmpty() && !file.endsWith(QStringLiteral(".flt"), Qt::CaseInsensitive))
      file += QStringLiteral(".flt");
    ExportNames(file);
  });
  menu.exec(tree_->viewport()->mapToGlobal(at));
}

}  // namespace korvane::ui
