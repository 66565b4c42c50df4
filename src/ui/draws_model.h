#pragma once

#include <QAbstractTableModel>

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// The archive list: rows are made from the archive on demand, newest draw first.
class DrawsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit DrawsModel(const Workspace& ws, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Follows the archive: with force, or when the row count differs, the rows are reset;
  // otherwise the visible rows are repainted.
  void Refresh(bool force);

 private:
  const Workspace& ws_;
  int rows_ = 0;
};

}  // namespace korvane::ui
