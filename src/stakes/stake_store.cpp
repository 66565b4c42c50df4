#include "stakes/stake_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#include "core/archive.h"
#include "core/error.h"
#include "core/strutil.h"
#include "stakes/texts.h"

namespace korvane {

namespace {

// A free name beside the file for a copy of it.
fs::path BackupPath(const fs::path& path) {
  std::error_code ec;
  fs::path p = path;
  p += ".bak";
  for (int i = 1; fs::exists(p, ec); ++i) {
    p = path;
    p += Format(".%d.bak", i);
  }
  return p;
}

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

StakeFileRepair StakeStore::Open(const fs::path& path) {
  Close();
  file_.Open(path);
  path_ = path;
  StakeFileRepair repair;
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
  Reindex();
}

void StakeStore::Close() {
  file_.Close();
  count_ = 0;
  cacheIndex_ = -1;
  index_.clear();
}

void StakeStore::Reindex() {
  cacheIndex_ = -1;
  index_.clear();
  unchecked_.clear();
  count_ = static_cast<int>(file_.Size() / static_cast<int64_t>(StakeRecSize));
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

void StakeStore::Write(const TStakeData& stake, int index) {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  if (index < 0 || index > count_) throw Error(Format(texts::StakeIndexNotFound, index));
  cacheIndex_ = -1;
  const bool append = index == count_;
  if (!append) Index(Read(index), -1);
  cacheIndex_ = -1;
  uint8_t buf[StakeRecSize];
  EncodeStake(stake, buf);
  file_.WriteAt(int64_t{index} * StakeRecSize, buf, StakeRecSize);
  if (append) ++count_;
  Index(stake, 1);
  const auto at = std::lower_bound(unchecked_.begin(), unchecked_.end(), index);
  const bool listed = at != unchecked_.end() && *at == index;
  const bool waiting = !stake.IsSeparator() && !stake.IsChecked();
  if (waiting && !listed) unchecked_.insert(at, index);
  if (!waiting && listed) unchecked_.erase(at);
}

void StakeStore::Append(const TStakeData& stake, int k) {
  if (!file_.IsOpen()) throw Error(texts::StakesNotOpen);
  if (stake.IsChecked()) throw Error(texts::CheckedStakeAppend);
  const int before = count_;
  try {
    if (k <= 1) {
      Write(stake, count_);
      return;
    }
    // No draw follows the largest draw number: the run stops there.
    const int64_t lastDraw =
        std::min<int64_t>(int64_t{stake.draw} + k - 1, std::numeric_limits<int32_t>::max());
    for (int64_t draw = stake.draw; draw <= lastDraw; ++draw) {
      if (count_ > 0 && !Read(-1).IsSeparator()) Write(MakeSeparator(), count_);
      TStakeData copy = stake;
      copy.draw = static_cast<int32_t>(draw);
      Write(copy, count_);
    }
  } catch (...) {
    // Back to the old end: no half-written batch stays in the file.
    for (int i = before; i < count_; ++i) Index(Read(i), -1);
    file_.Truncate(int64_t{before} * StakeRecSize);
    count_ = before;
    while (!unchecked_.empty() && unchecked_.back() >= count_) unchecked_.pop_back();
    cacheIndex_ = -1;
    throw;
  }
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
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  // Only the stakes not checked yet are visited, read in runs of neighbouring records.
  size_t u = 0;
  while (u < unchecked_.size()) {
    const int start = unchecked_[u];
    size_t v = u + 1;
    while (v < unchecked_.size() && unchecked_[v] == unchecked_[v - 1] + 1 &&
           unchecked_[v] - start < kBlock)
      ++v;
    const int n = unchecked_[v - 1] - start + 1;
    file_.ReadAt(int64_t{start} * StakeRecSize, buf.data(), static_cast<size_t>(n) * StakeRecSize);
    bool dirty = false;
    for (int i = 0; i < n; ++i) {
      const int index = start + i;
      uint8_t* rec = buf.data() + static_cast<size_t>(i) * StakeRecSize;
      TStakeData s = DecodeStake(rec);
      bool checked = false;
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
          dirty = checked = true;
          ++result.checked;
          result.profit += s.profit;
          lastChecked = index;
          if (onChecked) onChecked(s);
        }
      }
      if (!checked && !s.IsChecked() && !s.IsSeparator()) waiting.push_back(index);
      const int k = lastChecked - first;
      if (progress && first >= 0 && total > 0 && k > 0 && k % step == 0) progress(k, total);
    }
    if (dirty)
      file_.WriteAt(int64_t{start} * StakeRecSize, buf.data(),
                    static_cast<size_t>(n) * StakeRecSize);
    u = v;
  }
  unchecked_ = std::move(waiting);
  cacheIndex_ = -1;
  return result;
}

template <typename Drop>
int StakeStore::Rewrite(Drop drop) {
  if (!file_.IsOpen() || count_ == 0) throw Error(texts::StakesNotOpen);
  fs::path tmp = path_;
  tmp.replace_extension(".~tmp");
  LockedFile out;
  {
    std::error_code ec;
    fs::remove(tmp, ec);
  }
  out.Open(tmp);  // locked like the store, so the hold never lapses
  int dropped = 0;
  int64_t written = 0;
  constexpr int kBlock = 1024;
  std::vector<uint8_t> buf(kBlock * StakeRecSize);
  std::vector<uint8_t> keep;
  keep.reserve(buf.size());
  try {
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
    if ((failRename && failRename()) || std::rename(tmp.c_str(), path_.c_str()) != 0) {
      const int err = errno;
      throw Error(Format(texts::StakeRenameError, tmp.string().c_str(),
                         SystemErrorText(err == 0 ? EIO : err).c_str()));
    }
  } catch (...) {
    out.Close();  // the temporary file stays for inspection; the store is untouched
    throw;
  }
  // The renamed file is the store now; the old one (unlinked) is let go.
  file_ = std::move(out);
  Reindex();
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
  file_.Truncate(0);
  Reindex();
}

}  // namespace korvane
