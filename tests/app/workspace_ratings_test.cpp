// Ratings fed by checking and kept right when draws change; regular stakes made and tested
// through the workspace.

#include <gtest/gtest.h>

#include "app/workspace.h"
#include "core/demo.h"
#include "support/test_support.h"

namespace korvane {
namespace {

class RatingsWorkspaceTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RecordingHost host;

  // n demo draws, the newest one set to `last`.
  TDrawsArray WriteArchive(int n, TComb last) {
    TDrawsArray draws = MakeDemoDraws(n, 7);
    draws.back().nums = last;
    test::WriteBytes(dir / "Korvane.ldr", DrawArchive::Serialize(draws));
    return draws;
  }

  static const TRatingRec* Row(const Workspace& ws, const std::string& comment) {
    for (const TRatingRec& r : ws.RatingRows().Rows())
      if (r.comment == comment) return &r;
    return nullptr;
  }

  static TComb Numbers(const TStakeData& s) {
    return {s.numbers.nums[0], s.numbers.nums[1], s.numbers.nums[2]};
  }

  static std::vector<TStakeData> StakesOf(const Workspace& ws) {
    std::vector<TStakeData> out;
    for (int i = 0; i < ws.Stakes().Count(); ++i) out.push_back(ws.Stakes().Read(i));
    return out;
  }
};

TEST_F(RatingsWorkspaceTest, CheckingFeedsOneRowPerCommentIgnoringCaseAndTheFileKeepsIt) {
  const TDrawsArray draws = WriteArchive(10, {1, 2, 3});
  {
    Workspace ws(host, dir.path());
    ASSERT_TRUE(ws.Open());
    ASSERT_EQ(ws.AddStakes({{1, 2, 3}}, draws.back().number, 1, "A"), 1);
    ASSERT_EQ(ws.AddStakes({{0, 0, 3}}, draws.back().number, 1, "a"), 1);
    ASSERT_EQ(ws.RatingRows().Count(), 1);
    const TRatingRec& row = ws.RatingRows().Rows()[0];
    EXPECT_EQ(row.comment, "A");
    EXPECT_EQ(row.stakes, 2);
    EXPECT_EQ(row.matchedSum, 4);
    EXPECT_EQ(row.matchCounts, (std::array<int32_t, 4>{0, 1, 0, 1}));
    EXPECT_EQ(ws.Panel(StatusPanel::Ratings), "Рейтинг: 1");
  }
  EXPECT_EQ(fs::file_size(dir / "Korvane.lrt"), RatingRecSize);
  Workspace again(host, dir.path());
  ASSERT_TRUE(again.Open());
  ASSERT_NE(Row(again, "A"), nullptr);
  EXPECT_EQ(Row(again, "A")->stakes, 2);
}

// A stake keeps no result from a draw that was edited or deleted: it is checked again against
// what carries its draw number now, and its rating row trades the old share for the new one.
TEST_F(RatingsWorkspaceTest, EditingOrDeletingADrawChecksItsStakesAgain) {
  const TDrawsArray draws = WriteArchive(10, {1, 2, 3});
  const int32_t last = draws.back().number;
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_EQ(ws.AddStakes({{1, 2, 3}}, last, 1, "Моя"), 1);
  ASSERT_EQ(ws.AddStakes({{5, 5, 5}}, last - 1, 1, "Другая"), 1);
  ASSERT_EQ(StakesOf(ws)[0].matched.count, 3);
  const TRatingRec before = *Row(ws, "Другая");

  TDrawRec edited = draws.back();
  edited.nums = {1, 2, 4};
  ASSERT_TRUE(ws.EditDraw(0, edited));
  EXPECT_EQ(StakesOf(ws)[0].matched.count, 2);
  ASSERT_NE(Row(ws, "Моя"), nullptr);
  EXPECT_EQ(Row(ws, "Моя")->stakes, 1);
  EXPECT_EQ(Row(ws, "Моя")->matchCounts, (std::array<int32_t, 4>{0, 0, 1, 0}));
  EXPECT_EQ(Row(ws, "Моя")->profit, StakesOf(ws)[0].profit);
  EXPECT_EQ(*Row(ws, "Другая"), before);  // other draws are left alone

  host.answers = {true};
  ASSERT_TRUE(ws.DeleteDraws({0}));
  const TStakeData waiting = StakesOf(ws)[0];
  EXPECT_EQ(waiting.matched.count, -1);
  EXPECT_EQ(waiting.checked, 0);
  EXPECT_EQ(Row(ws, "Моя")->stakes, 0);
  EXPECT_EQ(Row(ws, "Моя")->matchedSum, 0);
  EXPECT_EQ(ws.StakesCheckAndRefresh().checked, 0);  // nothing to check it against

  TDrawRec back = draws.back();
  ASSERT_TRUE(ws.AddDraw(back));
  EXPECT_EQ(StakesOf(ws)[0].matched.count, 3);
  EXPECT_EQ(Row(ws, "Моя")->matchCounts, (std::array<int32_t, 4>{0, 0, 0, 1}));
  EXPECT_EQ(host.errorCount(), 0);
}

TEST_F(RatingsWorkspaceTest, ClearingAllStakesAsksToRebuildTheRatings) {
  const TDrawsArray draws = WriteArchive(10, {1, 2, 3});
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_EQ(ws.AddStakes({{1, 2, 3}}, draws.back().number, 1, "A"), 1);

  host.answers = {true, false};  // clear: yes; rebuild: no
  ASSERT_TRUE(ws.ClearStakes());
  EXPECT_EQ(host.questions.back(),
            "Пересчитать рейтинг только по текущим ставкам?\n\nНакопленные ранее данные по "
            "удаленным ставкам будут потеряны.");
  EXPECT_EQ(ws.RatingRows().Count(), 1);

  ASSERT_EQ(ws.AddStakes({{1, 2, 3}}, draws.back().number, 1, "B"), 1);
  host.answers = {true, true};
  ASSERT_TRUE(ws.ClearStakes());
  EXPECT_EQ(ws.RatingRows().Count(), 0);
  EXPECT_EQ(fs::file_size(dir / "Korvane.lrt"), 0u);
}

TEST_F(RatingsWorkspaceTest, RowsGoBackToTheScenarioAsLines) {
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  const TDrawsArray draws = MakeDemoDraws(10, 7);
  ASSERT_TRUE(ws.AddDraw(draws[0]));
  const std::string good = "01.002: Числа @ FULL#RAND + TSD#NUMS:10#LMV:2#SF:1";
  ASSERT_EQ(ws.AddStakes({{1, 1, 1}}, draws[0].number, 1, good), 1);
  ASSERT_EQ(ws.AddStakes({{1, 1, 1}}, draws[0].number, 1, "01.001: @ FULL#FIRST"), 1);
  ASSERT_EQ(ws.RatingRows().Count(), 2);
  std::vector<int> both = {0, 1};
  const int before = static_cast<int>(ws.ScriptLines().size());
  EXPECT_EQ(ws.RatingsToScript(both), 1);
  ASSERT_EQ(static_cast<int>(ws.ScriptLines().size()), before + 1);
  EXPECT_EQ(ws.ScriptLines().back(), "FULL#RAND|TSD#NUMS:10#LMV:2#SF:1| | | | | | |01.002: Числа");
  // The line without a filter is refused by name.
  EXPECT_EQ(host.lastMessage(),
            "Строку\n\n01.001: @ FULL#FIRST\n\nневозможно добавить в сценарий!");
}

// Two regulars over five draws: ten stakes, checked at once, each regular a rating row.
TEST_F(RatingsWorkspaceTest, RegularTestMakesOneCheckedStakePerRegularAndDraw) {
  const TDrawsArray draws = WriteArchive(12, {4, 4, 4});
  {
    Workspace ws(host, dir.path());
    ASSERT_TRUE(ws.Open());
    TTableData up = PrepareRegular({});
    up.name = "Вверх";
    up.start = up.current = {8, 9, 0};
    up.step = 3;
    TTableData down = up;
    down.name = "Вниз";
    down.start = down.current = {0, 0, 0};
    down.step = -1;
    ASSERT_TRUE(ws.AddRegulars(up, {{1, up.start}}));
    ASSERT_TRUE(ws.AddRegulars(down, {{1, down.start}}));
    ASSERT_EQ(fs::file_size(dir / "Korvane.ltb"), 2 * TableRecSize);

    ASSERT_TRUE(ws.RegularTest({0, 1}, 5));
    const std::vector<TStakeData> stakes = StakesOf(ws);
    ASSERT_EQ(stakes.size(), 10u);
    for (size_t i = 0; i < stakes.size(); ++i) {
      const int k = static_cast<int>(i / 2);  // 0..4: the draws from the fifth newest
      EXPECT_EQ(stakes[i].draw, draws[draws.size() - 5 + static_cast<size_t>(k)].number);
      EXPECT_EQ(stakes[i].kind, StakeRegular);
      EXPECT_GE(stakes[i].matched.count, 0) << i;
    }
    EXPECT_EQ(Numbers(stakes[0]), (TComb{1, 2, 3}));  // 8;9;0 + 3
    EXPECT_EQ(Numbers(stakes[8]), (TComb{3, 4, 5}));  // + 15
    EXPECT_EQ(Numbers(stakes[1]), (TComb{9, 9, 9}));  // 0;0;0 - 1
    EXPECT_EQ(Numbers(stakes[9]), (TComb{5, 5, 5}));  // - 5
    EXPECT_EQ(ws.Regulars().Rows()[0].current, (TComb{3, 4, 5}));
    EXPECT_EQ(ws.Regulars().Rows()[1].stakes, 5);
    ASSERT_NE(Row(ws, "Вверх"), nullptr);
    EXPECT_EQ(Row(ws, "Вверх")->stakes, 5);
    EXPECT_EQ(Row(ws, "Вниз")->stakes, 5);
    EXPECT_EQ(ws.Archive().DrawsOffset(), 0);
  }
  // Reopened, the regulars keep the test's result.
  Workspace again(host, dir.path());
  ASSERT_TRUE(again.Open());
  EXPECT_EQ(again.Regulars().Rows()[1].current, (TComb{5, 5, 5}));
}

TEST_F(RatingsWorkspaceTest, RegularTestNeedsADrawBeforeEachTestedDraw) {
  WriteArchive(3, {1, 2, 3});
  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  TTableData r = PrepareRegular({});
  r.start = r.current = {1, 1, 1};
  ASSERT_TRUE(ws.AddRegulars(r, {{1, r.start}}));
  EXPECT_FALSE(ws.RegularTest({0}, 3));
  EXPECT_EQ(ws.Stakes().Count(), 0);
  EXPECT_TRUE(ws.RegularTest({0}, 2));
  EXPECT_EQ(ws.Stakes().Count(), 2);
}

// A damaged ratings file is reported and left as it is at start-up; the first change keeps a
// copy of it before the file is written anew.
TEST_F(RatingsWorkspaceTest, ADamagedRatingsFileIsKeptBeforeItIsRewritten) {
  const TDrawsArray draws = WriteArchive(10, {1, 2, 3});
  TRatingRec good;
  good.comment = "Старая";
  good.stakes = 1;
  good.matchCounts = {1, 0, 0, 0};
  TRatingRec bad = good;
  bad.stakes = -1;
  std::string bytes(2 * RatingRecSize, '\0');
  EncodeRatingRec(good, reinterpret_cast<uint8_t*>(bytes.data()));
  EncodeRatingRec(bad, reinterpret_cast<uint8_t*>(bytes.data()) + RatingRecSize);
  test::WriteBytes(dir / "Korvane.lrt", bytes);

  Workspace ws(host, dir.path());
  ASSERT_TRUE(ws.Open());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].second,
            "Ошибка чтения файла рейтинга!\n\nНекорректная запись № 2 в файле рейтинга: "
            "отрицательное число ставок (-1)");
  EXPECT_EQ(ws.RatingRows().Count(), 1);  // the rows before the bad one
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.lrt"), bytes);

  ASSERT_EQ(ws.AddStakes({{1, 2, 3}}, draws.back().number, 1, "Новая"), 1);
  EXPECT_EQ(test::ReadBytes(dir / "Korvane.lrt.bak"), bytes);
  EXPECT_EQ(fs::file_size(dir / "Korvane.lrt"), 2 * RatingRecSize);
  EXPECT_NE(host.lastMessage().find("Korvane.lrt.bak"), std::string::npos);
}

}  // namespace
}  // namespace korvane
