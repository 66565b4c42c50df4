#include "cli/commands.h"

namespace korvane {

void RegisterCommands(CLI::App& app, CommandTable& table) {
  RegisterArchiveCommands(app, table);
  RegisterStatsCommands(app, table);
  RegisterFilterCommands(app, table);
  RegisterStakeCommands(app, table);
  RegisterScriptCommands(app, table);
}

int RunCommand(const CommandTable& table, Host& host, const fs::path& dataDir, std::ostream& out) {
  for (const Command& c : table.commands) {
    if (!c.sub->parsed()) continue;
    Workspace ws(host, dataDir);
    if (!ws.Open()) return ExitFailed;
    return c.run(ws, out);
  }
  return ExitUsage;
}

void PrintTsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << '\t';
    for (char ch : cells[i]) out << ((ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch);
  }
  out << '\n';
}

}  // namespace korvane
