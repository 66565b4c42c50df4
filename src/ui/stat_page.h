#pragma once

#include <QWidget>

class QComboBox;
class QSpinBox;
class QTableView;
class QSplitter;
class QToolButton;

class QChartView;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class StatModel;

// The "Статистика" page: the method list, the depth, the table and its chart.
class StatPage : public QWidget {
  Q_OBJECT
 public:
  StatPage(Workspace& ws, QWidget* parent = nullptr);

  QComboBox* MethodList() const { return methods_; }
  QSpinBox* DepthEditor() const { return depth_; }
  QTableView* Table() const { return table_; }
  StatModel* Model() const { return model_; }
  QChartView* Chart() const { return chart_; }
  QSplitter* Splitter() const { return splitter_; }
  QToolButton* RefreshButton() const { return refresh_; }
  QToolButton* IncludeButton() const { return include_; }
  QToolButton* ExcludeButton() const { return exclude_; }

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

  Workspace& ws_;
  QComboBox* methods_;
  QSpinBox* depth_;
  QToolButton* refresh_;
  QToolButton* include_;
  QToolButton* exclude_;
  QTableView* table_;
  StatModel* model_;
  QChartView* chart_;
  QSplitter* splitter_;
  bool mirroring_ = false;
};

}  // namespace korvane::ui
