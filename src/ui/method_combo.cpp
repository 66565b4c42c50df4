#include "ui/method_combo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTimer>

#include "app/workspace.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr const char* kCompleterModel = "methodSearchModel";

// The completer's list: "CODE — list text" for every method of the box.
void FillSearch(QComboBox* box, const Workspace& ws) {
  auto* model = box->findChild<QStandardItemModel*>(QString::fromLatin1(kCompleterModel));
  if (model == nullptr) return;
  model->clear();
  for (int i = 0; i < box->count(); ++i) {
    const QVariant entry = box->itemData(i, kEntryRole);
    if (!entry.isValid()) continue;
    auto* item = new QStandardItem(Q(ws.Registry().Items(entry.toInt()).MethodCode()) +
                                   QStringLiteral(" — ") + box->itemText(i));
    item->setData(entry, kEntryRole);
    model->appendRow(item);
  }
}

}  // namespace

void FillMethodCombo(QComboBox* box, const Workspace& ws, const std::vector<int>& entries) {
  const QSignalBlocker block(box);
  box->clear();
  const TStatList& registry = ws.Registry();
  int group = -1;
  auto* model = qobject_cast<QStandardItemModel*>(box->model());
  for (int entry : entries) {
    const int g = registry.Items(entry).statClass->group;
    if (!registry.ordered && g != group && model != nullptr) {
      // The group's caption: shown, never chosen.
      box->addItem(Q(TStatList::GroupCaption(g)));
      QStandardItem* caption = model->item(box->count() - 1);
      caption->setFlags(Qt::NoItemFlags);
      QFont bold = box->font();
      bold.setBold(true);
      caption->setFont(bold);
      caption->setData(QColor(60, 60, 120), Qt::ForegroundRole);
    }
    group = g;
    box->addItem(Q(registry.ListText(entry, true)), entry);
  }
  FillSearch(box, ws);
  // The popup shows whole names, a screenful at most.
  box->setMaxVisibleItems(24);
  box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 40);
}

int ComboEntry(const QComboBox* box) {
  const QVariant v = box->currentData(kEntryRole);
  return v.isValid() ? v.toInt() : -1;
}

int ComboIndexOf(const QComboBox* box, int entry) {
  return entry < 0 ? -1 : box->findData(entry, kEntryRole);
}

void ShowComboEntry(QComboBox* box, int entry) {
  const QSignalBlocker block(box);
  box->setCurrentIndex(ComboIndexOf(box, entry));
}

void MakeMethodComboSearchable(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setPlaceholderText(QStringLiteral("Код или часть названия метода"));
  auto* model = new QStandardItemModel(box);
  model->setObjectName(QString::fromLatin1(kCompleterModel));
  auto* completer = new QCompleter(model, box);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setFilterMode(Qt::MatchContains);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  completer->setMaxVisibleItems(20);
  completer->popup()->setMinimumWidth(520);
  // On the line itself: the box would look the chosen text up among its own items.
  box->lineEdit()->setCompleter(completer);
  // The box's own list keeps its item texts; the line shows the chosen method again after a
  // search, also when the typed text matched nothing.
  auto restore = [box] {
    if (box->currentIndex() >= 0) box->lineEdit()->setText(box->itemText(box->currentIndex()));
  };
  QObject::connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), box,
                   [box, restore](const QModelIndex& index) {
                     const int at = ComboIndexOf(box, index.data(kEntryRole).toInt());
                     QTimer::singleShot(0, box, [box, at, restore] {
                       if (at >= 0) {
                         box->setCurrentIndex(at);
                         emit box->activated(at);
                       }
                       restore();
                     });
                   });
  QObject::connect(box->lineEdit(), &QLineEdit::editingFinished, box, restore);
}

}  // namespace korvane::ui
