#pragma once

#include <string>

#include "stakes/stake_data.h"
#include "stakes/stake_store.h"
#include "ui/frame_dialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace korvane {
class Host;
}

namespace korvane::ui {

// "Добавление ставки": the draw, the number of draws, the numbers and the comment of a stake.
class StakeDialog : public FrameDialog {
  Q_OBJECT
 public:
  StakeDialog(QWidget* parent, Host& host, const TStakeData& stake);
  TStakeData Result() const;
  int Draws() const;

  QSpinBox* DrawField() const { return draw_; }
  QSpinBox* DrawsField() const { return draws_; }
  QLineEdit* NumbersField() const { return numbers_; }
  QLineEdit* SumField() const { return sum_; }
  QLineEdit* CommentField() const { return comment_; }

 protected:
  bool Validate() override;

 private:
  Host& host_;
  TStakeData stake_;
  QSpinBox* draw_;
  QSpinBox* draws_;
  QLineEdit* numbers_;
  QLineEdit* sum_;
  QLineEdit* comment_;
};

// "Добавление мультиставки": the draw, the number of draws and the comment of a batch.
class MultiStakeDialog : public FrameDialog {
  Q_OBJECT
 public:
  MultiStakeDialog(QWidget* parent, Host& host, int32_t draw);
  int32_t Draw() const;
  int Draws() const;
  std::string Comment() const;
  QLineEdit* CommentField() const { return comment_; }

 protected:
  bool Validate() override;

 private:
  Host& host_;
  QSpinBox* draw_;
  QSpinBox* draws_;
  QLineEdit* comment_;
};

// "Удаление по условию": a relation and a number of matches.
class ConditionDialog : public FrameDialog {
  Q_OBJECT
 public:
  explicit ConditionDialog(QWidget* parent);
  StakeRelation Relation() const;
  int Value() const;
  QComboBox* RelationList() const { return op_; }
  QSpinBox* ValueField() const { return value_; }

 private:
  QComboBox* op_;
  QSpinBox* value_;
};

}  // namespace korvane::ui
