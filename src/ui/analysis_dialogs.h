#pragma once

// "Количество повторов в зависимости от тиража": the repeats of the newest draws in earlier
// ones, listed and charted.

#include <QDialog>

#include "views/analyses.h"

class QSpinBox;
class QSplitter;
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
  // Its windows and chart height come from its own section of Korvane.frm and go back there
  // when it closes.
  RepeatsDialog(QWidget* parent, Workspace& ws);
  void done(int result) override;
  QSpinBox* LengthField() const { return length_; }
  QSpinBox* DepthField() const { return depth_; }
  QTableView* List() const { return list_; }
  ZoomChartView* Chart() const { return chart_; }
  const RepeatsResult& Result() const { return result_; }
  // "Рассчитать".
  void Compute();

 private:
  Workspace& ws_;
  QSplitter* split_ = nullptr;
  QSpinBox* length_;
  QSpinBox* depth_;
  QTableView* list_;
  QAbstractTableModel* model_;
  ZoomChartView* chart_;
  RepeatsResult result_;
  int depthUsed_ = 0;
};

}  // namespace korvane::ui
