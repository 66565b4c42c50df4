#pragma once

#include <QWidget>
#include <vector>

class QSpinBox;
class QTableView;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class DrawsModel;

// The "Архив тиражей" page: the offset editor and the archive list.
class ArchivePage : public QWidget {
  Q_OBJECT
 public:
  ArchivePage(Workspace& ws, QWidget* parent = nullptr);

  QTableView* List() const { return list_; }
  QSpinBox* OffsetEditor() const { return offset_; }
  DrawsModel* Model() const { return model_; }

  // The focused row (list index), or -1.
  int FocusedRow() const;
  std::vector<int> SelectedRows() const;
  // Follows the archive and the offset.
  void Refresh(bool force);

 signals:
  void rowActivated(int row);

 private:
  Workspace& ws_;
  DrawsModel* model_;
  QTableView* list_;
  QSpinBox* offset_;
};

}  // namespace korvane::ui
