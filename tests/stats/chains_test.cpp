#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

// Segment table: position 1 puts 0..4 in segment 1 and 5..9 in 2, position 2 in 3 and 4,
// position 3 in 5 and 6.
TSegmentTable TestSegments() {
  TSegmentTable t;
  for (int p = 0; p < 3; ++p)
    for (int n = 0; n <= 9; ++n)
      t[static_cast<size_t>(p * 10 + n)] = static_cast<uint8_t>(2 * p + (n <= 4 ? 1 : 2));
  return t;
}

bool IsThreeDrawChain(const std::string& code) {
  for (const char* prefix : {"SDP3", "SDM", "SCP3", "SCM", "SSP3", "SSM", "SC3C", "SS3C"})
    if (code.rfind(prefix, 0) == 0) return true;
  return false;
}

int TotalCount(const TStatDrawArray& list) {
  int n = 0;
  for (const TStatDrawRec& r : list) n += r.count;
  return n;
}

TEST(Chains, EntriesNamesAndFeatures) {
  test::StatFixture f;
  struct Case {
    const char* code;
    const char* listText;
  } cases[] = {
      {"SDV2", "{ mov } Переходы чисел между 2 тиражами без учета позиции [ D ]"},
      {"SDP2", "{ mov } Переходы чисел между 2 тиражами с учетом позиции [ SD ]"},
      {"SDN1", "{ mov } Переходы чисел между 2 тиражами в 1 позиции [ SD ]"},
      {"SDM2", "{ mov } Переходы чисел между 3 тиражами в 2 позиции [ SD ]"},
      {"SCP3", "{ mov } Переходы каналов между 3 тиражами с учетом позиции [ SD ]"},
      {"SCN3", "{ mov } Переходы каналов между 2 тиражами в 3 позиции [ SD ]"},
      {"SC2C3", "{ mov } Переходы кол-ва чисел в 3 канале между 2 тиражами [ D ]"},
      {"SC3C5", "{ mov } Переходы кол-ва чисел в 5 канале между 3 тиражами [ D ]"},
      {"SDA2", "{ mov } Переходы чисел в пределах каналов (все) [ D ]"},
      {"SDG2", "{ mov } Переходы чисел в пределах каналов (N-M, удачные) [ D ]"},
      {"SDZ2", "{ mov } Переходы чисел в пределах каналов (N-0, не удачные) [ D ]"},
      {"SDC2", "{ mov } Переходы чисел в пределах каналов (количество) [ D ]"},
      {"SSV2", "{ mov } Переходы сегментов между 2 тиражами без учета позиции [ D ]"},
      {"SSM3", "{ mov } Переходы сегментов между 3 тиражами в 3 позиции [ SD ]"},
      {"SS3C1", "{ mov } Переходы кол-ва чисел в 1 сегменте между 3 тиражами [ D ]"},
  };
  for (const Case& c : cases) {
    const int i = f.Entry(c.code);
    EXPECT_EQ(f.registry.ListText(i, true), c.listText);
    EXPECT_EQ(f.registry.CreateStat(i)->ParseValue("3"), 0) << c.code;
  }
  int entries = 0;
  for (int i = 0; i < f.registry.Count(); ++i)
    if (f.registry.Items(i).statClass->group == 10) ++entries;
  // 9 number, 9 channel and 9 segment chains, 4 inside channels, channels 1..5 twice,
  // segment 1 twice.
  EXPECT_EQ(entries, 43);
}

TEST(Chains, CountParametersFollowTheGameSettings) {
  test::StatFixture f;
  struct Case {
    int channelSize;
    TSegmentTable segments;
    std::vector<std::string> present, absent;
  } cases[] = {
      {2,
       DefaultSegmentTable(),
       {"SC2C1", "SC2C5", "SC3C5", "SS2C1", "SS3C1"},
       {"SC2C0", "SC2C6", "SS2C2"}},
      {1, DefaultSegmentTable(), {"SC2C1", "SC2C10", "SC3C10"}, {"SC2C11"}},
      {10, DefaultSegmentTable(), {"SC2C1"}, {"SC2C2"}},
      {2, TestSegments(), {"SS2C1", "SS2C6", "SS3C6"}, {"SS2C7"}},
  };
  for (const Case& c : cases) {
    f.settings.config.channelSize = c.channelSize;
    f.settings.config.segments = c.segments;
    f.registry.Build();
    for (const std::string& code : c.present) EXPECT_GE(f.registry.IndexOfCode(code), 0) << code;
    for (const std::string& code : c.absent) EXPECT_EQ(f.registry.IndexOfCode(code), -1) << code;
  }
  // A table holding only segments 2..4.
  TSegmentTable t;
  t.fill(3);
  t[0] = 2;
  t[29] = 4;
  f.settings.config.segments = t;
  f.registry.Build();
  EXPECT_EQ(f.registry.IndexOfCode("SS2C1"), -1);
  EXPECT_GE(f.registry.IndexOfCode("SS2C2"), 0);
  EXPECT_GE(f.registry.IndexOfCode("SS3C4"), 0);
}

