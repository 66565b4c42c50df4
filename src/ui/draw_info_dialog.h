#pragma once

#include "ui/frame_dialog.h"

class QTreeWidget;
class QTableWidget;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// "Подробная информация": the properties of one draw and its card.
class DrawInfoDialog : public FrameDialog {
  Q_OBJECT
 public:
  DrawInfoDialog(QWidget* parent, const Workspace& ws, int listIndex);

  QTreeWidget* Properties() const { return properties_; }
  QTableWidget* Card() const { return card_; }

 private:
  QTreeWidget* properties_;
  QTableWidget* card_;
};

}  // namespace korvane::ui
