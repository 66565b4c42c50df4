#pragma once

#include <QString>
#include <map>
#include <string>

#include "ui/frame_dialog.h"

class QCheckBox;
class QPushButton;

namespace korvane::ui {

// "Справочная информация": shown after start-up while FirstRun is set.
class FirstRunDialog : public FrameDialog {
  Q_OBJECT
 public:
  FirstRunDialog(QWidget* parent, const std::map<std::string, std::string>& links);
  bool DontShowAgain() const;
  QPushButton* HelpButton() const { return help_; }
  QCheckBox* DontShowBox() const { return dontShow_; }

 private:
  QPushButton* help_;
  QCheckBox* dontShow_;
};

}  // namespace korvane::ui