TEST(Chains, NothingWithoutPredecessors) {
  test::StatFixture f({{1, 2, 3}});
  test::StatFixture two({{1, 2, 3}, {1, 2, 3}});
  for (int i = 0; i < f.registry.Count(); ++i) {
    if (f.registry.Items(i).statClass->group != 10) continue;
    const std::string code = f.registry.Items(i).MethodCode();
    EXPECT_EQ(TotalCount(f.EvaluateAll(code)), 0) << code;
    // The second draw has one predecessor: only the two-draw chains see it (SDZ2 finds no
    // empty channel here).
    const int n = TotalCount(two.EvaluateAll(code));
    if (IsThreeDrawChain(code)) {
      EXPECT_EQ(n, 0) << code;
    } else if (code != "SDZ2") {
      EXPECT_GT(n, 0) << code;
    }
  }
}

TEST(Chains, NumbersWhateverThePosition) {
  // P1 = 1;1;9, C = 4;5;6, R = 1;2;3: 1 qualifies twice, 9 not at all.
  test::StatFixture f({{1, 1, 9}, {4, 5, 6}, {1, 2, 3}});
  EXPECT_EQ(f.Texts("SDV2", f.EvaluateAll("SDV2")),
            (Texts{{"1 -> 4", 2}, {"1 -> 5", 2}, {"1 -> 6", 2}}));
}

TEST(Chains, NumbersByPosition) {
  // P1 = 1;5;3, C = 7;8;9, R = 1;2;3.
  test::StatFixture f({{1, 5, 3}, {7, 8, 9}, {1, 2, 3}});
  EXPECT_EQ(f.Texts("SDP2", f.EvaluateAll("SDP2")), (Texts{{"1 -> 7", 1}, {"3 -> 9", 1}}));
  EXPECT_EQ(f.Texts("SDN1", f.EvaluateAll("SDN1")), (Texts{{"1 -> 7", 1}}));
  EXPECT_TRUE(f.EvaluateAll("SDN2").empty());
  EXPECT_EQ(f.Texts("SDN3", f.EvaluateAll("SDN3")), (Texts{{"3 -> 9", 1}}));
}

TEST(Chains, NumbersOverThreeDraws) {
  // P2 = 1;2;3, P1 = 4;5;6, C = 7;8;9, R1 = 1;0;3, R = 4;5;0.
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 0, 3}, {4, 5, 0}});
  EXPECT_EQ(f.Texts("SDP3", f.EvaluateAll("SDP3")), (Texts{{"1-4 -> 7", 1}}));
  EXPECT_EQ(f.Texts("SDM1", f.EvaluateAll("SDM1")), (Texts{{"1-4 -> 7", 1}}));
  EXPECT_TRUE(f.EvaluateAll("SDM2").empty());
}

TEST(Chains, ChannelsOfTwoDraws) {
  // Channel size 2. P1 = 0;4;9 (1, 3, 5), C = 2;3;6 (2, 2, 4), R = 1;5;8 (1, 3, 5).
  test::StatFixture f({{0, 4, 9}, {2, 3, 6}, {1, 5, 8}});
  EXPECT_EQ(f.Texts("SCP2", f.EvaluateAll("SCP2")),
            (Texts{{"01 -> 02", 1}, {"03 -> 02", 1}, {"05 -> 04", 1}}));
  EXPECT_EQ(f.Texts("SCN2", f.EvaluateAll("SCN2")), (Texts{{"03 -> 02", 1}}));
  EXPECT_EQ(f.Texts("SCV2", f.EvaluateAll("SCV2")), (Texts{{"01 -> 02", 2},
                                                           {"01 -> 04", 1},
                                                           {"03 -> 02", 2},
                                                           {"03 -> 04", 1},
                                                           {"05 -> 02", 2},
                                                           {"05 -> 04", 1}}));
}

