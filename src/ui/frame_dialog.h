#pragma once

#include <QDialog>

class QVBoxLayout;
class QPushButton;

namespace korvane::ui {

// The frame every dialog of the program shares: the content on top and a bottom bar with
// "ОК" (the default button) and "Отмена" (also Esc). OK closes only when Validate agrees.
class FrameDialog : public QDialog {
  Q_OBJECT
 public:
  explicit FrameDialog(QWidget* parent, const QString& title);

  QVBoxLayout* Content() const { return content_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // Runs the OK button's check and closes with OK when it passes (what the button does).
  bool TryAccept();

 protected:
  // Checks the fields; may show a message and move the focus. True lets the dialog close.
  virtual bool Validate() { return true; }
  void showEvent(QShowEvent* event) override;

 private:
  QVBoxLayout* content_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace korvane::ui
