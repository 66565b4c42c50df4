#pragma once

// The analysis pages: "Графики" (a method over recent draws), "Карта", "Схема" with its
// compare lists, and "Неделя" with its chart. They show what the engine's views hold; the
// grid filters read the engine's cells by the coordinates selected here.

#include <QAbstractTableModel>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/page.h"
#include "views/grids.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
class QTableView;
class QToolBar;
class QToolButton;

namespace korvane::ui {

class ZoomChartView;

// A grid of the engine: its row 0 is the header, the other rows are the model's rows.
class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct Source {
    std::function<int()> rows;  // with the header row
    std::function<int()> cols;
    std::function<std::string(int, int)> text;
    std::function<uint32_t(int, int)> colour;
  };
  GridModel(Source source, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  Source source_;
};

// The selected cells of a grid view as engine coordinates (row 0 is the header).
std::vector<GridCell> SelectedGridCells(const QTableView* view);

class GraphsPage : public Page {
  Q_OBJECT
 public:
  GraphsPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeViews | ChangeRegistry; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;

  QComboBox* MethodList() const { return methods_; }
  QSpinBox* LengthEditor() const { return length_; }
  QCheckBox* MarksBox() const { return marks_; }
  ZoomChartView* Chart() const { return chart_; }
  QToolButton* RefreshButton() const { return refresh_; }
  // Takes the method and window shown, then makes the graph (forced or not).
  void Build(bool force);

 private:
  void FillMethods();
  void Draw();

  QComboBox* methods_;
  QSpinBox* length_;
  QCheckBox* marks_;
  QToolButton* refresh_;
  ZoomChartView* chart_;
};

class CardPage : public Page {
  Q_OBJECT
 public:
  CardPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeViews | ChangeView | ChangeSettings; }
  void Refresh(unsigned aspects) override;
  QTableView* Grid() const { return grid_; }
  QToolBar* Tools() const { return tools_; }
  GridModel* Model() const { return model_; }

 private:
  QToolBar* tools_;
  QTableView* grid_;
  GridModel* model_;
};

class LayoutPage : public Page {
  Q_OBJECT
 public:
  LayoutPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeViews | ChangeView; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  QTableView* Grid() const { return grid_; }
  QToolBar* Tools() const { return tools_; }
  QToolBar* CompareTools() const { return compareTools_; }
  GridModel* Model() const { return model_; }
  QSpinBox* LengthEditor() const { return length_; }
  QSpinBox* CompareLength(int i) const { return compareLen_[static_cast<size_t>(i)]; }
  QTableView* CompareList(int i) const { return compareLists_[static_cast<size_t>(i)]; }
  // Takes the windows typed (without Enter).
  void CommitLengths();

 private:
  QToolBar* tools_;
  QToolBar* compareTools_;
  QSpinBox* length_;
  QTableView* grid_;
  GridModel* model_;
  std::array<QSpinBox*, 5> compareLen_{};
  std::array<QTableView*, 5> compareLists_{};
  std::array<GridModel*, 5> compareModels_{};
};

class WeekPage : public Page {
  Q_OBJECT
 public:
  WeekPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeViews | ChangeView; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  QTableView* Grid() const { return grid_; }
  QToolBar* Tools() const { return tools_; }
  GridModel* Model() const { return model_; }
  QSpinBox* LengthEditor() const { return length_; }
  ZoomChartView* Chart() const { return chart_; }
  void CommitLength();
  // The chart of the current cell.
  void ShowChart();

 private:
  QToolBar* tools_;
  QSpinBox* length_;
  QTableView* grid_;
  GridModel* model_;
  ZoomChartView* chart_;
};

}  // namespace korvane::ui
