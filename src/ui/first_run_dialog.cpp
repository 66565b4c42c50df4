#include "ui/first_run_dialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/help_window.h"
#include "ui/links.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

FirstRunDialog::FirstRunDialog(QWidget* parent)
    : FrameDialog(parent, QString::fromUtf8(FirstRunTitle)) {
  CancelButton()->hide();
  auto add = [this](const char* caption, const QString& url) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    connect(b, &QPushButton::clicked, this, [url] {
      QDesktopServices::openUrl(url.contains(QStringLiteral("://")) ? QUrl(url)
                                                                    : QUrl::fromLocalFile(url));
    });
    Content()->addWidget(b);
    return b;
  };
  // The guide built into the program.
  help_ = new QPushButton(QString::fromUtf8(FirstRunOpenHelp), this);
  connect(help_, &QPushButton::clicked, this,
          [this] { ShowHelpWindow(parentWidget(), QStringLiteral("Справка"), GuidePage()); });
  Content()->addWidget(help_);
  add(FirstRunManuals, QString::fromUtf8(links::Manuals));
  add(FirstRunBlog, QString::fromUtf8(links::Blog));
  add(FirstRunSocial, QString::fromUtf8(links::VK));
  dontShow_ = new QCheckBox(QString::fromUtf8(FirstRunDontShow), this);
  Content()->addWidget(dontShow_);
}

bool FirstRunDialog::DontShowAgain() const { return dontShow_->isChecked(); }

}  // namespace korvane::ui
