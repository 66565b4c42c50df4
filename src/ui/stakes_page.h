#pragma once

#include <QAbstractTableModel>

#include "ui/page.h"

class QTableView;
class QToolBar;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// The stakes grid: every cell reads its record from the stake file through the store's cache.
class StakesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit StakesModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Refresh();

 private:
  const Workspace& ws_;
  int rows_ = 1;
};

// The "Ставки" page.
class StakesPage : public Page {
  Q_OBJECT
 public:
  StakesPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeStakes; }
  void Refresh(unsigned /*aspects*/) override { Refresh(); }
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;
  QTableView* Grid() const { return grid_; }
  QToolBar* Tools() const { return tools_; }
  StakesModel* Model() const { return model_; }
  // Selected grid rows as 1-based record rows (first, last); (0, -1) when none.
  std::pair<int, int> SelectedRange() const;
  // Follows the file; scrolls to the newest record when the workspace asks for it.
  void Refresh();

 private:
  QToolBar* tools_;
  StakesModel* model_;
  QTableView* grid_;
};

}  // namespace korvane::ui
