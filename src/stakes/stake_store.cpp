#include "stakes/stake_store.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <system_error>

#include "core/archive.h"
#include "core/error.h"
#include "core/strutil.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

void CopyWhole(const LockedFile& file, const fs::path& to) {
  const int64_t size = file.Size();
  std::string bytes(static_cast<size_t>(size), '\0');
  if (size > 0) file.ReadAt(0, bytes.data(), bytes.size());
  WriteFileAtomic(to, bytes);
}

}  // namespace

bool StakeRelationHolds(StakeRelation op, int a, int b) {
  switch (op) {
    case StakeRelation::Equal:
      return a == b;
    case StakeRelation::Greater:
      return a > b;
    case StakeRelation::NotLess:
      return a >= b;
    case StakeRelation::Less:
      return a < b;
    case StakeRelation::NotGreater:
      return a <= b;
  }
  return false;
}

uint64_t StakeStore::Key(int32_t draw, const TCountedComb& n) {
  // Only the used numbers count, as in SameCountedComb.
  const int count = std::clamp(n.count, 0, 4);
  uint64_t k = static_cast<uint32_t>(draw);
  k = k << 3 | static_cast<uint64_t>(count);
  for (int i = 0; i < 4; ++i) k = k * 257 + (i < count ? n.nums[static_cast<size_t>(i)] : 0u);
  return k;
}

void StakeStore::Index(const TStakeData& s, int delta) {
  if (s.IsSeparator()) return;
  int& n = index_[Key(s.draw, s.numbers)];
  n += delta;
}

fs::path StakeStore::JournalPath(const fs::path& path) {
  return path.parent_path() / (path.stem().string() + ".~add");
}

std::optional<int64_t> StakeStore::JournalEnd(const fs::path& path) {
  std::error_code ec;
  const fs::path j = JournalPath(path);
  if (!fs::exists(j, ec)) return std::nullopt;
  try {
    const auto end = ParseInt64(Trim(ReadFile(j)));
    if (end && *end >= 0 && *end % static_cast<int64_t>(StakeRecSize) == 0) return end;
  } catch (const Error&) {
  }
  return std::nullopt;
}

StakeFileRepair StakeStore::Open(const fs::path& path) {
  Close();
  file_.Open(path);
  path_ = path;
  StakeFileRepair repair;
  // A batch that a kill stopped part of the way goes, as if it had never begun.
  if (const auto end = JournalEnd(path); end && file_.Size() > *end) {
    repair.unfinishedRecords = (file_.Size() - *end) / static_cast<int64_t>(StakeRecSize);
    file_.Truncate(*end);
    file_.Sync();
  }
  std::error_code ec;
  if (fs::exists(JournalPath(path), ec)) {
    const fs::path j = JournalPath(path);
    if (const int err = RemoveFile(j))
      throw Error(Format(texts::FileDeleteError, j.string().c_str(), SystemErrorText(err).c_str()));
    SyncFolder(j.parent_path(), j);
  }
  const int64_t size = file_.Size();
  if (size > 0) {
    uint8_t version = 0;
    file_.ReadAt(0, &version, 1);
    if (size >= static_cast<int64_t>(StakeRecSize) && version != StakeVersion) {
      repair.kind = StakeFileRepair::OldVersion;
      repair.backup = BackupPath(path);
      CopyWhole(file_, repair.backup);
      file_.Truncate(0);
    } else if (size % static_cast<int64_t>(StakeRecSize) != 0) {
      repair.kind = size < static_cast<int64_t>(StakeRecSize) && version != StakeVersion
                        ? StakeFileRepair::OldVersion
                        : StakeFileRepair::TornTail;
      repair.tailBytes = size % static_cast<int64_t>(StakeRecSize);
      repair.backup = BackupPath(path);
      CopyWhole(file_, repair.backup);
      file_.Truncate(repair.kind == StakeFileRepair::OldVersion ? 0 : size - repair.tailBytes);
    }
    if (repair.kind != StakeFileRepair::None) file_.Sync();
  }
  Reindex();
  return repair;
}

void StakeStore::OpenForReading(const fs::path& path) {
  Close();
  std::error_code ec;
  if (!fs::exists(path, ec)) return;
  file_.OpenForReading(path);
  path_ = path;
  // A batch being appended by the holder (or stopped by a kill) is not read.
  readLimit_ = JournalEnd(path).value_or(-1);
  Reindex();
}

void StakeStore::Close() {
  file_.Close();
  readLimit_ = -1;
  staleTail_ = false;
  count_ = 0;
  cacheIndex_ = -1;
  index_.clear();
}

