// Commands over the statistics engine and the combination list.

#include <memory>

#include "cli/commands.h"
#include "core/strutil.h"
#include "stats/texts.h"

namespace korvane {

void RegisterStatsCommands(CLI::App& app, CommandTable& table) {
  {
    CLI::App* sub = app.add_subcommand("methods", "The registry: index, code, list text");
    table.Add(sub, Access::Read, [](Workspace& ws, std::ostream& out) {
      const TStatList& r = ws.Registry();
      for (int i = 0; i < r.Count(); ++i)
        PrintTsvRow(out, {std::to_string(i), r.Items(i).MethodCode(), r.ListText(i, true)});
      return ExitOk;
    });
  }
  {
    struct Options {
      std::string method;
      int depth = 1000;
      int offset = 0;
      bool prefetch = false;
      int sort = 1;
      bool desc = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand("stats", "The statistics table of a method as TSV");
    sub->add_option("--method", o->method, "Method code (see `methods`)")->required();
    sub->add_option("--depth", o->depth, "Draws analysed")->check(CLI::Range(1, 2147483647));
    sub->add_option("--offset", o->offset, "Newest draws treated as not yet drawn")
        ->check(CLI::NonNegativeNumber);
    sub->add_flag("--prefetch", o->prefetch, "Show the norm from the prefetch file");
    sub->add_option("--sort", o->sort, "Sort column 0..19")->check(CLI::Range(0, 19));
    sub->add_flag("--desc", o->desc, "Sort descending");
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      if (!ws.SelectStatMethodByCode(o->method)) {
        ws.host().showMessage(MessageKind::Error, Format(texts::UnknownMethod, o->method.c_str()));
        return ExitFailed;
      }
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      ws.SuspendViews(true);  // one build, at the end
      ws.SetStatDepth(o->depth);
      ws.SetDrawsOffset(o->offset);
      // The switch applies to this run only.
      ws.OverrideView(ViewFlag::Prefetchs, o->prefetch);
      ws.StatSetSort(o->sort, o->desc);
      ws.BuildStatTable(true);
      const auto& captions = StatColumnCaptions();
      PrintTsvRow(out, {captions.begin(), captions.end()});
      for (const StatRow& row : ws.Stats().Rows())
        PrintTsvRow(out, {row.texts.begin(), row.texts.end()});
      return ExitOk;
    });
  }
  {
    auto params = std::make_shared<TCombsGenParams>();
    CLI::App* sub = app.add_subcommand("combs", "The generated combination list");
    sub->add_option("--mode", params->mode, "Generation mode 0..4")->check(CLI::Range(0, 4));
    sub->add_option("--params", params->text, "My numbers (modes 1-3) or a file (mode 4)");
    table.Add(sub, Access::Read, [params, sub](Workspace& ws, std::ostream& out) {
      TCombsGenParams p = ws.DefaultGenParams();
      if (sub->count("--mode") > 0) p.mode = params->mode;
      if (sub->count("--params") > 0) p.text = params->text;
      if (!ws.CombsGenerate(true, p)) return ExitFailed;
      for (int i = 0; i < ws.Combs().Count(); ++i) out << CombToText(ws.Combs().At(i)) << '\n';
      return ExitOk;
    });
  }
}

}  // namespace korvane
