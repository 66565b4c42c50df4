#include "ui/shredding_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "ui/qt_host.h"

namespace korvane::ui {

ShreddingDialog::ShreddingDialog(QWidget* parent, const std::array<ShreddingFormula, 3>& formulas)
    : FrameDialog(parent, QStringLiteral("Методы шинковки")) {
  auto* grid = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    auto* formula = new QLineEdit(Q(formulas[static_cast<size_t>(i)].formula), this);
    formula->setToolTip(QStringLiteral("Используемая формула"));
    auto* digits = new QSpinBox(this);
    digits->setRange(1, 5);
    digits->setValue(formulas[static_cast<size_t>(i)].digits);
    digits->setToolTip(QStringLiteral("Количество используемых знаков после запятой"));
    grid->addWidget(new QLabel(QStringLiteral("Формула %1:").arg(i + 1), this), i, 0);
    grid->addWidget(formula, i, 1);
    grid->addWidget(digits, i, 2);
    formulas_[static_cast<size_t>(i)] = formula;
    digits_[static_cast<size_t>(i)] = digits;
  }
  Content()->addLayout(grid);
  Content()->addWidget(new QLabel(
      QStringLiteral("Используемые переменные:\nn1, n2, n3, ..., nX - числа текущего тиража\n"
                     "p1, p2, p3, ..., pX - числа предыдущего тиража"),
      this));
  resize(460, sizeHint().height());
}

std::array<ShreddingFormula, 3> ShreddingDialog::Result() const {
  std::array<ShreddingFormula, 3> r;
  for (size_t i = 0; i < 3; ++i) r[i] = {S(formulas_[i]->text()), digits_[i]->value()};
  return r;
}

}  // namespace korvane::ui
