#pragma once

#include <QAbstractTableModel>

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// The statistics table: rows straight from the engine's table, in its order.
class StatModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit StatModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The engine's rows changed (rebuilt or re-sorted).
  void Reset();

 private:
  const Workspace& ws_;
};

}  // namespace korvane::ui
