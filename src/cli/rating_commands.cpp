// Commands over the ratings and the regular stakes.

#include <memory>
#include <optional>

#include "cli/commands.h"
#include "core/encoding.h"
#include "core/error.h"
#include "core/strutil.h"
#include "scenario/script_model.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

// "--rows 1;3;5" or "2-6,1": rows from 1 of a list of n, single or as ranges, separated by ";"
// or ","; all rows when the text is empty. False (after the message) when a row is outside
// or the text is not such a list.
bool ParseRows(const Workspace& ws, const std::string& text, int n, std::vector<int>& rows) {
  rows.clear();
  if (Trim(text).empty()) {
    for (int i = 0; i < n; ++i) rows.push_back(i);
    return true;
  }
  for (std::string_view item : SplitAny(text, ";,")) {
    item = Trim(item);
    const size_t dash = item.find('-', 1);
    const std::optional<int64_t> from = ParseInt64(Trim(item.substr(0, dash)));
    const std::optional<int64_t> to =
        dash == std::string_view::npos ? from : ParseInt64(Trim(item.substr(dash + 1)));
    if (!from || !to || *from > *to) {
      ws.host().showMessage(MessageKind::Error, "--rows: некорректный список строк " + text);
      return false;
    }
    if (*from < 1 || *to > n) {
      ws.host().showMessage(MessageKind::Error,
                            Format("--rows: строки %s вне диапазона 1..%d", text.c_str(), n));
      return false;
    }
    for (int64_t r = *from; r <= *to; ++r) rows.push_back(static_cast<int>(r - 1));
  }
  return true;
}

// The command line works on the regulars whatever the window's tab shows.
void WithRegulars(Workspace& ws) {
  if (ws.View().tabTables) return;
  ws.OverrideView(ViewFlag::TabTables, true);
  ws.LoadRegulars();
}

}  // namespace

