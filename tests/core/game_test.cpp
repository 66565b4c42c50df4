#include "core/game.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace korvane {
namespace {

TEST(Game, DerivedConstants) {
  EXPECT_EQ(CombsCount, 1000);
  EXPECT_EQ(MinSum, 3);
  EXPECT_EQ(MaxSum, 24);
  EXPECT_EQ(SumTolerance, 2);
  EXPECT_EQ(PowerCount(10, 3), 1000);
  EXPECT_EQ(PowerCount(3, 10), 1);
  EXPECT_EQ(PowerCount(3, 3), 1);
}

TEST(Game, ChannelOf) {
  struct Case {
    int number, size, channel;
  } cases[] = {{9, 2, 5},  {0, 2, 1}, {1, 2, 1}, {2, 2, 2}, {9, 10, 1}, {0, 10, 1},
               {9, 1, 10}, {0, 1, 1}, {5, 3, 2}, {9, 3, 4}, {9, 4, 3}};
  for (const Case& c : cases)
    EXPECT_EQ(ChannelOf(c.number, c.size), c.channel) << c.number << " size " << c.size;
  EXPECT_EQ(ChannelsCount(2), 5);
  EXPECT_EQ(ChannelsCount(3), 4);
  EXPECT_EQ(ChannelsCount(1), 10);
  EXPECT_EQ(ChannelRange(2), (std::pair<int, int>{1, 5}));
  EXPECT_EQ(ChannelRange(0), (std::pair<int, int>{0, -1}));
  TSegmentTable seg = DefaultSegmentTable();
  EXPECT_EQ(SegmentRange(seg), (std::pair<int, int>{1, 1}));
  seg[4] = 3;
  seg[20] = 2;
  EXPECT_EQ(SegmentRange(seg), (std::pair<int, int>{1, 3}));
}

TEST(Game, ChannelColor) {
  EXPECT_EQ(ChannelColor(0, 2), 0xAAFFAAu);
  EXPECT_EQ(ChannelColor(9, 2), 0xAAAAFFu);   // channel 5
  EXPECT_EQ(ChannelColor(9, 1), 0xFFAAD5u);   // channel 10
  EXPECT_EQ(ChannelColor(7, 1), 0xD4D4D4u);   // channel 8
  EXPECT_EQ(ChannelColor(10, 2), 0xFF0000u);  // outside 0..9
  EXPECT_EQ(ChannelColor(-1, 2), 0xFF0000u);
}

TEST(Game, ShiftValue) {
  EXPECT_EQ(ShiftValue(8, 3), 1);
  EXPECT_EQ(ShiftValue(1, -3), 8);
  EXPECT_EQ(ShiftValue(5, 0), 5);
  EXPECT_EQ(ShiftValue(9, 1), 0);
  EXPECT_EQ(ShiftValue(0, -1), 9);
  EXPECT_EQ(ShiftComb({7, 8, 9}, 2), (TComb{9, 0, 1}));
}

TEST(Game, CombTexts) {
  EXPECT_EQ(CombToClipText({0, 5, 9}), "00 05 09");
  EXPECT_EQ(CombToText({0, 5, 9}), "0;5;9");
  TCountedComb cc{2, {4, 7, 9, 0}};
  EXPECT_EQ(CountedToText(cc, "-"), "4-7");
  TDrawRec d;
  d.number = 12;
  d.nums = {4, 0, 9};
  d.SetDateText("03/07/2021 M");
  EXPECT_EQ(DrawToText(d), "Тираж № 12 от 03/07/2021 M, значения: 4;0;9");
}

TEST(Game, TextToCombAcceptsEverySeparator) {
  for (const char* text : {"1 2 3", "1-2-3", "1;2;3", "1|2|3", "1,2,3", "1.2.3", "1:2:3", "1\t2\t3",
                           "  1 ;; 2 , 3 ", "-1-2-3"})
    EXPECT_EQ(TextToComb(text), (TComb{1, 2, 3})) << text;
  EXPECT_EQ(TextToComb("x 2 3"), (TComb{0, 2, 3}));  // unreadable reads as 0
}

TEST(Game, TextToCombRejectsOtherWordCounts) {
  for (const char* text : {"1 2", "1 2 3 4", "", "   "}) {
    try {
      TextToComb(text);
      ADD_FAILURE() << text;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Некорректная комбинация: \"") + text + "\"!");
    }
  }
}

