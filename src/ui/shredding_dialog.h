#pragma once

#include <array>

#include "core/config.h"
#include "ui/frame_dialog.h"

class QLineEdit;
class QSpinBox;

namespace korvane::ui {

// "Методы шинковки": the three formulas and their decimals.
class ShreddingDialog : public FrameDialog {
  Q_OBJECT
 public:
  ShreddingDialog(QWidget* parent, const std::array<ShreddingFormula, 3>& formulas);
  std::array<ShreddingFormula, 3> Result() const;
  QLineEdit* FormulaField(int i) const { return formulas_[static_cast<size_t>(i)]; }
  QSpinBox* DigitsField(int i) const { return digits_[static_cast<size_t>(i)]; }

 private:
  std::array<QLineEdit*, 3> formulas_{};
  std::array<QSpinBox*, 3> digits_{};
};

}  // namespace korvane::ui
