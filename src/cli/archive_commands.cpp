// Commands over the draw archive: import, export, listing, demo data.

#include <memory>

#include "cli/commands.h"
#include "core/dates.h"
#include "core/demo.h"
#include "core/strutil.h"

namespace korvane {

void RegisterArchiveCommands(CLI::App& app, CommandTable& table) {
  {
    auto file = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("import-csv", "Import draws from a CSV file");
    sub->add_option("FILE", *file, "CSV file of draws")->required();
    table.Add(sub, Access::Write, [file](Workspace& ws, std::ostream& out) {
      const ImportReport r = ws.ImportCsv(*file);
      if (!r.ok) return ExitFailed;
      out << "added " << r.added << '\n';
      if (!r.rejected.empty()) out << "rejected " << r.rejected.size() << '\n';
      return ExitOk;
    });
  }
  {
    auto file = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("export-csv", "Export the archive to a CSV file");
    sub->add_option("FILE", *file, "CSV file to write")->required();
    table.Add(sub, Access::Read, [file](Workspace& ws, std::ostream&) {
      return ws.ExportCsv(*file) ? ExitOk : ExitFailed;
    });
  }
  {
    auto offset = std::make_shared<int>(0);
    auto limit = std::make_shared<int>(-1);
    CLI::App* sub = app.add_subcommand("draws", "The archive list as TSV, newest first");
    sub->add_option("--offset", *offset, "First list index to print (0 = newest)")
        ->check(CLI::NonNegativeNumber);
    sub->add_option("--limit", *limit, "Most rows to print")->check(CLI::NonNegativeNumber);
    table.Add(sub, Access::Read, [offset, limit](Workspace& ws, std::ostream& out) {
      if (!OffsetInRange(ws, *offset)) return ExitUsage;
      const auto& captions = ArchiveColumnCaptions();
      PrintTsvRow(out, {captions.begin(), captions.end()});
      const DrawArchive& a = ws.Archive();
      int printed = 0;
      for (int r = *offset; r < a.Count() && (*limit < 0 || printed < *limit); ++r, ++printed) {
        const auto cells = a.RowTexts(r, ws.View().sortedDraws);
        PrintTsvRow(out, {cells.begin(), cells.end()});
      }
      return ExitOk;
    });
  }
  {
    auto count = std::make_shared<int>(0);
    auto seed = std::make_shared<uint64_t>(1);
    CLI::App* sub = app.add_subcommand(
        "demo-archive",
        "Fill an empty archive with simulated draws (two a day from 04/29/1988 to today)");
    sub->add_option("--draws", *count, "How many draws, the last one today")
        ->check(CLI::Range(1, 1000000));
    sub->add_option("--seed", *seed, "Seed of the number generator");
    table.Add(sub, Access::Write, [count, seed](Workspace& ws, std::ostream& out) {
      if (!ws.Archive().Empty()) {
        ws.host().showMessage(MessageKind::Error,
                              "Архив тиражей не пуст: демонстрационные тиражи не добавлены.");
        return ExitFailed;
      }
      const int today = DateToInt(Now());
      const int n = *count > 0 ? *count : DemoDrawCount(19880429, today);
      if (!ws.AppendDraws(MakeDemoDraws(n, *seed, today))) return ExitFailed;
      out << "added " << n << '\n';
      return ExitOk;
    });
  }
}

}  // namespace korvane