TEST(Game, ReduceDifferences) {
  struct Case {
    int mode;
    TComb comb;
    TByteArray expected;
  } cases[] = {
      {0, {1, 4, 9}, {2}},     // differences 3, 5
      {1, {4, 5, 7}, {3}},     // differences 1, 2; |2 - 1| = 1 < 2 gives 1 + 2
      {2, {4, 5, 7}, {1, 3}},  // r = 1: a second element a + b
      {2, {1, 2, 3}, {2}},     // differences 1, 1: r = 0 becomes 2
      {1, {0, 9, 0}, {18}},    // differences 9, 9: r = 0 < 2 becomes 9 + 9
      {0, {5, 5, 5}, {0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReduceDifferences(3, c.mode, c.comb), c.expected)
        << "mode " << c.mode << " " << CombToText(c.comb);
}

TEST(Game, MatchCountAndBinomial) {
  const int64_t expected[] = {729, 243, 27, 1};
  int64_t sum = 0;
  for (int k = 0; k <= 3; ++k) {
    EXPECT_EQ(MatchCount(10, 3, k), expected[k]);
    sum += MatchCount(10, 3, k);
  }
  EXPECT_EQ(sum, 1000);
  EXPECT_EQ(Binomial(5, 0), 1);
  EXPECT_EQ(Binomial(5, -1), 1);
  EXPECT_EQ(Binomial(5, 2), 10);
}

TEST(Game, MatchingAndMembership) {
  TDrawRec d;
  d.nums = {7, 7, 2};
  EXPECT_EQ(PositionMatches(d, TComb{7, 1, 2}), 2);
  EXPECT_EQ(PositionMatches(d, TComb{2, 7, 7}), 1);
  const TCountedComb m = MatchedNumbers(d, TComb{7, 1, 2});
  EXPECT_EQ(m.count, 2);
  EXPECT_EQ(m.nums[0], 2);
  EXPECT_EQ(m.nums[1], 7);
  EXPECT_TRUE(ValueInDraw(d, 2));
  EXPECT_FALSE(ValueInDraw(d, 3));
  EXPECT_TRUE(ChannelInDraw(d, 4, 2));   // 7 lies in channel 4
  EXPECT_FALSE(ChannelInDraw(d, 3, 2));  // 4, 5
  TSegmentTable seg = DefaultSegmentTable();
  seg[1 * 10 + 7] = 5;  // position 2, number 7
  EXPECT_TRUE(SegmentInDraw(d, 5, seg));
  EXPECT_EQ(SegmentOf(seg, 2, 7), 5);
  EXPECT_EQ(SegmentOf(seg, 1, 7), 1);
}

TEST(Game, SameCountedComb) {
  TCountedComb a{2, {1, 2, 0, 0}};
  TCountedComb b{3, {1, 2, 5, 0}};
  EXPECT_FALSE(SameCountedComb(a, b));
  b.count = 2;
  EXPECT_TRUE(SameCountedComb(a, b));  // bytes beyond the count do not matter
}

TEST(Game, DistinctNumbers) {
  TCombsArray combs = {{1, 1, 2}, {2, 3, 3}, {4, 5, 6}, {7, 8, 9}, {0, 0, 0}};
  EXPECT_EQ(DistinctNumbers(combs, 1), 2);
  EXPECT_EQ(DistinctNumbers(combs, 2), 3);
  EXPECT_EQ(DistinctNumbers(combs, 99), 10);
  EXPECT_EQ(DistinctNumberList(combs, 2), (TByteArray{1, 2, 3}));
  EXPECT_EQ(DistinctNumberList(combs, 5).size(), 10u);
}

TEST(Game, Sorting) {
  TComb c{9, 0, 5};
  SortComb(c);
  EXPECT_EQ(c, (TComb{0, 5, 9}));
  TCountedComb cc{2, {9, 3, 1, 0}};
  SortCounted(cc);
  EXPECT_EQ(cc.nums, (std::array<uint8_t, 4>{3, 9, 1, 0}));
  TIntArray ints{3, 9, 1, 9};
  SortIntsDesc(ints);
  EXPECT_EQ(ints, (TIntArray{9, 9, 3, 1}));
}

TEST(Game, StakeKindName) {
  EXPECT_EQ(StakeKindName(1), "Вручную");
  EXPECT_EQ(StakeKindName(2), "Регуляр");
  EXPECT_EQ(StakeKindName(3), "Сценарий");
  EXPECT_EQ(StakeKindName(4), "Система");
  EXPECT_EQ(StakeKindName(0), "");
  EXPECT_EQ(StakeKindName(5), "");
}

TEST(Game, DrawRecordLayout) {
  TDrawRec d;
  d.number = 0x01020304;
  d.nums = {4, 0, 9};
  d.SetDateText("03/07/2021 M and more");  // cut to 12 characters
  uint8_t bytes[DrawRecSize];
  EncodeDrawRec(d, bytes);
  const uint8_t expected[DrawRecSize] = {0x04, 0x03, 0x02, 0x01, 4,   0,   9,   12,  '0', '3',
                                         '/',  '0',  '7',  '/',  '2', '0', '2', '1', ' ', 'M'};
  EXPECT_EQ(0, memcmp(bytes, expected, DrawRecSize));
  EXPECT_EQ(DecodeDrawRec(bytes), d);
}

}  // namespace
}  // namespace korvane
