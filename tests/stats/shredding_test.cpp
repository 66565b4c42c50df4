#include <gtest/gtest.h>

#include "stats/stat_fixture.h"

namespace korvane {
namespace {

TEST(ShreddingFamily, EntriesAndNames) {
  test::StatFixture f;
  const int shr1 = f.Entry("SHR1");
  EXPECT_EQ(f.registry.Items(shr1).DisplayName(), "Метод шинковки 1: (n1+n2)/n3");
  EXPECT_EQ(f.registry.ListText(shr1, true), "{ shr } Метод шинковки 1: (n1+n2)/n3 [ SNG ]");
  EXPECT_EQ(f.registry.Items(f.Entry("SHR3")).DisplayName(), "Метод шинковки 3: (n2+n3)/n1");
}

TEST(ShreddingFamily, ValuesOfDraws) {
  struct Case {
    const char* formula;
    int digits;
    TComb draw;
    int value;
  } cases[] = {
      {"(n1+n2)/n3", 2, {1, 2, 4}, 75}, {"(n1+n2)/n3", 2, {1, 2, 3}, 0},
      {"(n1+n2)/n3", 2, {5, 5, 0}, 0},   // division by zero
      {"(n1-n2)/n3", 2, {1, 2, 4}, 25},  // absolute value
      {"(n1+n2)/n3", 2, {0, 6, 5}, 20},
  };
  for (const Case& c : cases) {
    test::StatFixture f;
    f.settings.shredding[0] = {c.formula, c.digits};
    f.SetDraws({c.draw});
    const auto texts = f.Texts("SHR1", f.EvaluateAll("SHR1"));
    ASSERT_EQ(texts.size(), 1u) << c.formula;
    EXPECT_EQ(texts[0].first, std::to_string(c.value)) << c.formula << " " << CombToText(c.draw);
  }
}

TEST(ShreddingFamily, PreviousDrawsAndSixteenBits) {
  test::StatFixture f({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  // p and t: the first draw sees zeros, the second only t zero.
  f.settings.shredding[1] = {"(p1+t1+1)/7", 3};
  f.registry.Build();
  const auto texts = f.Texts("SHR2", f.EvaluateAll("SHR2"));
  // draw 0: 1/7 -> 142; draw 1: (1+0+1)/7 -> 285; draw 2: (4+1+1)/7 -> 857
  EXPECT_EQ(texts, (std::vector<std::pair<std::string, int>>{{"142", 1}, {"285", 1}, {"857", 1}}));
  // Five digits reach above 65535: the key holds the low 16 bits, the graph the full value.
  f.settings.shredding[2] = {"n1/9", 5};  // 7/9 = 0.77777 -> 77777
  f.registry.Build();
  auto shr3 = f.registry.CreateStat(f.Entry("SHR3"));
  EXPECT_EQ(shr3->GraphValue(2, 2, false), 77777);
  const TStatDrawArray list = f.Evaluate("SHR3", 2, 2);
  EXPECT_EQ(static_cast<uint16_t>(list[0].key.k[0]), 77777 - 65536);
  EXPECT_TRUE(f.Matches("SHR3", list, {7, 0, 0}));
  EXPECT_FALSE(f.Matches("SHR3", list, {8, 0, 0}));
}

TEST(ShreddingFamily, CombinationsFollowTheNewestDraw) {
  test::StatFixture f({{1, 2, 3}, {2, 0, 0}});
  f.settings.shredding[0] = {"(n1+p1)/3", 2};
  f.registry.Build();
  // p = the newest draw (2-0-0): 1-x-x gives (1+2)/3 = 1 -> 0; 2-x-x gives 4/3 -> 33.
  TStatDrawRec rec;
  rec.key.k[0] = 33;
  EXPECT_TRUE(f.Matches("SHR1", {rec}, {2, 9, 9}));
  EXPECT_FALSE(f.Matches("SHR1", {rec}, {1, 9, 9}));
  // The norm: p and t all zero.
  auto shr1 = f.registry.CreateStat(f.Entry("SHR1"));
  TStatDrawArray full;
  shr1->EvaluateComb(full, {1, 0, 0});
  EXPECT_EQ(full[0].key.k[0], 33);
}

}  // namespace
}  // namespace korvane
