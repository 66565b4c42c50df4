#include "core/stat_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace korvane {
namespace {

TStatDrawRec Item(int16_t key, int32_t draw, int32_t depth, int32_t count = 1) {
  TStatDrawRec r;
  r.key.k[0] = key;
  r.lastDraw = draw;
  r.prevDraw = draw;
  r.depth = depth;
  r.count = count;
  return r;
}

TEST(StatKey, OrderIsUnsignedPerComponent) {
  TStatKey a, b, neg;
  a.k = {1, 0, 0, 0};
  b.k = {1, 0, 0, 5};
  neg.k = {-1, 0, 0, 0};
  EXPECT_TRUE(a < b);
  EXPECT_FALSE(b < a);
  EXPECT_TRUE(b < neg);  // a negative component sorts after every non-negative one
  EXPECT_FALSE(a < a);
  TStatKey d;
  d.SetDword(0, 70000);
  EXPECT_EQ(d.Dword(0), 70000);
  EXPECT_EQ(d.k[0], static_cast<int16_t>(70000 & 0xFFFF));
  EXPECT_EQ(d.k[1], 1);
}

TEST(AddStatValue, AppendsThenAccumulatesWithIntervals) {
  TStatDrawArray list;
  AddStatValue(list, Item(5, 100, 10), true);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].count, 1);
  EXPECT_EQ(list[0].minInterval, 0);

  AddStatValue(list, Item(5, 104, 6), true);  // second occurrence: both intervals are 4
  EXPECT_EQ(list[0].count, 2);
  EXPECT_EQ(list[0].minInterval, 4);
  EXPECT_EQ(list[0].maxInterval, 4);
  EXPECT_EQ(list[0].lastDraw, 104);
  EXPECT_EQ(list[0].depth, 6);

  AddStatValue(list, Item(5, 111, 1), true);
  EXPECT_EQ(list[0].minInterval, 4);
  EXPECT_EQ(list[0].maxInterval, 7);
  EXPECT_EQ(list[0].depth, 1);

  // Without intervals the occurrence still counts and becomes the previous occurrence.
  AddStatValue(list, Item(5, 111, 1), false);
  EXPECT_EQ(list[0].count, 4);
  EXPECT_EQ(list[0].maxInterval, 7);
  EXPECT_EQ(list[0].prevDraw, 111);

  AddStatValue(list, Item(6, 111, 1), true);
  ASSERT_EQ(list.size(), 2u);  // first appearance order
  EXPECT_EQ(list[1].key.k[0], 6);
}

TEST(AddStatValue, DepthRules) {
  TStatDrawArray list;
  AddStatValue(list, Item(1, 0, 0, 0), false);  // listed with count 0 and no depth
  AddStatValue(list, Item(1, 50, 7), true);     // depth 0 is replaced
  EXPECT_EQ(list[0].depth, 7);
  AddStatValue(list, Item(1, 40, 9), true);  // deeper: kept
  EXPECT_EQ(list[0].depth, 7);
  EXPECT_EQ(list[0].lastDraw, 50);
  AddStatValue(list, Item(1, 60, 0), true);  // depth 0 item: kept
  EXPECT_EQ(list[0].depth, 7);
}

TEST(AddStatValue, IntervalsSaturate) {
  TStatDrawArray list;
  AddStatValue(list, Item(1, 1, 5), true);
  AddStatValue(list, Item(1, 200000, 1), true);
  EXPECT_EQ(list[0].minInterval, 65535);
  EXPECT_EQ(list[0].maxInterval, 65535);
}

TEST(StatTotals, Basic) {
  TStatDrawArray list = {Item(1, 1, 3, 4), Item(2, 1, 0, 0), Item(3, 1, 8, 2)};
  const auto t = StatTotals(list);
  EXPECT_EQ(t.minCount, 0);
  EXPECT_EQ(t.maxCount, 4);
  EXPECT_EQ(t.maxDepth, 8);
  EXPECT_EQ(t.sum, 6);
  const auto empty = StatTotals({});
  EXPECT_EQ(empty.minCount, 2147483647);
  EXPECT_EQ(empty.sum, 0);
}

TEST(SortStatValues, ByKeyStable) {
  TStatDrawArray list = {Item(3, 1, 1), Item(-1, 1, 1), Item(1, 1, 1), Item(2, 1, 1)};
  SortStatValues(list);
  EXPECT_EQ(list[0].key.k[0], 1);
  EXPECT_EQ(list[1].key.k[0], 2);
  EXPECT_EQ(list[2].key.k[0], 3);
  EXPECT_EQ(list[3].key.k[0], -1);
}

TEST(SimpleAndLastValues, Rules) {
  TStatSimpleArray tally;
  AddSimpleValue(tally, 3, 0);
  AddSimpleValue(tally, 1, -2);  // appended even when not positive
  AddSimpleValue(tally, 3, 2);
  AddSimpleValue(tally, 1, -1);  // count <= 0 leaves an existing element alone
  EXPECT_EQ(tally, (TStatSimpleArray{{3, 2}, {1, -2}}));
  SortSimpleValues(tally);
  EXPECT_EQ(tally[0].key, 1);

  TLastValueArray last;
  TLastValueRec r;
  r.key.k[0] = 4;
  r.lastDraw = 10;
  EXPECT_EQ(AddLastValue(last, r), -1);
  r.lastDraw = 17;
  EXPECT_EQ(AddLastValue(last, r), 7);
  EXPECT_EQ(last[0].lastDraw, 17);
}

