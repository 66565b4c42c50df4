#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/startup.h"
#include "app/version.h"
#include "core/strutil.h"
#include "ui/links.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

AboutDialog::AboutDialog(QWidget* parent) : FrameDialog(parent, QStringLiteral("О программе")) {
  CancelButton()->hide();
  auto* title = new QLabel(Q(MainCaption(false)), this);
  QFont f = title->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  title->setFont(f);
  Content()->addWidget(title);
  Content()->addWidget(new QLabel(QString::fromUtf8(AboutVersion) + " " +
                                      Q(Format("%s ( %s )", ProgramVersion, ProgramVersion)),
                                  this));
  auto* links = new QLabel(
      QStringLiteral("<a href=\"%1\">%1</a><br><a href=\"%2\">%2</a><br><a href=\"%3\">%3</a>"
                     "<br><a href=\"mailto:%4\">%4</a>")
          .arg(QString::fromUtf8(links::MainSite), QString::fromUtf8(links::Blog),
               QString::fromUtf8(links::VK), QString::fromUtf8(links::Contact)),
      this);
  links->setOpenExternalLinks(true);
  Content()->addWidget(links);
}

}  // namespace korvane::ui
