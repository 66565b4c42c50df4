#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileio.h"

namespace korvane {

// The program's arguments: switches such as "restart" (bare or with "-", "--", "/" or "\",
// compared case-insensitively) and the options "--data-dir DIR" and "--seed N".
class CommandLine {
 public:
  CommandLine() = default;
  explicit CommandLine(std::vector<std::string> args);
  static CommandLine FromArgv(int argc, char** argv);

  bool HasSwitch(std::string_view name) const;
  std::optional<fs::path> DataDir() const { return dataDir_; }
  std::optional<uint64_t> Seed() const { return seed_; }
  const std::vector<std::string>& Args() const { return args_; }

  bool Restart() const { return HasSwitch("restart"); }
  bool LoadOnly() const { return HasSwitch("loadonly"); }
  bool FullRecreate() const { return HasSwitch("fullrecreate"); }
  bool FullRefresh() const { return HasSwitch("fullrefresh"); }
  bool NoLanguage() const { return HasSwitch("no-language"); }

 private:
  std::vector<std::string> args_;
  std::optional<fs::path> dataDir_;
  std::optional<uint64_t> seed_;
};

}  // namespace korvane
