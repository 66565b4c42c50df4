// Commands over the statistic filters and filter descriptors.

#include <memory>
#include <optional>

#include "cli/commands.h"
#include "core/strutil.h"
#include "filters/filter_item.h"
#include "filters/texts.h"
#include "stats/texts.h"

namespace korvane {

namespace {

// "A" or "A-B" as a range of whole numbers.
std::optional<std::pair<int, int>> ParseSpan(std::string_view text) {
  text = Trim(text);
  const size_t dash = text.find('-', 1);
  const auto from = ParseInt32(Trim(text.substr(0, dash)));
  const auto to = dash == std::string_view::npos ? from : ParseInt32(Trim(text.substr(dash + 1)));
  if (!from || !to || *from > *to || *to - *from > 100000) return std::nullopt;
  return std::make_pair(*from, *to);
}

// "ROW,COL;ROW,COL" (each part may be a range A-B) as grid cells; none when malformed.
std::optional<std::vector<GridCell>> ParseCells(const std::string& text) {
  std::vector<GridCell> cells;
  for (std::string_view item : SplitAny(text, ";")) {
    if (Trim(item).empty()) continue;
    const size_t comma = item.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto rows = ParseSpan(item.substr(0, comma));
    const auto cols = ParseSpan(item.substr(comma + 1));
    if (!rows || !cols) return std::nullopt;
    for (int r = rows->first; r <= rows->second; ++r)
      for (int c = cols->first; c <= cols->second; ++c) cells.emplace_back(r, c);
  }
  if (cells.empty()) return std::nullopt;
  return cells;
}

// The grid filters of the card, layout and week on the combination list.
template <class Options>
int GridFilter(Workspace& ws, std::ostream& out, const Options& o) {
  ws.SetDrawsOffset(o.offset);
  if (o.len > 0) {
    ws.SetLayoutLen(o.len);
    ws.SetWeekLen(o.len);
  }
  if (!o.in.empty()) {
    if (!ws.CombsLoadFile(o.in)) return ExitFailed;
  } else if (!ws.CombsGenerate(false, TCombsGenParams{0, ""})) {
    return ExitFailed;
  }
  bool ok = false;
  if (!o.week.empty()) {
    std::vector<int> columns;
    for (std::string_view w : SplitAny(o.week, ";,")) {
      const auto c = ParseInt32(Trim(w));
      if (!c || *c < 1 || *c > 10) {
        ws.host().showMessage(MessageKind::Error, "--week: столбцы 1..10, например 1;4");
        return ExitUsage;
      }
      columns.push_back(*c);
    }
    ok = ws.ApplyWeekFilter(columns, o.remove);
  } else {
    const bool card = !o.card.empty();
    const auto cells = ParseCells(card ? o.card : o.layout);
    if (!cells || !GridFilterAllowed(*cells)) {
      ws.host().showMessage(MessageKind::Error,
                            std::string(card ? "--card" : "--layout") +
                                ": ячейки ROW,COL;... в столбцах 1..10, например 1,2;3-5,4");
      return ExitUsage;
    }
    ws.OverrideView(card ? ViewFlag::TabCard : ViewFlag::TabLayout, true);
    ws.RefreshView(card ? ViewPart::Card : ViewPart::Layout, true);
    ok = card ? ws.ApplyCardFilterAt(*cells, o.remove) : ws.ApplyLayoutFilterAt(*cells, o.remove);
  }
  if (!ok) return ExitFailed;
  for (int i = 0; i < ws.Combs().Count(); ++i) out << CombToText(ws.Combs().At(i)) << '\n';
  if (!o.out.empty() && !ws.CombsSaveFile(o.out)) return ExitFailed;
  return ExitOk;
}

}  // namespace

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
      std::string card, layout, week;
      int len = 0;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "filter", "Filter the combination list by values of a method's statistics table");
    sub->add_option("--method", o->method, "Method code (see `methods`)");
    sub->add_option("--depth", o->depth, "Draws analysed")->check(CLI::Range(1, 2147483647));
    sub->add_option("--offset", o->offset, "Newest draws treated as not yet drawn")
        ->check(CLI::NonNegativeNumber);
    auto* keep = sub->add_flag("--keep", o->keep, "Keep the combinations with these values");
    auto* remove = sub->add_flag("--remove", o->remove, "Remove the combinations with them");
    keep->excludes(remove);
    sub->add_option("--values", o->values, "\"Значение\" texts of the rows, joined with \";\"");
    sub->add_option("--card", o->card,
                    "Instead of a method: cells of the card, ROW,COL;... (rows from 1 newest "
                    "first, columns 1..10 for the numbers 0..9; ROW or COL may be a range A-B)");
    sub->add_option("--layout", o->layout, "Cells of the layout (`layout` output), as --card");
    sub->add_option("--week", o->week, "Columns 1..10 of the week (the numbers 0..9), e.g. 1;4");
    sub->add_option("--len", o->len, "Window of the layout or week (default: the saved one)")
        ->check(CLI::PositiveNumber);
    sub->add_option("--in", o->in, "Start from the combinations of this file (default: all)");
    sub->add_option("--out", o->out, "Also write the result as a combination file");
    sub->callback([o, sub] {
      if (!o->keep && !o->remove) throw CLI::RequiredError("--keep or --remove");
      const int grids = !o->card.empty() + !o->layout.empty() + !o->week.empty();
      if (grids > 1) throw CLI::ValidationError("--card, --layout and --week exclude each other");
      if (grids == 0 && (o->method.empty() || o->values.empty()))
        throw CLI::RequiredError("--method and --values (or --card, --layout, --week)");
      (void)sub;
    });
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      if (!o->card.empty() || !o->layout.empty() || !o->week.empty()) {
        if (!OffsetInRange(ws, o->offset)) return ExitUsage;
        return GridFilter(ws, out, *o);
      }
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
