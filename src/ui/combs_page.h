#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "core/game.h"
#include "ui/page.h"

class QSplitter;
class QSpinBox;
class QTableView;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// The combination list: rows made on demand from the engine's list.
class CombsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit CombsModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Follows the list: the rows are reset when the count changed (or with force), otherwise
  // the visible rows are repainted.
  void Refresh(bool force);

 private:
  const Workspace& ws_;
  int rows_ = 0;
};

// The "Комбинации" page: the combination list over the applied-filters list.
class CombsPage : public Page {
  Q_OBJECT
 public:
  CombsPage(Workspace& ws, QWidget* parent = nullptr);

  unsigned Aspects() const override;
  void Refresh(unsigned /*aspects*/) override { Refresh(false); }
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QTableView* List() const { return list_; }
  CombsModel* Model() const { return model_; }
  QTreeWidget* Filters() const { return filters_; }
  QSplitter* Splitter() const { return splitter_; }
  QToolBar* Tools() const { return tools_; }
  QSpinBox* ExcludeEditor() const { return exclude_; }
  QToolButton* ExcludeButton() const { return excludeButton_; }

  // The exclusion count as typed, also before Enter confirmed it.
  int ExcludeCount() const;
  std::vector<int> SelectedRows() const;
  // The first selected row, or -1.
  int FirstSelectedRow() const;
  // Follows the engine's list and applied-filters list.
  void Refresh(bool force);

 signals:
  void rowActivated(int row);
  // Enter in the exclusion editor.
  void excludeRequested();

 private:
  QToolBar* tools_;
  QSpinBox* exclude_;
  QToolButton* excludeButton_;
  CombsModel* model_;
  QTableView* list_;
  QTreeWidget* filters_;
  QSplitter* splitter_;
};

}  // namespace korvane::ui
