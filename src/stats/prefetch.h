#pragma once

// Prefetch (norm) files: the distribution of one method over all combinations, one 12-byte
// record per value in key order and a 12-byte trailer (smallest count, largest count, 0).

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/fileio.h"
#include "core/stat_records.h"
#include "stats/registry.h"

namespace korvane {

struct PrefetchData {
  TStatDrawArray records;  // key and count
  int32_t fmin = 0;
  int32_t fmax = 0;
};

// <data folder>/Prefetchs/Korvane_<code>.dfc
fs::path PrefetchPath(const fs::path& dataDir, const TStatMethod& entry);

// The file image of a method's distribution over all combinations, enumerated locally.
std::string MakePrefetchImage(TCustomStat& stat);

// Reads a file image; nothing when it is not a valid prefetch file (too short, not a whole
// number of records, a non-zero third trailer field, largest count not positive or smaller
// than the smallest).
std::optional<PrefetchData> ParsePrefetch(std::string_view bytes);

// Writes the prefetch file of entry i (replacing any old one) and returns its content.
// Throws Error.
PrefetchData CreatePrefetch(const fs::path& dataDir, const TStatList& registry, int i);

// The prefetch file of entry i, read from disk, or rebuilt when it is missing or invalid.
// Throws PrefetchError.
struct PrefetchError {
  bool creating;  // false: the file could not be read
  std::string path;
  std::string text;
};
PrefetchData OpenPrefetch(const fs::path& dataDir, const TStatList& registry, int i,
                          const std::function<void(const std::string&)>& onCreate);

// Creates the missing prefetch files and rebuilds those of the given groups. `step` is called
// before each entry (done, total); returning false stops. Errors are handed to `onError` and
// the run goes on. Returns the number of files written.
int CreateAllPrefetch(const fs::path& dataDir, const TStatList& registry,
                      const std::set<int>& groups,
                      const std::function<bool(int, int, const std::string&)>& step,
                      const std::function<void(const PrefetchError&)>& onError);

}  // namespace korvane