TEST(Chains, ChannelsOfThreeDraws) {
  // Channels: P2 = 1, 2, 3; P1 = 1, 2, 3; C = 5, 5, 4; R1 = 1, 2, 3; R = 1, 2, 3.
  test::StatFixture f({{0, 2, 4}, {1, 3, 5}, {9, 8, 6}, {1, 3, 4}, {0, 2, 4}});
  EXPECT_EQ(f.Texts("SCP3", f.EvaluateAll("SCP3")),
            (Texts{{"01-01 -> 05", 1}, {"02-02 -> 05", 1}, {"03-03 -> 04", 1}}));
  EXPECT_EQ(f.Texts("SCM3", f.EvaluateAll("SCM3")), (Texts{{"03-03 -> 04", 1}}));
}

TEST(Chains, InsideChannels) {
  // Channel size 2, R = 4;0;0, P1 = 4;8;8, C = 5;5;1: x = 4 (channel 3) meets 5 twice.
  test::StatFixture f({{4, 8, 8}, {5, 5, 1}, {4, 0, 0}});
  EXPECT_EQ(f.Texts("SDC2", f.EvaluateAll("SDC2")), (Texts{{"4 -> 2", 1}}));
  EXPECT_EQ(f.Texts("SDA2", f.EvaluateAll("SDA2")), (Texts{{"04 -> 05", 2}}));
  EXPECT_EQ(f.Texts("SDG2", f.EvaluateAll("SDG2")), (Texts{{"04 -> 05", 2}}));
  EXPECT_TRUE(f.EvaluateAll("SDZ2").empty());
}

TEST(Chains, InsideChannelsWithTheNumberZeroFollowing) {
  // x = 1 (channel 1) is followed by 0, of the same channel: the follower reads as none.
  test::StatFixture f({{1, 5, 5}, {0, 7, 7}, {1, 2, 3}});
  EXPECT_EQ(f.Texts("SDZ2", f.EvaluateAll("SDZ2")), (Texts{{"01 -> 00", 1}}));
  EXPECT_EQ(f.Texts("SDA2", f.EvaluateAll("SDA2")), (Texts{{"01 -> 00", 2}}));
  EXPECT_EQ(f.Texts("SDG2", f.EvaluateAll("SDG2")), (Texts{{"01 -> 00", 1}}));
  EXPECT_EQ(f.Texts("SDC2", f.EvaluateAll("SDC2")), (Texts{{"1 -> 1", 1}}));
}

TEST(Chains, InsideChannelsWithNoFollower) {
  test::StatFixture f({{1, 5, 5}, {9, 9, 9}, {1, 2, 3}});
  EXPECT_EQ(f.Texts("SDA2", f.EvaluateAll("SDA2")), (Texts{{"01 -> 00", 1}}));
  EXPECT_EQ(f.Texts("SDZ2", f.EvaluateAll("SDZ2")), (Texts{{"01 -> 00", 1}}));
  EXPECT_TRUE(f.EvaluateAll("SDG2").empty());
  EXPECT_EQ(f.Texts("SDC2", f.EvaluateAll("SDC2")), (Texts{{"1 -> 0", 1}}));
}

TEST(Chains, InsideChannelsFilter) {
  // R = 1;2;3, channel size 2: channels 1 = {0, 1}, 2 = {2, 3}, 3 = {4, 5}.
  test::StatFixture f({{9, 9, 9}, {1, 2, 3}});
  struct Case {
    const char* code;
    TStatDrawRec row;
    TComb comb;
    bool matches;
  } cases[] = {
      // x -> 0 with x other than 0 continues into any number of x's channel.
      {"SDA2", KeyRec(1, 0), {0, 5, 5}, true},
      {"SDZ2", KeyRec(1, 0), {1, 9, 9}, true},
      {"SDA2", KeyRec(1, 0), {5, 5, 5}, false},
      // Other rows continue into their follower only.
      {"SDA2", KeyRec(1, 5), {9, 5, 9}, true},
      {"SDA2", KeyRec(1, 5), {4, 4, 4}, false},
      {"SDA2", KeyRec(1, 1), {0, 9, 9}, false},
      {"SDG2", KeyRec(2, 5), {0, 0, 5}, true},
      // The from part must be a number of R.
      {"SDA2", KeyRec(4, 5), {5, 5, 5}, false},
      // Counts continue into any number of the channel, whatever the count.
      {"SDC2", KeyRec(1, 3), {0, 9, 9}, true},
      {"SDC2", KeyRec(2, 0), {9, 3, 9}, true},
      {"SDC2", KeyRec(1, 3), {5, 5, 5}, false},
      // 0 -> 0 is not read by channel, and 0 is not in R.
      {"SDA2", KeyRec(0, 0), {0, 0, 0}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, {c.row}, c.comb), c.matches)
        << c.code << " " << f.Texts(c.code, {c.row})[0].first << " " << CombToText(c.comb);
  test::StatFixture zero({{9, 9, 9}, {0, 5, 6}});
  EXPECT_TRUE(zero.Matches("SDA2", {KeyRec(0, 0)}, {0, 9, 9}));
  EXPECT_FALSE(zero.Matches("SDA2", {KeyRec(0, 0)}, {1, 9, 9}));
  EXPECT_TRUE(zero.Matches("SDC2", {KeyRec(0, 2)}, {1, 9, 9}));
}