TEST(SimpleAndLastValues, IntervalOfExtremeDrawNumbers) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  struct Case {
    int32_t before, after, interval;
  } cases[] = {
      {10, 17, 7},        {17, 10, -7},       {1, kMax, kMax - 1}, {kMax, 1, 1 - kMax},
      {-1, kMax, kMax},   {kMin, kMax, kMax},  // the difference leaves int32: held at the limit
      {kMax, kMin, kMin}, {kMin, 0, kMax},
  };
  for (const Case& c : cases) {
    TLastValueArray last;
    TLastValueRec r;
    r.key.k[0] = 1;
    r.lastDraw = c.before;
    AddLastValue(last, r);
    r.lastDraw = c.after;
    EXPECT_EQ(AddLastValue(last, r), c.interval) << c.before << " -> " << c.after;
    EXPECT_EQ(last[0].lastDraw, c.after);
  }
}

TEST(Ratings, AddRatingGroupsCommentsCaseInsensitively) {
  TRatingsArray ratings;
  AddRating(ratings, "Сценарий А", 2, Money{500000});
  AddRating(ratings, "сценарий а", 3, Money{-10000});
  AddRating(ratings, "Другой", 0, Money{});
  ASSERT_EQ(ratings.size(), 2u);
  EXPECT_EQ(ratings[0].comment, "Сценарий А");
  EXPECT_EQ(ratings[0].stakes, 2);
  EXPECT_EQ(ratings[0].matchedSum, 5);
  EXPECT_EQ(ratings[0].matchCounts, (std::array<int32_t, 4>{0, 0, 1, 1}));
  EXPECT_EQ(ratings[0].profit.units, 490000);
  EXPECT_EQ(ratings[1].matchCounts, (std::array<int32_t, 4>{1, 0, 0, 0}));
}

TEST(Ratings, RecordLayout) {
  TRatingRec r;
  r.comment = "Тест";
  r.stakes = 3;
  r.matchedSum = 4;
  r.matchCounts = {1, 0, 1, 1};
  r.profit = Money{-12345};
  uint8_t b[RatingRecSize];
  EncodeRatingRec(r, b);
  EXPECT_EQ(b[0], 4);
  EXPECT_EQ(b[1], 0xD2);  // "Т" in Windows-1251
  EXPECT_EQ(b[256], 3);
  EXPECT_EQ(b[260], 4);
  EXPECT_EQ(b[264], 1);
  EXPECT_EQ(b[272], 1);
  EXPECT_EQ(b[276], 1);
  int64_t profit;
  std::memcpy(&profit, b + 280, 8);
  EXPECT_EQ(profit, -12345);
  EXPECT_EQ(DecodeRatingRec(b), r);
}

TEST(DrawProfits, AddDrawProfit) {
  TProfitDrawArray a;
  AddDrawProfit(a, 7, Money{100});
  AddDrawProfit(a, 8, Money{5});
  AddDrawProfit(a, 7, Money{-30});
  EXPECT_EQ(a, (TProfitDrawArray{{7, Money{70}}, {8, Money{5}}}));

  // Profits of stakes read from a file may be anything: the total stops at the int64 limits.
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  struct Case {
    std::vector<int64_t> profits;
    int64_t total;
  } cases[] = {
      {{kMax, 1}, kMax},
      {{kMax, kMax, -5}, kMax - 5},
      {{kMin, -1}, kMin},
      {{kMin, kMax}, -1},
  };
  for (const Case& c : cases) {
    TProfitDrawArray profits;
    for (int64_t p : c.profits) AddDrawProfit(profits, 3, Money{p});
    ASSERT_EQ(profits.size(), 1u);
    EXPECT_EQ(profits[0].profit.units, c.total) << c.profits[0] << ", " << c.profits[1];
  }
}

TEST(Prefetch, RecordRoundTrip) {
  TStatDrawRec r;
  r.key.k = {1, -2, 300, 0};
  r.count = 123456;
  uint8_t b[PrefetchRecSize];
  EncodePrefetchRec(r, b);
  EXPECT_EQ(b[2], 0xFE);
  EXPECT_EQ(b[3], 0xFF);
  const TStatDrawRec back = DecodePrefetchRec(b);
  EXPECT_EQ(back.key, r.key);
  EXPECT_EQ(back.count, 123456);
  EXPECT_EQ(back.depth, 0);
}

TEST(DiffText, Cases) {
  EXPECT_EQ(DiffText("12", 8), "+4");
  EXPECT_EQ(DiffText("8", 8), "0");
  EXPECT_EQ(DiffText("4", 8), "-4");
  EXPECT_EQ(DiffText("-", 8), "-");
  EXPECT_EQ(DiffText("-3", 0), "-");
  EXPECT_EQ(DiffText("", 0), "-");
}

TEST(MoneyText, TwoDecimals) {
  EXPECT_EQ(Money{125000}.Text(), "12.50");
  EXPECT_EQ(Money{-30000}.Text(), "-3.00");
  EXPECT_EQ(Money{0}.Text(), "0.00");
  EXPECT_EQ(Money{49}.Text(), "0.00");
  EXPECT_EQ(Money{50}.Text(), "0.01");
  EXPECT_EQ(Money::FromDouble(0.1).units, 1000);
  EXPECT_EQ(Money::FromDouble(2.675).units, 26750);
}

}  // namespace
}  // namespace korvane
