#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "online/systems.h"
#include "ui/frame_dialog.h"
#include "ui/page.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolBar;

namespace korvane::ui {

// The systems library's list: title, author, numbers, block, combinations, created, status,
// downloads, last download, description, link.
class SystemsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit SystemsModel(const Workspace& ws, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reset();

 private:
  const Workspace& ws_;
};

// The "Системы" page (shown by "Системная игра").
class SystemsPage : public Page {
  Q_OBJECT
 public:
  SystemsPage(Workspace& ws, QWidget* parent = nullptr);
  unsigned Aspects() const override { return ChangeSystems; }
  void Refresh(unsigned aspects) override;
  void RestoreState(const Workspace& ws) override;
  void StoreState(Workspace& ws, LayoutSizes& sizes) const override;

  QTableView* List() const { return list_; }
  QToolBar* Tools() const { return tools_; }
  // The focused row (-1: none) and the selected rows.
  int FocusedRow() const;
  std::vector<int> SelectedRows() const;
  void FocusRow(int row);

 signals:
  void rowActivated();

 private:
  QToolBar* tools_;
  SystemsModel* model_;
  QTableView* list_;
};

// "Система": a system's record and combinations; read-only for another user's system.
class SystemDialog : public FrameDialog {
  Q_OBJECT
 public:
  SystemDialog(QWidget* parent, Host& host, const TSystemData& system, bool readOnly);
  TSystemData Result() const;
  QLineEdit* TitleField() const { return title_; }
  QPlainTextEdit* CombsField() const { return combs_; }
  QLineEdit* NumbersField() const { return nums_; }
  QLineEdit* CountField() const { return count_; }
  QLineEdit* BlockField() const { return block_; }
  QPlainTextEdit* DescriptionField() const { return descr_; }
  QLineEdit* AuthorField() const { return author_; }
  // Lines of three numbers in the two-digit form, the rest left out; numbers and count follow.
  void NormaliseCombinations();

 protected:
  bool Validate() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CombsMenu(const QPoint& at);
  Host& host_;
  TSystemData system_;
  QLineEdit* title_;
  QPlainTextEdit* descr_;
  QLineEdit* author_;
  QLineEdit* link_;
  QPushButton* open_;
  QPlainTextEdit* combs_;
  QLineEdit* created_;
  QLineEdit* count_;
  QLineEdit* nums_;
  QLineEdit* length_;
  QLineEdit* block_;
  QLineEdit* downloads_;
  QLineEdit* last_;
};

}  // namespace korvane::ui
