#include "ui/stat_model.h"

#include "app/workspace.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

StatModel::StatModel(const Workspace& ws, QObject* parent) : QAbstractTableModel(parent), ws_(ws) {}

int StatModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ws_.Stats().RowCount();
}

int StatModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : StatColumnCount;
}

QVariant StatModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= ws_.Stats().RowCount()) return {};
  const StatRow& row = ws_.Stats().Rows()[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) return Q(row.texts[static_cast<size_t>(index.column())]);
  if (role == Qt::TextAlignmentRole)
    return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant StatModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= StatColumnCount) return {};
  if (role == Qt::DisplayRole)
    return QString::fromUtf8(StatColumnCaptions()[static_cast<size_t>(section)]);
  if (role == Qt::ToolTipRole) return QString::fromUtf8(StatColumnHints[section]);
  return {};
}

void StatModel::Reset() {
  beginResetModel();
  endResetModel();
}

}  // namespace korvane::ui
