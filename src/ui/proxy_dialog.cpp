#include "ui/proxy_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>

#include "online/proxy.h"
#include "ui/qt_host.h"

namespace korvane::ui {

ProxyDialog::ProxyDialog(QWidget* parent, const ProxySettings& s)
    : FrameDialog(parent, QStringLiteral("Параметры proxy-сервера")) {
  none_ = new QRadioButton(QStringLiteral("Не использовать proxy-сервер"), this);
  auto_ =
      new QRadioButton(QStringLiteral("Автоматический поиск сервера (возможны задержки)"), this);
  manual_ = new QRadioButton(QStringLiteral("Ручной выбор proxy-сервера:"), this);
  host_ = new QLineEdit(Q(s.server), this);
  port_ = new QSpinBox(this);
  port_->setRange(1, 65535);
  port_->setValue(s.port >= 1 && s.port <= 65535 ? s.port : 80);
  user_ = new QLineEdit(Q(s.username), this);
  password_ = new QLineEdit(Q(s.password), this);
  password_->setEchoMode(QLineEdit::Password);
  Content()->addWidget(none_);
  Content()->addWidget(auto_);
  Content()->addWidget(manual_);
  auto* form = new QFormLayout;
  form->setContentsMargins(24, 0, 0, 0);
  form->addRow(QStringLiteral("Имя или адрес сервера:"), host_);
  form->addRow(QStringLiteral("Порт:"), port_);
  form->addRow(QStringLiteral("Имя пользователя:"), user_);
  form->addRow(QStringLiteral("Пароль:"), password_);
  Content()->addLayout(form);
  // Any stored mode other than these shows as no proxy.
  if (s.mode == ProxyMode::Automatic)
    auto_->setChecked(true);
  else if (s.mode == ProxyMode::Manual)
    manual_->setChecked(true);
  else
    none_->setChecked(true);
  for (QRadioButton* b : {none_, auto_, manual_})
    connect(b, &QRadioButton::toggled, this, [this] { UpdateFields(); });
  UpdateFields();
  resize(440, sizeHint().height());
}

void ProxyDialog::UpdateFields() {
  const bool manual = manual_->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{host_, port_, user_, password_})
    w->setEnabled(manual);
}

bool ProxyDialog::Validate() {
  if (!manual_->isChecked() || host_->text().trimmed().isEmpty()) return true;
  if (IsValidProxyHost(S(host_->text().trimmed()))) return true;
  QMessageBox::warning(this, QStringLiteral("Предупреждение"),
                       QStringLiteral("Некорректное имя или адрес сервера: %1").arg(host_->text()));
  host_->setFocus();
  return false;
}

ProxySettings ProxyDialog::Result() const {
  ProxySettings s;
  s.server = S(host_->text().trimmed());
  s.port = port_->value();
  s.username = S(user_->text());
  s.password = S(password_->text());
  if (manual_->isChecked()) {
    s.mode = ProxyMode::Manual;
  } else if (auto_->isChecked()) {
    s.mode = ProxyMode::Automatic;
    s.server.clear();
    s.port = 0;
    s.username.clear();
    s.password.clear();
  } else {
    s.mode = ProxyMode::None;
  }
  return s;
}

}  // namespace korvane::ui
