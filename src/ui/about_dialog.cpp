#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/startup.h"
#include "app/version.h"
#include "core/strutil.h"
#include "ui/qt_host.h"
#include "ui/ui_texts.h"

namespace korvane::ui {

AboutDialog::AboutDialog(QWidget* parent, const std::map<std::string, std::string>& links)
    : FrameDialog(parent, QStringLiteral("О программе")) {
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
  // The project's pages as Korvane.ini names them (section LINKS); none when it names none.
  QStringList lines;
  for (const char* id : {"urlMainSite", "urlBlog", "urlVK", "urlContact"}) {
    const auto it = links.find(id);
    if (it == links.end()) continue;
    const QString url = QString::fromStdString(it->second).toHtmlEscaped();
    lines << (url.contains(QLatin1Char('@')) && !url.contains(QStringLiteral("://"))
                  ? QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(url)
                  : QStringLiteral("<a href=\"%1\">%1</a>").arg(url));
  }
  if (!lines.isEmpty()) {
    auto* label = new QLabel(lines.join(QStringLiteral("<br>")), this);
    label->setOpenExternalLinks(true);
    Content()->addWidget(label);
  }
}

}  // namespace korvane::ui
