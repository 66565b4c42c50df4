#include "ui/first_run_dialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/help_window.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

FirstRunDialog::FirstRunDialog(QWidget* parent, const std::map<std::string, std::string>& links)
    : FrameDialog(parent, QString::fromUtf8(FirstRunTitle)) {
  CancelButton()->hide();
  // A page without a configured address (Korvane.ini, section LINKS) is not offered.
  auto add = [this, &links](const char* caption, const char* id) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    const auto it = links.find(id);
    const QString url = it == links.end() ? QString() : QString::fromStdString(it->second);
    b->setEnabled(!url.isEmpty());
    connect(b, &QPushButton::clicked, this, [url] { QDesktopServices::openUrl(QUrl(url)); });
    Content()->addWidget(b);
    return b;
  };
  // The guide built into the program.
  help_ = new QPushButton(QString::fromUtf8(FirstRunOpenHelp), this);
  connect(help_, &QPushButton::clicked, this,
          [this] { ShowHelpWindow(parentWidget(), QStringLiteral("Справка"), GuidePage()); });
  Content()->addWidget(help_);
  add(FirstRunManuals, "urlManuals");
  add(FirstRunBlog, "urlBlog");
  add(FirstRunSocial, "urlVK");
  dontShow_ = new QCheckBox(QString::fromUtf8(FirstRunDontShow), this);
  Content()->addWidget(dontShow_);
}

bool FirstRunDialog::DontShowAgain() const { return dontShow_->isChecked(); }

}  // namespace korvane::ui
