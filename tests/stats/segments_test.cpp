#include <gtest/gtest.h>

#include <cstring>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

using test::KeyRec;
using test::Texts;

// A segment table from its three rows of ten digits (positions 1..3, numbers 0..9).
TSegmentTable Table(const char* row1, const char* row2, const char* row3) {
  TSegmentTable t{};
  const char* rows[NumsCount] = {row1, row2, row3};
  for (size_t p = 0; p < NumsCount; ++p)
    for (size_t n = 0; n < ValuesCount; ++n)
      t[p * ValuesCount + n] = static_cast<uint8_t>(rows[p][n] - '0');
  return t;
}

void SetSegments(test::StatFixture& f, const TSegmentTable& table) {
  f.settings.config.segments = table;
  f.registry.Build();
}

// Position 1: numbers 0..4 in segment 1, 5..9 in segment 2; positions 2 and 3: segment 3.
const TSegmentTable kSplitTable = Table("1111122222", "3333333333", "3333333333");
// The segment is the position.
const TSegmentTable kByPosition = Table("1111111111", "2222222222", "3333333333");

std::vector<std::string> SgmCodes(const TStatList& registry) {
  std::vector<std::string> codes;
  for (int i = 0; i < registry.Count(); ++i)
    if (std::strcmp(registry.Items(i).statClass->className, "TstSgmValCnt") == 0)
      codes.push_back(registry.Items(i).MethodCode());
  return codes;
}

TEST(Segments, DefaultTableHasOneSegment) {
  test::StatFixture f({{0, 1, 2}, {9, 5, 5}, {3, 3, 8}});
  struct Case {
    const char* code;
    Texts texts;
  } cases[] = {
      {"SGMS", {{"1", 9}}},     {"SGMV", {{"1 x 3", 3}}}, {"SGMC", {{"1", 3}}},
      {"KGM2", {{"1:1", 9}}},   {"KGS2", {{"1:1", 6}}},   {"KGM3", {{"1:1:1", 3}}},
      {"KGS3", {{"1:1:1", 3}}}, {"SGM1", {{"3", 3}}},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code)), c.texts) << c.code;
  EXPECT_EQ(SgmCodes(f.registry), (std::vector<std::string>{"SGM1"}));
}

