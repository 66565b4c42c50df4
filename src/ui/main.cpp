// Korvane: the desktop program.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "app/command_line.h"
#include "app/workspace.h"
#include "core/datadir.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  // Qt's own dialogs and buttons speak the program's language.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  using namespace korvane;
  const CommandLine args = CommandLine::FromArgv(argc, argv);
  ui::QtHost host;
  Workspace ws(host, ResolveDataDir(args.DataDir()));
  ui::MainWindow window(ws, host, args);
  if (!window.Create()) return 0;
  window.show();
  QTimer::singleShot(0, &window, [&window] {
    if (!window.Initialise()) QApplication::exit(0);
  });
  return QApplication::exec();
}
