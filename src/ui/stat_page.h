#pragma once

#include <QString>
#include <vector>

#include "ui/page.h"

class QComboBox;
class QSpinBox;
class QTableView;
class QSplitter;
class QToolButton;

class QLineSeries;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class StatModel;
class ZoomChartView;

// The "Статистика" page: the method list, the depth, the table and its chart.
class StatPage : public Page {
  Q_OBJECT
 public:
  StatPage(Workspace& ws, QWidget* parent = nullptr);

  unsigned Aspects() const override { return ChangeRegistry | ChangeStats; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QComboBox* MethodList() const { return methods_; }
  QSpinBox* DepthEditor() const { return depth_; }
  QTableView* Table() const { return table_; }
  // The "Значение" column that stays in view when the table scrolls sideways.
  QTableView* ValueColumn() const { return frozen_; }
  StatModel* Model() const { return model_; }
  ZoomChartView* Chart() const { return chart_; }
  QSplitter* Splitter() const { return splitter_; }
  QToolButton* RefreshButton() const { return refresh_; }
  QToolButton* IncludeButton() const { return include_; }
  QToolButton* ExcludeButton() const { return exclude_; }

  // Takes a depth typed but not yet confirmed with Enter.
  void CommitDepth();
  // Refills the method list from the workspace (after a registry rebuild).
  void FillMethods();
  // Shows the engine's table and chart.
  void ShowTable();
  // The engine's rows were re-sorted: the view follows, keeping the engine's selection.
  void ShowRows();

 signals:
  // The user chose another method or confirmed a depth: a build without force.
  void buildRequested();
  // The user changed the selected rows.
  void selectionChanged();

 private:
  void DrawChart();
  void MirrorSelection();
  // The points of the selected rows stand out in the chart.
  void HighlightSelection();
  void PlaceValueColumn();
  bool eventFilter(QObject* watched, QEvent* event) override;

  QComboBox* methods_;
  QSpinBox* depth_;
  QToolButton* refresh_;
  QToolButton* include_;
  QToolButton* exclude_;
  QTableView* table_;
  QTableView* frozen_;
  StatModel* model_;
  ZoomChartView* chart_;
  QLineSeries* actual_ = nullptr;
  std::vector<QString> pointLabels_;  // the value text of each point of actual_
  QSplitter* splitter_;
  bool mirroring_ = false;
};

}  // namespace korvane::ui
