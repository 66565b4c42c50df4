#pragma once

// "Количество повторов в зависимости от тиража": the repeats of the newest draws in earlier
// ones, listed and charted.

#include <QDialog>

#include "views/analyses.h"

class QSpinBox;
class QTableView;
class QAbstractTableModel;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class ZoomChartView;

class RepeatsDialog : public QDialog {
  Q_OBJECT
 public:
  RepeatsDialog(QWidget* parent, const Workspace& ws);
  QSpinBox* LengthField() const { return length_; }
  QSpinBox* DepthField() const { return depth_; }
  QTableView* List() const { return list_; }
  ZoomChartView* Chart() const { return chart_; }
  const RepeatsResult& Result() const { return result_; }
  // "Рассчитать".
  void Compute();

 private:
  const Workspace& ws_;
  QSpinBox* length_;
  QSpinBox* depth_;
  QTableView* list_;
  QAbstractTableModel* model_;
  ZoomChartView* chart_;
  RepeatsResult result_;
  int depthUsed_ = 0;
};

}  // namespace korvane::ui
