#pragma once

#include "core/config.h"
#include "ui/frame_dialog.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace korvane::ui {

// "Параметры proxy-сервера": no proxy, an automatic search, or a manual proxy with its host,
// port, user and password (the fields are enabled only for the manual choice).
class ProxyDialog : public FrameDialog {
  Q_OBJECT
 public:
  ProxyDialog(QWidget* parent, const ProxySettings& settings);
  // The settings the dialog was closed with: the automatic search clears the fields.
  ProxySettings Result() const;

  QRadioButton* NoneButton() const { return none_; }
  QRadioButton* AutoButton() const { return auto_; }
  QRadioButton* ManualButton() const { return manual_; }
  QLineEdit* HostField() const { return host_; }
  QSpinBox* PortField() const { return port_; }
  QLineEdit* UserField() const { return user_; }
  QLineEdit* PasswordField() const { return password_; }

 protected:
  bool Validate() override;

 private:
  void UpdateFields();

  QRadioButton* none_;
  QRadioButton* auto_;
  QRadioButton* manual_;
  QLineEdit* host_;
  QSpinBox* port_;
  QLineEdit* user_;
  QLineEdit* password_;
};

}  // namespace korvane::ui
