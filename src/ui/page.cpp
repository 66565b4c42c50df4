#include "ui/page.h"

#include <QTableView>

#include "app/workspace.h"

namespace korvane::ui {

Page::Page(Workspace& ws, const char* name, const char* title, QWidget* parent)
    : QWidget(parent), ws_(ws), title_(QString::fromUtf8(title)) {
  setObjectName(QString::fromUtf8(name));
}

void RestoreColumnWidths(const Workspace& ws, QTableView* list, const char* name, int columns) {
  const ListState st = ws.Settings().List(name, columns);
  for (int c = 0; c < columns; ++c)
    if (st.columnWidths[static_cast<size_t>(c)] > 0)
      list->setColumnWidth(c, st.columnWidths[static_cast<size_t>(c)]);
}

void StoreColumnWidths(Workspace& ws, const QTableView* list, const char* name, int columns) {
  ListState st;
  for (int c = 0; c < columns; ++c)
    st.columnWidths.push_back(list->isColumnHidden(c) ? -1 : list->columnWidth(c));
  ws.StoreList(name, st);
}

}  // namespace korvane::ui
