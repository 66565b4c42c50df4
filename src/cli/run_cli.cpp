#include "cli/run_cli.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "app/version.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "core/datadir.h"

namespace korvane {

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
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
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    app.exit(e, out, err);
    return ExitUsage;
  }

  CliHost host(err);
  host.setAnswerYes(yes);
  host.setVerbose(verbose);
  std::optional<fs::path> given;
  if (!dataDir.empty()) given = fs::path(dataDir);
  try {
    return RunCommand(commands, host, ResolveDataDir(given), out);
  } catch (const std::exception& e) {
    err << "Ошибка: " << e.what() << std::endl;
    return ExitFailed;
  }
}

}  // namespace korvane