TEST(Chains, ChannelCountsPrelistUpToTheChannelSize) {
  test::StatFixture f({{0, 1, 9}});
  f.settings.config.channelSize = 5;
  f.registry.Build();
  // R = 0;1;9 has 2 numbers in channel 1; R1 lies before the archive (the zero draw, 3).
  EXPECT_EQ(f.Texts("SC2C1", f.EvaluateAll("SC2C1")), (Texts{{"2 -> 0", 0},
                                                             {"2 -> 1", 0},
                                                             {"2 -> 2", 0},
                                                             {"2 -> 3", 0},
                                                             {"2 -> 4", 0},
                                                             {"2 -> 5", 0}}));
  const auto three = f.Texts("SC3C1", f.EvaluateAll("SC3C1"));
  ASSERT_EQ(three.size(), 6u);
  EXPECT_EQ(three.front(), (std::pair<std::string, int>{"3-2 -> 0", 0}));
  EXPECT_EQ(three.back(), (std::pair<std::string, int>{"3-2 -> 5", 0}));
}

TEST(Chains, ChannelCounts) {
  // Numbers in channel 1 (0, 1): 1, 2, 1, 3, 1.
  test::StatFixture f({{0, 5, 5}, {1, 1, 7}, {0, 9, 9}, {0, 0, 1}, {1, 5, 6}});
  EXPECT_EQ(f.Texts("SC2C1", f.EvaluateAll("SC2C1")),
            (Texts{{"1 -> 0", 0}, {"1 -> 1", 0}, {"1 -> 2", 1}, {"1 -> 3", 1}}));
  // Counts 3, 1, 0, 3, 1: 3-1 -> 0 after R1, R = 3, 1.
  test::StatFixture g({{0, 0, 0}, {0, 5, 5}, {2, 3, 4}, {0, 0, 1}, {1, 5, 6}});
  EXPECT_EQ(f.Texts("SC3C1", g.EvaluateAll("SC3C1")),
            (Texts{{"3-1 -> 0", 1}, {"3-1 -> 1", 0}, {"3-1 -> 2", 0}}));
}

TEST(Chains, Segments) {
  // By position: P1 = 5;0;1 -> 2, 3, 5; C = 9;0;9 -> 2, 3, 6; R = 0;9;2 -> 1, 4, 5. The 0 of
  // P1 and of R lie in different segments.
  test::StatFixture f({{5, 0, 1}, {9, 0, 9}, {0, 9, 2}});
  f.settings.config.segments = TestSegments();
  f.registry.Build();
  EXPECT_EQ(f.Texts("SSV2", f.EvaluateAll("SSV2")),
            (Texts{{"5 -> 2", 1}, {"5 -> 3", 1}, {"5 -> 6", 1}}));
  EXPECT_EQ(f.Texts("SSP2", f.EvaluateAll("SSP2")), (Texts{{"5 -> 6", 1}}));
  EXPECT_EQ(f.Texts("SSN3", f.EvaluateAll("SSN3")), (Texts{{"5 -> 6", 1}}));
  EXPECT_TRUE(f.EvaluateAll("SSN1").empty());
  // The follower is the segment at its own position.
  const TStatDrawArray six = {KeyRec(5, 6)};
  EXPECT_TRUE(f.Matches("SSP2", six, {0, 0, 9}));
  EXPECT_TRUE(f.Matches("SSV2", six, {9, 9, 9}));
  EXPECT_FALSE(f.Matches("SSP2", six, {9, 9, 0}));
  // Segment 5: R has one position in it; C none.
  EXPECT_EQ(f.Texts("SS2C5", f.EvaluateAll("SS2C5")), (Texts{{"1 -> 0", 1}}));
}

