#include "ui/frame_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/ui_texts.h"

namespace korvane::ui {

FrameDialog::FrameDialog(QWidget* parent, const QString& title) : QDialog(parent) {
  setWindowTitle(title);
  auto* outer = new QVBoxLayout(this);
  content_ = new QVBoxLayout;
  outer->addLayout(content_, 1);
  auto* bar = new QHBoxLayout;
  bar->addStretch(1);
  ok_ = new QPushButton(QString::fromUtf8(ButtonOk), this);
  ok_->setToolTip(QString::fromUtf8(ButtonOkHint));
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(QString::fromUtf8(ButtonCancel), this);
  cancel_->setToolTip(QString::fromUtf8(ButtonCancelHint));
  cancel_->setAutoDefault(false);
  bar->addWidget(ok_);
  bar->addWidget(cancel_);
  outer->addLayout(bar);
  connect(ok_, &QPushButton::clicked, this, [this] { TryAccept(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool FrameDialog::TryAccept() {
  if (!Validate()) return false;
  accept();
  return true;
}

void FrameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the owner.
  if (QWidget* owner = parentWidget()) {
    const QPoint centre = owner->mapToGlobal(owner->rect().center());
    move(centre - rect().center());
  }
}

}  // namespace korvane::ui
