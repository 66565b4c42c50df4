#pragma once

// The run log: one file ScriptLog_<yyyy-mm-dd-hh-nn-ss>.txt per run, every line time-stamped.

#include <functional>
#include <string>

#include "core/dates.h"
#include "core/fileio.h"
#include "core/log_files.h"

namespace korvane {

class ScriptLog {
 public:
  explicit ScriptLog(fs::path dir) : dir_(std::move(dir)) {}

  bool enabled = false;
  // Failures are handed here ("Ошибка записи журнала: ...!"); the run goes on.
  std::function<void(const std::string&)> onError;

  // Fixes the file name for a run started now (when enabled).
  void Start(DateTime now);
  void Write(const std::string& text, bool stamped = true);
  // Ends the run's file: returns its path when a file was written (for the face to open).
  fs::path Finish();
  const fs::path& Current() const { return current_; }

  static std::string FileName(DateTime start);
  static std::string Stamp(DateTime now);
  // The run logs of the folder ("ScriptLog_*.txt").
  LogFiles Files() const;

 private:
  fs::path dir_;
  fs::path current_;
};

}  // namespace korvane
