#include "ui/draws_model.h"

#include <QColor>

#include "app/workspace.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {
constexpr QRgb kOffsetRow = 0xFFAAAA;
}

DrawsModel::DrawsModel(const Workspace& ws, QObject* parent)
    : QAbstractTableModel(parent), ws_(ws), rows_(ws.Archive().Count()) {}

int DrawsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DrawsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ArchiveColumnCount;
}

QVariant DrawsModel::data(const QModelIndex& index, int role) const {
  const DrawArchive& a = ws_.Archive();
  const int row = index.row();
  if (!index.isValid() || row >= a.Count()) return {};
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole: {
      const TDrawRec& d = a.AtList(row);
      if (col == 0) return d.number;
      if (col >= 1 && col <= 3) {
        TComb nums = d.nums;
        if (ws_.View().sortedDraws) SortComb(nums);
        return nums[static_cast<size_t>(col - 1)];
      }
      if (col == 4) return d.nums[0] + d.nums[1] + d.nums[2];
      return Q(a.RowTexts(row, false)[5]);
    }
    case Qt::BackgroundRole: {
      if (ws_.View().colorDraws && col >= 1 && col <= 3) {
        TComb nums = a.AtList(row).nums;
        if (ws_.View().sortedDraws) SortComb(nums);
        return QColor(
            QRgb(ChannelColor(nums[static_cast<size_t>(col - 1)], ws_.Config().channelSize)));
      }
      if (row == a.DrawsOffset()) return QColor(kOffsetRow);
      if (ws_.View().colorDraws) return QColor(Qt::white);
      return {};
    }
    case Qt::ForegroundRole:
      if (ws_.View().colorDraws || row == a.DrawsOffset()) return QColor(Qt::black);
      return {};
    case Qt::TextAlignmentRole:
      return col == 5 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignCenter);
    default:
      return {};
  }
}

QVariant DrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= ArchiveColumnCount) return {};
  return Q(ArchiveColumnCaptions()[static_cast<size_t>(section)]);
}

void DrawsModel::Refresh(bool force) {
  const int count = ws_.Archive().Count();
  if (force || count != rows_) {
    beginResetModel();
    rows_ = count;
    endResetModel();
  } else if (rows_ > 0) {
    emit dataChanged(index(0, 0), index(rows_ - 1, ArchiveColumnCount - 1));
  }
}

}  // namespace korvane::ui
