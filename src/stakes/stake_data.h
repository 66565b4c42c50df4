#pragma once

// One stake and its 304-byte record.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config.h"
#include "core/game.h"
#include "core/money.h"

namespace korvane {

inline constexpr size_t StakeRecSize = 304;
inline constexpr uint8_t StakeVersion = 2;

struct TStakeData {
  uint8_t version = StakeVersion;
  uint8_t kind = 0;  // 0 separator, StakeKind otherwise
  int32_t draw = 0;  // <= 0: a separator
  uint8_t checked = 0;
  int32_t sample = 0;
  TCountedComb numbers;
  TComb result{};
  TCountedComb matched;  // matched.count = matches, -1 until checked
  Money profit;
  std::string comment;  // UTF-8; at most 255 single-byte characters on disk
  bool operator==(const TStakeData&) const = default;

  bool IsSeparator() const { return draw <= 0; }
  bool IsChecked() const { return checked != 0; }
};

void EncodeStake(const TStakeData& s, uint8_t* out);  // writes StakeRecSize bytes
TStakeData DecodeStake(const uint8_t* in);            // reads StakeRecSize bytes

TStakeData MakeSeparator();

// Tickets of a stake of n numbers: 1 up to three numbers, else n^3 (the int64 limit when the
// cube is beyond it; a stake file may hold any count).
int64_t StakeTickets(int n);
// -(tickets x cost), plus the prize of the first rule for m matches when m >= 0. Saturates like
// every Money sum.
Money StakeProfit(const TConfigData& config, int n, int m);

// Checks a stake against its draw: result, matches, profit.
void CheckStake(TStakeData& s, const TDrawRec& draw, const TConfigData& config);

// The nine texts of the stakes grid (empty for a separator).
std::vector<std::string> StakeRowTexts(const TStakeData& s);

// The stake dialog's numbers: the words between "," and ";", trimmed, read as integers (0 when
// not one) and stored as bytes; ok when there are exactly three, each 0..9.
struct StakeNumbersInput {
  TCountedComb numbers;
  int sum = 0;
  bool ok = false;
};
StakeNumbersInput ParseStakeNumbers(std::string_view text);

}  // namespace korvane
