#pragma once

// Stake log files Korvane-<matches>.log: one line per checked stake.

#include <cstdint>
#include <functional>
#include <string>

#include "core/dates.h"
#include "core/fileio.h"
#include "core/log_files.h"
#include "stakes/stake_data.h"

namespace korvane {

class StakeLog {
 public:
  explicit StakeLog(fs::path dir) : dir_(std::move(dir)) {}

  // A file larger than this is deleted before the next line goes in.
  int64_t sizeLimit = 268435456;

  fs::path PathFor(int matches) const;
  // The line for a checked stake (without the line end).
  static std::string Line(const TStakeData& s, DateTime now);
  // Appends the stake's line. Failures are handed to onError (message text) and the caller
  // goes on.
  void Write(const TStakeData& s, const std::function<void(const std::string&)>& onError);
  // Deletes every log file; (deleted, failed), or nothing found when both are 0.
  // The stake logs of the folder ("Korvane-N.log").
  LogFiles Files() const;

 private:
  fs::path dir_;
};

}  // namespace korvane
