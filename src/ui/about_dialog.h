#pragma once

#include "ui/frame_dialog.h"

namespace korvane::ui {

// "О программе".
class AboutDialog : public FrameDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace korvane::ui
