#include "ui/help_window.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "stats/registry.h"
#include "ui/qt_host.h"

namespace korvane::ui {

namespace {

QString Resource(const QString& name) { return QStringLiteral(":/help/ru/") + name; }

QUrl PageUrl(const QString& name) {
  return QFile::exists(Resource(name)) ? QUrl(QStringLiteral("qrc") + Resource(name)) : QUrl();
}

}  // namespace

QUrl MethodHelpPage(const TStatMethod& method) {
  QString code = Q(method.HelpCode());
  QUrl url = PageUrl(QStringLiteral("methods/") + code + QStringLiteral(".html"));
  if (url.isEmpty()) {
    // One page for the members of a parameterised family.
    while (!code.isEmpty() && code.back().isDigit()) code.chop(1);
    url = PageUrl(QStringLiteral("methods/") + code + QStringLiteral("x.html"));
  }
  return url;
}

QUrl GuidePage() { return PageUrl(QStringLiteral("guide.html")); }

HelpWindow::HelpWindow(QWidget* parent, const QString& title, const QUrl& page) : QDialog(parent) {
  setWindowTitle(title);
  setObjectName(QStringLiteral("HelpWindow"));
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_, 1);
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* bar = new QHBoxLayout;
  bar->addStretch(1);
  bar->addWidget(close);
  layout->addLayout(bar);
  resize(960, 700);
  Show(page);
}

void HelpWindow::Show(const QUrl& page) {
  if (page.isEmpty())
    browser_->setHtml(QStringLiteral("<p>Описание для этого метода отсутствует.</p>"));
  else
    browser_->setSource(page);
}

HelpWindow* ShowHelpWindow(QWidget* parent, const QString& title, const QUrl& page) {
  for (auto* w : parent->findChildren<HelpWindow*>())
    if (w->windowTitle() == title) {
      w->Show(page);
      w->show();
      w->raise();
      w->activateWindow();
      return w;
    }
  auto* w = new HelpWindow(parent, title, page);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->show();
  return w;
}

}  // namespace korvane::ui
