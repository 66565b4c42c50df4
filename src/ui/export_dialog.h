#pragma once

#include <functional>

#include "export/export.h"
#include "ui/frame_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace korvane::ui {

// "Экспорт в Microsoft Excel": the title lines and page of the sheet, the send mode, and the
// columns to export (checked ones first, in the sheet's order), with their caption, alignment
// and width. The settings can be loaded from and saved to ".exp" files.
class ExportDialog : public FrameDialog {
  Q_OBJECT
 public:
  // `allRows` and `selectedRows` are the counts the send mode shows; `section` names the view's
  // section in the ".exp" files; `chooseFile(save)` asks for a file name (empty: cancelled).
  ExportDialog(QWidget* parent, const ExportSettings& settings, int allRows, int selectedRows,
               std::string section, std::function<QString(bool save)> chooseFile);
  ExportSettings Result() const;

  QTabWidget* Pages() const { return pages_; }
  QTreeWidget* FieldList() const { return list_; }
  QLineEdit* TitleField() const { return title_; }
  QComboBox* SendMode() const { return mode_; }
  QLabel* RowsCount() const { return rows_; }
  QPushButton* UpButton() const { return up_; }
  QPushButton* DownButton() const { return down_; }
  // The settings as the dialog holds them now (also while it is open).
  void LoadFile(const QString& file);
  void SaveFile(const QString& file);

 private:
  void Fill(const ExportSettings& s);
  void FillFields(const std::vector<ExportField>& fields, int select);
  std::vector<ExportField> Fields() const;
  void Move(int by);
  void EditField();
  void Normalize();
  void UpdateButtons();

  ExportSettings base_;
  int allRows_;
  int selectedRows_;
  std::string section_;
  std::function<QString(bool)> chooseFile_;
  QTabWidget* pages_;
  QLineEdit* title_;
  QLineEdit* notes_;
  QCheckBox* time_;
  QComboBox* orientation_;
  QSpinBox* fontSize_;
  QLineEdit* sheet_;
  QComboBox* mode_;
  QLabel* rows_;
  QTreeWidget* list_;
  QPushButton* up_;
  QPushButton* down_;
  QPushButton* props_;
  QCheckBox* restore_;
};

}  // namespace korvane::ui
