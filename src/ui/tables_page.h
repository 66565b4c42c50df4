#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/page.h"

class QTableView;
class QToolBar;

namespace korvane::ui {

// The regulars: comment, start combination, step, current combination, stakes made.
class TablesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TablesModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  const Workspace& ws_;
};

// The "Регуляры" page.
class TablesPage : public Page {
  Q_OBJECT
 public:
  TablesPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeTables; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QTableView* List() const { return list_; }
  QToolBar* Tools() const { return tools_; }
  TablesModel* Model() const { return model_; }
  std::vector<int> SelectedRows() const;

 private:
  QToolBar* tools_;
  TablesModel* model_;
  QTableView* list_;
};

}  // namespace korvane::ui
