#pragma once

// The log files of one kind in the data folder (stake logs "Korvane-N.log", run logs
// "ScriptLog_*.txt"): counting them and deleting them all.

#include <regex>
#include <string>
#include <utility>

#include "core/fileio.h"

namespace korvane {

class LogFiles {
 public:
  // `pattern` matches the whole file name.
  LogFiles(fs::path dir, const std::string& pattern) : dir_(std::move(dir)), pattern_(pattern) {}
  int Count() const;
  // (deleted, failed).
  std::pair<int, int> DeleteAll() const;

 private:
  fs::path dir_;
  std::regex pattern_;
};

}  // namespace korvane
