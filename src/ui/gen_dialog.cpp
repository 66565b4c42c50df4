#include "ui/gen_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "filters/texts.h"
#include "ui/qt_host.h"

namespace korvane::ui {

GenDialog::GenDialog(QWidget* parent, const TCombsGenParams& defaults)
    : FrameDialog(parent, QString::fromUtf8(texts::GenTitle)) {
  Content()->addWidget(new QLabel(QString::fromUtf8(texts::GenModeLabel), this));
  mode_ = new QComboBox(this);
  mode_->setToolTip(QString::fromUtf8(texts::GenModeHint));
  for (const char* m : texts::GenModes) mode_->addItem(QString::fromUtf8(m));
  mode_->setCurrentIndex(std::clamp(defaults.mode, 0, 4));
  Content()->addWidget(mode_);
  Content()->addWidget(new QLabel(QString::fromUtf8(texts::GenTextLabel), this));
  auto* row = new QHBoxLayout;
  text_ = new QLineEdit(Q(defaults.text), this);
  text_->setToolTip(QString::fromUtf8(texts::GenTextHint));
  text_->setMaxLength(255);
  browse_ = new QToolButton(this);
  browse_->setText(QStringLiteral("..."));
  browse_->setToolTip(QString::fromUtf8(texts::GenBrowseHint));
  row->addWidget(text_, 1);
  row->addWidget(browse_);
  Content()->addLayout(row);
  save_ = new QCheckBox(QString::fromUtf8(texts::GenSaveDefaults), this);
  Content()->addWidget(save_);
  OkButton()->setToolTip(QString::fromUtf8(texts::GenOkHint));

  connect(mode_, &QComboBox::currentIndexChanged, this, [this] { UpdateFields(); });
  connect(browse_, &QToolButton::clicked, this, [this] {
    QFileDialog dlg(this, QString(), text_->text(), QStringLiteral("Файлы комбинаций (*.lcv)"));
    dlg.setDefaultSuffix(QStringLiteral("lcv"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() == QDialog::Accepted) text_->setText(dlg.selectedFiles().value(0));
  });
  UpdateFields();
  resize(480, sizeHint().height());
}

void GenDialog::UpdateFields() {
  const int mode = mode_->currentIndex();
  text_->setEnabled(mode != 0);
  browse_->setEnabled(mode == 4);
}

TCombsGenParams GenDialog::Result() const {
  TCombsGenParams p;
  p.mode = mode_->currentIndex();
  p.text = S(text_->text());
  if (p.text.size() > 255) p.text.resize(255);
  return p;
}

bool GenDialog::SaveAsDefault() const { return save_->isChecked(); }

}  // namespace korvane::ui
