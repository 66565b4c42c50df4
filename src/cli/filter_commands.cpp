// Commands over the statistic filters and filter descriptors.

#include <memory>

#include "cli/commands.h"
#include "core/strutil.h"
#include "filters/filter_item.h"
#include "filters/texts.h"
#include "stats/texts.h"

namespace korvane {

void RegisterFilterCommands(CLI::App& app, CommandTable& table) {
  {
    struct Options {
      std::string method;
      int depth = 1000;
      int offset = 0;
      bool keep = false;
      bool remove = false;
      std::string values;
      std::string in;
      std::string out;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "filter", "Filter the combination list by values of a method's statistics table");
    sub->add_option("--method", o->method, "Method code (see `methods`)")->required();
    sub->add_option("--depth", o->depth, "Draws analysed")->check(CLI::Range(1, 2147483647));
    sub->add_option("--offset", o->offset, "Newest draws treated as not yet drawn")
        ->check(CLI::NonNegativeNumber);
    auto* keep = sub->add_flag("--keep", o->keep, "Keep the combinations with these values");
    auto* remove = sub->add_flag("--remove", o->remove, "Remove the combinations with them");
    keep->excludes(remove);
    sub->add_option("--values", o->values, "\"Значение\" texts of the rows, joined with \";\"")
        ->required();
    sub->add_option("--in", o->in, "Start from the combinations of this file (default: all)");
    sub->add_option("--out", o->out, "Also write the result as a combination file");
    sub->callback([o, sub] {
      if (!o->keep && !o->remove) throw CLI::RequiredError("--keep or --remove");
      (void)sub;
    });
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      if (!ws.SelectStatMethodByCode(o->method)) {
        ws.host().showMessage(MessageKind::Error, Format(texts::UnknownMethod, o->method.c_str()));
        return ExitFailed;
      }
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      ws.SuspendViews(true);  // one build, at the end
      ws.SetStatDepth(o->depth);
      ws.SetDrawsOffset(o->offset);
      ws.OverrideView(ViewFlag::Prefetchs, false);
      ws.BuildStatTable(true);
      std::vector<std::string> values;
      for (std::string_view v : SplitAny(o->values, ";")) {
        const std::string text(Trim(v));
        if (!text.empty()) values.push_back(text);
      }
      if (const auto missing = ws.StatSelectValues(values)) {
        ws.host().showMessage(MessageKind::Error, Format(texts::UnknownValue, missing->c_str()));
        return ExitFailed;
      }
      if (!o->in.empty()) {
        if (!ws.CombsLoadFile(o->in)) return ExitFailed;
      } else if (!ws.CombsGenerate(false, TCombsGenParams{0, ""})) {
        return ExitFailed;
      }
      ws.CombsUndoSave();
      ws.ApplyStatFilter(nullptr, -1, o->remove);
      for (int i = 0; i < ws.Combs().Count(); ++i) out << CombToText(ws.Combs().At(i)) << '\n';
      if (!o->out.empty() && !ws.CombsSaveFile(o->out)) return ExitFailed;
      return ExitOk;
    });
  }
  {
    auto text = std::make_shared<std::string>();
    auto validate = std::make_shared<bool>(false);
    CLI::App* sub =
        app.add_subcommand("filter-text", "Parse a filter descriptor and print it back");
    sub->add_option("TEXT", *text, "The descriptor, e.g. TSD1#NUMS:10#LMV:3#SF:1")->required();
    sub->add_flag("--validate", *validate, "Check it as the filter dialog does on OK");
    table.Add(sub, Access::Read, [text, validate](Workspace& ws, std::ostream& out) {
      const TFilterItem item = TextToFilterItem(*text, ws.Registry());
      out << FilterItemToText(item) << '\n';
      if (!*validate) return ExitOk;
      // The dialog shows the item's method, or the first of the list when it has none.
      int entry = ws.Registry().IndexOfCode(item.methodCode);
      if (item.methodCode.empty() && !ws.StatMethodList().empty())
        entry = ws.StatMethodList().front();
      const bool accepts = entry >= 0 && ws.Registry().Items(entry).AcceptsValueText();
      if (auto error = ValidateFilterItem(item, accepts)) {
        ws.host().showMessage(MessageKind::Error, error->message);
        return ExitFailed;
      }
      return ExitOk;
    });
  }
}

}  // namespace korvane