void RegisterRatingCommands(CLI::App& app, CommandTable& table) {
  {
    struct Options {
      int mode = -1;
      int sort = -1;
      bool desc = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand(
        "ratings", "The ratings as TSV: the 14 list columns and p(Угадано), p(3)");
    sub->add_option("--mode", o->mode, "E columns: 0 expected, 1 absolute, 2 relative")
        ->check(CLI::Range(0, 2));
    sub->add_option("--sort", o->sort, "Sort column 0..15 (this listing only)")
        ->check(CLI::Range(0, 15));
    sub->add_flag("--desc", o->desc, "Sort descending");
    table.Add(sub, Access::Read, [o](Workspace& ws, std::ostream& out) {
      // The order asked for is this listing's own: the file keeps the window's order.
      Ratings list = ws.RatingRows();
      if (o->sort >= 0) list.Sort(o->sort, o->desc);
      const EffMode mode = o->mode >= 0 ? static_cast<EffMode>(o->mode) : ws.RatingsPart().Mode();
      PrintTsvRow(out, {std::begin(texts::RatingColumns), std::end(texts::RatingColumns)});
      for (const TRatingRec& row : list.Rows()) {
        std::vector<std::string> cells;
        for (int c = 0; c < RatingColumnCount; ++c)
          cells.push_back(RatingCellText(row, static_cast<RatingColumn>(c), mode));
        PrintTsvRow(out, cells);
      }
      return ExitOk;
    });
  }
  {
    CLI::App* sub = app.add_subcommand(
        "ratings-refresh", "Rebuild the ratings from the stakes (asks first; answer with --yes)");
    table.Add(sub, Access::Write, [](Workspace& ws, std::ostream& out) {
      if (!ws.RatingsRefresh()) return ExitFailed;
      out << "rows " << ws.RatingRows().Count() << '\n';
      return ExitOk;
    });
  }
  {
    auto file = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("ratings-export", "Write the ratings as a CSV file");
    sub->add_option("FILE", *file, "CSV file to write")->required();
    table.Add(sub, Access::Read, [file](Workspace& ws, std::ostream&) {
      return ws.RatingsExport(*file) ? ExitOk : ExitFailed;
    });
  }
  {
    auto file = std::make_shared<std::string>();
    auto rows = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand(
        "ratings-to-script", "Append the scenario lines of rating rows to a scenario file");
    sub->add_option("FILE", *file, "Scenario file (*.lsc), made when missing")->required();
    sub->add_option("--rows", *rows, "Rows from 1, e.g. \"1;3\" or \"2-5,8\" (default: all)");
    table.Add(sub, Access::Read, [file, rows](Workspace& ws, std::ostream& out) {
      std::vector<int> picked;
      if (!ParseRows(ws, *rows, ws.RatingRows().Count(), picked)) return ExitUsage;
      const std::vector<std::string> lines = ws.RatingsScriptLines(picked);
      std::vector<std::string> all;
      std::error_code ec;
      try {
        if (fs::exists(*file, ec)) all = ParseScenarioText(Cp1251ToUtf8(ReadFile(*file)));
        all.insert(all.end(), lines.begin(), lines.end());
        if (!lines.empty()) WriteFileAtomic(*file, Utf8ToCp1251(ScenarioToText(all)));
      } catch (const Error& e) {
        ws.host().showMessage(MessageKind::Error, e.what());
        return ExitFailed;
      }
      out << "added " << lines.size() << '\n';
      return ExitOk;
    });
  }
  {
    CLI::App* sub = app.add_subcommand("regulars", "The regular stakes as TSV");
    table.Add(sub, Access::Read, [](Workspace& ws, std::ostream& out) {
      WithRegulars(ws);
      PrintTsvRow(out,
                  {"Комментарий", "Стартовая комбинация", "Шаг", "Текущая комбинация", "Ставок"});
      for (const TTableData& r : ws.Regulars().Rows())
        PrintTsvRow(out, {r.name, CombToText(r.start), std::to_string(r.step),
                          CombToText(r.current), std::to_string(r.stakes)});
      return ExitOk;
    });
  }
  {
    struct Options {
      std::string numbers;
      int step = 1;
      std::string comment = texts::RegularDefaultName;
      bool fromDraw = false;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand("regular-add", "Add a regular stake");
    sub->add_option("--numbers", o->numbers, "Start combination, e.g. \"8;9;0\"");
    sub->add_option("--step", o->step, "Step -9..9")->check(CLI::Range(-9, 9));
    sub->add_option("--comment", o->comment, "Comment (at most 64 characters, unique)");
    sub->add_flag("--from-draw", o->fromDraw, "Step the numbers of the previous draw");
    sub->callback([o] {
      if (!o->fromDraw && o->numbers.empty()) throw CLI::RequiredError("--numbers or --from-draw");
    });
    table.Add(sub, Access::Write, [o](Workspace& ws, std::ostream& out) {
      WithRegulars(ws);
      TTableData prepared = PrepareRegular({});
      prepared.stakes = 1;  // one start combination, typed
      TableDialogInput in;
      in.comment = o->comment;
      in.fixedStart = !o->fromDraw;
      in.startText = o->numbers;
      in.step = o->step;
      const TableDialogResult r = AcceptTableDialog(prepared, in, ws.TablesPart().Names());
      if (!r.Ok()) {
        ws.host().showMessage(MessageKind::Error, r.error);
        return ExitFailed;
      }
      if (!ws.AddRegulars(r.record, {{1, r.record.start}})) return ExitFailed;
      out << "regulars " << ws.Regulars().Count() << '\n';
      return ExitOk;
    });
  }
  {
    auto row = std::make_shared<int>(1);
    auto draws = std::make_shared<int>(1);
    CLI::App* sub = app.add_subcommand("regular-stake", "Make a stake by a regular");
    sub->add_option("--row", *row, "The regular's row from 1")->check(CLI::PositiveNumber);
    sub->add_option("--draws", *draws, "Number of consecutive draws")->check(CLI::Range(1, 65535));
    table.Add(sub, Access::Write, [row, draws](Workspace& ws, std::ostream& out) {
      WithRegulars(ws);
      const auto prepared = ws.PrepareRegularStake(*row - 1);
      if (!prepared) {
        ws.host().showMessage(MessageKind::Error, Format("--row: регулярной ставки %d нет", *row));
        return ExitUsage;
      }
      if (!ws.CommitRegularStake(*row - 1, prepared->first, prepared->second, *draws))
        return ExitFailed;
      PrintTsvRow(out, StakeRowTexts(prepared->second));
      return ExitOk;
    });
  }
  {
    auto count = std::make_shared<int>(0);
    auto rows = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("regular-test", "Test regular stakes over the last K draws");
    sub->add_option("--count", *count, "Number of draws K")->required()->check(CLI::PositiveNumber);
    sub->add_option("--rows", *rows, "Regulars from 1, e.g. \"1;3\" or \"2-5\" (default: all)");
    table.Add(sub, Access::Write, [count, rows](Workspace& ws, std::ostream& out) {
      WithRegulars(ws);
      if (*count > ws.Archive().Count() - 1) {
        ws.host().showMessage(
            MessageKind::Error,
            Format("Количество тестов должно быть от 1 до %d.", ws.Archive().Count() - 1));
        return ExitUsage;
      }
      std::vector<int> picked;
      if (!ParseRows(ws, *rows, ws.Regulars().Count(), picked)) return ExitUsage;
      const int before = ws.Stakes().Count();
      if (!ws.RegularTest(picked, *count)) return ExitFailed;
      out << "records " << ws.Stakes().Count() - before << '\n';
      return ExitOk;
    });
  }
}

}  // namespace korvane
