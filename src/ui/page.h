#pragma once

// A page of the main window: which changes of the engine it follows, how it refreshes, and
// what of its layout (column widths, splitters) it keeps between runs.

#include <QWidget>

#include "app/settings_store.h"

class QTableView;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class Page : public QWidget {
  Q_OBJECT
 public:
  // `name` is the page's object name ("tsStat"), `title` its tab caption.
  Page(Workspace& ws, const char* name, const char* title, QWidget* parent = nullptr);

  QString Title() const { return title_; }
  // The ChangeAspect bits the page follows.
  virtual unsigned Aspects() const { return 0; }
  virtual void Refresh(unsigned /*aspects*/) {}
  // Column widths, sort and splitter sizes, read at start-up and written at shut-down.
  virtual void RestoreState(const Workspace& /*ws*/) {}
  virtual void StoreState(Workspace& /*ws*/, LayoutSizes& /*sizes*/) const {}

 protected:
  Workspace& ws_;

 private:
  QString title_;
};

// The stored column widths of a list ("<list>.Column<i>").
void RestoreColumnWidths(const Workspace& ws, QTableView* list, const char* name, int columns);
void StoreColumnWidths(Workspace& ws, const QTableView* list, const char* name, int columns);

}  // namespace korvane::ui
