#include "cli/commands.h"

#include <algorithm>

#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

void RegisterCommands(CLI::App& app, CommandTable& table) {
  RegisterArchiveCommands(app, table);
  RegisterStatsCommands(app, table);
  RegisterFilterCommands(app, table);
  RegisterStakeCommands(app, table);
  RegisterScriptCommands(app, table);
  RegisterRatingCommands(app, table);
  RegisterViewCommands(app, table);
  RegisterOnlineCommands(app, table);
  RegisterExportCommands(app, table);
}

int RunCommand(const CommandTable& table, CliHost& host, const fs::path& dataDir,
               std::ostream& out) {
  for (const Command& c : table.commands) {
    if (!c.sub->parsed()) continue;
    Workspace ws(host, dataDir);
    if (c.access == Access::Write && ws.HeldByAnother()) {
      host.showMessage(MessageKind::Error, Format(texts::FolderHeld, dataDir.string().c_str()));
      return ExitFailed;
    }
    if (!(c.access == Access::Read ? ws.OpenForReading() : ws.Open())) return ExitFailed;
    const int code = c.run(ws, out);
    // The error message of the failed step is on stderr already.
    return code == ExitOk && host.errors() > 0 ? ExitFailed : code;
  }
  return ExitUsage;
}

bool OffsetInRange(const Workspace& ws, int offset) {
  const int count = ws.Archive().Count();
  if (offset >= 0 && offset <= std::max(0, count - 1)) return true;
  ws.host().showMessage(MessageKind::Error,
                        count == 0 ? std::string("--offset: архив тиражей пуст, допустимо только 0")
                                   : Format("--offset: допустимы значения от 0 до %d", count - 1));
  return false;
}

void PrintTsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << '\t';
    for (char ch : cells[i]) out << ((ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch);
  }
  out << '\n';
}

}  // namespace korvane
