#pragma once

// The scenario part of the workspace: the current scenario's lines and files, the state of a
// forecast or test run with its status panels, and the run log.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/session_context.h"
#include "app/settings_store.h"
#include "scenario/script_log.h"
#include "stakes/stake_data.h"

namespace korvane {

// The run state of a forecast or test and the scenario page's status panels.
struct ScriptState {
  bool running = false;
  bool stopped = false;
  bool failed = false;  // a failure (not a STOP stake mode) ended the run
  int cycle = 0;
  int stakes = 0;
  int line = 0;
  int variant = 0;
  int total = 0;
  std::string text;
};

class ScenarioSession {
 public:
  ScenarioSession(const SessionContext& ctx, const SettingsStore& settings);

  const std::vector<std::string>& Lines() const { return lines_; }
  const ScriptState& State() const { return state_; }

  // Editing; every change is saved to Korvane.lss at once.
  int AddLine(const std::string& text);
  void SetLine(int i, const std::string& text);  // throws Error for a bad index
  std::string Line(int i) const;                 // throws Error for a bad index
  void DeleteLines(std::vector<int> rows);
  void Clear();
  // All lines replaced at once (a scenario from the online catalogue).
  void Replace(std::vector<std::string> lines);
  void Swap(int i, int j);
  // Reads a scenario file (appending with a separator, or replacing); false when it could
  // not be read (message shown, scenario unchanged).
  bool LoadFile(const fs::path& path, bool append);
  bool SaveFile(const fs::path& path);
  bool AutoSave();
  void Refresh();

  // A run: its beginning and end, the cycle, the panels, the stop flag, the log.
  void BeginRun();
  // Ends the run; the log file written (if any) is kept for the face to open.
  void EndRun();
  void SetCycle(int cycle);
  // Sets panels 2-5 of the scenario status bar and lets the face breathe.
  void Status(int line, int variant, const std::string& text, int total);
  // Lets the face process its events (at most every few dozen milliseconds) and returns the
  // stop flag.
  bool Poll();
  // The user's stop request (logged).
  void Stop();
  // A failure ends the run: stop, mark it failed, show the message.
  void Fail(const std::string& message);
  // The run stops without a failure (a STOP stake mode).
  void Halt() { state_.stopped = true; }
  void CountStake() { ++state_.stakes; }
  void SetFailed(bool failed) { state_.failed = failed; }
  bool LogEnabled() const { return log_.enabled; }
  void Log(const std::string& text) { log_.Write(text); }
  void DeleteLogs();

  // The log file of the last run, once, for the face to open.
  fs::path TakeLastLog();

 private:
  SessionContext ctx_;
  const SettingsStore& settings_;
  std::vector<std::string> lines_;
  ScriptState state_;
  ScriptLog log_;
  fs::path lastLog_;
  std::chrono::steady_clock::time_point lastPoll_{};
};

}  // namespace korvane
