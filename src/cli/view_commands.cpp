// Commands over the analysis views: the graph of a method, the card, layout and week grids,
// and the repeats and sums analyses.

#include <algorithm>
#include <memory>

#include "cli/commands.h"
#include "core/strutil.h"
#include "stats/texts.h"
#include "views/analyses.h"
#include "views/graphs.h"
#include "views/grids.h"

namespace korvane {

namespace {

// A colour as the grid paints it: "-" for the grid's own, else #RRGGBB.
std::string ColourText(uint32_t c) { return c == GridNormal ? "-" : Format("#%06X", c); }

// The texts of a grid, then an empty line and the colour of every cell in the same shape.
template <class Text, class Colour>
void PrintGrid(std::ostream& out, int rows, int cols, Text text, Colour colour) {
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) out << '\n';
    for (int r = 0; r < rows; ++r) {
      std::vector<std::string> cells;
      for (int c = 0; c < cols; ++c)
        cells.push_back(pass == 0 ? text(r, c) : ColourText(colour(r, c)));
      PrintTsvRow(out, cells);
    }
  }
}

struct WindowOptions {
  int len = 0;  // 0: the saved window
  int offset = 0;
};

void AddWindow(CLI::App* sub, WindowOptions& o, const char* lenHelp) {
  sub->add_option("--len", o.len, lenHelp)->check(CLI::Range(1, 2147483647));
  sub->add_option("--offset", o.offset, "Newest draws treated as not yet drawn")
      ->check(CLI::NonNegativeNumber);
}

const char* kGridHelp =
    "The grid as TSV, then an empty line and the colour of each cell in the same shape "
    "(#RRGGBB, or - for the grid's own colour)";

}  // namespace

