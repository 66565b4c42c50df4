// "Файл": the settings, the shredding formulas, the end of the program.

#include <QWidget>

#include "app/workspace.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/archive_page.h"
#include "ui/proxy_dialog.h"
#include "ui/qt_host.h"
#include "ui/settings_dialog.h"
#include "ui/shredding_dialog.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

void EditConfigExecute(WindowContext& ctx) {
  SettingsDialog dlg(ctx.window, ctx.host, ctx.ws.Config());
  if (dlg.exec() != QDialog::Accepted) return;
  ctx.ws.ApplyGameSettings(dlg.Result());
  ctx.archive->Refresh(true);
}

void EditShreddingExecute(WindowContext& ctx) {
  ShreddingDialog dlg(ctx.window, ctx.ws.Settings().Game().shredding);
  if (dlg.exec() == QDialog::Accepted) ctx.ws.ApplyShredding(dlg.Result());
}

void EditProxyExecute(WindowContext& ctx) {
  ProxyDialog dlg(ctx.window, ctx.ws.Proxy());
  if (dlg.exec() == QDialog::Accepted) ctx.ws.SetProxy(dlg.Result());
}

}  // namespace

void BindFileActions(ActionTable& table, WindowContext& ctx) {
  table.Bind("ExitProgram", {[&ctx] { ctx.window->close(); }});
  table.Bind("EditConfig", {[&ctx] { EditConfigExecute(ctx); }});
  table.Bind("EditShredding", {[&ctx] { EditShreddingExecute(ctx); }});
  table.Bind("EditProxy", {[&ctx] { EditProxyExecute(ctx); }});
}

}  // namespace korvane::ui
