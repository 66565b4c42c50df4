#include "stakes/stake_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "core/ini.h"
#include "core/settings.h"

namespace korvane {
namespace {

constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

TEST(StakeRecord, LayoutByteForByte) {
  // A record written by hand from the layout table.
  uint8_t expected[StakeRecSize] = {};
  expected[0] = 2;                           // version
  expected[1] = 3;                           // kind: scenario
  expected[4] = 0x39, expected[5] = 0x30;    // draw 12345
  expected[8] = 1;                           // checked
  expected[12] = 0xE8, expected[13] = 0x03;  // sample 1000
  expected[16] = 3;                          // numbers.count
  expected[20] = 1, expected[21] = 2, expected[22] = 3;
  expected[24] = 1, expected[25] = 9, expected[26] = 3;  // result
  expected[28] = 2;                                      // matched.count
  expected[32] = 1, expected[33] = 3;
  // profit 4.50 = 45000 units
  expected[40] = 0xC8, expected[41] = 0xAF;
  const char comment[] = "\xD1\xF6\xE5\xED\xE0\xF0\xE8\xE9";  // "Сценарий" in Windows-1251
  expected[48] = 8;
  std::memcpy(expected + 49, comment, 8);

  TStakeData s;
  s.kind = 3;
  s.draw = 12345;
  s.checked = 1;
  s.sample = 1000;
  s.numbers = {3, {1, 2, 3, 0}};
  s.result = {1, 9, 3};
  s.matched = {2, {1, 3, 0, 0}};
  s.profit = Money{45000};
  s.comment = "Сценарий";
  uint8_t out[StakeRecSize];
  EncodeStake(s, out);
  EXPECT_EQ(0, std::memcmp(out, expected, StakeRecSize));
  EXPECT_EQ(DecodeStake(expected), s);

  uint8_t sep[StakeRecSize];
  EncodeStake(MakeSeparator(), sep);
  EXPECT_EQ(sep[0], 2);
  EXPECT_EQ(sep[1], 0);
  EXPECT_EQ(sep[4], 0xFF);   // draw -1
  EXPECT_EQ(sep[28], 0xFF);  // matched.count -1
  EXPECT_EQ(sep[48], 0);
}

TEST(StakeProfit, PrizeTable) {
  TConfigData c;
  c.cost = Money{10000};  // 1.00
  // Rules in an odd order; no rule for 1 match.
  c.profits = {{3, Money{5000000}}, {0, Money{0}}, {2, Money{500000}}};
  struct Case {
    int n, m;
    int64_t units;
  } cases[] = {{3, -1, -10000}, {3, 0, -10000},   {3, 1, -10000}, {3, 2, 490000},
               {3, 3, 4990000}, {4, -1, -640000}, {2, 3, 4990000}};
  for (const Case& k : cases)
    EXPECT_EQ(StakeProfit(c, k.n, k.m).units, k.units) << k.n << " " << k.m;
  EXPECT_EQ(StakeTickets(1), 1);
  EXPECT_EQ(StakeTickets(3), 1);
  EXPECT_EQ(StakeTickets(4), 64);
}

TEST(StakeProfit, TicketsOfAnyNumberCount) {
  // The count comes from the stake file and may be anything.
  struct Case {
    int n;
    int64_t tickets;
  } cases[] = {{std::numeric_limits<int>::min(), 1},
               {-1, 1},
               {0, 1},
               {3, 1},
               {4, 64},
               {10, 1000},
               {208063, int64_t{208063} * 208063 * 208063},
               {2097151, int64_t{2097151} * 2097151 * 2097151},  // the largest cube in int64
               {2097152, kMax64},
               {std::numeric_limits<int>::max(), kMax64}};
  for (const Case& c : cases) EXPECT_EQ(StakeTickets(c.n), c.tickets) << c.n;
}

TEST(StakeProfit, ExtremeCostsAndCountsStayInRange) {
  constexpr int64_t kBillion = int64_t{1000000000} * Money::Scale;
  struct Case {
    int64_t cost, prize;  // the prize for 3 matches
    int n, m;
    int64_t units;
  } cases[] = {
      {kBillion, kBillion, 3, 3, 0},
      {kBillion, kBillion, 10, 3, -999 * kBillion},
      {kBillion, kBillion, std::numeric_limits<int>::max(), 3, -kMax64 + kBillion},
      {kBillion, kBillion, 2097152, -1, -kMax64},
      {10000, 0, 3000000, 0, -kMax64},  // 2.7e19 tickets
      {kMax64, 0, 4, 0, -kMax64},
      {kMin64, 0, 3, 0, kMax64},  // a negative cost earns
      {kMin64, kMax64, 10, 3, kMax64},
      {-kBillion, kBillion, 10, 3, 1001 * kBillion},
  };
  for (const Case& c : cases) {
    TConfigData config;
    config.cost = Money{c.cost};
    config.profits = {{3, Money{c.prize}}};
    EXPECT_EQ(StakeProfit(config, c.n, c.m).units, c.units)
        << c.cost << " " << c.prize << " " << c.n << " " << c.m;
  }
}

TEST(StakeProfit, PricesFromASettingsFileWithHugeAmounts) {
  IniFile ini;
  ini.Parse(
      "[STAKES]\r\nCost=1e300\r\nProfits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=1e300\r\n"
      "Profit_1_Overlap=2\r\nProfit_1_Profit=-1e300\r\n");
  GameSettings settings;
  LoadGameSettings(ini, settings);
  constexpr int64_t kBillion = int64_t{1000000000} * Money::Scale;
  struct Case {
    int n, m;
    int64_t units;
  } cases[] = {{3, -1, -kBillion},
               {3, 3, 0},
               {3, 2, -2 * kBillion},
               {4, 3, -63 * kBillion},
               {10, 2, -1001 * kBillion}};
  for (const Case& c : cases)
    EXPECT_EQ(StakeProfit(settings.config, c.n, c.m).units, c.units) << c.n << " " << c.m;
}

TEST(StakeCheck, MatchesByPosition) {
  TConfigData c;
  c.cost = Money{10000};
  c.profits = {{3, Money{5000000}}, {1, Money{20000}}};
  struct Case {
    TComb draw;
    int matches;
    std::string matched;
    int64_t profit;
  } cases[] = {{{1, 2, 3}, 3, "1 2 3", 4990000},
               {{3, 2, 1}, 1, "2", 10000},
               {{7, 7, 7}, 0, "", -10000},
               {{1, 0, 3}, 2, "1 3", -10000}};
  for (const Case& k : cases) {
    TStakeData s;
    s.kind = 1;
    s.draw = 5;
    s.numbers = {3, {1, 2, 3, 0}};
    s.matched.count = -1;
    TDrawRec d;
    d.number = 5;
    d.nums = k.draw;
    CheckStake(s, d, c);
    EXPECT_TRUE(s.IsChecked());
    EXPECT_EQ(s.result, k.draw);
    EXPECT_EQ(s.matched.count, k.matches);
    EXPECT_EQ(CountedToText(s.matched, " "), k.matched);
    EXPECT_EQ(s.profit.units, k.profit);
  }
}

TEST(StakeRow, Texts) {
  TStakeData s;
  s.kind = 1;
  s.draw = 77;
  s.sample = 488;
  s.numbers = {3, {4, 0, 9, 0}};
  s.matched.count = -1;
  s.profit = Money{-10000};
  s.comment = "Ставка \"вручную\"";
  EXPECT_EQ(StakeRowTexts(s), (std::vector<std::string>{"77", "Вручную", "4;0;9", "488", "", "", "",
                                                        "-1.00", "Ставка \"вручную\""}));
  s.checked = 1;
  s.result = {4, 1, 9};
  s.matched = {2, {4, 9, 0, 0}};
  s.profit = Money{12345678};
  EXPECT_EQ(StakeRowTexts(s)[4], "4;1;9");
  EXPECT_EQ(StakeRowTexts(s)[5], "2");
  EXPECT_EQ(StakeRowTexts(s)[6], "4 9");
  EXPECT_EQ(StakeRowTexts(s)[7], "1234.57");
  EXPECT_EQ(StakeRowTexts(MakeSeparator()), std::vector<std::string>(9));
}

TEST(StakeDialogInput, Numbers) {
  EXPECT_TRUE(ParseStakeNumbers("1, 2;3").ok);
  EXPECT_EQ(ParseStakeNumbers("1, 2;3").sum, 6);
  EXPECT_EQ(ParseStakeNumbers("1, 2;3").numbers, (TCountedComb{3, {1, 2, 3, 0}}));
  EXPECT_FALSE(ParseStakeNumbers("1;2").ok);
  EXPECT_FALSE(ParseStakeNumbers("1;2;10").ok);
  EXPECT_FALSE(ParseStakeNumbers("1;x;3").ok);
  EXPECT_EQ(ParseStakeNumbers("1;x;3").sum, 4);
  EXPECT_FALSE(ParseStakeNumbers("").ok);
}

}  // namespace
}  // namespace korvane
