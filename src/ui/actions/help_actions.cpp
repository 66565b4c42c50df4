// "Справка": the help file, the about box and the project's pages.

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "app/workspace.h"
#include "core/datadir.h"
#include "ui/about_dialog.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/qt_host.h"
#include "ui/update_dialog.h"
#include "ui/window_context.h"

namespace korvane::ui {

void BindHelpActions(ActionTable& table, WindowContext& ctx) {
  table.Bind(
      "OpenLotoSite", {[&ctx] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(ctx.ws.Online().lotterySiteUrl)));
      }});
  table.Bind("About", {[&ctx] { AboutDialog(ctx.window, ctx.ws.Online().links).exec(); }});
  table.Bind("CheckUpdate", {[&ctx] {
               if (RunUpdateCheck(ctx, false) == UpdateResult::Installed && ctx.restart)
                 ctx.restart();
             }});
  table.Bind("AutoSelfUpdate", {[&ctx] { ctx.ws.ToggleView(ViewFlag::AutoUpdates); },
                                {},
                                [&ctx] { return ctx.ws.Settings().Flag(ViewFlag::AutoUpdates); }});
  // The project's pages: addresses of Korvane.ini (section LINKS), none built in.
  for (const char* id : {"urlMainSite", "urlAuthSite", "urlBlog", "urlYT", "urlVK", "urlOK",
                         "urlAuthText", "urlTG"}) {
    auto url = [&ctx, id]() -> std::string {
      const auto& links = ctx.ws.Online().links;
      const auto it = links.find(id);
      return it == links.end() ? std::string() : it->second;
    };
    table.Bind(id, {[url] { QDesktopServices::openUrl(QUrl(QString::fromStdString(url()))); },
                    [url] { return !url().empty(); }});
  }
}

}  // namespace korvane::ui
