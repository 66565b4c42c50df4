#pragma once

#include <array>
#include <string>

#include "ui/frame_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// "Элемент сценария": the options, seven filters and the comment of a scenario line.
class ScriptLineDialog : public FrameDialog {
  Q_OBJECT
 public:
  ScriptLineDialog(QWidget* parent, Workspace& ws, const QString& title, int n,
                   const std::string& line);
  std::string Result() const;

  QLineEdit* CommentField() const { return comment_; }
  QComboBox* StartList() const { return start_; }
  QSpinBox* DrawsField() const { return exclude_; }
  QComboBox* StakeModeList() const { return mode_; }
  QCheckBox* ClearBox() const { return clear_; }
  QCheckBox* NewOnlyBox() const { return newOnly_; }
  QLineEdit* FilterField(int i) const { return filters_[static_cast<size_t>(i)]; }

 private:
  void EditFilter(int i);

  Workspace& ws_;
  QLineEdit* comment_;
  QComboBox* start_;
  QSpinBox* exclude_;
  QComboBox* mode_;
  QCheckBox* clear_;
  QCheckBox* newOnly_;
  std::array<QLineEdit*, 7> filters_{};
};

// "Количество тестов": K from 1 to the archive count - 1.
class TestCountDialog : public FrameDialog {
  Q_OBJECT
 public:
  TestCountDialog(QWidget* parent, int maxCount);
  int Count() const;
  QSpinBox* CountField() const { return count_; }

 private:
  QSpinBox* count_;
};

}  // namespace korvane::ui
