#include "ui/status_labels.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace korvane::ui {

namespace {

void SetUpPanel(QLabel* label) {
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setContentsMargins(4, 0, 4, 0);
  label->setTextFormat(Qt::PlainText);
}

int WidthFor(const QLabel* label, const QString& text) {
  const QMargins m = label->contentsMargins();
  return label->fontMetrics().horizontalAdvance(text) + m.left() + m.right() +
         2 * label->frameWidth() + 4;
}

}  // namespace

NumberLabel::NumberLabel(const QString& widest, QWidget* parent) : QLabel(parent) {
  SetUpPanel(this);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  setMinimumWidth(WidthFor(this, widest));
}

void NumberLabel::setText(const QString& text) {
  const int need = WidthFor(this, text);
  if (need > minimumWidth()) setMinimumWidth(need);
  QLabel::setText(text);
}

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  SetUpPanel(this);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize ElidedLabel::minimumSizeHint() const {
  return {WidthFor(this, QStringLiteral("…")), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  drawFrame(&p);
  const QRect r = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
  style()->drawItemText(&p, r, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shown,
                        foregroundRole());
}

}  // namespace korvane::ui
