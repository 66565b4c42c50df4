#pragma once

// Each page binds its own actions: what they do and when they are enabled.

#include <QString>

namespace korvane::ui {

class ActionTable;
struct WindowContext;

void BindFileActions(ActionTable& table, WindowContext& ctx);
void BindArchiveActions(ActionTable& table, WindowContext& ctx);
void BindCombsActions(ActionTable& table, WindowContext& ctx);
void BindStatActions(ActionTable& table, WindowContext& ctx);
void BindStakeActions(ActionTable& table, WindowContext& ctx);
void BindScriptActions(ActionTable& table, WindowContext& ctx);
void BindViewActions(ActionTable& table, WindowContext& ctx);
void BindHelpActions(ActionTable& table, WindowContext& ctx);
void BindRatingsActions(ActionTable& table, WindowContext& ctx);
void BindTablesActions(ActionTable& table, WindowContext& ctx);
void BindViewsActions(ActionTable& table, WindowContext& ctx);
void BindExportActions(ActionTable& table, WindowContext& ctx);
void BindSystemsActions(ActionTable& table, WindowContext& ctx);
void BindCatalogueActions(ActionTable& table, WindowContext& ctx);
void BindFavouritesActions(ActionTable& table, WindowContext& ctx);

// The help file beside the program (its usual place when none is there).
QString HelpFile();

inline void BindAllActions(ActionTable& table, WindowContext& ctx) {
  BindExportActions(table, ctx);
  BindFileActions(table, ctx);
  BindArchiveActions(table, ctx);
  BindCombsActions(table, ctx);
  BindStatActions(table, ctx);
  BindStakeActions(table, ctx);
  BindScriptActions(table, ctx);
  BindViewActions(table, ctx);
  BindHelpActions(table, ctx);
  BindRatingsActions(table, ctx);
  BindTablesActions(table, ctx);
  BindSystemsActions(table, ctx);
  BindCatalogueActions(table, ctx);
  BindFavouritesActions(table, ctx);
  BindViewsActions(table, ctx);
}

}  // namespace korvane::ui
