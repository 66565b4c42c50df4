#pragma once

#include "filters/comb_list.h"
#include "ui/frame_dialog.h"

class QComboBox;
class QLineEdit;
class QToolButton;
class QCheckBox;

namespace korvane::ui {

// "Создание нового списка комбинаций": the generation mode and its numbers or file.
class GenDialog : public FrameDialog {
  Q_OBJECT
 public:
  GenDialog(QWidget* parent, const TCombsGenParams& defaults);
  TCombsGenParams Result() const;
  bool SaveAsDefault() const;

  QComboBox* ModeList() const { return mode_; }
  QLineEdit* TextField() const { return text_; }
  QToolButton* BrowseButton() const { return browse_; }
  QCheckBox* SaveBox() const { return save_; }

 private:
  void UpdateFields();

  QComboBox* mode_;
  QLineEdit* text_;
  QToolButton* browse_;
  QCheckBox* save_;
};

}  // namespace korvane::ui
