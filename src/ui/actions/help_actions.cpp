// "Справка": the help file, the about box and the project's pages.

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "app/workspace.h"
#include "core/datadir.h"
#include "ui/about_dialog.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/links.h"
#include "ui/qt_host.h"
#include "ui/update_dialog.h"
#include "ui/window_context.h"

namespace korvane::ui {

void BindHelpActions(ActionTable& table, WindowContext& ctx) {
  table.Bind(
      "OpenLotoSite", {[&ctx] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(ctx.ws.Online().lotterySiteUrl)));
      }});
  table.Bind("About", {[&ctx] { AboutDialog(ctx.window).exec(); }});
  table.Bind("CheckUpdate", {[&ctx] {
               if (RunUpdateCheck(ctx, false) == UpdateResult::Installed && ctx.restart)
                 ctx.restart();
             }});
  table.Bind("AutoSelfUpdate", {[&ctx] { ctx.ws.ToggleView(ViewFlag::AutoUpdates); },
                                {},
                                [&ctx] { return ctx.ws.Settings().Flag(ViewFlag::AutoUpdates); }});
  const struct {
    const char* id;
    const char* url;
  } urls[] = {{"urlMainSite", links::MainSite},
              {"urlAuthSite", links::AuthorSite},
              {"urlBlog", links::Blog},
              {"urlYT", links::VideoBlog},
              {"urlVK", links::VK},
              {"urlOK", links::OK},
              {"urlAuthText", links::Articles},
              {"urlTG", links::Telegram}};
  for (const auto& u : urls) {
    const QString url = QString::fromUtf8(u.url);
    table.Bind(u.id, {[url] { QDesktopServices::openUrl(QUrl(url)); }});
  }
}

}  // namespace korvane::ui
