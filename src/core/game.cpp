#include "core/game.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/error.h"
#include "core/strutil.h"
#include "core/texts.h"

namespace korvane {

void TDrawRec::SetDateText(std::string_view text) {
  date.fill(0);
  const size_t n = std::min<size_t>(text.size(), DateCapacity);
  std::memcpy(date.data(), text.data(), n);
  dateLen = static_cast<uint8_t>(n);
}

void EncodeDrawRec(const TDrawRec& rec, uint8_t* out) {
  const auto number = static_cast<uint32_t>(rec.number);
  out[0] = static_cast<uint8_t>(number);
  out[1] = static_cast<uint8_t>(number >> 8);
  out[2] = static_cast<uint8_t>(number >> 16);
  out[3] = static_cast<uint8_t>(number >> 24);
  out[4] = rec.nums[0];
  out[5] = rec.nums[1];
  out[6] = rec.nums[2];
  out[7] = rec.dateLen;
  std::memcpy(out + 8, rec.date.data(), TDrawRec::DateCapacity);
}

TDrawRec DecodeDrawRec(const uint8_t* in) {
  TDrawRec rec;
  rec.number =
      static_cast<int32_t>(static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
                           static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24);
  rec.nums = {in[4], in[5], in[6]};
  rec.dateLen = in[7];
  std::memcpy(rec.date.data(), in + 8, TDrawRec::DateCapacity);
  return rec;
}

std::string NumToText(int n) { return std::to_string(n); }

int TextToNum(std::string_view text) { return IntOrZero(text); }

int ChannelOf(int number, int channelSize) {
  if (channelSize <= 0) channelSize = 1;
  // ceil((n + 1) / s) for the numbers of the game (n >= 0).
  return (number + channelSize) / channelSize;
}

int ChannelsCount(int channelSize) { return ChannelOf(MaxNum, channelSize); }

std::pair<int, int> ChannelRange(int channelSize) {
  if (channelSize <= 0) return {0, -1};
  return {ChannelOf(MinNum, channelSize), ChannelOf(MaxNum, channelSize)};
}

uint32_t ChannelColor(int number, int channelSize) {
  static constexpr uint32_t kColors[19] = {0xAAFFAA, 0xFFFFAA, 0xAAFFFF, 0xFFAAAA, 0xAAAAFF,
                                           0xFFD5AA, 0xD5AAFF, 0xD4D4D4, 0xAAD5FF, 0xFFAAD5,
                                           0xD5FFD5, 0xFFFFD5, 0xD5FFFF, 0xFFD5D5, 0xD5D5FF,
                                           0xFFEAD5, 0xEAD5FF, 0xE9E9E9, 0xD5EAFF};
  if (number < MinNum || number > MaxNum) return 0xFF0000;
  int channel = ChannelOf(number, channelSize);
  while (channel > 19) channel -= 19;
  return kColors[channel - 1];
}

TSegmentTable DefaultSegmentTable() {
  TSegmentTable t;
  t.fill(1);
  return t;
}

int SegmentOf(const TSegmentTable& table, int position, int number) {
  return table[static_cast<size_t>((position - 1) * ValuesCount + (number - MinNum))];
}

std::pair<int, int> SegmentRange(const TSegmentTable& table) {
  int low = 9;
  int high = 1;
  for (uint8_t s : table) {
    low = std::min<int>(low, s);
    high = std::max<int>(high, s);
  }
  return {low, high};
}

std::string CombToText(const TComb& c) {
  return NumToText(c[0]) + ";" + NumToText(c[1]) + ";" + NumToText(c[2]);
}

std::string CombToClipText(const TComb& c) {
  std::string out;
  for (int p = 0; p < NumsCount; ++p) {
    if (p > 0) out += ' ';
    std::string t = NumToText(c[p]);
    if (NumbersAreNumeric && t.size() < 2) t.insert(0, 2 - t.size(), '0');
    out += t;
  }
  return out;
}

TComb TextToComb(std::string_view text) {
  const auto words = SplitWords(text, "\t ,-.:;|");
  if (words.size() != NumsCount) throw Error(Format(texts::BadComb, std::string(text).c_str()));
  TComb c{};
  for (int p = 0; p < NumsCount; ++p) c[p] = static_cast<uint8_t>(TextToNum(Trim(words[p])));
  return c;
}

std::string CountedToText(const TCountedComb& cc, std::string_view separator) {
  std::string out;
  const int n = std::clamp(cc.count, 0, 4);
  for (int i = 0; i < n; ++i) {
    if (i > 0) out += separator;
    out += NumToText(cc.nums[i]);
  }
  return out;
}

std::string DrawToText(const TDrawRec& draw) {
  return Format(texts::DrawDescription, draw.number, draw.DateText().c_str(),
                CombToText(draw.nums).c_str());
}

TCountedComb CombToCounted(const TComb& c) {
  TCountedComb cc;
  cc.count = NumsCount;
  for (int p = 0; p < NumsCount; ++p) cc.nums[p] = c[p];
  return cc;
}

int ShiftValue(int v, int d) {
  if (d == 0) return v;
  v += d;
  if (d > 0 && v > MaxNum) v -= ValuesCount;
  if (d < 0 && v < MinNum) v += ValuesCount;
  return v;
}

TComb ShiftComb(const TComb& c, int d) {
  TComb r;
  for (int p = 0; p < NumsCount; ++p) r[p] = static_cast<uint8_t>(ShiftValue(c[p], d));
  return r;
}

namespace {
template <typename T>
void InsertionSort(T* a, int n) {
  for (int i = 1; i < n; ++i) {
    const T x = a[i];
    int j = i - 1;
    while (j >= 0 && a[j] > x) {
      a[j + 1] = a[j];
      --j;
    }
    a[j + 1] = x;
  }
}
}  // namespace

void SortComb(TComb& c) { InsertionSort(c.data(), NumsCount); }
void SortDrawNumbers(TDrawRec& draw) { SortComb(draw.nums); }
void SortCounted(TCountedComb& cc) { InsertionSort(cc.nums.data(), std::clamp(cc.count, 0, 4)); }
void SortIntsDesc(TIntArray& list) { std::stable_sort(list.begin(), list.end(), std::greater<>()); }

bool ValueInComb(const TComb& c, int v) { return c[0] == v || c[1] == v || c[2] == v; }
bool ValueInDraw(const TDrawRec& draw, int v) { return ValueInComb(draw.nums, v); }

bool ChannelInDraw(const TDrawRec& draw, int channel, int channelSize) {
  for (uint8_t n : draw.nums)
    if (ChannelOf(n, channelSize) == channel) return true;
  return false;
}

bool SegmentInDraw(const TDrawRec& draw, int segment, const TSegmentTable& table) {
  for (int p = 1; p <= NumsCount; ++p)
    if (SegmentOf(table, p, draw.nums[p - 1]) == segment) return true;
  return false;
}

bool ByteListContains(const TByteArray& list, uint8_t b) {
  return std::find(list.begin(), list.end(), b) != list.end();
}
void ByteListAppend(TByteArray& list, uint8_t b) { list.push_back(b); }
bool ByteListAppendIfAbsent(TByteArray& list, uint8_t b) {
  if (ByteListContains(list, b)) return false;
  list.push_back(b);
  return true;
}

int PositionMatches(const TComb& a, const TComb& b) {
  return (a[0] == b[0]) + (a[1] == b[1]) + (a[2] == b[2]);
}

TCountedComb MatchedNumbers(const TDrawRec& draw, const TComb& c) {
  TCountedComb cc;
  for (int p = 0; p < NumsCount; ++p)
    if (draw.nums[p] == c[p]) cc.nums[cc.count++] = draw.nums[p];
  SortCounted(cc);
  return cc;
}

bool SameCountedComb(const TCountedComb& a, const TCountedComb& b) {
  if (a.count != b.count) return false;
  const int n = std::clamp(a.count, 0, 4);
  for (int i = 0; i < n; ++i)
    if (a.nums[i] != b.nums[i]) return false;
  return true;
}

int DistinctNumbers(const TCombsArray& combs, size_t n) {
  bool seen[256] = {};
  int count = 0;
  n = std::min(n, combs.size());
  for (size_t i = 0; i < n && count < ValuesCount; ++i)
    for (uint8_t v : combs[i])
      if (!seen[v]) {
        seen[v] = true;
        ++count;
      }
  return std::min(count, ValuesCount);
}

TByteArray DistinctNumberList(const TCombsArray& combs, size_t n) {
  TByteArray list;
  n = std::min(n, combs.size());
  for (size_t i = 0; i < n && list.size() <= 9; ++i)
    for (uint8_t v : combs[i]) {
      ByteListAppendIfAbsent(list, v);
      if (list.size() > 9) break;
    }
  return list;
}

long double Binomial(int n, int k) {
  long double r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - i + 1) / i;
  return r;
}

