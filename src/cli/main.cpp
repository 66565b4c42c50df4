// korvane-cli: the command-line face over the same data directory as the window.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "app/version.h"
#include "app/workspace.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "core/datadir.h"

int main(int argc, char** argv) {
  using namespace korvane;
  CLI::App app{"Korvane: анализ статистики лотереи \"Florida PICK 3\" из командной строки",
               "korvane-cli"};
  app.set_version_flag("--version", ProgramVersion);
  app.require_subcommand(1);
  std::string dataDir;
  bool yes = false;
  bool verbose = false;
  app.add_option("--data-dir", dataDir,
                 "Data directory (default: $KORVANE_DATA_DIR, else the "
                 "folder of the executable)");
  app.add_flag("-y,--yes", yes, "Answer Yes to every question");
  app.add_flag("-v,--verbose", verbose, "Print status texts on stderr");

  CommandTable commands;
  RegisterCommands(app, commands);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }

  CliHost host;
  host.setAnswerYes(yes);
  host.setVerbose(verbose);
  std::optional<fs::path> given;
  if (!dataDir.empty()) given = fs::path(dataDir);
  try {
    return RunCommand(commands, host, ResolveDataDir(given), std::cout);
  } catch (const std::exception& e) {
    std::cerr << "Ошибка: " << e.what() << std::endl;
    return 1;
  }
}
