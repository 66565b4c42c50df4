// The spreadsheet export of the window's views.

#include <memory>

#include "cli/commands.h"
#include "core/strutil.h"

namespace korvane {

void RegisterExportCommands(CLI::App& app, CommandTable& table) {
  struct Options {
    std::string what;
    std::string file;
    std::string method;
    int depth = 0;
  };
  auto o = std::make_shared<Options>();
  std::vector<std::string> names;
  for (const ExportViewInfo& v : ExportViews()) names.emplace_back(v.name);
  CLI::App* sub = app.add_subcommand(
      "export-xlsx",
      "Write a view as an .xlsx workbook with the export settings the window keeps for it");
  sub->add_option("WHAT", o->what, "draws, stats, combs, stakes, ratings, card or layout")
      ->required()
      ->check(CLI::IsMember(names));
  sub->add_option("FILE", o->file, "Workbook to write")->required();
  sub->add_option("--method", o->method, "stats: the method's code (default: the first)");
  sub->add_option("--depth", o->depth, "stats: the depth in draws (default: the saved one)")
      ->check(CLI::PositiveNumber);
  table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
    ExportView view = ExportView::Draws;
    for (const ExportViewInfo& v : ExportViews())
      if (o->what == v.name) view = v.view;
    if (view == ExportView::Stats) {
      if (!o->method.empty() && !ws.SelectStatMethodByCode(o->method)) {
        ws.host().showMessage(MessageKind::Error, "Неизвестный метод: " + o->method);
        return ExitFailed;
      }
      if (o->depth > 0) ws.SetStatDepth(o->depth);
      ws.BuildStatTable(true);
    }
    const ExportTable table = ws.ExportTableOf(view);
    const ExportSettings s = ws.ExportDefaults(view, table, {}, false);
    // A command that only reads leaves Korvane.ini as it is.
    if (!ws.ExportWorkbook(view, s, {}, o->file, false)) return ExitFailed;
    out << "rows " << table.rows.size() << '\n';
    return ExitOk;
  });
}

}  // namespace korvane