int64_t MatchCount(int values, int positions, int k) {
  if (k >= values) return 1;
  const long double r = Binomial(positions, k) * std::pow(static_cast<long double>(values - 1),
                                                          static_cast<long double>(positions - k));
  return std::llround(r);
}

std::string StakeKindName(int kind) {
  switch (kind) {
    case StakeManual:
      return texts::StakeKindManual;
    case StakeRegular:
      return texts::StakeKindRegular;
    case StakeScenario:
      return texts::StakeKindScenario;
    case StakeSystem:
      return texts::StakeKindSystem;
    default:
      return {};
  }
}

TByteArray ReduceDifferences(int n, int mode, const TComb& comb) {
  int a[NumsCount];
  n = std::clamp(n, 0, NumsCount);
  for (int i = 0; i < n; ++i) a[i] = comb[i];
  while (n > 2) {
    for (int i = 0; i + 1 < n; ++i) a[i] = std::abs(a[i + 1] - a[i]);
    --n;
  }
  if (n < 2) return n == 1 ? TByteArray{static_cast<uint8_t>(a[0])} : TByteArray{};
  const int x = a[0];
  const int y = a[1];
  int r = std::abs(y - x);
  TByteArray out;
  if (mode == 1) {
    if (r < 2) r = x + y;
    out.push_back(static_cast<uint8_t>(r));
  } else if (mode == 2) {
    if (r == 0) r = x + y;
    out.push_back(static_cast<uint8_t>(r));
    if (r == 1) out.push_back(static_cast<uint8_t>(x + y));
  } else {
    out.push_back(static_cast<uint8_t>(r));
  }
  return out;
}

}  // namespace korvane
