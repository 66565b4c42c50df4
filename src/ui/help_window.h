#pragma once

// The help pages built into the program: the method descriptions ("Описание методики
// расчета") and the user guide ("Справка"), shown in a text browser; no network needed.

#include <QDialog>
#include <QUrl>
#include <string>

class QTextBrowser;

namespace korvane {
struct TStatMethod;
}

namespace korvane::ui {

// The page of a method (its help code; "SUM2" falls back to the family's "SUMx" page); an
// empty URL when the program has no page for it.
QUrl MethodHelpPage(const TStatMethod& method);
QUrl GuidePage();

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  HelpWindow(QWidget* parent, const QString& title, const QUrl& page);
  QTextBrowser* Browser() const { return browser_; }
  void Show(const QUrl& page);

 private:
  QTextBrowser* browser_;
};

// Opens the window (one per title, reused) on the page.
HelpWindow* ShowHelpWindow(QWidget* parent, const QString& title, const QUrl& page);

}  // namespace korvane::ui
