#include "stakes/stake_data.h"

#include <cstring>
#include <limits>

#include "core/encoding.h"
#include "core/strutil.h"

namespace korvane {

namespace {

void Put32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}
void PutCounted(uint8_t* out, const TCountedComb& c) {
  Put32(out, static_cast<uint32_t>(c.count));
  std::memcpy(out + 4, c.nums.data(), 4);
}
TCountedComb GetCounted(const uint8_t* in) {
  TCountedComb c;
  c.count = static_cast<int32_t>(Get32(in));
  std::memcpy(c.nums.data(), in + 4, 4);
  return c;
}

}  // namespace

void EncodeStake(const TStakeData& s, uint8_t* out) {
  std::memset(out, 0, StakeRecSize);
  out[0] = s.version;
  out[1] = s.kind;
  Put32(out + 4, static_cast<uint32_t>(s.draw));
  out[8] = s.checked;
  Put32(out + 12, static_cast<uint32_t>(s.sample));
  PutCounted(out + 16, s.numbers);
  out[24] = s.result[0];
  out[25] = s.result[1];
  out[26] = s.result[2];
  PutCounted(out + 28, s.matched);
  const auto profit = static_cast<uint64_t>(s.profit.units);
  Put32(out + 40, static_cast<uint32_t>(profit));
  Put32(out + 44, static_cast<uint32_t>(profit >> 32));
  std::string comment = Utf8ToCp1251(s.comment);
  if (comment.size() > 255) comment.resize(255);
  out[48] = static_cast<uint8_t>(comment.size());
  std::memcpy(out + 49, comment.data(), comment.size());
}

TStakeData DecodeStake(const uint8_t* in) {
  TStakeData s;
  s.version = in[0];
  s.kind = in[1];
  s.draw = static_cast<int32_t>(Get32(in + 4));
  s.checked = in[8];
  s.sample = static_cast<int32_t>(Get32(in + 12));
  s.numbers = GetCounted(in + 16);
  s.result = {in[24], in[25], in[26]};
  s.matched = GetCounted(in + 28);
  s.profit.units = static_cast<int64_t>(static_cast<uint64_t>(Get32(in + 40)) |
                                        static_cast<uint64_t>(Get32(in + 44)) << 32);
  s.comment = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(in + 49), in[48]));
  return s;
}

TStakeData MakeSeparator() {
  TStakeData s;
  s.kind = 0;
  s.draw = -1;
  s.matched.count = -1;
  return s;
}

int64_t StakeTickets(int n) {
  if (n <= 3) return 1;
  // 2097151 is the largest count whose cube fits in int64.
  if (n > 2097151) return std::numeric_limits<int64_t>::max();
  return int64_t{n} * n * n;
}

Money StakeProfit(const TConfigData& config, int n, int m) {
  Money profit = -(config.cost * StakeTickets(n));
  if (m >= 0)
    for (const TProfitRule& r : config.profits)
      if (r.matches == m) {
        profit += r.prize;
        break;
      }
  return profit;
}

void CheckStake(TStakeData& s, const TDrawRec& draw, const TConfigData& config) {
  s.checked = 1;
  s.result = draw.nums;
  TComb nums{};
  for (int p = 0; p < NumsCount; ++p)
    nums[static_cast<size_t>(p)] = s.numbers.nums[static_cast<size_t>(p)];
  s.matched = MatchedNumbers(draw, nums);
  s.profit = StakeProfit(config, s.numbers.count, s.matched.count);
}

std::vector<std::string> StakeRowTexts(const TStakeData& s) {
  if (s.IsSeparator()) return std::vector<std::string>(9);
  const bool checked = s.IsChecked();
  return {std::to_string(s.draw),
          StakeKindName(s.kind),
          CountedToText(s.numbers, ";"),
          std::to_string(s.sample),
          checked ? CombToText(s.result) : std::string(),
          checked ? std::to_string(s.matched.count) : std::string(),
          checked ? CountedToText(s.matched, " ") : std::string(),
          s.profit.Text(),
          s.comment};
}

StakeNumbersInput ParseStakeNumbers(std::string_view text) {
  StakeNumbersInput in;
  const auto words = SplitAny(text, ",;");
  bool ok = words.size() == NumsCount;
  int count = 0;
  for (std::string_view w : words) {
    const auto v = ParseInt32(Trim(w));
    const int n = v.value_or(0);
    if (!v || n < MinNum || n > MaxNum) ok = false;
    in.sum += n;
    if (count < 4) in.numbers.nums[static_cast<size_t>(count)] = static_cast<uint8_t>(n);
    ++count;
  }
  in.numbers.count = std::min(count, 4);
  in.ok = ok;
  return in;
}

}  // namespace korvane
