#include "stats/stat_base.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/strutil.h"

namespace korvane {

TCustomStat::TCustomStat(const StatContext& ctx, const StatClassInfo& info, int param)
    : ctx_(ctx), info_(info), param_(param) {}

int32_t TCustomStat::TextToKey(std::string_view text) const { return IntOrZero(text); }

void TCustomStat::PrepareValues(int /*last*/, TStatDrawArray& /*list*/) { BasePrepare(); }

TDrawRec TCustomStat::GetDraw(int index, bool sortFlag) const {
  TDrawRec d;
  if (index >= 0 && index < DrawCount()) {
    d = Draws()[static_cast<size_t>(index)];
    if (sortFlag) SortDrawNumbers(d);
  }
  return d;
}

void TCustomStat::LoadDraws(int current, int reference, bool sortFlag) {
  CurDraw = GetDraw(current, sortFlag);
  if (info_.BaseFeatures() & FeatureD) RefDraw = GetDraw(reference, sortFlag);
}

void TCustomStat::EvaluateComb(TStatDrawArray& /*list*/, const TComb& /*comb*/) {
  BaseEvaluateComb();
}

void TCustomStat::BaseEvaluateDraw(int index, int last, bool sortFlag) {
  LoadDraws(index, last, sortFlag);
  Work = TStatDrawRec{};
  Work.lastDraw = CurDraw.number;
  Work.prevDraw = CurDraw.number;
  Work.depth = last - index + 1;
  Work.count = 1;
}

void TCustomStat::EvaluateDraw(int index, int last, bool sortFlag, TStatDrawArray& /*list*/,
                               StatScratch& /*scratch*/, TLastValueArray& /*lastValues*/) {
  BaseEvaluateDraw(index, last, sortFlag);
}

void TCustomStat::IndexList(TStatDrawArray& list) {
  if (&list != indexedList_ || list.data() != indexedData_ || list.size() < indexedSize_) {
    keyIndex_.clear();
    indexedSize_ = 0;
    indexedList_ = &list;
    indexedData_ = list.data();
  }
  // The first of equal keys wins, as in a search from the front.
  for (; indexedSize_ < list.size(); ++indexedSize_)
    keyIndex_.try_emplace(list[indexedSize_].key.Bits(), static_cast<uint32_t>(indexedSize_));
}

void TCustomStat::AddWork(TStatDrawArray& list, bool withIntervals) {
  // Below this a search from the front is quicker than hashing.
  constexpr size_t IndexedFrom = 32;
  if (list.size() < IndexedFrom) {
    AddStatValue(list, Work, withIntervals);
    return;
  }
  IndexList(list);
  const uint64_t bits = Work.key.Bits();
  auto it = keyIndex_.find(bits);
  if (it != keyIndex_.end() && list[it->second].key != Work.key) {
    // The list was rearranged since it was indexed.
    indexedList_ = nullptr;
    IndexList(list);
    it = keyIndex_.find(bits);
  }
  if (it != keyIndex_.end()) {
    MergeStatValue(list[it->second], Work, withIntervals);
    return;
  }
  list.push_back(Work);
  // Still indexed when the push did not move the list.
  if (list.data() == indexedData_) {
    keyIndex_.emplace(bits, static_cast<uint32_t>(list.size() - 1));
    indexedSize_ = list.size();
  }
}

int32_t TCustomStat::FindNextDraw(const TStatDrawRec& rec, int start, int last, bool sortFlag) {
  return FindNextDraws({rec.key}, {start}, last, sortFlag)[0];
}

std::vector<int32_t> TCustomStat::FindNextDraws(const std::vector<TStatKey>& keys,
                                                const std::vector<int>& starts, int last,
                                                bool sortFlag) {
  const int count = DrawCount();
  const size_t n = keys.size();
  std::vector<int32_t> found(n, -1);
  auto startOf = [&](size_t r) { return std::max(starts[r], 0); };
  std::vector<size_t> order;
  for (size_t r = 0; r < n; ++r)
    if (startOf(r) < count) order.push_back(r);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return startOf(a) < startOf(b); });
  if (order.empty()) return found;

  // The scans still looking, grouped into cohorts of one scratch state each. Cohorts that
  // reach equal states are merged (union-find over cohort numbers).
  struct Cohort {
    StatScratch scratch;
    size_t pending = 0;
  };
  std::vector<Cohort> cohorts;
  std::vector<size_t> parent;
  auto root = [&parent](size_t c) {
    while (parent[c] != c) c = parent[c] = parent[parent[c]];
    return c;
  };
  constexpr size_t NotStarted = static_cast<size_t>(-1);
  std::vector<size_t> cohortOf(n, NotStarted);
  std::vector<bool> resolved(n, false);
  std::unordered_map<uint64_t, std::vector<size_t>> rowsByKey;
  for (size_t r : order) rowsByKey[keys[r].Bits()].push_back(r);

  const size_t scratchSize = std::max<size_t>(ScratchSize(), 120);
  std::vector<size_t> live;  // root cohorts in the order they began
  TStatDrawArray list;
  TLastValueArray lastValues;
  size_t next = 0;
  size_t unresolved = order.size();
  int i = startOf(order[0]);
  while (i < count && unresolved > 0) {
    if (next < order.size() && startOf(order[next]) == i) {
      const size_t c = cohorts.size();
      cohorts.push_back({StatScratch(scratchSize, 0), 0});
      parent.push_back(c);
      for (; next < order.size() && startOf(order[next]) == i; ++next) {
        cohortOf[order[next]] = c;
        ++cohorts[c].pending;
      }
      live.push_back(c);
    }
    for (size_t c : live) {
      list.clear();
      lastValues.clear();
      EvaluateDraw(i, last, sortFlag, list, cohorts[c].scratch, lastValues);
      for (const TStatDrawRec& e : list) {
        const auto it = rowsByKey.find(e.key.Bits());
        if (it == rowsByKey.end()) continue;
        for (size_t r : it->second) {
          if (resolved[r] || cohortOf[r] == NotStarted || root(cohortOf[r]) != c) continue;
          resolved[r] = true;
          found[r] = e.lastDraw;
          --cohorts[c].pending;
          --unresolved;
        }
      }
    }
    // Drop finished cohorts; fold a cohort into the one before it when their states agree.
    size_t kept = 0;
    for (size_t c : live) {
      if (cohorts[c].pending == 0) {
        StatScratch().swap(cohorts[c].scratch);
        continue;
      }
      if (kept > 0 && cohorts[live[kept - 1]].scratch == cohorts[c].scratch) {
        const size_t into = live[kept - 1];
        parent[c] = into;
        cohorts[into].pending += cohorts[c].pending;
        StatScratch().swap(cohorts[c].scratch);
        continue;
      }
      live[kept++] = c;
    }
    live.resize(kept);
    // Nothing in progress: go straight to the next start.
    if (live.empty() && next < order.size())
      i = startOf(order[next]);
    else
      ++i;
  }
  return found;
}

