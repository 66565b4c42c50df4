#pragma once

// The order in which the program starts and ends. The window runs these steps; the parts
// that only a window has (language menu, placement, dialogs) come back through StartupFace.

#include <string>

#include "app/command_line.h"
#include "app/workspace.h"

namespace korvane {

class StartupFace {
 public:
  virtual ~StartupFace() = default;
  // The language to show (1049 with "no-language", else the stored one).
  virtual void ApplyLanguage(int /*language*/) {}
  // Tab visibility, window placement and list states from the view settings just read.
  virtual void RestoreWindowState() {}
  virtual void SetCaption(const std::string& /*caption*/) {}
  virtual void ShowFirstRunDialog() {}
  // The draw download of "loadonly" and of the start-up choice, with the face's own progress.
  virtual void DownloadDraws() = 0;
  // Placement and list states into Korvane.frm (before the view settings are written).
  virtual void StoreWindowState() {}
  // The update check with the face's own dialog; silent at start-up.
  virtual UpdateResult CheckForUpdate(bool /*silent*/) { return UpdateResult::Nothing; }
  // Starts the program anew ("restart") and ends this instance.
  virtual void Restart() {}
};

enum class StartupResult { Continue, End };

// The caption of the main window, with the version once the program is initialised.
std::string MainCaption(bool withVersion);

// Window creation, before the window is shown. Ends early only on a restart whose
// predecessor does not end within the wait.
StartupResult RunWindowCreation(Workspace& ws, const CommandLine& args, StartupFace& face);
// The one-shot initialisation once the window is on screen. End means the program must end
// (no exclusive hold, or a switch that ends the run).
StartupResult RunInitialisation(Workspace& ws, const CommandLine& args, StartupFace& face);
// Shut-down: view state to Korvane.frm, state freed, the stake file closed.
void RunShutdown(Workspace& ws, StartupFace& face);

// The file name of a running program from its /proc/<pid>/exe link, also once the file was
// replaced (the link then ends in " (deleted)").
std::string RunningExeName(const fs::path& exeLink);

// Waits (100 ms steps, at most 601 times) until no other process runs the same executable
// file; false when one still runs.
bool WaitForPreviousInstance();

}  // namespace korvane