void StakeStore::Reindex() {
  cacheIndex_ = -1;
  index_.clear();
  unchecked_.clear();
  const int64_t size = readLimit_ >= 0 ? std::min(readLimit_, file_.Size()) : file_.Size();
  count_ = static_cast<int>(size / static_cast<int64_t>(StakeRecSize));
  // Streamed in blocks: the file is never held whole.
  constexpr int kBlock = 4096;
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  for (int first = 0; first < count_; first += kBlock) {
    const int n = std::min(kBlock, count_ - first);
    file_.ReadAt(int64_t{first} * StakeRecSize, buf.data(), static_cast<size_t>(n) * StakeRecSize);
    for (int i = 0; i < n; ++i) {
      const TStakeData s = DecodeStake(buf.data() + static_cast<size_t>(i) * StakeRecSize);
      Index(s, 1);
      if (!s.IsSeparator() && !s.IsChecked()) unchecked_.push_back(first + i);
    }
  }
}

TStakeData StakeStore::Read(int index) const {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  if (index == -1) index = count_ - 1;
  if (index < 0 || index >= count_) throw Error(Format(texts::StakeIndexNotFound, index));
  if (index == cacheIndex_) return cache_;
  uint8_t buf[StakeRecSize];
  file_.ReadAt(int64_t{index} * StakeRecSize, buf, StakeRecSize);
  cache_ = DecodeStake(buf);
  cacheIndex_ = index;
  return cache_;
}

void StakeStore::ForEach(int from, const std::function<void(int, const TStakeData&)>& fn) const {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  constexpr int kBlock = 4096;
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  for (int first = std::max(from, 0); first < count_; first += kBlock) {
    const int n = std::min(kBlock, count_ - first);
    file_.ReadAt(int64_t{first} * StakeRecSize, buf.data(), static_cast<size_t>(n) * StakeRecSize);
    for (int i = 0; i < n; ++i)
      fn(first + i, DecodeStake(buf.data() + static_cast<size_t>(i) * StakeRecSize));
  }
}

void StakeStore::Write(const TStakeData& stake, int index) {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  if (index < 0 || index > count_) throw Error(Format(texts::StakeIndexNotFound, index));
  if (index == count_) {
    AppendRecords({stake});
    return;
  }
  const TStakeData old = Read(index);
  cacheIndex_ = -1;
  const int64_t at = int64_t{index} * StakeRecSize;
  uint8_t before[StakeRecSize];
  file_.ReadAt(at, before, StakeRecSize);
  uint8_t buf[StakeRecSize];
  EncodeStake(stake, buf);
  try {
    file_.WriteAt(at, buf, StakeRecSize);
    file_.Sync();
  } catch (...) {
    // The old record goes back, as far as the disk lets it.
    try {
      file_.WriteAt(at, before, StakeRecSize);
    } catch (const Error&) {
    }
    throw;
  }
  Index(old, -1);
  Index(stake, 1);
  const auto pos = std::lower_bound(unchecked_.begin(), unchecked_.end(), index);
  const bool listed = pos != unchecked_.end() && *pos == index;
  const bool waiting = !stake.IsSeparator() && !stake.IsChecked();
  if (waiting && !listed) unchecked_.insert(pos, index);
  if (!waiting && listed) unchecked_.erase(pos);
}

void StakeStore::AppendRecords(const std::vector<TStakeData>& records) {
  if (records.empty()) return;
  const int64_t end = int64_t{count_} * StakeRecSize;
  // What a failed clean-up left beyond the last record goes first.
  if (staleTail_) {
    file_.Truncate(end);
    staleTail_ = false;
  }
  std::vector<uint8_t> buf(records.size() * StakeRecSize);
  for (size_t i = 0; i < records.size(); ++i)
    EncodeStake(records[i], buf.data() + i * StakeRecSize);
  // A kill can stop a long write part of the way: a batch first leaves the old end in a
  // journal, which the next opening rolls back to while it exists.
  const bool journal = records.size() > 1 && !deferFlush_;
  if (journal) {
    try {
      WriteFileAtomic(JournalPath(path_), std::to_string(end));
    } catch (const Error&) {
      (void)RemoveFile(JournalPath(path_));  // it may be in place, only not flushed
      throw;
    }
  }
  auto rollBack = [&] {
    // Back to the old end: no part of the batch stays in the file.
    try {
      file_.Truncate(end);
    } catch (const Error&) {
      staleTail_ = true;
    }
    if (journal && !staleTail_) (void)RemoveFile(JournalPath(path_));
  };
  try {
    file_.WriteAt(end, buf.data(), buf.size());
    if (deferFlush_)
      unflushed_ = true;
    else
      file_.Sync();
    if (journal) {
      const fs::path j = JournalPath(path_);
      if (const int err = RemoveFile(j))
        throw Error(
            Format(texts::FileDeleteError, j.string().c_str(), SystemErrorText(err).c_str()));
      SyncFolder(j.parent_path(), j);
    }
  } catch (...) {
    rollBack();
    throw;
  }
  cacheIndex_ = -1;
  for (const TStakeData& s : records) {
    Index(s, 1);
    if (!s.IsSeparator() && !s.IsChecked()) unchecked_.push_back(count_);
    ++count_;
  }
}

