#include <gtest/gtest.h>

#include <cstring>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

// The codes of the registry entries of one class, in registration order.
std::vector<std::string> CodesOf(const TStatList& registry, const char* className) {
  std::vector<std::string> codes;
  for (int i = 0; i < registry.Count(); ++i)
    if (std::strcmp(registry.Items(i).statClass->className, className) == 0)
      codes.push_back(registry.Items(i).MethodCode());
  return codes;
}

// The values of a list that occurred (count above 0), as texts with their counts.
Texts Counted(const Texts& texts) {
  Texts out;
  for (const auto& t : texts)
    if (t.second > 0) out.push_back(t);
  return out;
}

void SetChannelSize(test::StatFixture& f, int size) {
  f.settings.config.channelSize = size;
  f.registry.Build();
}

TEST(ChannelsNumbering, FollowsTheChannelSize) {
  struct Case {
    int size;
    Texts chan;                  // CHAN of the draw 2-3-9, every channel listed
    std::vector<int> inChannel;  // CHN1..CHNk of the draw
    Texts chnc;                  // CHNC: pre-listed counts, then the draw's if new
    size_t chnvListed;           // channels x (0..min(size, 3))
    Texts chnvCounted;           // the CHNV values of the draw
  } cases[] = {
      {1,
       {{"01 [0-0]", 0},
        {"02 [1-1]", 0},
        {"03 [2-2]", 1},
        {"04 [3-3]", 1},
        {"05 [4-4]", 0},
        {"06 [5-5]", 0},
        {"07 [6-6]", 0},
        {"08 [7-7]", 0},
        {"09 [8-8]", 0},
        {"10 [9-9]", 1}},
       {0, 0, 1, 1, 0, 0, 0, 0, 0, 1},
       {{"1", 0}, {"3", 1}},
       20,
       {{"01 [0-0] x 0", 1},
        {"02 [1-1] x 0", 1},
        {"03 [2-2] x 1", 1},
        {"04 [3-3] x 1", 1},
        {"05 [4-4] x 0", 1},
        {"06 [5-5] x 0", 1},
        {"07 [6-6] x 0", 1},
        {"08 [7-7] x 0", 1},
        {"09 [8-8] x 0", 1},
        {"10 [9-9] x 1", 1}}},
      {2,
       {{"01 [0-1]", 0}, {"02 [2-3]", 2}, {"03 [4-5]", 0}, {"04 [6-7]", 0}, {"05 [8-9]", 1}},
       {0, 2, 0, 0, 1},
       {{"1", 0}, {"2", 1}},
       15,
       {{"01 [0-1] x 0", 1},
        {"02 [2-3] x 2", 1},
        {"03 [4-5] x 0", 1},
        {"04 [6-7] x 0", 1},
        {"05 [8-9] x 1", 1}}},
      {3,
       {{"01 [0-2]", 1}, {"02 [3-5]", 1}, {"03 [6-8]", 0}, {"04 [9-11]", 1}},
       {1, 1, 0, 1},
       {{"1", 0}, {"2", 0}, {"3", 1}},
       16,
       {{"01 [0-2] x 1", 1}, {"02 [3-5] x 1", 1}, {"03 [6-8] x 0", 1}, {"04 [9-11] x 1", 1}}},
      {10, {{"01 [0-9]", 3}}, {3}, {{"1", 1}, {"2", 0}, {"3", 0}}, 4, {{"01 [0-9] x 3", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    test::StatFixture f({{2, 3, 9}});
    SetChannelSize(f, c.size);
    EXPECT_EQ(f.Texts("CHAN", f.EvaluateAll("CHAN")), c.chan);
    EXPECT_EQ(f.Texts("CHNC", f.EvaluateAll("CHNC")), c.chnc);
    const TStatDrawArray chnv = f.EvaluateAll("CHNV");
    EXPECT_EQ(chnv.size(), c.chnvListed);
    EXPECT_EQ(Counted(f.Texts("CHNV", chnv)), c.chnvCounted);

    std::vector<std::string> codes;
    for (size_t i = 1; i <= c.inChannel.size(); ++i) codes.push_back("CHN" + std::to_string(i));
    ASSERT_EQ(CodesOf(f.registry, "TstChnValCnt"), codes);
    for (size_t i = 0; i < codes.size(); ++i) {
      auto chn = f.registry.CreateStat(f.Entry(codes[i]));
      EXPECT_EQ(chn->GraphValue(0, 0, false), c.inChannel[i]) << codes[i];
    }
  }
}

TEST(ChannelsNumbering, NoChannelEntriesWithoutAPositiveSize) {
  test::StatFixture f;
  SetChannelSize(f, 0);
  EXPECT_TRUE(CodesOf(f.registry, "TstChnValCnt").empty());
}

TEST(ChannelsNumbering, InstancesKeepTheSizeTheyWereCreatedWith) {
  test::StatFixture f({{0, 1, 9}});
  auto chan = f.registry.CreateStat(f.Entry("CHAN"));
  f.settings.config.channelSize = 1;
  TStatDrawArray list;
  chan->PrepareValues(0, list);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_EQ(chan->ValueToText(list.back()), "05 [8-9]");
}

TEST(Channels, WorkedDrawWithSizeTwo) {
  test::StatFixture f({{0, 1, 9}});
  struct Case {
    const char* code;
    Texts counted;
  } cases[] = {
      {"CHAN", {{"01 [0-1]", 2}, {"05 [8-9]", 1}}},
      {"CHNV",
       {{"01 [0-1] x 2", 1},
        {"02 [2-3] x 0", 1},
        {"03 [4-5] x 0", 1},
        {"04 [6-7] x 0", 1},
        {"05 [8-9] x 1", 1}}},
      {"CHNC", {{"2", 1}}},
      {"KCM2", {{"1:1", 1}, {"1:5", 2}}},
      {"KCS2", {{"1:1", 1}, {"1:5", 1}}},
      {"KCM3", {{"1:1:5", 1}}},
      {"KCS3", {{"1:1:5", 1}}},
      {"CHN1", {{"2", 1}}},
      {"CHN5", {{"1", 1}}},
      {"CHN3", {{"0", 1}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Counted(f.Texts(c.code, f.EvaluateAll(c.code))), c.counted) << c.code;
}

TEST(Channels, PreListedValues) {
  test::StatFixture f;
  SetChannelSize(f, 3);
  struct Case {
    const char* code;
    Texts listed;
  } cases[] = {
      {"CHAN", {{"01 [0-2]", 0}, {"02 [3-5]", 0}, {"03 [6-8]", 0}, {"04 [9-11]", 0}}},
      {"CHNC", {{"1", 0}, {"2", 0}, {"3", 0}}},
      {"CHN2", {{"1", 0}, {"2", 0}, {"3", 0}}},  // 1 up to the size, not 0
      {"KCM2", {}},
      {"KCS3", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code)), c.listed) << c.code;
  const Texts chnv = f.Texts("CHNV", f.EvaluateAll("CHNV"));
  ASSERT_EQ(chnv.size(), 16u);
  EXPECT_EQ(chnv[0].first, "01 [0-2] x 0");
  EXPECT_EQ(chnv[3].first, "01 [0-2] x 3");
  EXPECT_EQ(chnv[15].first, "04 [9-11] x 3");

  test::StatFixture wide;
  SetChannelSize(wide, 10);
  EXPECT_EQ(wide.EvaluateAll("CHN1").size(), 10u);  // 1..10, although a draw holds three
  EXPECT_EQ(wide.EvaluateAll("CHNC").size(), 3u);
}

TEST(Channels, CountsAndIntervalsOverARange) {
  test::StatFixture f({{0, 1, 9}, {2, 4, 6}, {8, 9, 3}});
  const TStatDrawArray chan = f.EvaluateAll("CHAN");
  ASSERT_EQ(chan.size(), 5u);
  EXPECT_EQ(chan[0].count, 2);  // channel 1 twice in draw 100
  EXPECT_EQ(chan[0].depth, 3);
  EXPECT_EQ(chan[0].minInterval, 0);
  EXPECT_EQ(chan[4].count, 3);  // channel 5: draws 100 and 102 (twice)
  EXPECT_EQ(chan[4].lastDraw, 102);
  EXPECT_EQ(chan[4].depth, 1);
  EXPECT_EQ(chan[4].maxInterval, 2);
}

TEST(Channels, SortFlagOrdersThePositions) {
  test::StatFixture f({{9, 0, 1}});
  EXPECT_EQ(f.Texts("KCS2", f.EvaluateAll("KCS2", true)), (Texts{{"1:1", 1}, {"1:5", 1}}));
  EXPECT_EQ(f.Texts("KCS2", f.EvaluateAll("KCS2", false)), (Texts{{"5:1", 1}, {"1:1", 1}}));
  EXPECT_EQ(f.Texts("KCM3", f.EvaluateAll("KCM3", true)), (Texts{{"1:1:5", 1}}));
  EXPECT_EQ(f.Texts("KCM3", f.EvaluateAll("KCM3", false)), (Texts{{"5:1:1", 1}}));
}

TEST(Channels, ValueTextsAndParsing) {
  test::StatFixture f;
  auto chan = f.registry.CreateStat(f.Entry("CHAN"));
  EXPECT_EQ(chan->TextToKey("05 [8-9]"), 5);
  EXPECT_EQ(chan->ParseValue("03 [4-5]"), 3);
  EXPECT_EQ(chan->TextToKey("x"), 0);
  EXPECT_EQ(chan->ValueToText(KeyRec(2)), "02 [2-3]");
  auto chnv = f.registry.CreateStat(f.Entry("CHNV"));
  EXPECT_EQ(chnv->ValueToText(KeyRec(3, 2)), "03 [4-5] x 2");
  EXPECT_EQ(chnv->ParseValue("03 [4-5] x 2"), 0);
  auto kcm2 = f.registry.CreateStat(f.Entry("KCM2"));
  EXPECT_EQ(kcm2->ValueToText(KeyRec(1, 4)), "1:4");
  EXPECT_EQ(kcm2->ParseValue("1"), 0);
  EXPECT_EQ(f.registry.CreateStat(f.Entry("KCS3"))->ValueToText(KeyRec(2, 3, 5)), "2:3:5");
  auto chnc = f.registry.CreateStat(f.Entry("CHNC"));
  EXPECT_EQ(chnc->ParseValue("2"), 2);
}

TEST(Channels, CombMatches) {
  test::StatFixture f({{1, 2, 3}});
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool match;
  } cases[] = {
      {"CHAN", {KeyRec(3)}, {0, 5, 9}, true},
      {"CHAN", {KeyRec(3)}, {0, 6, 9}, false},
      {"CHAN", {KeyRec(2), KeyRec(4)}, {7, 7, 7}, true},
      // A row "02 [2-3] x 0" keeps every combination without a number in channel 2.
      {"CHNV", {KeyRec(2, 0)}, {0, 5, 9}, true},
      {"CHNV", {KeyRec(2, 0)}, {0, 3, 9}, false},
      {"CHNV", {KeyRec(1, 2)}, {0, 1, 9}, true},
      {"CHNV", {KeyRec(1, 2)}, {0, 2, 9}, false},
      {"CHNC", {KeyRec(3)}, {0, 2, 4}, true},
      {"CHNC", {KeyRec(3)}, {0, 1, 4}, false},
      // KCM2 takes every pair of positions, KCS2 the neighbouring ones only.
      {"KCM2", {KeyRec(1, 5)}, {0, 3, 9}, true},
      {"KCS2", {KeyRec(1, 5)}, {0, 3, 9}, false},
      {"KCS2", {KeyRec(2, 5)}, {0, 3, 9}, true},
      {"KCM2", {KeyRec(1, 5)}, {9, 3, 0}, false},  // the order of the pair counts
      {"KCM3", {KeyRec(1, 2, 5)}, {0, 3, 9}, true},
      {"KCS3", {KeyRec(1, 2, 5)}, {0, 9, 3}, false},
      {"CHN2", {KeyRec(0)}, {0, 5, 9}, true},
      {"CHN2", {KeyRec(0)}, {0, 2, 9}, false},
      {"CHN2", {KeyRec(2)}, {2, 3, 9}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.match)
        << c.code << " " << CombToText(c.comb);
  // Combinations keep their stored order whatever the sort option says.
  EXPECT_FALSE(f.Matches("KCS2", {KeyRec(1, 5)}, {9, 0, 1}, true));
}

TEST(Channels, GraphValues) {
  test::StatFixture f({{0, 1, 9}, {4, 5, 5}});
  auto chnc = f.registry.CreateStat(f.Entry("CHNC"));
  EXPECT_EQ(chnc->GraphValue(0, 1, false), 2);
  EXPECT_EQ(chnc->GraphValue(1, 1, false), 1);
  EXPECT_EQ(chnc->GraphValueOf(0, 1, {0, 4, 8}, false), 3);
  auto chn3 = f.registry.CreateStat(f.Entry("CHN3"));
  EXPECT_EQ(chn3->GraphValue(0, 1, false), 0);
  EXPECT_EQ(chn3->GraphValue(1, 1, false), 3);
}

TEST(Channels, FullSetDistributions) {
  test::StatFixture f;
  struct Case {
    const char* code;
    size_t values;
    int first;  // count of the first value
  } cases[] = {
      {"CHAN", 5, 600},  // 3 positions x 1000 x 2/10
      {"CHNV", 20, 8},   // counts 0..3 per channel; 0-0-0 first: all three in channel 1
      {"CHNC", 3, 40},   // one channel: 5 channels x 2^3
      {"KCM2", 0, 0},    // no norm
  };
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    TStatDrawArray list;
    for (int v = 0; v < 1000; ++v)
      stat->EvaluateComb(list, {static_cast<uint8_t>(v / 100), static_cast<uint8_t>(v / 10 % 10),
                                static_cast<uint8_t>(v % 10)});
    ASSERT_EQ(list.size(), c.values) << c.code;
    if (!list.empty()) {
      EXPECT_EQ(list[0].count, c.first) << c.code;
    }
  }
}

TEST(Channels, RegistryEntries) {
  test::StatFixture f;
  for (const char* code : {"CHAN", "CHNV", "CHNC", "KCM2", "KCM3", "KCS2", "KCS3"})
    EXPECT_GE(f.registry.IndexOfCode(code), 0) << code;
  EXPECT_EQ(f.registry.IndexOfCode("KCM4"), -1);
  EXPECT_EQ(f.registry.IndexOfCode("KCS4"), -1);
  EXPECT_EQ(f.registry.Items(f.Entry("CHN1")).DisplayName(), "Количество чисел в 1 канале");
  EXPECT_EQ(f.registry.Items(f.Entry("KCS2")).DisplayName(),
            "Сочетания из 2 каналов по соседним числам");
  EXPECT_EQ(f.registry.ListText(f.Entry("CHNC"), true),
            "{ grp } Количество каналов в тираже [ NG ]");
  EXPECT_EQ(f.registry.ListText(f.Entry("KCM3"), true),
            "{ grp } Сочетания из 3 каналов по всем числам тиража [ S ]");
}

}  // namespace
}  // namespace korvane
