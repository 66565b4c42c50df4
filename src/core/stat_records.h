#pragma once

// Accumulator records in which statistic methods, the statistics table, stakes and ratings
// collect their counts, with their update operations.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/money.h"

namespace korvane {

// The identity of one statistic value: four signed 16-bit components. Keys are ordered by
// component 1, then 2, 3, 4, each compared as an unsigned 16-bit value.
struct TStatKey {
  std::array<int16_t, 4> k{};

  // The four components compared at once (a hot path of every accumulator).
  uint64_t Bits() const {
    uint64_t b;
    std::memcpy(&b, k.data(), sizeof b);
    return b;
  }
  bool operator==(const TStatKey& o) const { return Bits() == o.Bits(); }
  bool operator<(const TStatKey& o) const {
    for (int i = 0; i < 4; ++i) {
      const auto a = static_cast<uint16_t>(k[i]);
      const auto b = static_cast<uint16_t>(o.k[i]);
      if (a != b) return a < b;
    }
    return false;
  }
  // The first and second double-words (components 1-2 and 3-4, little-endian).
  int32_t Dword(int i) const {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(k[2 * i])) |
                                static_cast<uint32_t>(static_cast<uint16_t>(k[2 * i + 1])) << 16);
  }
  void SetDword(int i, int32_t v) {
    k[2 * i] = static_cast<int16_t>(static_cast<uint32_t>(v) & 0xFFFF);
    k[2 * i + 1] = static_cast<int16_t>(static_cast<uint32_t>(v) >> 16);
  }
};

// Saturating conversion for intervals kept in 16 bits.
inline uint16_t Saturate16(int64_t v) {
  return v <= 0 ? 0 : v >= 65535 ? uint16_t{65535} : static_cast<uint16_t>(v);
}

// The per-value accumulator of a statistic method.
struct TStatDrawRec {
  int32_t lastDraw = 0;      // draw number of the occurrence with the smallest positive depth
  int32_t depth = 0;         // how far back that occurrence lies, 1 = the last analysed draw
  int32_t prevDraw = 0;      // draw number of the occurrence seen last (for intervals)
  uint16_t minInterval = 0;  // 0 = none yet
  uint16_t maxInterval = 0;  // 0 = none yet
  int32_t count = 0;
  int32_t expected = 0;  // filled by the statistics table from prefetch data
  TStatKey key;
  bool operator==(const TStatDrawRec&) const = default;
};
using TStatDrawArray = std::vector<TStatDrawRec>;

struct TLastValueRec {
  int32_t lastDraw = 0;
  TStatKey key;
};
using TLastValueArray = std::vector<TLastValueRec>;

struct TStatSimpleRec {
  int32_t key = 0;
  int32_t count = 0;
  bool operator==(const TStatSimpleRec&) const = default;
};
using TStatSimpleArray = std::vector<TStatSimpleRec>;

// A ratings row; stored as 288 bytes in the ratings file (EncodeRatingRec).
struct TRatingRec {
  std::string comment;  // UTF-8 in memory; at most 255 single-byte characters on disk
  int32_t stakes = 0;
  int32_t matchedSum = 0;
  std::array<int32_t, 4> matchCounts{};  // stakes with 0, 1, 2, 3 matches
  Money profit;
  bool operator==(const TRatingRec&) const = default;
};
using TRatingsArray = std::vector<TRatingRec>;
inline constexpr size_t RatingRecSize = 288;
void EncodeRatingRec(const TRatingRec& rec, uint8_t* out);  // writes RatingRecSize bytes
TRatingRec DecodeRatingRec(const uint8_t* in);              // reads RatingRecSize bytes

struct TProfitDrawRec {
  int32_t drawNumber = 0;
  Money profit;
  bool operator==(const TProfitDrawRec&) const = default;
};
using TProfitDrawArray = std::vector<TProfitDrawRec>;

// The 12-byte form of a statistics row in the prefetch files: the key, then the count.
inline constexpr size_t PrefetchRecSize = 12;
void EncodePrefetchRec(const TStatDrawRec& rec, uint8_t* out);
TStatDrawRec DecodePrefetchRec(const uint8_t* in);  // the other fields zero

struct StatTotalsResult {
  int32_t minCount = 2147483647;
  int32_t maxCount = 0;
  int32_t maxDepth = 0;
  int64_t sum = 0;
};

void AddStatValue(TStatDrawArray& array, const TStatDrawRec& item, bool withIntervals);
// The update AddStatValue makes to the element e whose key equals the item's.
void MergeStatValue(TStatDrawRec& e, const TStatDrawRec& item, bool withIntervals);
// The interval from the element's draw number to the item's (held to int32), or -1 for a new
// key.
int32_t AddLastValue(TLastValueArray& array, const TLastValueRec& item);
void AddSimpleValue(TStatSimpleArray& array, int32_t key, int32_t count);
void SortSimpleValues(TStatSimpleArray& array);
void SortStatValues(TStatDrawArray& array);
StatTotalsResult StatTotals(const TStatDrawArray& array);
// Adds one stake to a ratings row: one more stake, its matches to the sum and to the count of
// their slot (0..3, clamped), its profit to the total. The row may come from a ratings file
// holding any numbers: the counters stop at the int32 limits, the profit at the int64 ones.
void AddStakeToRating(TRatingRec& row, int matches, Money profit);
void AddRating(TRatingsArray& array, std::string_view comment, int matches, Money profit);
void AddDrawProfit(TProfitDrawArray& array, int32_t drawNumber, Money profit);
std::string DiffText(std::string_view text, int64_t base);

}  // namespace korvane
