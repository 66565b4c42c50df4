#include "app/startup.h"

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/version.h"
#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"
#include "online/texts.h"

namespace korvane {

std::string MainCaption(bool withVersion) {
  std::string caption = texts::MainCaption;
  if (withVersion) caption += std::string(" версия ") + ProgramVersion;
  return caption;
}

std::string RunningExeName(const fs::path& exeLink) {
  // A process whose program file was replaced (an update) shows it as "<path> (deleted)".
  std::string name = exeLink.filename().string();
  constexpr std::string_view deleted = " (deleted)";
  if (name.size() > deleted.size() &&
      name.compare(name.size() - deleted.size(), deleted.size(), deleted) == 0)
    name.erase(name.size() - deleted.size());
  return name;
}

namespace {

bool AnotherInstanceRuns() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return false;
  const std::string name = RunningExeName(self);
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return false;
  bool found = false;
  const pid_t me = getpid();
  while (dirent* e = readdir(proc)) {
    const auto pid = ParseInt32(e->d_name);
    if (!pid || *pid == me) continue;
    const fs::path exe = fs::read_symlink(fs::path("/proc") / e->d_name / "exe", ec);
    if (!ec && RunningExeName(exe) == name) {
      found = true;
      break;
    }
  }
  closedir(proc);
  return found;
}

}  // namespace

bool WaitForPreviousInstance() {
  for (int i = 0; i < 601; ++i) {
    if (!AnotherInstanceRuns()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return !AnotherInstanceRuns();
}

StartupResult RunWindowCreation(Workspace& ws, const CommandLine& args, StartupFace& face) {
  try {
    // 1-3: the date conversion is built in; the random generator is seeded; the lists are
    // empty in a new workspace.
    ws.SeedRandom(args.Seed());
    // 4: a restarted instance waits for its predecessor.
    if (args.Restart() && !WaitForPreviousInstance()) return StartupResult::End;
    // 6-7: view settings, tab visibility, placement, list states.
    ws.LoadViewSettingsFile();
    // 5: the language (the view settings hold the stored choice).
    face.ApplyLanguage(args.NoLanguage() ? 1049 : ws.View().language);
    try {
      face.RestoreWindowState();
      ws.InitPrefetchKeys();
    } catch (const Error& e) {
      ws.ReportError(texts::ViewReadError, e.what());
    }
    // 8: game and proxy settings.
    ws.LoadGameSettingsFile();
    // 9: the statistic registry, with the user's favourite methods and names.
    ws.BuildRegistry();
    ws.LoadFilterNames(ws.Files().Favourites(), true);
  } catch (const std::exception& e) {
    ws.ReportError(texts::StartupError, e.what());
  }
  return StartupResult::Continue;
}

StartupResult RunInitialisation(Workspace& ws, const CommandLine& args, StartupFace& face) {
  BusyScope busy = ws.BusyFor(texts::Initialising);
  try {
    face.SetCaption(MainCaption(true));
    ws.SetDrawsOffset(0);
    if (!ws.OpenDataFiles()) return StartupResult::End;
    ws.LoadArchive();
    // 6: the combination list and the analysis views.
    ws.CombsGenerate(true, ws.DefaultGenParams());
    ws.RecomputeViews(true);
    // 7: the ratings and the regular stakes, then the current scenario.
    ws.LoadStakeState();
    // 7: the current scenario.
    std::error_code ec;
    if (fs::exists(ws.Files().Scenario(), ec)) ws.ScriptLoadFile(ws.Files().Scenario(), false);
    // 8: the online scenario catalogue, when its panel is shown and a library is configured
    // (no library: the panel stays empty and says nothing until the user refreshes it).
    if (!args.LoadOnly() && !args.FullRecreate() && !args.FullRefresh() &&
        ws.View().scriptLibraryOn && !Trim(ws.Online().libraryUrl).empty())
      ws.CatalogueRefresh(ws.CatalogueFilter());
    // 9: "loadonly" downloads the new draws and ends here unless a prefetch switch follows.
    if (args.LoadOnly()) {
      face.DownloadDraws();
      if (!args.FullRecreate() && !args.FullRefresh()) return StartupResult::End;
    }
    // 10: the update check; an installed update restarts the program.
    if (ws.View().autoUpdates && face.CheckForUpdate(true) == UpdateResult::Installed) {
      face.Restart();
      return StartupResult::End;
    }
    // 11: "fullrecreate" rebuilds every prefetch file and ends.
    if (args.FullRecreate()) {
      std::set<int> all;
      for (int g = 0; g < StatGroupCount; ++g) all.insert(g);
      ws.CreateAllPrefetch(true, all);
      return StartupResult::End;
    }
    // 12: the missing prefetch files are made; "fullrefresh" ends here.
    ws.CreateAllPrefetch(args.FullRefresh(), {});
    if (args.FullRefresh()) return StartupResult::End;
    // The new draws: asked for, always, or never.
    const int download = ws.View().downloadDrawsOnStart;
    if (download == 1 || (download == 0 && ws.host().ask(texts::DownloadOnStartQuestion, true)))
      face.DownloadDraws();
    if (ws.View().firstRun) face.ShowFirstRunDialog();
  } catch (const std::exception& e) {
    ws.ReportError(texts::InitError, e.what());
  }
  return StartupResult::Continue;
}

void RunShutdown(Workspace& ws, StartupFace& face) {
  ws.ScriptStop();
  try {
    face.StoreWindowState();
  } catch (const std::exception& e) {
    ws.ReportError(texts::ViewReadError, e.what());
  }
  ws.SaveViewState();
  ws.ClearArchive();
  BusyScope busy = ws.BusyFor(texts::SavingStakes);
  ws.CloseDataFiles();
}

}  // namespace korvane
