#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/host.h"
#include "app/workspace.h"
#include "cli/cli_host.h"

namespace korvane {

// A command that only reads works while another copy of the program holds the folder (every
// file is replaced atomically, so it reads whole files); one that changes the folder needs
// the exclusive hold.
enum class Access { Read, Write };

// One subcommand: what it runs once the data directory is open.
struct Command {
  CLI::App* sub = nullptr;
  Access access = Access::Write;
  std::function<int(Workspace&, std::ostream&)> run;
};

struct CommandTable {
  std::vector<Command> commands;
  void Add(CLI::App* sub, Access access, std::function<int(Workspace&, std::ostream&)> run) {
    commands.push_back({sub, access, std::move(run)});
  }
};

// Exit codes.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

void RegisterCommands(CLI::App& app, CommandTable& table);
void RegisterArchiveCommands(CLI::App& app, CommandTable& table);
void RegisterStatsCommands(CLI::App& app, CommandTable& table);
void RegisterFilterCommands(CLI::App& app, CommandTable& table);
void RegisterStakeCommands(CLI::App& app, CommandTable& table);
void RegisterScriptCommands(CLI::App& app, CommandTable& table);
void RegisterRatingCommands(CLI::App& app, CommandTable& table);
void RegisterViewCommands(CLI::App& app, CommandTable& table);
void RegisterOnlineCommands(CLI::App& app, CommandTable& table);
void RegisterExportCommands(CLI::App& app, CommandTable& table);

// Opens the data directory and runs the parsed subcommand. A command that reports an error on
// any step (also a follow-up step such as the check after adding stakes) exits 1, whatever it
// completed before.
int RunCommand(const CommandTable& table, CliHost& host, const fs::path& dataDir,
               std::ostream& out);

// An offset (or first list index) must name a draw of the archive: 0..count - 1 (only 0 for
// an empty archive). Otherwise the usage error naming the range is printed: false.
bool OffsetInRange(const Workspace& ws, int offset);

// One TSV line: the cells joined with TAB (a TAB or line break inside a cell becomes a blank).
void PrintTsvRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace korvane
