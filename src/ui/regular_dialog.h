#pragma once

#include <string>
#include <vector>

#include "stakes/tables.h"
#include "ui/frame_dialog.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace korvane {
class Host;
}

namespace korvane::ui {

// "Добавление регулярной ставки": the comment, a fixed start combination or the previous
// draw, and the step.
class RegularDialog : public FrameDialog {
  Q_OBJECT
 public:
  RegularDialog(QWidget* parent, Host& host, const TTableData& prepared,
                std::vector<std::string> existingNames);
  // The record the fields make (valid once the dialog was accepted).
  const TTableData& Result() const { return result_; }

  QLineEdit* CommentField() const { return comment_; }
  QRadioButton* FixedStartRadio() const { return fixed_; }
  QRadioButton* FromDrawRadio() const { return fromDraw_; }
  QLineEdit* StartField() const { return start_; }
  QSpinBox* StepField() const { return step_; }

 protected:
  bool Validate() override;

 private:
  Host& host_;
  TTableData prepared_;
  std::vector<std::string> names_;
  TTableData result_;
  QLineEdit* comment_;
  QRadioButton* fixed_;
  QRadioButton* fromDraw_;
  QLineEdit* start_;
  QSpinBox* step_;
};

}  // namespace korvane::ui
