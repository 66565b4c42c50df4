// Commands over the stake store.

#include <memory>

#include "cli/commands.h"
#include "core/intlist.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "stakes/texts.h"

namespace korvane {

void RegisterStakeCommands(CLI::App& app, CommandTable& table) {
  {
    CLI::App* sub = app.add_subcommand("stakes", "The stakes grid as TSV, in file order");
    table.Add(sub, Access::Read, [](Workspace& ws, std::ostream& out) {
      PrintTsvRow(out, {std::begin(texts::StakeColumns), std::end(texts::StakeColumns)});
      for (int i = 0; i < ws.Stakes().Count(); ++i)
        PrintTsvRow(out, StakeRowTexts(ws.Stakes().Read(i)));
      return ExitOk;
    });
  }
  {
    struct Options {
      std::string numbers;
      int draw = 0;
      int draws = 1;
      std::string comment = texts::ManualComment;
    };
    auto o = std::make_shared<Options>();
    CLI::App* sub = app.add_subcommand("stake-add", "Add a manual stake, then check stakes");
    sub->add_option("--numbers", o->numbers, "The three numbers, e.g. \"4;0;9\"")->required();
    sub->add_option("--draw", o->draw, "Draw number (default: the draw to be predicted)")
        ->check(CLI::Range(1, 2147483647));
    sub->add_option("--draws", o->draws, "Number of consecutive draws")
        ->check(CLI::Range(1, 65535));
    sub->add_option("--comment", o->comment, "Comment (at most 64 characters)");
    table.Add(sub, Access::Write, [o](Workspace& ws, std::ostream& out) {
      const StakeNumbersInput in = ParseStakeNumbers(o->numbers);
      if (!in.ok) {
        ws.host().showMessage(MessageKind::Error, texts::BadDrawNumbers);
        return ExitFailed;
      }
      if (Trim(o->comment).empty()) {
        ws.host().showMessage(MessageKind::Error, texts::NeedComment);
        return ExitFailed;
      }
      TStakeData s = ws.NewStake(StakeManual, std::nullopt, o->comment);
      s.numbers = in.numbers;
      s.profit = StakeProfit(ws.Config(), s.numbers.count, -1);
      if (o->draw > 0) s.draw = o->draw;
      if (!ws.AddStake(s, o->draws)) return ExitFailed;
      out << "added " << o->draws << '\n';
      return ExitOk;
    });
  }
  {
    CLI::App* sub = app.add_subcommand("check", "Check the stakes against the archive");
    table.Add(sub, Access::Write, [](Workspace& ws, std::ostream& out) {
      const StakeCheckResult r = ws.StakesCheckAndRefresh();
      out << "checked " << r.checked << '\n' << "profit " << r.profit.Text() << '\n';
      return ExitOk;
    });
  }
  {
    auto rows = std::make_shared<std::string>();
    auto matches = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("stakes-delete", "Delete stakes by rows or by matches");
    auto* r = sub->add_option("--rows", *rows, "Grid rows FIRST-LAST (from 1)");
    auto* m = sub->add_option("--matches", *matches, "OP:VALUE, OP one of = > >= < <=");
    r->excludes(m);
    sub->callback([r, m] {
      if (r->count() == 0 && m->count() == 0) throw CLI::RequiredError("--rows or --matches");
    });
    table.Add(sub, Access::Write, [rows, matches](Workspace& ws, std::ostream& out) {
      const int before = ws.Stakes().Count();
      bool ok = false;
      if (!rows->empty()) {
        const size_t dash = rows->find('-');
        const auto first = ParseInt32(Trim(rows->substr(0, dash)));
        const auto last =
            dash == std::string::npos ? first : ParseInt32(Trim(rows->substr(dash + 1)));
        if (!first || !last || *first < 1 || *last < *first) {
          ws.host().showMessage(MessageKind::Error, "Некорректный диапазон строк: " + *rows);
          return ExitUsage;
        }
        ok = ws.DeleteStakeRows(*first, *last);
      } else {
        static const char* kOps[5] = {"=", ">", ">=", "<", "<="};
        const size_t colon = matches->find(':');
        int op = -1;
        for (int i = 0; i < 5; ++i)
          if (colon != std::string::npos && Trim(matches->substr(0, colon)) == kOps[i]) op = i;
        const auto value = colon == std::string::npos
                               ? std::nullopt
                               : ParseInt32(Trim(matches->substr(colon + 1)));
        if (op < 0 || !value || *value < 0 || *value > 3) {
          ws.host().showMessage(MessageKind::Error, "Некорректное условие: " + *matches);
          return ExitUsage;
        }
        ok = ws.DeleteStakesByCondition(static_cast<StakeRelation>(op), *value);
      }
      if (!ok) return ExitFailed;
      out << "deleted " << before - ws.Stakes().Count() << '\n';
      return ExitOk;
    });
  }
}

}  // namespace korvane
