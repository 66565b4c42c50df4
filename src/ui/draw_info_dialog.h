#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/game.h"
#include "ui/frame_dialog.h"

class QTreeWidget;
class QTableWidget;

namespace korvane {
class Workspace;
}

namespace korvane::ui {

// "Подробная информация": the properties of a draw (or of a combination) and its card.
class DrawInfoDialog : public FrameDialog {
  Q_OBJECT
 public:
  // The draw at a list index of the archive.
  DrawInfoDialog(QWidget* parent, const Workspace& ws, int listIndex);
  // A combination: its method values, no draw number nor date.
  DrawInfoDialog(QWidget* parent, const Workspace& ws, const TComb& comb);

  QTreeWidget* Properties() const { return properties_; }
  QTableWidget* Card() const { return card_; }

 private:
  void Fill(const Workspace& ws, const std::vector<std::pair<std::string, std::string>>& rows,
            const TComb& nums);

  QTreeWidget* properties_;
  QTableWidget* card_;
};

}  // namespace korvane::ui