void StakeStore::Append(const TStakeData& stake, int k) { AppendBatch({stake}, k); }

void StakeStore::AppendBatch(const std::vector<TStakeData>& stakes, int k) {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  for (const TStakeData& s : stakes)
    if (s.IsChecked()) throw Error(texts::CheckedStakeAppend);
  std::vector<TStakeData> records;
  bool endsWithStake = count_ > 0 && !Read(-1).IsSeparator();
  auto add = [&](const TStakeData& r) {
    records.push_back(r);
    endsWithStake = !r.IsSeparator();
  };
  for (const TStakeData& stake : stakes) {
    if (k <= 1) {
      add(stake);
      continue;
    }
    // Separators between the draws; no draw follows the largest draw number: the run stops
    // there.
    const int64_t lastDraw =
        std::min<int64_t>(int64_t{stake.draw} + k - 1, std::numeric_limits<int32_t>::max());
    for (int64_t draw = stake.draw; draw <= lastDraw; ++draw) {
      if (endsWithStake) add(MakeSeparator());
      TStakeData copy = stake;
      copy.draw = static_cast<int32_t>(draw);
      add(copy);
    }
  }
  AppendRecords(records);
}

void StakeStore::DeferFlush(bool on) {
  deferFlush_ = on;
  if (!on) Flush();
}

void StakeStore::Flush() {
  if (!unflushed_ || !file_.IsOpen()) return;
  file_.Sync();
  unflushed_ = false;
}

void StakeStore::AppendSeparator() {
  if (count_ > 0 && !Read(-1).IsSeparator()) Write(MakeSeparator(), count_);
}

bool StakeStore::Find(int32_t draw, const TCountedComb& numbers) const {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  auto it = index_.find(Key(draw, numbers));
  return it != index_.end() && it->second > 0;
}

StakeStore::CountedDraws StakeStore::CountDraws(int limit) const {
  CountedDraws r;
  r.start = 0;
  int32_t previous = 0;
  bool havePrevious = false;
  for (int p = count_ - 1; p >= 0; --p) {
    const TStakeData s = Read(p);
    if (s.draw > 0 && s.IsChecked() && s.matched.count >= 0 &&
        (!havePrevious || s.draw != previous)) {
      if (r.count >= limit) {
        r.start = p + 1;
        return r;
      }
      ++r.count;
      previous = s.draw;
      havePrevious = true;
    }
  }
  return r;
}

