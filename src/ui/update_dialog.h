#pragma once

#include <QDialog>

#include "online/update.h"

class QPlainTextEdit;
class QPushButton;

namespace korvane::ui {

struct WindowContext;

// "Найдена новая версия программы": the running version, the offered one and its description;
// "Установить" or cancel.
class UpdateDialog : public QDialog {
  Q_OBJECT
 public:
  UpdateDialog(QWidget* parent, const UpdateOffer& offer);
  QPushButton* InstallButton() const { return install_; }
  QPlainTextEdit* TextBox() const { return text_; }

 private:
  QPushButton* install_;
  QPlainTextEdit* text_;
};

// The update check with its wait window (for a silent check only once an update is being
// installed) and the dialog.
UpdateResult RunUpdateCheck(WindowContext& ctx, bool silent);

}  // namespace korvane::ui
