#pragma once

// The game this build serves: three numbers 0..9 per draw, repeats allowed, position
// matters, two draws a day. Everything else in the engine reads these constants.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

inline constexpr int NumsCount = 3;
inline constexpr int MinNum = 0;
inline constexpr int MaxNum = 9;
inline constexpr int ValuesCount = MaxNum - MinNum + 1;

// values^positions, rounded, when values > positions; 1 otherwise.
constexpr int64_t PowerCount(int values, int positions) {
  if (values <= positions) return 1;
  int64_t r = 1;
  for (int i = 0; i < positions; ++i) r *= values;
  return r;
}

// a + (a + 1) + ... over count numbers, and a + (a - 1) + ... over count numbers.
constexpr int LowestSum(int count, int a) {
  int s = 0;
  for (int i = 0; i < count; ++i) s += a + i;
  return s;
}
constexpr int HighestSum(int count, int a) {
  int s = 0;
  for (int i = 0; i < count; ++i) s += a - i;
  return s;
}

inline constexpr int CombsCount = static_cast<int>(PowerCount(ValuesCount, NumsCount));
inline constexpr int MinSum = LowestSum(NumsCount, MinNum);
inline constexpr int MaxSum = HighestSum(NumsCount, MaxNum);
inline constexpr int SumTolerance = (MaxSum - MinSum) / 10;
// Every number text 0..9 reads back as an integer, so clipboard texts are zero padded.
inline constexpr bool NumbersAreNumeric = true;

static_assert(CombsCount == 1000 && MinSum == 3 && MaxSum == 24 && SumTolerance == 2);

using TByteArray = std::vector<uint8_t>;
using TIntArray = std::vector<int>;

// A combination: the numbers in position order.
using TComb = std::array<uint8_t, NumsCount>;
using TCombsArray = std::vector<TComb>;

// Up to four numbers with their count; bytes beyond the count are zero.
struct TCountedComb {
  int32_t count = 0;
  std::array<uint8_t, 4> nums{};
  bool operator==(const TCountedComb&) const = default;
};

// One draw. Stored byte for byte (20 bytes) in the archive file; see EncodeDrawRec.
struct TDrawRec {
  static constexpr int DateCapacity = 12;
  int32_t number = 0;
  TComb nums{};
  uint8_t dateLen = 0;
  std::array<char, DateCapacity> date{};  // single-byte characters

  std::string DateText() const { return std::string(date.data(), dateLen > 12 ? 12 : dateLen); }
  // Stores the text cut to 12 characters; the rest of the field is zeroed.
  void SetDateText(std::string_view text);
  bool operator==(const TDrawRec&) const = default;
};
using TDrawsArray = std::vector<TDrawRec>;

inline constexpr size_t DrawRecSize = 20;
void EncodeDrawRec(const TDrawRec& rec, uint8_t* out);  // writes DrawRecSize bytes
TDrawRec DecodeDrawRec(const uint8_t* in);              // reads DrawRecSize bytes

// Number texts: plain decimal, read back as an integer (0 when not one).
std::string NumToText(int n);
int TextToNum(std::string_view text);

// Channels: channel size s puts number n in channel ceil((n + 1) / s), from 1.
int ChannelOf(int number, int channelSize);
int ChannelsCount(int channelSize);
// The channels of the numbers: (channel of MinNum, channel of MaxNum); (0, -1) for a size
// that is not above 0.
std::pair<int, int> ChannelRange(int channelSize);
// Background colour (0xRRGGBB) of a number cell by its channel.
uint32_t ChannelColor(int number, int channelSize);

// Segments: a segment number 1..9 for each position p = 1..3 and number v at (p - 1)*10 + v.
using TSegmentTable = std::array<uint8_t, NumsCount * ValuesCount>;
TSegmentTable DefaultSegmentTable();
int SegmentOf(const TSegmentTable& table, int position, int number);
// The smallest and the largest segment number of the table (the search starts from (9, 1)).
std::pair<int, int> SegmentRange(const TSegmentTable& table);

// Matrix coordinates of a number (the column count plays no part in this game).
inline int MatrixCoord1(int /*number*/) { return 0; }
inline int MatrixCoord2(int number) { return number - MinNum + 1; }

// Text forms.
std::string CombToText(const TComb& c);
std::string CombToClipText(const TComb& c);
TComb TextToComb(std::string_view text);  // throws Error on a word count other than 3
std::string CountedToText(const TCountedComb& cc, std::string_view separator);
std::string DrawToText(const TDrawRec& draw);
inline TComb DrawToComb(const TDrawRec& draw) { return draw.nums; }
TCountedComb CombToCounted(const TComb& c);
int ShiftValue(int v, int d);
TComb ShiftComb(const TComb& c, int d);

// Sorting in place, ascending.
void SortComb(TComb& c);
void SortDrawNumbers(TDrawRec& draw);
void SortCounted(TCountedComb& cc);
// Descending.
void SortIntsDesc(TIntArray& list);

// Membership and matching.
bool ValueInDraw(const TDrawRec& draw, int v);
bool ValueInComb(const TComb& c, int v);
bool ChannelInDraw(const TDrawRec& draw, int channel, int channelSize);
bool SegmentInDraw(const TDrawRec& draw, int segment, const TSegmentTable& table);
bool ByteListContains(const TByteArray& list, uint8_t b);
void ByteListAppend(TByteArray& list, uint8_t b);
bool ByteListAppendIfAbsent(TByteArray& list, uint8_t b);  // true when appended
int PositionMatches(const TComb& a, const TComb& b);
inline int PositionMatches(const TDrawRec& draw, const TComb& c) {
  return PositionMatches(draw.nums, c);
}
inline int PositionMatches(const TDrawRec& a, const TDrawRec& b) {
  return PositionMatches(a.nums, b.nums);
}
TCountedComb MatchedNumbers(const TDrawRec& draw, const TComb& c);
bool SameCountedComb(const TCountedComb& a, const TCountedComb& b);
int DistinctNumbers(const TCombsArray& combs, size_t n);
TByteArray DistinctNumberList(const TCombsArray& combs, size_t n);

// Counting.
long double Binomial(int n, int k);
int64_t MatchCount(int values, int positions, int k);

// Stake kinds.
enum StakeKind : uint8_t { StakeManual = 1, StakeRegular = 2, StakeScenario = 3, StakeSystem = 4 };
std::string StakeKindName(int kind);

// The difference triangle of the first n numbers (Ognev numbers).
TByteArray ReduceDifferences(int n, int mode, const TComb& comb);

}  // namespace korvane