StakeCheckResult StakeStore::Check(const TDrawsArray& draws, const TConfigData& config,
                                   const std::function<void(const TStakeData&)>& onChecked,
                                   const std::function<void(int, int)>& progress) {
  StakeCheckResult result;
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  if (count_ == 0 || unchecked_.empty()) return result;
  cacheIndex_ = -1;
  int first = -1;
  int total = count_;
  int step = 1;
  int lastChecked = -1;
  std::vector<int> waiting;
  constexpr int kBlock = 1024;
  // The span buffers are kept between checks: a run checks a few new stakes many times.
  std::vector<uint8_t>& buf = checkBuffer_;
  std::vector<uint8_t>& before = checkBefore_;
  if (buf.size() < kBlock * StakeRecSize) {
    buf.resize(kBlock * StakeRecSize);
    before.resize(buf.size());
  }
  std::vector<std::pair<size_t, TStakeData>> done;  // position in unchecked_, checked stake
  // Only the stakes not checked yet are visited, read in spans of at most kBlock records. A
  // span's results are written back and flushed before onChecked sees them, so a log line or a
  // rating never exists for a result that the file has not kept.
  size_t u = 0;
  while (u < unchecked_.size()) {
    const int start = unchecked_[u];
    size_t v = u + 1;
    while (v < unchecked_.size() && unchecked_[v] - start < kBlock) ++v;
    const size_t span = static_cast<size_t>(unchecked_[v - 1] - start + 1) * StakeRecSize;
    file_.ReadAt(int64_t{start} * StakeRecSize, buf.data(), span);
    std::copy_n(buf.begin(), span, before.begin());
    const size_t waitingBefore = waiting.size();
    done.clear();
    for (size_t w = u; w < v; ++w) {
      const int index = unchecked_[w];
      uint8_t* rec = buf.data() + static_cast<size_t>(index - start) * StakeRecSize;
      TStakeData s = DecodeStake(rec);
      if (!s.IsChecked() && s.draw > 0 && s.numbers.count >= NumsCount) {
        const int d = IndexOfDrawNumber(draws, s.draw);
        if (d >= 0) {
          if (first < 0) {
            first = index;
            total = count_ - 1 - index;
            step = std::max(1, total / 100);
          }
          CheckStake(s, draws[static_cast<size_t>(d)], config);
          EncodeStake(s, rec);
          ++result.checked;
          result.profit += s.profit;
          done.emplace_back(w, std::move(s));
          continue;
        }
      }
      if (!s.IsChecked() && !s.IsSeparator()) waiting.push_back(index);
    }
    if (!done.empty()) {
      const int lo = unchecked_[done.front().first];
      const int hi = unchecked_[done.back().first];
      const size_t from = static_cast<size_t>(lo - start) * StakeRecSize;
      const size_t size = static_cast<size_t>(hi - lo + 1) * StakeRecSize;
      try {
        file_.WriteAt(int64_t{lo} * StakeRecSize, buf.data() + from, size);
        // The results are written before anyone sees them checked (a killed check leaves no
        // log line without its result); on the disk once flushed, at the end of a deferral.
        if (deferFlush_)
          unflushed_ = true;
        else
          file_.Sync();
      } catch (...) {
        // The span goes back to what it was (as far as the disk lets it): its stakes wait for
        // the next check, and nobody has seen them checked.
        try {
          file_.WriteAt(int64_t{lo} * StakeRecSize, before.data() + from, size);
        } catch (const Error&) {
        }
        waiting.resize(waitingBefore);
        waiting.insert(waiting.end(), unchecked_.begin() + static_cast<std::ptrdiff_t>(u),
                       unchecked_.end());
        unchecked_ = std::move(waiting);
        cacheIndex_ = -1;
        throw;
      }
    }
    auto next = done.begin();
    for (size_t w = u; w < v; ++w) {
      if (next != done.end() && next->first == w) {
        lastChecked = unchecked_[w];
        if (onChecked) onChecked(next->second);
        ++next;
      }
      const int k = lastChecked - first;
      if (progress && first >= 0 && total > 0 && k > 0 && k % step == 0) progress(k, total);
    }
    u = v;
  }
  unchecked_ = std::move(waiting);
  cacheIndex_ = -1;
  return result;
}

