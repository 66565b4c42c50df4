#pragma once

// The stake file: the store itself, held open and locked while the program runs. Records are
// read by index through a one-record cache; a hash index of (draw, numbers) keeps the
// duplicate look-up linear in batches.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/config.h"
#include "core/fileio.h"
#include "core/stat_records.h"
#include "stakes/stake_data.h"

namespace korvane {

// What opening found wrong with an existing file (it was repaired; a copy was kept).
struct StakeFileRepair {
  enum Kind { None, TornTail, OldVersion } kind = None;
  int64_t tailBytes = 0;
  fs::path backup;
};

// Relations of the delete-by-condition.
enum class StakeRelation { Equal = 0, Greater = 1, NotLess = 2, Less = 3, NotGreater = 4 };

// Totals of one check run (the profit saturates like every Money sum).
struct StakeCheckResult {
  int checked = 0;
  Money profit;
};

class StakeStore {
 public:
  StakeStore() = default;
  StakeStore(const StakeStore&) = delete;
  StakeStore& operator=(const StakeStore&) = delete;

  // Opens (creating when missing) and locks the file; throws Error when it cannot. A torn
  // tail is cut and a file of another version emptied, each after a copy of the whole file
  // was kept beside it.
  StakeFileRepair Open(const fs::path& path);
  // Opens the file for reading beside its holder: nothing is locked, repaired or written; a
  // torn last record is left out. A missing file leaves the store closed.
  void OpenForReading(const fs::path& path);
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }
  const fs::path& Path() const { return path_; }
  // Drops the read cache (the file stays open and locked).
  void Reopen() { cacheIndex_ = -1; }

  int Count() const { return count_; }
  // Record index (0-based; -1 = the last record). Throws Error for an index outside the file.
  TStakeData Read(int index) const;
  // Writes a record at an index 0..Count() (Count() appends). Throws Error.
  void Write(const TStakeData& stake, int index);

  // Appends the stake for k consecutive draws (separators between them), the last of them at
  // most the largest draw number. Throws Error for a checked stake; an append that fails
  // part-way leaves the file as it was.
  void Append(const TStakeData& stake, int k);
  void AppendSeparator();
  bool Find(int32_t draw, const TCountedComb& numbers) const;

  // Walks back from the last record counting distinct draws of checked stakes, up to limit.
  // Returns the count and the index from which reading to the end yields exactly the stakes
  // of those draws.
  struct CountedDraws {
    int count = 0;
    int start = 0;
  };
  CountedDraws CountDraws(int limit) const;

  // Checks every checkable stake against the archive. `onChecked` sees each checked stake
  // (ratings, logs); `progress(done, total)` is called now and then.
  StakeCheckResult Check(const TDrawsArray& draws, const TConfigData& config,
                         const std::function<void(const TStakeData&)>& onChecked,
                         const std::function<void(int, int)>& progress);

  // Rewrites the file without rows first..last (1-based grid rows) or without the stakes whose
  // matches stand in the relation to value (separators kept). The new file is complete and
  // flushed before it replaces the old one by a rename; on failure the old file is untouched.
  // `failRename` lets tests make the rename fail. Returns the number of records dropped.
  int DeleteRows(int first, int last);
  int DeleteByCondition(StakeRelation op, int value);
  void Truncate();
  std::function<bool()> failRename;

 private:
  template <typename Drop>
  int Rewrite(Drop drop);
  void Reindex();
  void Index(const TStakeData& s, int delta);
  static uint64_t Key(int32_t draw, const TCountedComb& numbers);

  LockedFile file_;
  fs::path path_;
  int count_ = 0;
  // Indexes of the stakes not checked yet, ascending: checking visits only these.
  std::vector<int> unchecked_;
  mutable int cacheIndex_ = -1;
  mutable TStakeData cache_;
  std::unordered_map<uint64_t, int> index_;
};

bool StakeRelationHolds(StakeRelation op, int a, int b);

}  // namespace korvane
