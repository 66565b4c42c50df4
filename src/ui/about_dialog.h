#pragma once

#include <map>
#include <string>

#include "ui/frame_dialog.h"

namespace korvane::ui {

// "О программе".
class AboutDialog : public FrameDialog {
  Q_OBJECT
 public:
  AboutDialog(QWidget* parent, const std::map<std::string, std::string>& links);
};

}  // namespace korvane::ui