int32_t TCustomStat::GraphValue(int index, int last, bool sortFlag) {
  return GraphValueOf(index, last, GetDraw(index, sortFlag).nums, sortFlag);
}

std::string TCustomValuesStat::ValueToText(const TStatDrawRec& rec) const {
  return NumToText(static_cast<uint16_t>(rec.key.k[0]));
}

std::string TCustomNumbersStat::ValueToText(const TStatDrawRec& rec) const {
  return std::to_string(static_cast<uint16_t>(rec.key.k[0]));
}

std::string TCustomGraphStat::ValueToText(const TStatDrawRec& rec) const {
  return std::to_string(static_cast<uint16_t>(rec.key.k[0]));
}

std::string TCustomMaskStat::ValueToText(const TStatDrawRec& rec) const {
  const int32_t m = rec.key.Dword(0);
  std::string letters;
  for (int bit = 2; bit >= 0; --bit) letters += (m >> bit) & 1 ? OneLetter() : ZeroLetter();
  return Format("%s (%.3d)", letters.c_str(), m);
}

namespace {
// The first `n` characters (code points) of a UTF-8 text.
std::vector<std::string_view> Utf8Chars(std::string_view s, size_t n) {
  std::vector<std::string_view> chars;
  size_t i = 0;
  while (i < s.size() && chars.size() < n) {
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + len > s.size()) len = s.size() - i;
    chars.push_back(s.substr(i, len));
    i += len;
  }
  return chars;
}
}  // namespace

