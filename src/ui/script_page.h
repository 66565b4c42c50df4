#pragma once

#include <QAbstractTableModel>
#include <array>
#include <vector>

#include "ui/page.h"

class QLabel;
class QSplitter;
class QTableView;
class QToolBar;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// The scenario view: one row per line, made on demand from the workspace's lines.
class ScriptModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ScriptModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Refresh();

 private:
  const Workspace& ws_;
  int rows_ = 0;
};

class CataloguePanel;

// The "Сценарий" page: the tool bar, the scenario view with the run's status bar, and under
// them the online scenario catalogue (shown while ScriptLibraryOn).
class ScriptPage : public Page {
  Q_OBJECT
 public:
  ScriptPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeScript; }
  void Refresh(unsigned /*aspects*/) override { Refresh(); }
  CataloguePanel* Catalogue() const { return catalogue_; }
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;
  QTableView* View() const { return view_; }
  QToolBar* Tools() const { return tools_; }
  ScriptModel* Model() const { return model_; }
  QLabel* Panel(int i) const { return panels_[static_cast<size_t>(i)]; }
  // The first selected row, or -1; all selected rows ascending.
  int FirstSelectedRow() const;
  std::vector<int> SelectedRows() const;
  void SelectOnly(int row);
  // Follows the lines and the run state.
  void Refresh();

 signals:
  void rowActivated(int row);

 private:
  QToolBar* tools_;
  ScriptModel* model_;
  QTableView* view_;
  std::array<QLabel*, 5> panels_{};
  QSplitter* splitter_;
  CataloguePanel* catalogue_;
};

}  // namespace korvane::ui
