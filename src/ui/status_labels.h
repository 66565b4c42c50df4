#pragma once

// The labels of the status bars: a panel that holds a number grows to fit its text and never
// shrinks, so a long hint can never cut "17342" to "173"; the text panel takes the rest of the
// bar and ends a text that does not fit with "…".

#include <QLabel>

namespace korvane::ui {

class NumberLabel : public QLabel {
  Q_OBJECT
 public:
  // `widest` is a text as wide as the panel is expected to get ("Архив тиражей: 99999").
  NumberLabel(const QString& widest, QWidget* parent = nullptr);
  void setText(const QString& text);
};

class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace korvane::ui