TEST(Chains, SegmentCountsListOneValueAndReadPredecessorsInDrawOrder) {
  test::StatFixture f({{0, 0, 0}});
  f.settings.config.segments = TestSegments();
  f.registry.Build();
  // Segment 5 (position 3 holding 0..4): R and the zero draw before it have one each.
  EXPECT_EQ(f.Texts("SS2C5", f.EvaluateAll("SS2C5")), (Texts{{"1 -> 0", 0}}));
  EXPECT_EQ(f.Texts("SS3C5", f.EvaluateAll("SS3C5")), (Texts{{"1-1 -> 0", 0}}));
  // Sorted, 1;9;0 would be 0;1;9 with no number of segment 5; read in draw order it has one.
  f.SetDraws({{1, 9, 0}, {0, 0, 0}, {0, 0, 0}});
  EXPECT_EQ(f.Texts("SS2C5", f.EvaluateAll("SS2C5", true)), (Texts{{"1 -> 0", 0}, {"1 -> 1", 2}}));
}

TEST(Chains, FilterLooksAtTheFollowerOnly) {
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}});
  struct Case {
    const char* code;
    TStatDrawRec row;
    TComb comb;
    bool matches;
  } cases[] = {
      {"SDN2", KeyRec(3, 7), {7, 0, 0}, true},     {"SDN2", KeyRec(3, 7), {0, 7, 0}, true},
      {"SDN2", KeyRec(3, 7), {0, 0, 7}, true},     {"SDN2", KeyRec(3, 7), {3, 0, 0}, false},
      {"SDV2", KeyRec(3, 7), {1, 2, 7}, true},     {"SDM1", KeyRec(1, 3, 7), {0, 0, 7}, true},
      {"SDM1", KeyRec(1, 3, 7), {1, 3, 0}, false}, {"SCN1", KeyRec(1, 3), {4, 0, 0}, true},
      {"SCN1", KeyRec(1, 3), {0, 1, 2}, false},    {"SCP3", KeyRec(1, 2, 5), {9, 0, 0}, true},
      {"SCP3", KeyRec(1, 2, 5), {1, 2, 7}, false}, {"SC2C1", KeyRec(1, 2), {0, 1, 5}, true},
      {"SC2C1", KeyRec(1, 2), {0, 5, 5}, false},   {"SC3C1", KeyRec(1, 1, 2), {0, 1, 5}, true},
      {"SS2C1", KeyRec(3, 3), {4, 5, 6}, true},    {"SS2C1", KeyRec(3, 2), {4, 5, 6}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, {c.row}, c.comb), c.matches) << c.code << " " << CombToText(c.comb);
}

TEST(Chains, ValueTexts) {
  test::StatFixture f;
  struct Case {
    const char* code;
    TStatDrawRec row;
    const char* text;
  } cases[] = {
      {"SDV2", KeyRec(3, 7), "3 -> 7"},       {"SDP3", KeyRec(3, 5, 7), "3-5 -> 7"},
      {"SCP2", KeyRec(1, 3), "01 -> 03"},     {"SCM1", KeyRec(1, 2, 5), "01-02 -> 05"},
      {"SCV2", KeyRec(10, 1), "10 -> 01"},    {"SDA2", KeyRec(3, 7), "03 -> 07"},
      {"SDG2", KeyRec(3, 7), "03 -> 07"},     {"SDZ2", KeyRec(1, 0), "01 -> 00"},
      {"SDC2", KeyRec(3, 2), "3 -> 2"},       {"SC2C1", KeyRec(2, 0), "2 -> 0"},
      {"SC3C1", KeyRec(1, 1, 2), "1-1 -> 2"}, {"SSV2", KeyRec(1, 2), "1 -> 2"},
      {"SSM1", KeyRec(1, 1, 2), "1-1 -> 2"},  {"SS2C1", KeyRec(3, 1), "3 -> 1"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.registry.CreateStat(f.Entry(c.code))->ValueToText(c.row), c.text) << c.code;
}

}  // namespace
}  // namespace korvane
