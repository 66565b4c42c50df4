#pragma once

// The chart window of the stake and rating charts: one line chart of named series, the legend
// at the bottom, and a check box that shows or hides the value marks of the series made with
// them. Modal; its caption is the hint of the action that opened it.

#include <QDialog>

#include "stakes/rating_charts.h"

class QChartView;
class QCheckBox;

namespace korvane::ui {

class ChartWindow : public QDialog {
  Q_OBJECT
 public:
  ChartWindow(QWidget* parent, const QString& caption, const ChartData& data);
  QChartView* View() const { return view_; }
  QCheckBox* MarksBox() const { return marks_; }

 private:
  QChartView* view_;
  QCheckBox* marks_;
};

}  // namespace korvane::ui