void RegisterViewCommands(CLI::App& app, CommandTable& table) {
  {
    auto method = std::make_shared<std::string>();
    auto o = std::make_shared<WindowOptions>();
    CLI::App* sub = app.add_subcommand(
        "graph",
        "A method's value for each draw of a window, oldest first (TSV: Тираж, Значение), then "
        "the lines \"Среднее значение\" (three decimals) and \"Наиболее часто встречающееся "
        "значение\" (among equal counts the value met first); an empty archive prints the "
        "header only");
    sub->add_option("--method", *method, "Method code with a graph value (see `methods`, G)")
        ->required();
    AddWindow(sub, *o, "Draws in the window (default: the saved one, 100)");
    table.Add(sub, Access::Read, [method, o](Workspace& ws, std::ostream& out) {
      // The methods the chart's list offers.
      const int entry = ws.Registry().IndexOfCode(*method);
      const std::vector<int> listed = GraphMethods(ws.Registry());
      if (std::find(listed.begin(), listed.end(), entry) == listed.end()) {
        ws.host().showMessage(MessageKind::Error,
                              entry < 0 ? Format(texts::UnknownMethod, method->c_str())
                                        : Format("У метода \"%s\" нет графика (признак G в "
                                                 "`methods`)",
                                                 method->c_str()));
        return ExitUsage;
      }
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      const DrawsGraph g =
          BuildDrawsGraph(ws.Registry(), entry, ws.Archive(), o->offset,
                          o->len > 0 ? o->len : ws.View().drawsGraphLen, ws.View().sortedDraws);
      PrintTsvRow(out, {"Тираж", "Значение"});
      for (const DrawsGraphPoint& p : g.points)
        PrintTsvRow(out, {std::to_string(p.draw), std::to_string(p.value)});
      if (!g.points.empty()) {
        PrintTsvRow(out, {"Среднее значение", FixedText(g.average, 3)});
        PrintTsvRow(out, {"Наиболее часто встречающееся значение", std::to_string(g.mostFrequent)});
      }
      return ExitOk;
    });
  }
  {
    auto o = std::make_shared<WindowOptions>();
    CLI::App* sub =
        app.add_subcommand("card", std::string("The card of the archive: ") + kGridHelp);
    sub->add_option("--len", o->len, "Newest draws shown (default: all)")
        ->check(CLI::Range(1, 2147483647));
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      const CardGrid card(ws.Archive().Draws());
      const ViewSettings& v = ws.View();
      const int rows = o->len > 0 ? std::min(card.Rows(), o->len + 1) : card.Rows();
      PrintGrid(
          out, rows, CardGrid::Cols(), [&](int r, int c) { return card.Text(r, c); },
          [&](int r, int c) {
            return card.Colour(r, c, v.colorCard, v.colorCardSequences, ws.Config().channelSize);
          });
      return ExitOk;
    });
  }
  {
    auto o = std::make_shared<WindowOptions>();
    CLI::App* sub = app.add_subcommand(
        "layout", std::string("The layout of the numbers over a window: ") + kGridHelp +
                      "; then the five compare lists (caption, then Кол-во and numbers)");
    AddWindow(sub, *o, "Draws in the window (default: the saved one, 100)");
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      const ViewSettings& v = ws.View();
      const LayoutGrid g = BuildLayout(ws.Archive(), o->offset, o->len > 0 ? o->len : v.layoutLen);
      PrintGrid(
          out, g.rows, g.cols, [&](int r, int c) { return g.Text(r, c); },
          [&](int r, int c) { return g.Colour(r, c, v.layoutGradient); });
      for (int len : v.layoutCompareLen) {
        const CompareList list = BuildCompareList(ws.Archive(), o->offset, len);
        out << '\n';
        PrintTsvRow(out, {"Кол-во", list.caption});
        for (const auto& [count, numbers] : list.rows) PrintTsvRow(out, {count, numbers});
      }
      return ExitOk;
    });
  }
  {
    auto o = std::make_shared<WindowOptions>();
    CLI::App* sub = app.add_subcommand(
        "week", std::string("How often each number fell on each weekday: ") + kGridHelp);
    AddWindow(sub, *o, "Draws in the window (default: the saved one, 1000)");
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      if (!OffsetInRange(ws, o->offset)) return ExitUsage;
      const WeekGrid w =
          BuildWeek(ws.Archive(), o->offset, o->len > 0 ? o->len : ws.View().weekLen);
      PrintGrid(
          out, WeekGrid::Rows(), WeekGrid::Cols(), [&](int r, int c) { return w.Text(r, c); },
          [&](int r, int c) { return w.Colour(r, c); });
      return ExitOk;
    });
  }
  {
    auto len = std::make_shared<int>(100);
    auto depth = std::make_shared<int>(100);
    CLI::App* sub = app.add_subcommand(
        "analyze-repeats",
        "Earlier draws repeating each recent draw in 1, 2 or 3 positions, newest draw first "
        "(TSV: Тираж, Совпадений, Кол-во повторов, Список тиражей; the list is the draw "
        "numbers, newest first, joined by blanks); the whole archive, no offset");
    sub->add_option("--len", *len, "Newest draws analysed (default 100)")
        ->check(CLI::Range(1, 2147483647));
    sub->add_option("--depth", *depth, "Draws looked back from each (default 100)")
        ->check(CLI::Range(1, 2147483647));
    table.Add(sub, Access::Read, [len, depth](Workspace& ws, std::ostream& out) {
      PrintTsvRow(out, {"Тираж", "Совпадений", "Кол-во повторов", "Список тиражей"});
      // A long run lists hundreds of megabytes of draw numbers: each row is written as it is
      // made, and whole (its cells hold only digits and blanks).
      ForEachRepeatsRow(ws.Archive().Draws(), *len, *depth, [&out](const RepeatsRow& row) {
        out << row.draw << '\t' << row.matches << '\t' << row.repeats << '\t' << row.draws << '\n';
      });
      return ExitOk;
    });
  }
  {
    CLI::App* sub = app.add_subcommand(
        "analyze-sums",
        "Sums of the draws beside the sums of all combinations (TSV: Сумма, Комбинаций, "
        "Тиражей), then an empty line and the titles of the three bands of likely sums; the "
        "whole archive, no offset");
    table.Add(sub, Access::Read, [](Workspace& ws, std::ostream& out) {
      const SumsAnalysis s = AnalyzeSums(ws.Archive().Draws());
      PrintTsvRow(out, {"Сумма", "Комбинаций", "Тиражей"});
      for (const TStatSimpleRec& t : s.theory) {
        int actual = 0;
        for (const TStatSimpleRec& a : s.actual)
          if (a.key == t.key) actual = a.count;
        PrintTsvRow(out, {std::to_string(t.key), std::to_string(t.count), std::to_string(actual)});
      }
      out << '\n';
      for (size_t k = 2; k < s.chart.series.size(); ++k)
        PrintTsvRow(out, {s.chart.series[k].title});
      return ExitOk;
    });
  }
}

}  // namespace korvane
