#pragma once

// Where the working files live and what they are called.

#include <optional>
#include <string>

#include "core/fileio.h"

namespace korvane {

inline constexpr const char* FileBaseName = "Korvane";
inline constexpr const char* DataDirEnv = "KORVANE_DATA_DIR";
// The subfolder of the data folder holding the prefetch files.
inline constexpr const char* PrefetchFolder = "Prefetchs";

// The folder of the running executable.
fs::path ExecutableDir();

// The data directory: the given folder, else $KORVANE_DATA_DIR, else the folder of the
// executable.
fs::path ResolveDataDir(const std::optional<fs::path>& given);

// Removes the temporary files of our own naming that a killed run left in the data folder and in
// its Prefetchs folder: ".Korvane.<name>.XXXXXX" of the atomic writes (".Korvane_<name>.dfc.XXXXXX"
// in Prefetchs) and "Korvane.~tmp" of the stake deletions. Nothing else is touched; a file that
// cannot be removed is left. Returns how many were removed. Call it only while holding the folder.
int RemoveStaleTemporaries(const fs::path& dataDir);

class DataFiles {
 public:
  DataFiles() = default;
  explicit DataFiles(fs::path dir) : dir_(std::move(dir)) {}
  const fs::path& Dir() const { return dir_; }
  fs::path File(const std::string& extension) const {
    return dir_ / (std::string(FileBaseName) + extension);
  }
  fs::path Ini() const { return File(".ini"); }
  fs::path Frm() const { return File(".frm"); }
  fs::path Draws() const { return File(".ldr"); }
  fs::path Stakes() const { return File(".lsk"); }
  fs::path Ratings() const { return File(".lrt"); }
  fs::path Tables() const { return File(".ltb"); }
  fs::path Scenario() const { return File(".lss"); }
  fs::path Favourites() const { return File(".flt"); }

 private:
  fs::path dir_;
};

}  // namespace korvane
