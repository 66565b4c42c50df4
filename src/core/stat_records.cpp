#include "core/stat_records.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/encoding.h"
#include "core/strutil.h"

namespace korvane {

namespace {

void Put32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put64(uint8_t* out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}
uint64_t Get64(const uint8_t* in) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(in[i]) << (8 * i);
  return v;
}

int32_t ClampToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

void EncodeRatingRec(const TRatingRec& rec, uint8_t* out) {
  std::memset(out, 0, RatingRecSize);
  std::string comment = Utf8ToCp1251(rec.comment);
  if (comment.size() > 255) comment.resize(255);
  out[0] = static_cast<uint8_t>(comment.size());
  std::memcpy(out + 1, comment.data(), comment.size());
  Put32(out + 256, static_cast<uint32_t>(rec.stakes));
  Put32(out + 260, static_cast<uint32_t>(rec.matchedSum));
  for (int i = 0; i < 4; ++i) Put32(out + 264 + 4 * i, static_cast<uint32_t>(rec.matchCounts[i]));
  Put64(out + 280, static_cast<uint64_t>(rec.profit.units));
}

TRatingRec DecodeRatingRec(const uint8_t* in) {
  TRatingRec rec;
  rec.comment = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 1), in[0]));
  rec.stakes = static_cast<int32_t>(Get32(in + 256));
  rec.matchedSum = static_cast<int32_t>(Get32(in + 260));
  for (int i = 0; i < 4; ++i) rec.matchCounts[i] = static_cast<int32_t>(Get32(in + 264 + 4 * i));
  rec.profit.units = static_cast<int64_t>(Get64(in + 280));
  return rec;
}

void EncodePrefetchRec(const TStatDrawRec& rec, uint8_t* out) {
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<uint16_t>(rec.key.k[i]);
    out[2 * i] = static_cast<uint8_t>(c);
    out[2 * i + 1] = static_cast<uint8_t>(c >> 8);
  }
  Put32(out + 8, static_cast<uint32_t>(rec.count));
}

TStatDrawRec DecodePrefetchRec(const uint8_t* in) {
  TStatDrawRec rec;
  for (int i = 0; i < 4; ++i)
    rec.key.k[i] = static_cast<int16_t>(static_cast<uint16_t>(in[2 * i] | in[2 * i + 1] << 8));
  rec.count = static_cast<int32_t>(Get32(in + 8));
  return rec;
}

void MergeStatValue(TStatDrawRec& e, const TStatDrawRec& item, bool withIntervals) {
  e.count += item.count;
  if (e.depth == 0 || (item.depth > 0 && item.depth <= e.depth)) {
    e.lastDraw = item.lastDraw;
    e.depth = item.depth;
  }
  if (withIntervals && item.lastDraw > 0 && e.prevDraw > 0) {
    const int64_t d = std::abs(int64_t{e.prevDraw} - item.lastDraw);
    const uint16_t d16 = Saturate16(d);
    if (d16 < e.minInterval || e.minInterval == 0) e.minInterval = d16;
    if (d16 > e.maxInterval || e.maxInterval == 0) e.maxInterval = d16;
  }
  e.prevDraw = item.lastDraw;
}

void AddStatValue(TStatDrawArray& array, const TStatDrawRec& item, bool withIntervals) {
  for (TStatDrawRec& e : array) {
    if (e.key != item.key) continue;
    MergeStatValue(e, item, withIntervals);
    return;
  }
  array.push_back(item);
}

int32_t AddLastValue(TLastValueArray& array, const TLastValueRec& item) {
  for (TLastValueRec& e : array) {
    if (e.key != item.key) continue;
    // Held to int32 for draw numbers far apart (any number a file holds).
    const int32_t interval = ClampToInt32(int64_t{item.lastDraw} - e.lastDraw);
    e.lastDraw = item.lastDraw;
    return interval;
  }
  array.push_back(item);
  return -1;
}

void AddSimpleValue(TStatSimpleArray& array, int32_t key, int32_t count) {
  for (TStatSimpleRec& e : array) {
    if (e.key != key) continue;
    if (count > 0) e.count += count;
    return;
  }
  array.push_back({key, count});
}

void SortSimpleValues(TStatSimpleArray& array) {
  std::stable_sort(array.begin(), array.end(),
                   [](const TStatSimpleRec& a, const TStatSimpleRec& b) { return a.key < b.key; });
}

void SortStatValues(TStatDrawArray& array) {
  std::stable_sort(array.begin(), array.end(),
                   [](const TStatDrawRec& a, const TStatDrawRec& b) { return a.key < b.key; });
}

StatTotalsResult StatTotals(const TStatDrawArray& array) {
  StatTotalsResult t;
  for (const TStatDrawRec& e : array) {
    t.sum += e.count;
    t.minCount = std::min(t.minCount, e.count);
    t.maxCount = std::max(t.maxCount, e.count);
    if (t.maxDepth == 0 || (e.depth > 0 && e.depth > t.maxDepth)) t.maxDepth = e.depth;
  }
  return t;
}

void AddStakeToRating(TRatingRec& row, int matches, Money profit) {
  auto add = [](int32_t& counter, int64_t n) { counter = ClampToInt32(counter + n); };
  add(row.stakes, 1);
  add(row.matchedSum, matches);
  add(row.matchCounts[static_cast<size_t>(std::clamp(matches, 0, 3))], 1);
  row.profit += profit;
}

void AddRating(TRatingsArray& array, std::string_view comment, int matches, Money profit) {
  const std::string key = LowerUtf8(comment);
  for (TRatingRec& r : array) {
    if (LowerUtf8(r.comment) != key) continue;
    AddStakeToRating(r, matches, profit);
    return;
  }
  TRatingRec r;
  r.comment = std::string(comment);
  AddStakeToRating(r, matches, profit);
  array.push_back(std::move(r));
}

void AddDrawProfit(TProfitDrawArray& array, int32_t drawNumber, Money profit) {
  for (TProfitDrawRec& r : array) {
    if (r.drawNumber != drawNumber) continue;
    r.profit += profit;
    return;
  }
  array.push_back({drawNumber, profit});
}

std::string DiffText(std::string_view text, int64_t base) {
  const auto v = ParseInt64(text);
  if (!v || *v < 0) return "-";
  const int64_t d = *v - base;
  return d > 0 ? "+" + std::to_string(d) : std::to_string(d);
}

}  // namespace korvane
