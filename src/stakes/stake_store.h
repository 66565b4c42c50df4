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
  // Records of a batch that a kill stopped part of the way, taken away again.
  int64_t unfinishedRecords = 0;
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
  // Calls fn(index, stake) for the records from `from` to the end in file order, read in
  // blocks. Throws Error when the file cannot be read.
  void ForEach(int from, const std::function<void(int, const TStakeData&)>& fn) const;
  // Writes a record at an index 0..Count() (Count() appends) and flushes it. Throws Error; the
  // record is then as it was.
  void Write(const TStakeData& stake, int index);

  // Appends the stake for k consecutive draws (separators between them; one before the first
  // when the file ends with a stake), the last of them at most the largest draw number. The
  // records go in with one write at the old end and are flushed before this returns. Throws
  // Error for a checked stake; a failed append leaves the file and the store as they were.
  void Append(const TStakeData& stake, int k);
  // Appends several stakes, each for k draws, exactly as Append for each in turn would, as one
  // unit: one write, one flush, all of them or none (a checked stake among them appends none).
  void AppendBatch(const std::vector<TStakeData>& stakes, int k);
  void AppendSeparator();
  // While deferred, appends and checking results are not flushed one by one (a scenario run
  // adds and checks thousands); Flush or the end of the deferral flushes them all. Nothing is
  // reported done before that.
  void DeferFlush(bool on);
  void Flush();
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
  // (ratings, logs) only after its result is written back and flushed; `progress(done, total)`
  // is called now and then. Throws Error when a write-back fails: the stakes whose results were
  // not written stay unchecked and onChecked has not seen them; a later check takes them.
  StakeCheckResult Check(const TDrawsArray& draws, const TConfigData& config,
                         const std::function<void(const TStakeData&)>& onChecked,
                         const std::function<void(int, int)>& progress);

  // Takes back the results of the checked stakes (separators aside) of the given draw numbers,
  // for draws that were edited or deleted: each becomes exactly what it was before its first
  // check (checked 0, result 0,0,0, no matches, the profit of an unchecked stake under
  // `config`) and waits for the next Check, which takes the draw that carries its number then.
  // The records are written back in place, one write per run of adjacent records, then
  // flushed once (at the end of a deferral while deferred). Throws Error: every record is then
  // as it was and nothing waits anew. Returns the stakes as they were, in file order.
  std::vector<TStakeData> Uncheck(const std::vector<int32_t>& drawNumbers,
                                  const TConfigData& config);

  // Rewrites the file without rows first..last (1-based grid rows) or without the stakes whose
  // matches stand in the relation to value (separators kept). The new file is complete and
  // flushed before it replaces the old one by a rename (the folder is flushed after it); on a
  // failure before the rename the old file is untouched and the temporary file removed.
  // Returns the number of records dropped.
  int DeleteRows(int first, int last);
  int DeleteByCondition(StakeRelation op, int value);
  // Empties the file (flushed). Throws Error.
  void Truncate();

 private:
  template <typename Drop>
  int Rewrite(Drop drop);
  // Writes records at the end with one write and flushes them; on failure the file is cut back
  // to the old end and the store is unchanged.
  void AppendRecords(const std::vector<TStakeData>& records);
  // The journal of a batch being appended ("Korvane.~add": the old end of the file).
  static fs::path JournalPath(const fs::path& path);
  static std::optional<int64_t> JournalEnd(const fs::path& path);
  int64_t readLimit_ = -1;  // a reader's end of the file, -1: all of it
  bool deferFlush_ = false;
  bool unflushed_ = false;
  void Reindex();
  void Index(const TStakeData& s, int delta);
  static uint64_t Key(int32_t draw, const TCountedComb& numbers);

  LockedFile file_;
  fs::path path_;
  int count_ = 0;
  // Indexes of the stakes not checked yet, ascending: checking visits only these.
  std::vector<int> unchecked_;
  // A span of records read for a check, and its copy to write back when the write fails.
  std::vector<uint8_t> checkBuffer_;
  std::vector<uint8_t> checkBefore_;
  // A failed append could not cut the file back: the bytes beyond the last record go before
  // the next append.
  bool staleTail_ = false;
  mutable int cacheIndex_ = -1;
  mutable TStakeData cache_;
  std::unordered_map<uint64_t, int> index_;
};

bool StakeRelationHolds(StakeRelation op, int a, int b);

}  // namespace korvane
