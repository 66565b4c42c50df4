#include "stats/stat_base.h"

#include <algorithm>
#include <cstring>

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

int32_t TCustomStat::FindNextDraw(const TStatDrawRec& rec, int start, int last, bool sortFlag) {
  const int count = DrawCount();
  if (start < 0) start = 0;
  if (start >= count) return -1;
  StatScratch scratch(std::max<size_t>(ScratchSize(), 120), 0);
  TStatDrawArray list;
  TLastValueArray lastValues;
  for (int i = start; i < count; ++i) {
    list.clear();
    lastValues.clear();
    EvaluateDraw(i, last, sortFlag, list, scratch, lastValues);
    for (const TStatDrawRec& e : list)
      if (e.key == rec.key) return e.lastDraw;
  }
  return -1;
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

}  // namespace korvane