int32_t TCustomMaskStat::TextToKey(std::string_view text) const {
  const auto chars = Utf8Chars(text, 3);
  int32_t m = 0;
  for (size_t i = 0; i < 3; ++i) m = 2 * m + (i < chars.size() && chars[i] == OneLetter() ? 1 : 0);
  return m;
}

void TCustomMaskStat::PrepareValues(int /*last*/, TStatDrawArray& list) {
  BasePrepare();
  for (int32_t m = 0; m < 8; ++m) AddDword(list, false, m);
}

std::string TCustomRatioStat::ValueToText(const TStatDrawRec& rec) const {
  const int k = rec.key.k[0];
  return std::to_string(k) + ":" + std::to_string(NumsCount - k);
}

int32_t TCustomRatioStat::TextToKey(std::string_view text) const {
  return IntOrZero(text.substr(0, text.find(':')));
}

bool IsPrimeNumber(int n) {
  if (n == 1) return true;
  if (n < 2 || n > 251) return false;
  for (int d = 2; d * d <= n; ++d)
    if (n % d == 0) return false;
  return true;
}

bool HasKey(const TStatDrawArray& list, int16_t k1, int16_t k2, int16_t k3, int16_t k4) {
  const TStatKey key{{k1, k2, k3, k4}};
  for (const TStatDrawRec& r : list)
    if (r.key == key) return true;
  return false;
}

bool HasKeyWord(const TStatDrawArray& list, int k, int16_t v) {
  for (const TStatDrawRec& r : list)
    if (r.key.k[static_cast<size_t>(k - 1)] == v) return true;
  return false;
}

bool HasKeyDword(const TStatDrawArray& list, int k, int32_t v) {
  for (const TStatDrawRec& r : list)
    if (r.key.Dword(k - 1) == v) return true;
  return false;
}

bool HasKeyByte(const TStatDrawArray& list, int k, uint8_t v) {
  for (const TStatDrawRec& r : list) {
    const auto word = static_cast<uint16_t>(r.key.k[static_cast<size_t>((k - 1) / 2)]);
    const auto byte = static_cast<uint8_t>((k - 1) % 2 == 0 ? word & 0xFF : word >> 8);
    if (byte == v) return true;
  }
  return false;
}

bool HasKeyPair(const TStatDrawArray& list, int16_t a, int16_t b) {
  for (const TStatDrawRec& r : list)
    if (r.key.k[0] == a && r.key.k[2] == b) return true;
  return false;
}

int16_t DistinctCoords(const PosCoords& c, int /*param*/) {
  int16_t n = 0;
  for (size_t i = 0; i < c.size(); ++i) {
    bool seen = false;
    for (size_t j = 0; j < i; ++j) seen = seen || c[j] == c[i];
    if (!seen) ++n;
  }
  return n;
}

int16_t PositionsWithCoord(const PosCoords& c, int v) {
  return static_cast<int16_t>(std::count(c.begin(), c.end(), v));
}

void CoordTally::Add(int coord, int count) {
  for (size_t i = 0; i < size_; ++i) {
    if (entries_[i].coord != coord) continue;
    entries_[i].count = static_cast<int16_t>(entries_[i].count + count);
    return;
  }
  if (size_ < entries_.size())
    entries_[size_++] = {static_cast<int16_t>(coord), static_cast<int16_t>(count)};
}

int PosGroupKeys(PosGroups groups, const PosCoords& c, std::array<TStatKey, 3>& keys) {
  switch (groups) {
    case PosGroups::AllPairs:
      keys[0].k = {c[0], c[1], 0, 0};
      keys[1].k = {c[0], c[2], 0, 0};
      keys[2].k = {c[1], c[2], 0, 0};
      return 3;
    case PosGroups::NeighbourPairs:
      keys[0].k = {c[0], c[1], 0, 0};
      keys[1].k = {c[1], c[2], 0, 0};
      return 2;
    case PosGroups::Triple:
      break;
  }
  keys[0].k = {c[0], c[1], c[2], 0};
  return 1;
}

std::string PosGroupText(PosGroups groups, const TStatKey& key) {
  std::string text = std::to_string(key.k[0]) + ":" + std::to_string(key.k[1]);
  if (groups == PosGroups::Triple) text += ":" + std::to_string(key.k[2]);
  return text;
}

}  // namespace korvane
