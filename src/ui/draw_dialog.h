#pragma once

#include "core/game.h"
#include "ui/frame_dialog.h"

class QSpinBox;
class QLineEdit;
class QDateEdit;
class QTimeEdit;
class QLabel;

namespace korvane {
class Host;
}

namespace korvane::ui {

// "Данные тиража": the number, the three numbers and the date and time of one draw.
class DrawDialog : public FrameDialog {
  Q_OBJECT
 public:
  DrawDialog(QWidget* parent, Host& host, const QString& caption, const TDrawRec& draw,
             bool withDate);

  // The record made from the fields (valid once the dialog was accepted).
  const TDrawRec& Result() const { return result_; }

  QSpinBox* NumberField() const { return number_; }
  QLineEdit* NumbersField() const { return numbers_; }
  QDateEdit* DateField() const { return date_; }
  QTimeEdit* TimeField() const { return time_; }

 protected:
  bool Validate() override;

 private:
  Host& host_;
  bool withDate_;
  TDrawRec result_;
  QSpinBox* number_;
  QLineEdit* numbers_;
  QDateEdit* date_;
  QTimeEdit* time_;
};

}  // namespace korvane::ui
