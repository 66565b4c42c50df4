// "Системы": the systems library page and system play.

#include <QLineEdit>
#include <QTableView>
#include <optional>

#include "app/workspace.h"
#include "online/texts.h"
#include "ui/action_table.h"
#include "ui/actions/bind_actions.h"
#include "ui/qt_host.h"
#include "ui/stake_dialogs.h"
#include "ui/systems_page.h"
#include "ui/window_context.h"

namespace korvane::ui {

namespace {

constexpr const char* kPage = "tsSystems";

void SystemsOnExecute(WindowContext& ctx) {
  const bool show = !ctx.pageVisible(kPage);
  ctx.showPage(kPage, show);
  if (!show) return;
  ctx.activatePage(kPage);
  // The list is asked for the first time the page shows.
  if (ctx.ws.Systems().List().empty()) ctx.ws.SystemsRefresh();
}

void SystemsDownloadExecute(WindowContext& ctx) {
  const int focused = ctx.systems->FocusedRow();
  for (int row : ctx.systems->SelectedRows()) {
    const int32_t id = ctx.ws.Systems().List()[static_cast<size_t>(row)].id;
    ctx.ws.SystemsDownload(ctx.ws.Systems().RowOf(id));
  }
  ctx.systems->FocusRow(focused);
}

void SystemsAddExecute(WindowContext& ctx) {
  SystemDialog dlg(ctx.window, ctx.host, ctx.ws.SystemsNewRecord(), false);
  if (dlg.exec() != QDialog::Accepted) return;
  if (const auto row = ctx.ws.SystemsAdd(dlg.Result())) ctx.systems->FocusRow(*row);
}

void SystemsPropExecute(WindowContext& ctx) {
  const int row = ctx.systems->FocusedRow();
  if (row < 0 || ctx.ws.Systems().List()[static_cast<size_t>(row)].id <= 0) return;
  TSystemData s = ctx.ws.Systems().List()[static_cast<size_t>(row)];
  s.combinations = ctx.ws.SystemCombinations(row);
  const bool own = ctx.ws.Systems().IsOwn(s);
  SystemDialog dlg(ctx.window, ctx.host, s, !own);
  if (dlg.exec() == QDialog::Accepted && own) ctx.ws.SystemsChange(row, dlg.Result());
}

void SystemStakesExecute(WindowContext& ctx, bool combsOnly) {
  ctx.ws.SystemStakes(
      combsOnly,
      [&ctx](int32_t draw, const std::string& comment) -> std::optional<StakeBatchChoice> {
        MultiStakeDialog dlg(ctx.window, ctx.host, draw);
        dlg.CommentField()->setText(Q(comment));
        if (dlg.exec() != QDialog::Accepted) return std::nullopt;
        return StakeBatchChoice{dlg.Draw(), dlg.Draws(), dlg.Comment()};
      });
}

}  // namespace

void BindSystemsActions(ActionTable& table, WindowContext& ctx) {
  auto visible = [&ctx] { return ctx.pageVisible(kPage); };
  auto focusedReal = [&ctx, visible] {
    const int row = ctx.systems->FocusedRow();
    return visible() && row >= 0 && row < static_cast<int>(ctx.ws.Systems().List().size()) &&
           ctx.ws.Systems().List()[static_cast<size_t>(row)].id > 0;
  };
  table.Bind("SystemsOn", {[&ctx] { SystemsOnExecute(ctx); }, {}, visible});
  table.Bind("SystemsRefresh", {[&ctx] { ctx.ws.SystemsRefresh(); }, visible});
  table.Bind("SystemsDownload",
             {[&ctx] { SystemsDownloadExecute(ctx); },
              [&ctx, visible] { return visible() && !ctx.systems->SelectedRows().empty(); },
              {},
              0,
              false,
              ctx.systems});
  table.Bind("SystemsAdd", {[&ctx] { SystemsAddExecute(ctx); }, visible});
  table.Bind("SystemsProp",
             {[&ctx] { SystemsPropExecute(ctx); }, focusedReal, {}, 0, false, ctx.systems});
  table.Bind("SystemsDel",
             {[&ctx] { ctx.ws.SystemsDelete(ctx.systems->FocusedRow()); },
              [&ctx, focusedReal] {
                return focusedReal() &&
                       ctx.ws.Systems().IsOwn(
                           ctx.ws.Systems().List()[static_cast<size_t>(ctx.systems->FocusedRow())]);
              },
              {},
              0,
              false,
              ctx.systems});
  auto canPlay = [&ctx, visible] {
    return visible() && ctx.ws.Combs().Count() > 0 && ctx.ws.Stakes().IsOpen();
  };
  table.Bind("SystemStakeAll", {[&ctx] { SystemStakesExecute(ctx, false); }, canPlay});
  table.Bind("SystemStakeFilter", {[&ctx] { SystemStakesExecute(ctx, true); }, canPlay});
  QObject::connect(ctx.systems, &SystemsPage::rowActivated, ctx.systems, [&table] {
    if (QAction* a = table.Get("SystemsProp"); a != nullptr && a->isEnabled()) a->trigger();
  });
}

}  // namespace korvane::ui