TEST(Segments, WorkedDrawOfASplitTable) {
  test::StatFixture f({{7, 0, 0}});
  SetSegments(f, kSplitTable);
  struct Case {
    const char* code;
    Texts texts;
  } cases[] = {
      // s1 = 2, s2 = 3, s3 = 3.
      {"SGMS", {{"1", 0}, {"2", 1}, {"3", 2}}},
      {"SGMV", {{"1 x 0", 1}, {"2 x 1", 1}, {"3 x 2", 1}}},
      {"SGMC", {{"2", 1}}},
      {"KGS2", {{"2:3", 1}, {"3:3", 1}}},
      {"KGM2", {{"2:3", 2}, {"3:3", 1}}},
      {"KGM3", {{"2:3:3", 1}}},
      {"KGS3", {{"2:3:3", 1}}},
      {"SGM1", {{"0", 1}}},
      {"SGM2", {{"1", 1}}},
      {"SGM3", {{"2", 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Texts(c.code, f.EvaluateAll(c.code)), c.texts) << c.code;
}

TEST(Segments, EntriesFollowTheSegmentsOfTheTable) {
  struct Case {
    TSegmentTable table;
    std::vector<std::string> codes;
  } cases[] = {
      {DefaultSegmentTable(), {"SGM1"}},
      {kSplitTable, {"SGM1", "SGM2", "SGM3"}},
      {Table("2222233333", "4444444444", "2222222222"), {"SGM2", "SGM3", "SGM4"}},
      {Table("9999999999", "9999999999", "9999999999"), {"SGM9"}},
      {Table("1999999999", "9999999999", "9999999995"),
       {"SGM1", "SGM2", "SGM3", "SGM4", "SGM5", "SGM6", "SGM7", "SGM8", "SGM9"}},
  };
  for (const Case& c : cases) {
    test::StatFixture f;
    SetSegments(f, c.table);
    EXPECT_EQ(SgmCodes(f.registry), c.codes);
  }
  test::StatFixture f;
  SetSegments(f, kSplitTable);
  EXPECT_EQ(f.registry.Items(f.Entry("SGM2")).DisplayName(),
            "Количество чисел в 2 сегменте матрицы");
}

TEST(Segments, TableOrderIsTheOrderOfFirstAppearance) {
  test::StatFixture f({{0, 0, 0}, {9, 9, 9}});
  SetSegments(f, Table("3333311111", "2222222222", "1111111111"));
  EXPECT_EQ(f.Texts("SGMS", f.EvaluateAll("SGMS")), (Texts{{"3", 1}, {"1", 3}, {"2", 2}}));
  // One value per segment and draw, in table order: 0-0-0 has 3, 2, 1; 9-9-9 has 1, 2, 1.
  EXPECT_EQ(f.Texts("SGMV", f.EvaluateAll("SGMV")),
            (Texts{{"3 x 1", 1}, {"1 x 1", 1}, {"2 x 1", 2}, {"3 x 0", 1}, {"1 x 2", 1}}));
}

TEST(Segments, SortFlagMovesNumbersToOtherPositions) {
  test::StatFixture f({{7, 0, 0}});
  SetSegments(f, kSplitTable);
  // Sorted, the draw is 0-0-7: s1 = 1, s2 = 3, s3 = 3.
  EXPECT_EQ(f.Texts("SGMS", f.EvaluateAll("SGMS", true)), (Texts{{"1", 1}, {"2", 0}, {"3", 2}}));
  EXPECT_EQ(f.Texts("KGS2", f.EvaluateAll("KGS2", true)), (Texts{{"1:3", 1}, {"3:3", 1}}));
  EXPECT_EQ(f.Texts("SGM1", f.EvaluateAll("SGM1", true)), (Texts{{"1", 1}}));
}

TEST(Segments, CountsAndIntervalsOverARange) {
  test::StatFixture f({{7, 0, 0}, {1, 1, 1}, {6, 2, 3}});
  SetSegments(f, kSplitTable);
  const TStatDrawArray sgms = f.EvaluateAll("SGMS");
  ASSERT_EQ(sgms.size(), 3u);
  EXPECT_EQ(sgms[1].count, 2);  // segment 2: draws 100 and 102
  EXPECT_EQ(sgms[1].minInterval, 2);
  EXPECT_EQ(sgms[1].depth, 1);
  EXPECT_EQ(sgms[2].count, 6);
  EXPECT_EQ(sgms[2].minInterval, 0);
  EXPECT_EQ(sgms[0].lastDraw, 101);
  EXPECT_EQ(sgms[0].depth, 2);
}

TEST(Segments, CombMatches) {
  test::StatFixture f({{1, 2, 3}});
  SetSegments(f, kSplitTable);
  struct Case {
    const char* code;
    TStatDrawArray selected;
    TComb comb;
    bool match;
  } cases[] = {
      {"SGMS", {KeyRec(2)}, {7, 0, 0}, true},
      {"SGMS", {KeyRec(2)}, {0, 7, 7}, false},  // 7 is in segment 2 at position 1 only
      // A row "1 x 0" keeps every combination without a number in segment 1.
      {"SGMV", {KeyRec(1, 0)}, {7, 0, 0}, true},
      {"SGMV", {KeyRec(1, 0)}, {0, 0, 0}, false},
      {"SGMV", {KeyRec(3, 2)}, {7, 0, 0}, true},
      {"SGMC", {KeyRec(2)}, {0, 5, 5}, true},
      {"SGMC", {KeyRec(1)}, {0, 5, 5}, false},
      {"KGM2", {KeyRec(2, 3)}, {7, 0, 0}, true},
      {"KGM2", {KeyRec(2, 3)}, {0, 7, 0}, false},
      {"KGS2", {KeyRec(3, 3)}, {7, 0, 0}, true},
      {"KGM3", {KeyRec(1, 3, 3)}, {4, 9, 9}, true},
      {"KGS3", {KeyRec(1, 3, 3)}, {5, 9, 9}, false},
      {"SGM3", {KeyRec(2)}, {7, 0, 0}, true},
      {"SGM3", {KeyRec(0)}, {7, 0, 0}, false},
      {"SGM1", {KeyRec(0)}, {7, 0, 0}, true},
      {"SGM1", {KeyRec(1)}, {0, 0, 0}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.Matches(c.code, c.selected, c.comb), c.match)
        << c.code << " " << CombToText(c.comb);

  // Every pair of positions or the neighbouring ones only.
  SetSegments(f, kByPosition);
  EXPECT_TRUE(f.Matches("KGM2", {KeyRec(1, 3)}, {4, 5, 6}));
  EXPECT_FALSE(f.Matches("KGS2", {KeyRec(1, 3)}, {4, 5, 6}));
  EXPECT_TRUE(f.Matches("KGS2", {KeyRec(2, 3)}, {4, 5, 6}));
}

TEST(Segments, GraphValues) {
  test::StatFixture f({{7, 0, 0}, {1, 1, 1}});
  SetSegments(f, kSplitTable);
  auto sgmc = f.registry.CreateStat(f.Entry("SGMC"));
  EXPECT_EQ(sgmc->GraphValue(0, 1, false), 2);
  EXPECT_EQ(sgmc->GraphValueOf(0, 1, {1, 1, 1}, false), 2);
  auto sgm3 = f.registry.CreateStat(f.Entry("SGM3"));
  EXPECT_EQ(sgm3->GraphValue(1, 1, false), 2);
  auto sgm2 = f.registry.CreateStat(f.Entry("SGM2"));
  EXPECT_EQ(sgm2->GraphValue(0, 1, false), 1);
  EXPECT_EQ(sgm2->GraphValue(1, 1, false), 0);
}

TEST(Segments, InstancesKeepTheTableTheyWereCreatedWith) {
  test::StatFixture f({{7, 0, 0}});
  SetSegments(f, kSplitTable);
  auto sgms = f.registry.CreateStat(f.Entry("SGMS"));
  f.settings.config.segments = DefaultSegmentTable();
  TStatDrawArray list;
  sgms->PrepareValues(0, list);
  EXPECT_EQ(list.size(), 3u);
}

TEST(Segments, ValueTextsAndParsing) {
  test::StatFixture f;
  auto sgmv = f.registry.CreateStat(f.Entry("SGMV"));
  EXPECT_EQ(sgmv->ValueToText(KeyRec(2, 1)), "2 x 1");
  EXPECT_EQ(sgmv->ParseValue("2 x 1"), 0);
  EXPECT_EQ(f.registry.CreateStat(f.Entry("SGMS"))->ParseValue("3"), 3);
  EXPECT_EQ(f.registry.CreateStat(f.Entry("SGMC"))->ParseValue("2"), 2);
  auto kgm2 = f.registry.CreateStat(f.Entry("KGM2"));
  EXPECT_EQ(kgm2->ValueToText(KeyRec(2, 3)), "2:3");
  EXPECT_EQ(kgm2->ParseValue("2"), 0);
  EXPECT_EQ(f.registry.CreateStat(f.Entry("KGS3"))->ValueToText(KeyRec(1, 2, 3)), "1:2:3");
  EXPECT_EQ(f.registry.ListText(f.Entry("SGMC"), true),
            "{ sgm } Количество не пустых сегментов в матрице [ NG ]");
  EXPECT_EQ(f.registry.IndexOfCode("KGM4"), -1);
  EXPECT_EQ(f.registry.IndexOfCode("KGS4"), -1);
}

TEST(Segments, FullSetDistributions) {
  test::StatFixture f;
  SetSegments(f, kSplitTable);
  struct Case {
    const char* code;
    Texts texts;
  } cases[] = {
      {"SGMS", {{"1", 500}, {"3", 2000}, {"2", 500}}},
      {"SGMC", {{"2", 1000}}},
      {"SGM3", {{"2", 1000}}},
      {"KGM2", {}},
  };
  for (const Case& c : cases) {
    auto stat = f.registry.CreateStat(f.Entry(c.code));
    TStatDrawArray list;
    for (int v = 0; v < 1000; ++v)
      stat->EvaluateComb(list, {static_cast<uint8_t>(v / 100), static_cast<uint8_t>(v / 10 % 10),
                                static_cast<uint8_t>(v % 10)});
    EXPECT_EQ(f.Texts(c.code, list), c.texts) << c.code;
  }
  auto sgmv = f.registry.CreateStat(f.Entry("SGMV"));
  TStatDrawArray list;
  sgmv->EvaluateComb(list, {7, 0, 0});
  EXPECT_EQ(f.Texts("SGMV", list), (Texts{{"1 x 0", 1}, {"2 x 1", 1}, {"3 x 2", 1}}));
}

}  // namespace
}  // namespace korvane