std::vector<TStakeData> StakeStore::Uncheck(const std::vector<int32_t>& drawNumbers,
                                            const TConfigData& config) {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  std::vector<TStakeData> old;
  if (drawNumbers.empty() || count_ == 0) return old;
  std::vector<int32_t> wanted = drawNumbers;
  std::sort(wanted.begin(), wanted.end());
  // Adjacent records to write back: the first index, the records as they are and as they become.
  struct Run {
    int first = 0;
    int n = 0;
    std::vector<uint8_t> before, after;
  };
  std::vector<Run> runs;
  std::vector<int> waiting;
  constexpr int kBlock = 4096;
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  uint8_t was[StakeRecSize];
  uint8_t now[StakeRecSize];
  for (int first = 0; first < count_; first += kBlock) {
    const int n = std::min(kBlock, count_ - first);
    file_.ReadAt(int64_t{first} * StakeRecSize, buf.data(), static_cast<size_t>(n) * StakeRecSize);
    for (int i = 0; i < n; ++i) {
      const uint8_t* rec = buf.data() + static_cast<size_t>(i) * StakeRecSize;
      TStakeData s = DecodeStake(rec);
      if (s.IsSeparator() || !s.IsChecked() ||
          !std::binary_search(wanted.begin(), wanted.end(), s.draw))
        continue;
      TStakeData u = s;
      u.checked = 0;
      u.result = TComb{};
      u.matched = TCountedComb{};
      u.matched.count = -1;
      u.profit = StakeProfit(config, u.numbers.count, -1);
      const int index = first + i;
      if (runs.empty() || runs.back().first + runs.back().n != index) {
        runs.emplace_back();
        runs.back().first = index;
      }
      Run& run = runs.back();
      run.before.insert(run.before.end(), rec, rec + StakeRecSize);
      run.after.insert(run.after.end(), rec, rec + StakeRecSize);
      // Only the bytes of the fields that change are touched: the rest of the record (the
      // comment's bytes included) stays as it is on the disk.
      EncodeStake(s, was);
      EncodeStake(u, now);
      uint8_t* out = run.after.data() + static_cast<size_t>(run.n) * StakeRecSize;
      for (size_t b = 0; b < StakeRecSize; ++b)
        if (was[b] != now[b]) out[b] = now[b];
      ++run.n;
      waiting.push_back(index);
      old.push_back(std::move(s));
    }
  }
  if (runs.empty()) return old;
  cacheIndex_ = -1;
  size_t written = 0;
  try {
    for (; written < runs.size(); ++written)
      file_.WriteAt(int64_t{runs[written].first} * StakeRecSize, runs[written].after.data(),
                    runs[written].after.size());
    if (deferFlush_)
      unflushed_ = true;
    else
      file_.Sync();
  } catch (...) {
    // Every run written (and the one that failed) goes back to what it was, as far as the disk
    // lets it: the stakes keep their results and nothing waits anew.
    const size_t touched = std::min(written + 1, runs.size());
    for (size_t k = 0; k < touched; ++k) {
      try {
        file_.WriteAt(int64_t{runs[k].first} * StakeRecSize, runs[k].before.data(),
                      runs[k].before.size());
      } catch (const Error&) {
      }
    }
    throw;
  }
  std::vector<int> merged;
  merged.reserve(unchecked_.size() + waiting.size());
  std::set_union(unchecked_.begin(), unchecked_.end(), waiting.begin(), waiting.end(),
                 std::back_inserter(merged));
  unchecked_ = std::move(merged);
  return old;
}

template <typename Drop>
int StakeStore::Rewrite(Drop drop) {
  if (!file_.IsOpen() || count_ == 0) throw Error(texts::StakesNotOpen);
  fs::path tmp = path_;
  tmp.replace_extension(".~tmp");
  LockedFile out;
  (void)RemoveFile(tmp);  // what a killed run left
  out.Open(tmp);          // locked like the store, so the hold never lapses
  int dropped = 0;
  int64_t written = 0;
  constexpr int kBlock = 1024;
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  std::vector<uint8_t> keep;
  keep.reserve(buf.size());
  try {
    if (out.Size() > 0) out.Truncate(0);  // a leftover that could not be removed
    for (int start = 0; start < count_; start += kBlock) {
      const int n = std::min(kBlock, count_ - start);
      file_.ReadAt(int64_t{start} * StakeRecSize, buf.data(),
                   static_cast<size_t>(n) * StakeRecSize);
      keep.clear();
      for (int i = 0; i < n; ++i) {
        const uint8_t* rec = buf.data() + static_cast<size_t>(i) * StakeRecSize;
        if (drop(start + i, DecodeStake(rec))) {
          ++dropped;
          continue;
        }
        keep.insert(keep.end(), rec, rec + StakeRecSize);
      }
      if (!keep.empty()) out.WriteAt(written, keep.data(), keep.size());
      written += static_cast<int64_t>(keep.size());
    }
    out.Sync();
    if (const int err = RenameFile(tmp, path_); err != 0)
      throw Error(
          Format(texts::StakeRenameError, tmp.string().c_str(), SystemErrorText(err).c_str()));
  } catch (...) {
    // The store is untouched; the temporary file goes, so it keeps no space of a full disk.
    out.Close();
    (void)RemoveFile(tmp);
    throw;
  }
  // The renamed file is the store now; the old one (unlinked) is let go.
  file_ = std::move(out);
  staleTail_ = false;
  Reindex();
  SyncFolder(path_.has_parent_path() ? path_.parent_path() : fs::path("."), path_);
  return dropped;
}

int StakeStore::DeleteRows(int first, int last) {
  return Rewrite(
      [first, last](int i, const TStakeData&) { return first <= i + 1 && i + 1 <= last; });
}

int StakeStore::DeleteByCondition(StakeRelation op, int value) {
  return Rewrite([op, value](int, const TStakeData& s) {
    return s.kind != 0 && StakeRelationHolds(op, s.matched.count, value);
  });
}

void StakeStore::Truncate() {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  try {
    file_.Truncate(0);
    staleTail_ = false;
    file_.Sync();
  } catch (...) {
    Reindex();
    throw;
  }
  Reindex();
}

}  // namespace korvane
