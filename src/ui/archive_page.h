#pragma once

#include <vector>

#include "ui/page.h"

class QLabel;
class QSpinBox;
class QTableView;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

class DrawsModel;

// The "Архив тиражей" page: the offset editor and the archive list.
class ArchivePage : public Page {
  Q_OBJECT
 public:
  ArchivePage(Workspace& ws, QWidget* parent = nullptr);

  unsigned Aspects() const override;
  void Refresh(unsigned /*aspects*/) override { Refresh(false); }
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QTableView* List() const { return list_; }
  QSpinBox* OffsetEditor() const { return offset_; }
  DrawsModel* Model() const { return model_; }

  // The focused row (list index), or -1.
  int FocusedRow() const;
  std::vector<int> SelectedRows() const;
  // Follows the archive and the offset.
  void Refresh(bool force);
  // The line that tells how to get draws while the archive is empty.
  QLabel* EmptyHint() const { return emptyHint_; }

 signals:
  void rowActivated(int row);

 private:
  DrawsModel* model_;
  QLabel* emptyHint_;
  QTableView* list_;
  QSpinBox* offset_;
};

}  // namespace korvane::ui
