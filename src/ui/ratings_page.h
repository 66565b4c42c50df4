#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/page.h"

class QTableView;
class QToolBar;

namespace korvane::ui {

// The rating rows in their order, with the E columns of the efficiency mode and the two
// p columns.
class RatingsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit RatingsModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  const Workspace& ws_;
};

// The "Рейтинг" page.
class RatingsPage : public Page {
  Q_OBJECT
 public:
  RatingsPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeRatings | ChangeView; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QTableView* List() const { return list_; }
  QToolBar* Tools() const { return tools_; }
  // The chart buttons, a second row under the tool bar.
  QToolBar* ChartTools() const { return chartTools_; }
  RatingsModel* Model() const { return model_; }
  // The selected rows, ascending.
  std::vector<int> SelectedRows() const;

 signals:
  void rowActivated(int row);

 private:
  QToolBar* tools_;
  QToolBar* chartTools_;
  RatingsModel* model_;
  QTableView* list_;
};

}  // namespace korvane::ui
